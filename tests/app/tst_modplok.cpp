#include "app/ModPlok.h"

#include <QtTest>

using namespace zorvane;

class TestModPlok : public QObject {
    Q_OBJECT
private slots:
    void startsZeroed() {
        resetModPlok();
        const ModPlok& state = modPlok();
        QVERIFY(state.ProgramFolder.isEmpty());
        QVERIFY(state.EditorName.isEmpty());
        QCOMPARE(state.ShowFiler, False16);
        QCOMPARE(state.FileOpCode, qint16(0));
        QCOMPARE(state.NameBuffer.whole(), QString(50, QChar(u'\0')));
        QCOMPARE(state.NameBuffer.text(), QString());
        QCOMPARE(state.SettingsRecord.Ext5.whole().size(), 50);
        QVERIFY(state.RecentDirs(1).isEmpty());
        QVERIFY(state.UsualDirs(20).isEmpty());
    }

    void fixedTextPadsAndCuts() {
        FixedText<50> field;
        field = QString(60, QChar(u'x'));
        QCOMPARE(field.whole(), QString(50, QChar(u'x')));
        field = QStringLiteral("abc");
        QCOMPARE(field.whole(), QStringLiteral("abc") + QString(47, QChar(u' ')));
        QCOMPARE(field.text(), field.whole()); // blanks are content, only a NUL ends the text
    }

    void resetForgetsEverything() {
        modPlok().RecentDirs(20) = QStringLiteral("/tmp");
        modPlok().NameBuffer = QStringLiteral("Editor");
        resetModPlok();
        QVERIFY(modPlok().RecentDirs(20).isEmpty());
        QCOMPARE(modPlok().NameBuffer.text(), QString());
    }
};

QTEST_GUILESS_MAIN(TestModPlok)
#include "tst_modplok.moc"
