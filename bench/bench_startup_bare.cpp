// The bare twin of bench_startup: a Qt window with a menu bar and a text box, nothing else. Its
// menus and its text are Japanese, as the program's are, so both pay for a Japanese face.
//
// Usage: bench_startup_bare [FILE]   (the text box shows FILE's bytes as UTF-8 text)

#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* menuBar = new QMenuBar(&window);
    for (const char16_t* title : {u"ファイル(&F)", u"ツール(&T)", u"ヘルプ(&H)"})
        menuBar->addMenu(QString::fromUtf16(title))->addAction(QStringLiteral("..."));
    layout->setMenuBar(menuBar);
    auto* text = new QPlainTextEdit(&window);
    QFile file(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    if (file.open(QIODevice::ReadOnly))
        text->setPlainText(QString::fromUtf8(file.read(8192)));
    layout->addWidget(text);
    window.resize(592, 434);
    window.show();
    return QApplication::exec();
}
