#include "MainWindowFixture.h"

#include "TestFiles.h"

#include "app/ModPlok.h"
#include "mainwindow/Form1.h"

#include <QtTest>

namespace zorvane::testing {

bool MainWindowFixture::setUpMainWindow(const QString& programFolderTemplate) {
    resetModPlok();
    programDir_ = programFolderTemplate.isEmpty()
                      ? std::make_unique<QTemporaryDir>()
                      : std::make_unique<QTemporaryDir>(programFolderTemplate);
    dataDir_ = std::make_unique<QTemporaryDir>();
    fakes_ = std::make_unique<PlatformFakes>();
    fakes_->driveList.entries = {{QStringLiteral("/"), QString()}};
    return programDir_->isValid() && dataDir_->isValid() &&
           writeBytes(programFile("plok.his"), QByteArray("\r\n").repeated(40));
}

void MainWindowFixture::tearDownMainWindow() {
    fakes_.reset();
    dataDir_.reset();
    programDir_.reset();
}

QString MainWindowFixture::programFile(const char* name) const {
    return programDir_->path() + QChar(u'/') + QString::fromUtf8(name);
}

QString MainWindowFixture::dataPath(const QString& relative) const {
    return dataDir_->path() + QChar(u'/') + relative;
}

std::unique_ptr<Form1> MainWindowFixture::makeForm() const {
    return std::make_unique<Form1>(programDir_->path());
}

void MainWindowFixture::showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace zorvane::testing
