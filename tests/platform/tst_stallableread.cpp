// A read that waits a bounded time and then goes on in the background: what comes back at
// once, what comes later, and what never comes.
#include "platform/StallableRead.h"

#include <QtTest>
#include <future>
#include <memory>

using namespace zorvane;
using namespace std::chrono_literals;

namespace {

// A read that blocks until its gate opens, as a read of a hung mount does.
struct Gate {
    std::promise<void> opener;
    std::shared_future<void> opened = opener.get_future().share();
    bool isOpen = false;
    void open() {
        if (!std::exchange(isOpen, true))
            opener.set_value();
    }
};

std::function<QString()> readAfter(const Gate& gate, const QString& text) {
    return [opened = gate.opened, text] {
        opened.wait();
        return text;
    };
}

} // namespace

class TestStallableRead : public QObject {
    Q_OBJECT
private slots:
    // A read within the bound is answered at once and never delivered again; a slower one is
    // delivered once, later, on the window's thread; a newer start or cancel drops it.
    void resultsComeOnceAndOnlyForTheNewestStart_data() {
        QTest::addColumn<QString>("after"); // what happens while the first read is pending
        QTest::addColumn<QStringList>("delivered");
        QTest::newRow("nothing") << QString() << QStringList{QStringLiteral("slow")};
        QTest::newRow("newer fast start") << QStringLiteral("fast") << QStringList();
        QTest::newRow("newer slow start")
            << QStringLiteral("slow2") << QStringList{QStringLiteral("slow2")};
        QTest::newRow("cancel") << QStringLiteral("cancel") << QStringList();
    }
    void resultsComeOnceAndOnlyForTheNewestStart() {
        QFETCH(QString, after);
        QFETCH(QStringList, delivered);
        StallableRead<QString> reader;
        QStringList got;
        const auto deliver = [&got](QString text) {
            QVERIFY(QThread::currentThread() == QCoreApplication::instance()->thread());
            got.append(text);
        };
        Gate first;
        Gate second;
        QVERIFY(!reader.start(readAfter(first, QStringLiteral("slow")), deliver, 20ms));
        QVERIFY(reader.pending());
        QTest::qWait(1); // the next event: a read timed out in this one makes others not wait
        if (after == QStringLiteral("fast")) {
            second.open();
            const std::optional<QString> now =
                reader.start(readAfter(second, QStringLiteral("fast")), deliver, 10s);
            QCOMPARE(now.value_or(QString()), QStringLiteral("fast"));
            QVERIFY(!reader.pending());
        } else if (after == QStringLiteral("slow2")) {
            QVERIFY(!reader.start(readAfter(second, QStringLiteral("slow2")), deliver, 20ms));
            second.open();
        } else if (after == QStringLiteral("cancel")) {
            reader.cancel();
            QVERIFY(!reader.pending());
        }
        first.open();
        if (!delivered.isEmpty())
            QTRY_COMPARE(got, delivered);
        // The abandoned result has had time to come back and be dropped.
        QTest::qWait(100);
        QCOMPARE(got, delivered);
        QVERIFY(!reader.pending());
        second.open();
    }

    // The reader may go while a read is still blocked: the read's end then touches nothing of
    // it (the sanitizers catch a use after free).
    void readerMayGoBeforeItsRead() {
        Gate gate;
        int delivered = 0;
        {
            StallableRead<QString> reader;
            QVERIFY(!reader.start(
                readAfter(gate, QStringLiteral("late")),
                [&delivered](const QString&) { ++delivered; }, 10ms));
        }
        gate.open();
        QTest::qWait(100);
        QCOMPARE(delivered, 0);
    }
};

QTEST_GUILESS_MAIN(TestStallableRead)
#include "tst_stallableread.moc"
