#pragma once

#include <QByteArray>
#include <QString>

namespace zorvane {

// A new file being written in a folder that has no name until it is complete (O_TMPFILE): a
// program killed meanwhile leaves nothing behind. Where the file system cannot make unnamed
// files it falls back to a hidden name made of `prefix`, random digits and `suffix`, which is
// removed again unless the file is placed. Whatever is not placed is gone at destruction.
class UnfinishedFile {
public:
    UnfinishedFile(const QString& folder, const QString& prefix, const QString& suffix = QString());
    ~UnfinishedFile();
    UnfinishedFile(const UnfinishedFile&) = delete;
    UnfinishedFile& operator=(const UnfinishedFile&) = delete;

    bool isOpen() const { return descriptor_ >= 0; }
    int error() const { return error_; } // errno of the failed creation
    int descriptor() const { return descriptor_; }
    // The hidden name the file has while it is written (only where the file system cannot make
    // unnamed files), or empty.
    QString hiddenPath() const;

    // Gives the complete file the name `target` and closes it: straight under that name where
    // it is free, otherwise (`replace` only) under a hidden name renamed onto it. 0 or errno.
    int placeAt(const QByteArray& target, bool replace);

    // Gives the complete file a hidden name of its own in the folder (`path`) and closes it;
    // from then on the caller owns that name. 0 or errno.
    int placeUnderHiddenName(QString& path);

private:
    QByteArray hiddenCandidate() const;
    int linkTo(const QByteArray& name); // 0 or errno; the file keeps its descriptor
    int closeDescriptor();              // 0 or errno

    QString folder_, prefix_, suffix_;
    int descriptor_ = -1;
    int error_ = 0;
    QByteArray namedPath_; // the fallback's hidden name while the file has one
};

} // namespace zorvane
