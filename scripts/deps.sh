# Shared by scripts/run, scripts/test and scripts/screenshot: installs the Debian packages the
# build and the program need, when any is missing. Sourced, not run.

ZORVANE_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-translations-l10n libgl1-mesa-dev
  libglib2.0-dev libarchive-dev zlib1g-dev libbz2-dev liblzma-dev libzstd-dev liblz4-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
)

# The checks of tests/desktop: a virtual X display with a window manager, key presses, the
# window properties and the accessibility tree (AT-SPI read from Python); weston's headless
# compositor with Qt's Wayland platform for the Wayland check.
ZORVANE_DESKTOP_TEST_PACKAGES=(
  xvfb openbox xdotool x11-utils dbus at-spi2-core python3-gi gir1.2-atspi-2.0
  weston qt6-wayland
)

# The tests of compressed files and archives make them with the usual tools and compare the
# viewer with what bsdtar and unzip list.
ZORVANE_ARCHIVE_TEST_PACKAGES=(gzip bzip2 xz-utils zstd lz4 zip unzip libarchive-tools p7zip-full cpio)

# The tests over a file system that stalls: a FUSE mirror in Python (slowfs.py), and
# fusermount to take it down.
ZORVANE_SLOW_FS_TEST_PACKAGES=(python3-fusepy fuse3)

# scripts/bench-encodings: Japanese text from a package (the manual pages) and the two detectors
# it is measured against.
ZORVANE_ENCODING_BENCH_PACKAGES=(manpages-ja nkf uchardet)

# The tests that lay controls out with a Japanese font taller than IPA's (Noto CJK, the usual
# font of desktop installs); where it is missing those tests skip.
ZORVANE_FONT_TEST_PACKAGES=(fonts-noto-cjk)
# scripts/bench-startup: the benchmark watches the X display for the first mapped window.
ZORVANE_STARTUP_BENCH_PACKAGES=(libxcb1-dev fontconfig)

# scripts/package: the Debian packaging tools, the checkers of its result, and what the check
# reads the manual page with.
ZORVANE_PACKAGING_PACKAGES=(dpkg-dev debhelper lintian appstream desktop-file-utils man-db)

zorvane_install_packages() {
  local wanted=("$@") missing=() pkg
  for pkg in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || {
      echo "apt-get could not install: ${missing[*]}" >&2
      return 1
    }
  else
    echo "These Debian packages are missing. Install them as root with:" >&2
    echo "  apt-get install -y ${missing[*]}" >&2
    return 1
  fi
}
