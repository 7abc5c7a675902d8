#pragma once

#include "textfile/JapaneseTextGuess.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace zorvane {

// How the viewer reads the bytes it shows: told from the bytes (the default), in an encoding
// the user chose, or as a hex view. The choice covers the text inside compressed files and the
// names in archives too.
enum class PreviewEncoding { Automatic, ShiftJis, EucJp, Iso2022Jp, Utf8, Utf16LE, Utf16BE, Hex };

// Every choice, in the order the viewer's menu offers them.
QList<PreviewEncoding> previewEncodingChoices();

// The caption of the choice in the viewer's menu: 自動, Shift_JIS, ..., 16進表示.
QString previewEncodingCaption(PreviewEncoding choice);

// The encoding the choice imposes; nothing for Automatic and Hex.
std::optional<ContentEncoding> chosenContentEncoding(PreviewEncoding choice);

// The encoding's usual name (Shift_JIS, EUC-JP, ISO-2022-JP, UTF-8, UTF-16LE, UTF-16BE).
QString contentEncodingName(ContentEncoding encoding);

// What the viewer says of the encoding it read text in: the name and whether it was told from
// the bytes or chosen.
QString encodingUsedText(ContentEncoding encoding, PreviewEncoding choice);

// Decodes all of `bytes` in one piece. Bytes that form no character become U+FFFD.
QString decodeContent(QByteArrayView bytes, ContentEncoding encoding);

} // namespace zorvane
