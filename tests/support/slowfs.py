#!/usr/bin/python3
"""A read-only mirror of a folder that answers slowly, as a stalled network share does.

    slowfs.py SOURCE MOUNTPOINT CONTROL

Listing a folder whose name starts with "slow", or reading a file whose name starts with
"slow", sleeps until the file CONTROL/release exists (checked every 20 ms) or for 60 seconds at
most. Everything else answers at once. The mirror stays in the foreground; SIGTERM unmounts it.
"""

import errno
import os
import sys
import time

from fusepy import FUSE, FuseOSError, Operations


class SlowMirror(Operations):
    def __init__(self, source, control):
        self.source = source
        self.release_file = os.path.join(control, "release")

    def _real(self, path):
        return os.path.join(self.source, path.lstrip("/"))

    def _stall_if_slow(self, path):
        if not os.path.basename(path).startswith("slow"):
            return
        deadline = time.monotonic() + 60
        while not os.path.exists(self.release_file) and time.monotonic() < deadline:
            time.sleep(0.02)

    def getattr(self, path, fh=None):
        try:
            st = os.lstat(self._real(path))
        except OSError as error:
            raise FuseOSError(error.errno)
        keys = ("st_mode", "st_nlink", "st_size", "st_uid", "st_gid", "st_atime", "st_mtime",
                "st_ctime")
        return {key: getattr(st, key) for key in keys}

    def readdir(self, path, fh):
        self._stall_if_slow(path)
        return [".", ".."] + os.listdir(self._real(path))

    def open(self, path, flags):
        if flags & (os.O_WRONLY | os.O_RDWR):
            raise FuseOSError(errno.EROFS)
        return os.open(self._real(path), os.O_RDONLY)

    def read(self, path, size, offset, fh):
        self._stall_if_slow(path)
        return os.pread(fh, size, offset)

    def release(self, path, fh):
        os.close(fh)
        return 0


if __name__ == "__main__":
    source, mountpoint, control = sys.argv[1:4]
    # direct_io: every read reaches this mirror, none is answered from the page cache.
    FUSE(SlowMirror(source, control), mountpoint, foreground=True, ro=True, direct_io=True,
         attr_timeout=0, entry_timeout=0)
