#pragma once

#include "PlatformFakes.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

class QWidget;

namespace zorvane {
class Form1;
}

namespace zorvane::testing {

// What a test of the main window starts from: the program-wide state reset, a temporary program
// folder holding an empty plok.his (40 empty lines), a temporary folder for the test's own
// files, and the platform fakes with the root as the one drive. A test class derives from it,
// sets it up in init() and tears it down in cleanup(); a single test may hold one of its own.
class MainWindowFixture {
public:
    // False when a folder or plok.his could not be made. The program folder is made from
    // `programFolderTemplate` (as QTemporaryDir takes it) where one is given.
    bool setUpMainWindow(const QString& programFolderTemplate = QString());
    // The fakes go first, then the folders with what is in them.
    void tearDownMainWindow();

    QString programFile(const char* name) const;
    QString dataPath(const QString& relative) const;

    // A main window whose program folder is the fixture's.
    std::unique_ptr<Form1> makeForm() const;

    // Shows the window and waits until it is active; the test fails where it does not become so.
    static void showActive(QWidget& window);

    std::unique_ptr<QTemporaryDir> programDir_;
    std::unique_ptr<QTemporaryDir> dataDir_;
    std::unique_ptr<PlatformFakes> fakes_;
};

} // namespace zorvane::testing
