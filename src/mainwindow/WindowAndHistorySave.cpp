#include "mainwindow/WindowAndHistorySave.h"

#include "app/ModPlok.h"
#include "app/SaveFailureMessage.h"
#include "settings/HistoryFile.h"
#include "settings/SettingsConversions.h"
#include "settings/SettingsFile.h"

namespace zorvane {

namespace {

QString numberField(int twips) {
    return paddedText(numberTextSingle(static_cast<float>(twips)), 10);
}

} // namespace

bool saveWindowAndHistory(const QRect& outerTwips, const ClosingWindowKeys& keys,
                          QWidget* reportTo) {
    SettingsRecordFields& record = modPlok().SettingsRecord;
    if (keys.place) {
        record.Top = numberField(outerTwips.top());
        record.Left = numberField(outerTwips.left());
    }
    if (keys.size) {
        record.Height = numberField(outerTwips.height());
        record.Width = numberField(outerTwips.width());
    }
    const ModPlok& state = modPlok();
    const bool formKeysWritten = writeFormKeys(state);
    const int historyError = writeHistoryFile(modPlok());
    if (reportTo && !formKeysWritten)
        reportSaveFailure(UnsavedData::WindowPosition, state.SettingsPath,
                          writeFailureNumber(state.SettingsPath), reportTo);
    if (reportTo && historyError)
        reportSaveFailure(UnsavedData::History, state.SettingsFolder + QStringLiteral("plok.his"),
                          historyError, reportTo);
    return formKeysWritten && historyError == 0;
}

} // namespace zorvane
