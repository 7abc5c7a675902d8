#pragma once

#include "platform/DriveList.h"

#include <QComboBox>

namespace zorvane {

// The mount point among `drives` that contains `path` (the longest one that is a prefix of it
// on a folder boundary), or empty when none does.
QString mountContaining(const QList<DriveEntry>& drives, const QString& path);

// What the drive list shows for one drive: its mount point and, when it has one, its label.
QString driveCaption(const DriveEntry& drive);

// The drive list Drive1: the mounted file systems from the platform's drive list. The list is
// read again each time it is opened, so media plugged in meanwhile appear.
class DriveListBox final : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget* parent = nullptr);

    // Reads the drives from PlatformServices::driveList(), keeping the current drive without
    // raising a change.
    void reloadDrives();

    // The current drive's mount point, or empty.
    QString drive() const;

    // Makes the drive that contains `path` current; raises currentIndexChanged when that is a
    // different drive. Returns false when no drive contains it.
    bool setDriveOf(const QString& path);

    // As setDriveOf, but without raising a change (the list follows the folder shown).
    void followPath(const QString& path);

    void showPopup() override;

protected:
    // The wheel changes the drive only when the list has the focus: scrolling past it must not
    // switch to another mount.
    void wheelEvent(QWheelEvent* event) override;

private:
    int indexOfMount(const QString& mountPoint) const;

    QList<DriveEntry> drives_;
};

} // namespace zorvane
