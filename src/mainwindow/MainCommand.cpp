#include "mainwindow/MainCommand.h"

#include <array>
#include <utility>

namespace zorvane {

namespace {
// X11 key codes (evdev codes + 8) of the main keyboard's digit keys 1, 2 and 3.
constexpr quint32 ScanCodeDigit1 = 10;
constexpr quint32 ScanCodeDigit3 = 12;
} // namespace

MainCommand commandForKey(int key, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode) {
    if (modifiers.testFlag(Qt::KeypadModifier))
        return MainCommand::None; // the keypad's keys have codes of their own
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return MainCommand::None;
    if (modifiers.testFlag(Qt::ShiftModifier) && nativeScanCode >= ScanCodeDigit1 &&
        nativeScanCode <= ScanCodeDigit3) {
        static constexpr MainCommand tools[] = {MainCommand::Tool1, MainCommand::Tool2,
                                                MainCommand::Tool3};
        return tools[nativeScanCode - ScanCodeDigit1];
    }
    switch (key) {
    case Qt::Key_Escape:
        return MainCommand::Exit;
    case Qt::Key_1:
        return MainCommand::Tool1;
    case Qt::Key_2:
        return MainCommand::Tool2;
    case Qt::Key_3:
        return MainCommand::Tool3;
    case Qt::Key_C:
        return MainCommand::Copy;
    case Qt::Key_D:
        return MainCommand::Delete;
    case Qt::Key_E:
        return MainCommand::Open;
    case Qt::Key_M:
        return MainCommand::Move;
    case Qt::Key_Q:
        return MainCommand::Exit;
    case Qt::Key_R:
        return MainCommand::Rename;
    default:
        return MainCommand::None;
    }
}

MainCommand commandForToolbarKey(const QString& buttonKey) {
    static const std::array<std::pair<const char16_t*, MainCommand>, 8> table{{
        {u"tbQ", MainCommand::Exit},
        {u"tbX1", MainCommand::Tool1},
        {u"tbX2", MainCommand::Tool2},
        {u"tbX3", MainCommand::Tool3},
        {u"tbC", MainCommand::Copy},
        {u"tbM", MainCommand::Move},
        {u"tbD", MainCommand::Delete},
        {u"tbR", MainCommand::Rename},
    }};
    for (const auto& [key, command] : table) {
        if (buttonKey == QStringView(key))
            return command;
    }
    return MainCommand::None;
}

const QList<MainMenu>& mainMenus() {
    using C = MainCommand;
    const auto item = [](const char16_t* name, const char16_t* caption, MainCommand command) {
        return MainMenuItem{QString::fromUtf16(name), QString::fromUtf16(caption), command};
    };
    const auto separator = [](const char16_t* name) {
        return MainMenuItem{QString::fromUtf16(name), QString(), MainCommand::None};
    };
    static const QList<MainMenu> menus{
        {QStringLiteral("mbFile"),
         QStringLiteral("ファイル(&F)"),
         {item(u"miOpen", u"開く(&O)", C::Open), separator(u"miSPf1"),
          item(u"miCopy", u"コピー(&C)", C::Copy), item(u"miMove", u"移動(&M)", C::Move),
          item(u"miDel", u"削除(&D)", C::Delete), item(u"miRen", u"リネーム(&R)", C::Rename),
          separator(u"miSPf2"), item(u"miExit", u"終了(&X)", C::Exit)}},
        {QStringLiteral("mbTool"),
         QStringLiteral("ツール(&T)"),
         {item(u"miEx1", u"外部－１", C::Tool1), item(u"miEx2", u"外部－２", C::Tool2),
          item(u"miEx3", u"外部－３", C::Tool3), separator(u"miSPt1"),
          item(u"miOption", u"オプション(&O)", C::Option)}},
        {QStringLiteral("mbHelp"),
         QStringLiteral("ヘルプ(&H)"),
         {item(u"miHelp", u"ヘルプ(&H)", C::Help), item(u"miVer", u"バージョン(&A)", C::Version)}},
    };
    return menus;
}

} // namespace zorvane
