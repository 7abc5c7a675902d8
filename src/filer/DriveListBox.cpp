#include "filer/DriveListBox.h"

#include "platform/PlatformServices.h"

#include <QSignalBlocker>
#include <QWheelEvent>

namespace zorvane {

QString mountContaining(const QList<DriveEntry>& drives, const QString& path) {
    QString best;
    for (const DriveEntry& drive : drives) {
        const QString& mount = drive.mountPoint;
        const bool contains = mount == QStringLiteral("/") ||
                              (path.startsWith(mount) && (path.size() == mount.size() ||
                                                          path.at(mount.size()) == QChar(u'/') ||
                                                          mount.endsWith(QChar(u'/'))));
        if (contains && mount.size() > best.size())
            best = mount;
    }
    return best;
}

QString driveCaption(const DriveEntry& drive) {
    if (drive.label.isEmpty())
        return drive.mountPoint;
    return drive.mountPoint + QStringLiteral("  [") + drive.label + QChar(u']');
}

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setFocusPolicy(Qt::StrongFocus); // not Qt::WheelFocus
}

void DriveListBox::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

void DriveListBox::reloadDrives() {
    const QString current = drive();
    const QSignalBlocker blocker(this);
    drives_ = PlatformServices::driveList().drives();
    clear();
    for (const DriveEntry& entry : drives_)
        addItem(driveCaption(entry), entry.mountPoint);
    if (!current.isEmpty()) {
        const int index = indexOfMount(current);
        setCurrentIndex(index >= 0 ? index : indexOfMount(mountContaining(drives_, current)));
    }
}

QString DriveListBox::drive() const {
    return currentData().toString();
}

bool DriveListBox::setDriveOf(const QString& path) {
    const int index = indexOfMount(mountContaining(drives_, path));
    if (index < 0)
        return false;
    setCurrentIndex(index);
    return true;
}

void DriveListBox::followPath(const QString& path) {
    const QSignalBlocker blocker(this);
    setDriveOf(path);
}

void DriveListBox::showPopup() {
    reloadDrives();
    QComboBox::showPopup();
}

int DriveListBox::indexOfMount(const QString& mountPoint) const {
    if (mountPoint.isEmpty())
        return -1;
    for (qsizetype i = 0; i < drives_.size(); ++i) {
        if (drives_.at(i).mountPoint == mountPoint)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace zorvane
