#include "settings/SettingsKeyTable.h"

namespace zorvane {

const std::array<SettingsKey, SettingsKeyCount>& settingsKeyTable() {
    static const std::array<SettingsKey, SettingsKeyCount> table = [] {
        const QString opProgram = QStringLiteral("OpProgram");
        const QString font = QStringLiteral("Font");
        const QString form = QStringLiteral("Form");
        const QString option = QStringLiteral("Option");
        const QString extention = QStringLiteral("Extention");
        const QString none;
        return std::array<SettingsKey, SettingsKeyCount>{{
            {opProgram, QStringLiteral("Name"), QStringLiteral("Editor"), 50},
            {opProgram, QStringLiteral("Program"), QStringLiteral("Editor"), 250},
            {opProgram, QStringLiteral("Name1"), none, 50},
            {opProgram, QStringLiteral("Program1"), none, 250},
            {opProgram, QStringLiteral("Name2"), none, 50},
            {opProgram, QStringLiteral("Program2"), none, 250},
            {opProgram, QStringLiteral("Name3"), none, 50},
            {opProgram, QStringLiteral("Program3"), none, 250},
            {font, QStringLiteral("Name"), QStringLiteral("ＭＳ ゴシック"), 50},
            {font, QStringLiteral("Size"), QStringLiteral("9"), 10},
            {font, QStringLiteral("Uline"), QStringLiteral("false"), 10},
            {font, QStringLiteral("Strike"), QStringLiteral("false"), 10},
            {font, QStringLiteral("Italic"), QStringLiteral("false"), 10},
            {font, QStringLiteral("Bold"), QStringLiteral("false"), 10},
            {font, QStringLiteral("Color"), QStringLiteral("1"), 50},
            {font, QStringLiteral("BColor"), QStringLiteral("0"), 50},
            {form, QStringLiteral("Top"), QStringLiteral("0"), 10},
            {form, QStringLiteral("Left"), QStringLiteral("0"), 10},
            {form, QStringLiteral("Height"), QStringLiteral("7200"), 10},
            {form, QStringLiteral("Width"), QStringLiteral("9000"), 10},
            {option, QStringLiteral("Fselect"), QStringLiteral("true"), 10},
            {extention, QStringLiteral("Ext1"), none, 50},
            {extention, QStringLiteral("Ext2"), none, 50},
            {extention, QStringLiteral("Ext3"), none, 50},
            {extention, QStringLiteral("Ext4"), none, 50},
            {extention, QStringLiteral("Ext5"), none, 50},
        }};
    }();
    return table;
}

} // namespace zorvane
