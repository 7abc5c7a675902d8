#include "app/DesktopLocale.h"
#include "app/JapaneseFontChoice.h"

#include "PlatformFakes.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QtTest>

#include <algorithm>

using namespace zorvane;
using zorvane::testing::PlatformFakes;

Q_DECLARE_METATYPE(zorvane::WindowsJapaneseFont)

namespace {

using Families = QList<FontFamilyFacts>;

const FontFamilyFacts dejaVuMono{QStringLiteral("DejaVu Sans Mono"), false, true};
const FontFamilyFacts dejaVuSans{QStringLiteral("DejaVu Sans"), false, false};
const FontFamilyFacts ipaGothic{QStringLiteral("IPAGothic"), true, true};
const FontFamilyFacts ipaPGothic{QStringLiteral("IPAPGothic"), true, false};
const FontFamilyFacts ipaMincho{QStringLiteral("IPAMincho"), true, true};
const FontFamilyFacts notoSans{QStringLiteral("Noto Sans CJK JP"), true, false};
const FontFamilyFacts notoMono{QStringLiteral("Noto Sans Mono CJK JP"), true, true};
const FontFamilyFacts notoSerif{QStringLiteral("Noto Serif CJK JP"), true, false};
const FontFamilyFacts vlGothic{QStringLiteral("VL Gothic"), true, true};
const FontFamilyFacts takaoGothic{QStringLiteral("TakaoGothic"), true, true};
const FontFamilyFacts otherMono{QStringLiteral("Ricty Diminished"), true, true};
const FontFamilyFacts otherMincho{QStringLiteral("Sawarabi Mincho"), true, false};

bool hasFamily(const QString& family) {
    return QFontDatabase::families().contains(family);
}

} // namespace

class TestJapaneseFonts : public QObject {
    Q_OBJECT
private slots:
    void substitute_data() {
        QTest::addColumn<WindowsJapaneseFont>("name");
        QTest::addColumn<Families>("installed");
        QTest::addColumn<QString>("expected");
        const auto gothic = WindowsJapaneseFont::Gothic;
        const auto pGothic = WindowsJapaneseFont::ProportionalGothic;
        const auto mincho = WindowsJapaneseFont::Mincho;
        const auto pMincho = WindowsJapaneseFont::ProportionalMincho;

        // The monospaced gothic, in order of preference; never a proportional one.
        QTest::newRow("IPA before Noto")
            << gothic << Families{dejaVuMono, notoSans, notoMono, ipaPGothic, ipaGothic}
            << QStringLiteral("IPAGothic");
        QTest::newRow("Noto mono, not Noto sans")
            << gothic << Families{dejaVuMono, notoSans, notoSerif, notoMono}
            << QStringLiteral("Noto Sans Mono CJK JP");
        QTest::newRow("VL before Takao")
            << gothic << Families{takaoGothic, vlGothic} << QStringLiteral("VL Gothic");
        QTest::newRow("Takao") << gothic << Families{takaoGothic, dejaVuMono}
                               << QStringLiteral("TakaoGothic");
        QTest::newRow("another monospaced Japanese family")
            << gothic << Families{notoSans, otherMincho, otherMono}
            << QStringLiteral("Ricty Diminished");
        QTest::newRow("only a proportional one left")
            << gothic << Families{dejaVuMono, notoSans} << QStringLiteral("Noto Sans CJK JP");
        QTest::newRow("localised name")
            << gothic << Families{{QStringLiteral("IPAゴシック"), true, true}}
            << QStringLiteral("IPAゴシック");
        QTest::newRow("not Japanese is never chosen")
            << gothic << Families{{QStringLiteral("IPAGothic"), false, true}, notoMono}
            << QStringLiteral("Noto Sans Mono CJK JP");
        QTest::newRow("no Japanese: monospace")
            << gothic << Families{dejaVuSans, dejaVuMono} << QStringLiteral("monospace");
        QTest::newRow("nothing at all") << gothic << Families{} << QStringLiteral("monospace");

        QTest::newRow("P gothic: IPA")
            << pGothic << Families{ipaGothic, notoSans, ipaPGothic} << QStringLiteral("IPAPGothic");
        QTest::newRow("P gothic: Noto sans, not mono")
            << pGothic << Families{notoMono, notoSerif, notoSans}
            << QStringLiteral("Noto Sans CJK JP");
        QTest::newRow("P gothic: no Japanese")
            << pGothic << Families{dejaVuMono} << QStringLiteral("sans-serif");

        QTest::newRow("mincho: IPA")
            << mincho << Families{notoSerif, ipaMincho} << QStringLiteral("IPAMincho");
        QTest::newRow("mincho: Noto serif")
            << mincho << Families{notoSans, notoSerif} << QStringLiteral("Noto Serif CJK JP");
        QTest::newRow("mincho: another serif")
            << mincho << Families{notoMono, otherMincho} << QStringLiteral("Sawarabi Mincho");
        QTest::newRow("mincho: a gothic before boxes")
            << mincho << Families{dejaVuSans, notoMono} << QStringLiteral("Noto Sans Mono CJK JP");
        QTest::newRow("mincho: no Japanese")
            << mincho << Families{dejaVuSans} << QStringLiteral("serif");
        QTest::newRow("P mincho: Noto serif")
            << pMincho << Families{notoSerif} << QStringLiteral("Noto Serif CJK JP");
    }
    void substitute() {
        QFETCH(WindowsJapaneseFont, name);
        QFETCH(Families, installed);
        QFETCH(QString, expected);
        QCOMPARE(japaneseFontSubstitute(name, installed), expected);
    }

    void anyJapanese() {
        QVERIFY(!anyJapaneseFont({}));
        QVERIFY(!anyJapaneseFont({dejaVuMono, dejaVuSans}));
        QVERIFY(anyJapaneseFont({dejaVuMono, notoSerif}));
    }

    // The message names both packages, in Latin letters first, and is shown once, over the window.
    void missingFontMessage() {
        PlatformFakes fakes;
        QWidget owner;
        reportMissingJapaneseFont(&owner);
        QCOMPARE(fakes.messageBox.shown.size(), 1);
        const MessageRequest& shown = fakes.messageBox.shown.first();
        QVERIFY(shown.text.contains(QStringLiteral("fonts-ipafont-gothic")));
        QVERIFY(shown.text.contains(QStringLiteral("fonts-noto-cjk")));
        const QString first = shown.text.section(QChar(u'\n'), 0, 0);
        QVERIFY(first.contains(QStringLiteral("sudo apt install fonts-ipafont-gothic")));
        QVERIFY(std::all_of(first.cbegin(), first.cend(), [](QChar c) { return c < u'\u0250'; }));
        QVERIFY(shown.title.contains(QStringLiteral("Font")));
        QCOMPARE(shown.buttons, MessageButtons::Ok);
        QCOMPARE(fakes.messageBox.owners.first(), &owner);
    }

    // The installed families as the program sees them: fontconfig's own spacing calls
    // neither of the two monospaced Japanese families fixed-pitch.
    void installedFamilies() {
        const QList<FontFamilyFacts> installed = installedFontFamilies();
        const auto facts = [&](const QString& family) -> std::optional<FontFamilyFacts> {
            for (const FontFamilyFacts& f : installed)
                if (f.family == family)
                    return f;
            return std::nullopt;
        };
        bool checked = false;
        for (const auto& [family, fixed] : {std::pair{QStringLiteral("IPAGothic"), true},
                                            {QStringLiteral("IPAPGothic"), false},
                                            {QStringLiteral("Noto Sans Mono CJK JP"), true},
                                            {QStringLiteral("Noto Sans CJK JP"), false}}) {
            const auto found = facts(family);
            if (!found)
                continue;
            checked = true;
            QVERIFY2(found->japanese, qPrintable(family));
            QCOMPARE(found->fixedPitch, fixed);
        }
        if (!checked)
            QSKIP("neither fonts-ipafont-gothic nor fonts-noto-cjk is installed");
        if (const auto mono = facts(QStringLiteral("DejaVu Sans Mono")))
            QVERIFY(!mono->japanese);
        // Without the IPA fonts, as on most desktops, the gothic is Noto's monospaced face.
        if (facts(QStringLiteral("Noto Sans Mono CJK JP"))) {
            QList<FontFamilyFacts> withoutIpa;
            for (const FontFamilyFacts& f : installed)
                if (!f.family.startsWith(QStringLiteral("IPA")))
                    withoutIpa.append(f);
            QCOMPARE(japaneseFontSubstitute(WindowsJapaneseFont::Gothic, withoutIpa),
                     QStringLiteral("Noto Sans Mono CJK JP"));
        }
    }

    // Without any Japanese font, Latin text in "ＭＳ ゴシック" keeps a fixed pitch (not a
    // serif face), and the start reports the missing font.
    void withoutJapaneseFontsLatinStaysMonospaced() {
        if (anyJapaneseFont(installedFontFamilies()))
            QSKIP("Japanese fonts are installed; tst_japanesefonts_latin_only runs this");
        if (!hasFamily(QStringLiteral("DejaVu Sans Mono")))
            QSKIP("fonts-dejavu-core is not installed");
        QVERIFY(!installFontSubstitutions());
        const QFont gothic(QStringLiteral("ＭＳ ゴシック"), 9);
        QCOMPARE(QFontInfo(gothic).family(), QStringLiteral("DejaVu Sans Mono"));
        const QFontMetricsF metrics{gothic};
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("iiii")),
                 metrics.horizontalAdvance(QStringLiteral("WWWW")));
        QCOMPARE(QFontInfo(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9)).family(),
                 QStringLiteral("DejaVu Sans"));
    }

    // At start "ＭＳ ゴシック" becomes an installed monospaced Japanese family.
    void gothicIsMonospacedAtStart() {
        if (!hasFamily(QStringLiteral("IPAGothic")) &&
            !hasFamily(QStringLiteral("Noto Sans Mono CJK JP")))
            QSKIP("install fonts-ipafont-gothic or fonts-noto-cjk for this test");
        QVERIFY(installFontSubstitutions());
        const QFontInfo gothic(QFont(QStringLiteral("ＭＳ ゴシック"), 9));
        QVERIFY2(gothic.family() == QStringLiteral("IPAGothic") ||
                     gothic.family() == QStringLiteral("Noto Sans Mono CJK JP"),
                 qPrintable(gothic.family()));
        const QFontMetricsF metrics{QFont(QStringLiteral("ＭＳ ゴシック"), 9)};
        QCOMPARE(metrics.horizontalAdvance(QStringLiteral("iiii")),
                 metrics.horizontalAdvance(QStringLiteral("WWWW")));
        const QFontInfo proportional(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
        QVERIFY(QFontDatabase::families(QFontDatabase::Japanese).contains(proportional.family()));
    }
};

QTEST_MAIN(TestJapaneseFonts)
#include "tst_japanesefonts.moc"
