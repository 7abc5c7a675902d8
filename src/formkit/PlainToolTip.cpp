#include "formkit/PlainToolTip.h"

#include <QTextDocument>

namespace zorvane {

QString plainToolTip(const QString& text) {
    if (!Qt::mightBeRichText(text))
        return text;
    return Qt::convertFromPlainText(text, Qt::WhiteSpacePre);
}

} // namespace zorvane
