#include "DarkTheme.h"
#include "desktopfit/ReadableColour.h"
#include "help/HelpPage.h"
#include "help/HelpWindow.h"
#include "help/HelpWindowService.h"
#include "platform/PlatformServices.h"
#include "program/CommandWiring.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zorvane;

namespace {

// A help file long enough that each topic has to be scrolled to.
QByteArray longHelp(const QString& extra = QString()) {
    QString html = QStringLiteral("<html><body><h1>目次</h1>") + extra;
    for (int topic : {6, 13, 16, 17}) {
        html += QStringLiteral("<h2 id=\"%1\">項目 %1</h2>").arg(topic);
        for (int line = 0; line < 80; ++line)
            html += QStringLiteral("<p>本文 %1-%2</p>").arg(topic).arg(line);
    }
    return (html + QStringLiteral("</body></html>")).toUtf8();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// A socket listening on the loopback: a connection to it tells that a name on the network was
// fetched.
class LoopbackListener {
public:
    LoopbackListener() : fd_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
            ::listen(fd_, 4) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            return;
        port_ = ntohs(address.sin_port);
    }
    ~LoopbackListener() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;
    quint16 port() const { return port_; }
    bool knocked() const {
        pollfd waiting{fd_, POLLIN, 0};
        return ::poll(&waiting, 1, 0) > 0;
    }

private:
    int fd_;
    quint16 port_ = 0;
};

int helpWindowCount() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<HelpWindow*>(widget) != nullptr;
    return count;
}

// The anchor names in the first line visible in the browser.
QStringList anchorsAtTop(QTextBrowser* browser) {
    QTextCursor cursor = browser->cursorForPosition(QPoint(4, 4));
    QTextBlock block = cursor.block();
    QStringList names;
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
        names += fragment.fragment().charFormat().anchorNames();
    return names;
}

} // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<HelpWindowService> service_;

    QString helpFile() const { return dir_.filePath(QStringLiteral("plok.hlp")); }

    HelpWindow* window() const { return service_->window(); }
    QTextBrowser* browser() const { return window()->browser(); }

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        QFile::remove(helpFile());
        QVERIFY(writeFile(helpFile(), longHelp()));
        service_ = std::make_unique<HelpWindowService>();
    }
    void cleanup() {
        delete service_->window();
        service_.reset();
    }

    void contentsAtTheTop() {
        service_->showContents(helpFile());
        QVERIFY(window());
        QVERIFY(window()->isVisible());
        QVERIFY(window()->isWindow());
        QVERIFY(!window()->parentWidget());
        QVERIFY(!window()->isModal());
        QCOMPARE(window()->windowTitle(), QStringLiteral("Zorvane ヘルプ"));
        QVERIFY(window()->notice()->isHidden());
        QCOMPARE(browser()->verticalScrollBar()->value(), 0);
        QVERIFY(browser()->toPlainText().startsWith(QStringLiteral("目次")));
    }

    void topicScrolledToTheTop_data() {
        QTest::addColumn<int>("topic");
        QTest::addColumn<bool>("contentsFirst"); // asked for before the contents were drawn
        QTest::newRow("外部") << 6 << false;
        QTest::newRow("ビュアー") << 13 << false;
        QTest::newRow("ファイラー") << 16 << false;
        QTest::newRow("ディレクトリ") << 17 << false;
        QTest::newRow("ディレクトリ, the contents not drawn yet") << 17 << true;
    }
    void topicScrolledToTheTop() {
        QFETCH(int, topic);
        QFETCH(bool, contentsFirst);
        if (contentsFirst)
            service_->showContents(helpFile());
        service_->showTopic(helpFile(), topic);
        QVERIFY(QTest::qWaitForWindowExposed(window()));
        QVERIFY(window()->notice()->isHidden());
        QVERIFY(browser()->verticalScrollBar()->value() > 0);
        QVERIFY2(anchorsAtTop(browser()).contains(QString::number(topic)),
                 qPrintable(anchorsAtTop(browser()).join(u',')));
        // Then the contents again: back at the top.
        service_->showContents(helpFile());
        QCOMPARE(browser()->verticalScrollBar()->value(), 0);
    }

    // The contents asked for while a topic's first screen is all the window holds: the whole
    // page, at its top.
    void contentsRightAfterATopic() {
        service_->showTopic(QStringLiteral(ZORVANE_BUILT_HELP_FILE), 17);
        service_->showContents(QStringLiteral(ZORVANE_BUILT_HELP_FILE));
        QCOMPARE(browser()->verticalScrollBar()->value(), 0);
        QVERIFY(browser()->toPlainText().startsWith(QStringLiteral("Zorvane")));
    }

    // The first opening draws the first screen before the rest of a long page is laid out: what
    // it draws is what the whole page shows there (a table across the screen's bottom edge
    // included), and the rest follows at once. At a topic likewise, the topic at the top.
    void firstScreenDrawnAsTheWholePage_data() {
        QTest::addColumn<QString>("html"); // empty: the plok.hlp of the build
        QTest::addColumn<int>("topic");    // 0: the contents
        QTest::addColumn<bool>("heldBack");
        // Its last row, far below the screen, widens the columns of the rows shown.
        QString table = QStringLiteral("<table border=\"1\">");
        for (int row = 0; row < 150; ++row)
            table += QStringLiteral("<tr><td>行 %1</td><td>%2</td></tr>")
                         .arg(row)
                         .arg(QStringLiteral("幅").repeated(row == 149 ? 30 : 2));
        table += QStringLiteral("</table>");
        QTest::newRow("plok.hlp") << QString() << 0 << true;
        QTest::newRow("a table across the first screen")
            << QString::fromUtf8(longHelp(QStringLiteral("<p>前</p>").repeated(15) + table)) << 0
            << true;
        QTest::newRow("shorter than the window")
            << QStringLiteral("<h1>目次</h1><p>本文</p><ul><li>一</li><li>二</li></ul>") << 0
            << false;
        QTest::newRow("plok.hlp at a topic") << QString() << 17 << true;
        QTest::newRow("a topic below a table") << QString::fromUtf8(longHelp(table)) << 13 << true;
        QTest::newRow("a topic at the page's end")
            << QStringLiteral("<h1>目次</h1>%1<h2 id=\"9\">項目</h2><p>末尾</p>")
                   .arg(QStringLiteral("<p>本文</p>").repeated(200))
            << 9 << false;
    }
    void firstScreenDrawnAsTheWholePage() {
        QFETCH(QString, html);
        QFETCH(int, topic);
        QFETCH(bool, heldBack);
        if (!html.isEmpty())
            QVERIFY(writeFile(helpFile(), html.toUtf8()));
        const QString file = html.isEmpty() ? QStringLiteral(ZORVANE_BUILT_HELP_FILE) : helpFile();
        if (topic == 0)
            service_->showContents(file);
        else
            service_->showTopic(file, topic);
        const QImage first = browser()->viewport()->grab().toImage();
        const int firstRange = browser()->verticalScrollBar()->maximum();
        QCoreApplication::processEvents();
        QCOMPARE(browser()->viewport()->grab().toImage(), first);
        QCOMPARE(browser()->verticalScrollBar()->maximum() > firstRange, heldBack);
        QCOMPARE(browser()->verticalScrollBar()->isVisible(), heldBack || topic != 0);
        QCOMPARE(browser()->verticalScrollBar()->value() == 0, topic == 0);
    }

    // The part of a page read first ends between pieces of the page's top level, once there is
    // text enough: never inside a table or a list, with nothing unshown counted as text.
    void openingCutBetweenPieces_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("textLength");
        QTest::addColumn<QString>("cutBefore"); // empty: no cut
        QTest::newRow("before the next heading")
            << QStringLiteral("<html><body><h1>目次</h1><p>一二 三四五</p><h2>次</h2><p>六</p>")
            << 6 << QStringLiteral("<h2>");
        QTest::newRow("after the table it reached")
            << QStringLiteral("<p>一二三</p><table><tr><td>四五六七</td></tr>"
                              "<tr><td><p>八</p></td></tr></table><p>九</p>")
            << 4 << QStringLiteral("<p>九");
        QTest::newRow("after the list it reached")
            << QStringLiteral("<p>一</p><ul><li><p>二三四</p><ul><li>五</li></ul></li>"
                              "<li><p>六</p></li></UL><H2>七</H2>")
            << 2 << QStringLiteral("<H2>");
        QTest::newRow("the head is not text")
            << QStringLiteral("<head><title>題名題名</title><style>p { x: y }</style></head>"
                              "<p>一</p><p>二</p>")
            << 2 << QString();
        QTest::newRow("a comment is not text")
            << QStringLiteral("<!-- 注釈注釈 <p> --><p>一</p><p>二</p>") << 2 << QString();
        QTest::newRow("nor a quoted attribute")
            << QStringLiteral("<p title=\"x>yyyy\">一</p><p>二</p>") << 2 << QString();
        QTest::newRow("too little text")
            << QStringLiteral("<h1>目次</h1><p>本文</p>") << 100 << QString();
    }
    void openingCutBetweenPieces() {
        QFETCH(QString, html);
        QFETCH(int, textLength);
        QFETCH(QString, cutBefore);
        const QString expected =
            cutBefore.isEmpty() ? QString() : html.left(html.indexOf(cutBefore));
        QCOMPARE(helpPageOpening(html, textLength), expected);
    }

    // The part read first for a topic: the head of the page, then the pieces from the one that
    // holds the topic, cut as the opening is.
    void topicPartFromItsPiece_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("anchor");
        QTest::addColumn<QString>("from"); // empty: no part
        QTest::addColumn<QString>("cutBefore");
        const QString head = QStringLiteral("<html><head><style>p { x: y }</style></head><body>");
        QTest::newRow("from its heading")
            << head +
                   QStringLiteral("<h1>目次</h1><p>一</p><h2 id=\"5\">五</h2><p>六七</p><p>八</p>")
            << QStringLiteral("5") << QStringLiteral("<h2") << QStringLiteral("<p>八");
        QTest::newRow("from the table that holds it")
            << head + QStringLiteral("<h1>目次</h1><table><tr><td>一</td></tr><tr><td><a "
                                     "name='7'>七</a>八九</td></tr></table><p>十</p>")
            << QStringLiteral("7") << QStringLiteral("<table") << QStringLiteral("<p>十");
        QTest::newRow("not a topic of the page")
            << head + QStringLiteral("<h1>目次</h1><p id=\"50\">一二三</p><p>四</p>")
            << QStringLiteral("5") << QString() << QString();
        QTest::newRow("too little text after it")
            << head + QStringLiteral("<h1>目次</h1><h2 id=5>五</h2><p>六</p>")
            << QStringLiteral("5") << QString() << QString();
    }
    void topicPartFromItsPiece() {
        QFETCH(QString, html);
        QFETCH(QString, anchor);
        QFETCH(QString, from);
        QFETCH(QString, cutBefore);
        const qsizetype start = html.indexOf(from);
        const QString expected = from.isEmpty()
                                     ? QString()
                                     : html.left(html.indexOf(QStringLiteral("<h1>"))) +
                                           html.mid(start, html.indexOf(cutBefore) - start);
        QCOMPARE(helpPageAtAnchor(html, anchor, 3), expected);
    }

    void unknownTopicIsSaid() {
        service_->showTopic(helpFile(), 13);
        service_->showTopic(helpFile(), 99);
        QVERIFY(window()->isVisible());
        QVERIFY(!window()->notice()->isHidden());
        QVERIFY(window()->notice()->text().contains(QStringLiteral("99")));
        QVERIFY(window()->notice()->text().contains(QStringLiteral("項目がありません")));
        QCOMPARE(browser()->verticalScrollBar()->value(), 0);
        // A known topic afterwards clears the notice.
        service_->showTopic(helpFile(), 16);
        QVERIFY(window()->notice()->isHidden());
    }

    void unreadableFileIsSaid_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QStringLiteral("missing")
                                 << QStringLiteral("ヘルプファイルが見つかりません。")
                                 << QStringLiteral("同じフォルダー");
        QTest::newRow("folder on the way missing")
            << QStringLiteral("no folder") << QStringLiteral("ヘルプファイルが見つかりません。")
            << QStringLiteral("同じフォルダー");
        QTest::newRow("a folder of that name")
            << QStringLiteral("folder") << QStringLiteral("ヘルプファイルを読み込めません。")
            << QStringLiteral("通常のファイルではありません。");
        QTest::newRow("a FIFO never blocks")
            << QStringLiteral("fifo") << QStringLiteral("ヘルプファイルを読み込めません。")
            << QStringLiteral("通常のファイルではありません。");
        QTest::newRow("far too large")
            << QStringLiteral("large") << QStringLiteral("ヘルプファイルを読み込めません。")
            << QStringLiteral("大きすぎます");
    }
    void unreadableFileIsSaid() {
        QFETCH(QString, kind);
        QFETCH(QString, sentence);
        QFETCH(QString, reason);
        QString path = helpFile();
        QFile::remove(path);
        if (kind == QStringLiteral("no folder")) {
            path = dir_.filePath(QStringLiteral("gone/plok.hlp"));
        } else if (kind == QStringLiteral("folder")) {
            path = dir_.filePath(QStringLiteral("folder.hlp"));
            QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("folder.hlp")));
        } else if (kind == QStringLiteral("fifo")) {
            path = dir_.filePath(QStringLiteral("fifo.hlp"));
            QFile::remove(path);
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QStringLiteral("large")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(5 * 1024 * 1024));
        }
        for (int request = 0; request < 2; ++request) {
            if (request == 0)
                service_->showContents(path);
            else
                service_->showTopic(path, 13);
            QVERIFY(window()->isVisible());
            QCOMPARE(window()->notice()->text(), sentence);
            QVERIFY(!window()->notice()->isHidden());
            const QString text = browser()->toPlainText();
            QVERIFY2(text.contains(path), qPrintable(text));
            QVERIFY2(text.contains(reason), qPrintable(text));
        }
        // Once the file is there, the next request shows it.
        QVERIFY(writeFile(helpFile(), longHelp()));
        service_->showContents(helpFile());
        QVERIFY(window()->notice()->isHidden());
        QVERIFY(browser()->toPlainText().startsWith(QStringLiteral("目次")));
    }

    void oneWindowReusedAndRaised() {
        service_->showContents(helpFile());
        HelpWindow* first = window();
        service_->showTopic(helpFile(), 17);
        service_->showContents(helpFile());
        QCOMPARE(window(), first);
        QCOMPARE(helpWindowCount(), 1);

        // Closed by the user: the next request brings the same window back.
        first->close();
        QVERIFY(!first->isVisible());
        service_->showTopic(helpFile(), 6);
        QCOMPARE(window(), first);
        QVERIFY(first->isVisible());
        QCOMPARE(helpWindowCount(), 1);

        // Minimised: shown again in its normal state.
        first->showMinimized();
        service_->showContents(helpFile());
        QVERIFY(!first->isMinimized());
    }

    void closesFromTheKeyboard_data() {
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("Esc") << QKeySequence(Qt::Key_Escape);
        QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W);
    }
    void closesFromTheKeyboard() {
        QFETCH(QKeySequence, keys);
        service_->showContents(helpFile());
        window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window()));
        QTest::keySequence(browser(), keys);
        QVERIFY(!window()->isVisible());
    }

    void changedFileIsReadAgain() {
        service_->showContents(helpFile());
        QVERIFY(writeFile(helpFile(), longHelp(QStringLiteral("<p>新しい版</p>"))));
        service_->showContents(helpFile());
        QVERIFY(browser()->toPlainText().contains(QStringLiteral("新しい版")));
    }

    void windowGoesWithTheEventLoop() {
        service_->showContents(helpFile());
        QPointer<HelpWindow> shown = window();
        // What the end of the event loop announces.
        QVERIFY(QMetaObject::invokeMethod(qApp, "aboutToQuit", Qt::DirectConnection));
        QVERIFY(shown.isNull());
        QVERIFY(!service_->window());
    }

    // The help file's images and style sheets come from regular files only: a FIFO or a device
    // named there neither freezes nor fills the program, nothing is fetched from the network,
    // and a good picture beside the help file is shown.
    void resourcesOnlyFromRegularFiles_data() {
        QTest::addColumn<QString>("element"); // %1 stands for the resource's name
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("imageSize"); // (1, 1) for the blank that stands for none
        const QString image = QStringLiteral("<img src=\"%1\">");
        const QSize none(1, 1);
        QTest::newRow("picture beside the help file")
            << image << QStringLiteral("good.png") << QSize(3, 2);
        QTest::newRow("picture by its whole path")
            << image << dir_.filePath(QStringLiteral("good.png")) << QSize(3, 2);
        QTest::newRow("FIFO") << image << QStringLiteral("fifo.png") << none;
        QTest::newRow("/dev/zero") << image << QStringLiteral("/dev/zero") << none;
        QTest::newRow("file:///dev/zero") << image << QStringLiteral("file:///dev/zero") << none;
        QTest::newRow("folder") << image << QStringLiteral("folder.png") << none;
        QTest::newRow("larger than the help file may be")
            << image << QStringLiteral("large.png") << none;
        QTest::newRow("on the network")
            << image << QStringLiteral("http://127.0.0.1:%2/x.png") << none;
        QTest::newRow("style sheet from a FIFO")
            << QStringLiteral("<link rel=\"stylesheet\" type=\"text/css\" href=\"%1\"/>")
            << QStringLiteral("fifo.png") << QSize();
    }
    void resourcesOnlyFromRegularFiles() {
        QFETCH(QString, element);
        QFETCH(QString, name);
        QFETCH(QSize, imageSize);
        QImage picture(3, 2, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(dir_.filePath(QStringLiteral("good.png"))));
        const QString fifo = dir_.filePath(QStringLiteral("fifo.png"));
        if (!QFileInfo::exists(fifo))
            QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("folder.png")));
        {
            QFile large(dir_.filePath(QStringLiteral("large.png")));
            QVERIFY(large.open(QIODevice::WriteOnly));
            QVERIFY(large.resize(5 * 1024 * 1024));
        }
        const LoopbackListener network;
        QVERIFY(network.port() != 0);
        QString resource = name;
        resource.replace(QStringLiteral("%2"), QString::number(network.port()));
        QVERIFY(writeFile(helpFile(), longHelp(element.arg(resource.toHtmlEscaped()))));

        service_->showContents(helpFile());
        QVERIFY(QTest::qWaitForWindowExposed(window()));
        browser()->document()->size(); // lays out the whole text: every picture is loaded
        QVERIFY(browser()->toPlainText().contains(QStringLiteral("項目 17")));
        if (imageSize.isValid()) {
            const QVariant loaded =
                browser()->document()->resource(QTextDocument::ImageResource, QUrl(resource));
            QCOMPARE(loaded.value<QImage>().size(), imageSize);
        }
        QTest::qWait(50);
        QVERIFY(!network.knocked());
    }

    // A topic stays at the top while the window is laid out again (placed by the window
    // manager at another size), until the user scrolls.
    void topicStaysAtTheTopWhenLaidOutAgain() {
        const QString wide = QStringLiteral("<p>") +
                             QStringLiteral("長い段落の本文。").repeated(400) +
                             QStringLiteral("</p>");
        QVERIFY(writeFile(helpFile(), longHelp(wide)));
        service_->showTopic(helpFile(), 13);
        QVERIFY(QTest::qWaitForWindowExposed(window()));
        window()->resize(320, 400);
        QTRY_VERIFY2(anchorsAtTop(browser()).contains(QStringLiteral("13")),
                     qPrintable(anchorsAtTop(browser()).join(u',')));
        // Scrolled by the user, it stays where the user put it.
        QTest::keyClick(browser(), Qt::Key_PageDown);
        window()->resize(360, 420);
        QTest::qWait(20);
        QVERIFY(!anchorsAtTop(browser()).contains(QStringLiteral("13")));
    }

    // A screen reader finds the help window as a window of its own, with its title.
    void announcedAsAWindow() {
        service_->showContents(helpFile());
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(window());
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Window);
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Zorvane ヘルプ"));
    }

    void productionServiceIsTheHelpWindow() {
        PlatformServices::setHelp(nullptr);
        installProgramWindows();
        auto* production = dynamic_cast<HelpWindowService*>(&PlatformServices::help());
        QVERIFY(production);
    }

    void headingsReadOnADarkTheme() {
        const ApplicationPaletteScope dark(darkPalette());
        service_->showContents(QStringLiteral(ZORVANE_BUILT_HELP_FILE));
        QVERIFY(QTest::qWaitForWindowExposed(window()));
        const QColor base = browser()->palette().color(QPalette::Base);
        QCOMPARE(base, darkPalette().color(QPalette::Base));
        // The blue headings of the contents, as the window shows them.
        const QImage shown = browser()->viewport()->grab().toImage();
        const auto bluish = [](const QColor& pixel) {
            return pixel.blue() - std::max(pixel.red(), pixel.green()) > 40;
        };
        const DrawnTextContrast drawn = drawnTextContrast(shown, base, bluish);
        QVERIFY(drawn.pixels > 50);
        QVERIFY2(drawn.ratio >= ReadableContrast, qPrintable(QString::number(drawn.ratio)));

        // Every text of the page reads where it stands: the headings and links on the page, the
        // table heads on their light cells.
        const QTextDocument& document = *browser()->document();
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            QColor background = base;
            if (const QTextTable* table = QTextCursor(block).currentTable()) {
                const QTextCharFormat cell = table->cellAt(block.position()).format();
                if (cell.hasProperty(QTextFormat::BackgroundBrush))
                    background = cell.background().color();
            }
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                const QColor on = format.hasProperty(QTextFormat::BackgroundBrush)
                                      ? format.background().color()
                                      : background;
                const QColor text = format.hasProperty(QTextFormat::ForegroundBrush)
                                        ? format.foreground().color()
                                        : QColor(Qt::white);
                QVERIFY2(contrastRatio(text, on) >= ReadableContrast,
                         qPrintable(it.fragment().text() + u' ' + text.name() + u' ' + on.name()));
            }
        }
    }

    // The plok.hlp that the build puts beside the program.
    void builtHelpFileIsWhole() {
        const QString path = QStringLiteral(ZORVANE_BUILT_HELP_FILE);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString html = utf8.decode(bytes);
        QVERIFY(!utf8.hasError());
        QVERIFY(!html.contains(u'@'));
        QVERIFY(html.contains(QStringLiteral(ZORVANE_PROJECT_VERSION)));

        QTextDocument document;
        document.setHtml(html);
        for (int number : {6, 13, 16, 17}) {
            const QString topic = QString::number(number);
            QVERIFY2(documentHasAnchor(document, topic), qPrintable(topic));
        }
        // Every link inside the file leads somewhere in it.
        const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
        int links = 0;
        for (auto match = link.globalMatch(html); match.hasNext(); ++links) {
            const QString target = match.next().captured(1);
            QVERIFY2(documentHasAnchor(document, target), qPrintable(target));
        }
        QVERIFY(links >= 10);

        // It opens in the window at its contents, without a notice.
        service_->showContents(path);
        QVERIFY(window()->notice()->isHidden());
        service_->showTopic(path, 17);
        QVERIFY(window()->notice()->isHidden());
    }
};

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
