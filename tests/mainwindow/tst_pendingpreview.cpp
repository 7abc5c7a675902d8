// The viewer and the current file while heads are read, in the orders a user and a slow file
// system bring the events: picks read at once or in the background, the notice, heads that
// arrive or fail, a program started before the head, the current file cleared.
#include "mainwindow/PendingPreview.h"
#include "preview/ViewerText.h"

#include <QPlainTextEdit>
#include <QtTest>

#include <future>
#include <memory>
#include <utility>
#include <vector>

using namespace zorvane;
using namespace Qt::StringLiterals;

namespace {

// Reads that go on until a step ends them, by name; those still going end with the test, as
// reads nobody waits for any more.
struct SlowReads {
    std::vector<std::pair<QString, std::shared_ptr<std::promise<PreviewResult>>>> going;
    ~SlowReads() {
        for (auto& [name, gate] : going)
            gate->set_value(PreviewResult{});
    }
};

} // namespace

class TestPendingPreview : public QObject {
    Q_OBJECT

private slots:
    // Steps: "pick X" reads X's head at once, "slow X" reads it in the background until "head"
    // (or "fail", error 53) ends the newest such read; "notice" waits for the viewer to say it
    // is reading; "launch" starts a program on the current file; "clear" as after a move.
    void eventOrders_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("viewer");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("launched");
        QTest::addColumn<bool>("pending");
        QTest::addColumn<QList<int>>("errors");
        const QString reading = pendingReadText();
        using E = QList<int>;
        QTest::newRow("a pick read at once is shown")
            << u"pick a"_s << u"a"_s << u"head of a"_s << true << 0 << false << E{};
        QTest::newRow("a while later the viewer says it is reading")
            << u"pick a, slow b, notice"_s << u"b"_s << reading << true << 0 << true << E{};
        QTest::newRow("the head arrives") << u"pick a, slow b, notice, head"_s << u"b"_s
                                          << u"head of b"_s << true << 0 << false << E{};
        QTest::newRow("a pick meanwhile abandons the slow one")
            << u"pick a, slow b, notice, pick c"_s << u"c"_s << u"head of c"_s << true << 0 << false
            << E{};
        QTest::newRow("a second slow pick ends with its own head")
            << u"pick a, slow b, slow c, head"_s << u"c"_s << u"head of c"_s << true << 0 << false
            << E{};
        QTest::newRow("a failed read brings back the file shown before")
            << u"pick a, slow b, notice, fail"_s << u"a"_s << u"head of a"_s << true << 0 << false
            << E{53};
        QTest::newRow("after two slow picks, a failure goes back past both")
            << u"pick a, slow b, slow c, fail"_s << u"a"_s << u"head of a"_s << true << 0 << false
            << E{53};
        QTest::newRow("a program started before the head: the head enables the viewer")
            << u"pick a, slow b, launch, head"_s << u"b"_s << u"head of b"_s << true << 0 << false
            << E{};
        QTest::newRow("a pick after a program started enables the viewer")
            << u"pick a, launch, pick b"_s << u"b"_s << u"head of b"_s << true << 0 << false << E{};
        QTest::newRow("clearing drops the slow read")
            << u"pick a, slow b, clear"_s << QString() << QString() << true << 0 << false << E{};
    }

    void eventOrders() {
        QFETCH(QString, steps);
        SlowReads slowReads;
        QPlainTextEdit viewer;
        QString current;
        QList<int> errors;
        PendingPreview preview(
            viewer, [&] { return current; }, [&](const QString& path) { current = path; });
        // What the window does with a head: a failure is reported, a head shown.
        const auto show = [&](const QString& path, const PreviewResult& head) {
            if (head.errorNumber != 0)
                errors.append(head.errorNumber);
            else
                preview.show(path, head.text);
        };
        const auto pick = [&](const QString& path, PendingPreview::Read read) {
            const auto now = preview.start(path, std::move(read),
                                           [&, path](const PreviewResult& r) { show(path, r); });
            if (now)
                show(path, *now);
        };

        for (const QString& step : steps.split(u", "_s)) {
            const QString name = step.section(QChar(u' '), 1);
            const QString head = u"head of "_s + name;
            if (step.startsWith(u"pick")) {
                pick(name, [head] { return PreviewResult{0, head, {}}; });
            } else if (step.startsWith(u"slow")) {
                auto gate = std::make_shared<std::promise<PreviewResult>>();
                pick(name, [ready = gate->get_future().share()] { return ready.get(); });
                slowReads.going.emplace_back(name, std::move(gate));
            } else if (step == u"head" || step == u"fail") {
                const auto [slowName, gate] = slowReads.going.back();
                slowReads.going.pop_back();
                gate->set_value(step == u"head" ? PreviewResult{0, u"head of "_s + slowName, {}}
                                                : PreviewResult{53, QString(), {}});
                QTRY_VERIFY(!preview.pending());
            } else if (step == u"notice") {
                QTRY_COMPARE(viewer.toPlainText(), pendingReadText());
            } else if (step == u"launch") {
                preview.launched() = 1; // as the editor and the tools do when they start
                viewer.setEnabled(false);
            } else if (step == u"clear") {
                preview.clear();
            }
            QCoreApplication::processEvents(); // the next step is another event
        }

        QTEST(current, "file");
        QTEST(viewer.toPlainText(), "viewer");
        QTEST(viewer.isEnabled(), "enabled");
        QTEST(int(preview.launched()), "launched");
        QTEST(preview.pending(), "pending");
        QTEST(errors, "errors");
    }
};

QTEST_MAIN(TestPendingPreview)
#include "tst_pendingpreview.moc"
