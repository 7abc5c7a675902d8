#include "help/HelpBrowser.h"

#include "help/HelpPage.h"

#include <QImage>
#include <QTextDocument>

namespace zorvane {

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    const std::optional<QByteArray> bytes = readHelpResource(folder_, name);
    // Every answer is a value, never an empty variant: given none, Qt opens the name itself,
    // without our guard.
    switch (type) {
    case QTextDocument::ImageResource: {
        QImage image;
        if (bytes)
            image.loadFromData(*bytes);
        if (image.isNull()) {
            // Qt would try the name itself for an image it cannot decode: a blank pixel is
            // what is left out.
            image = QImage(1, 1, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
        }
        return image;
    }
    case QTextDocument::StyleSheetResource:
        return bytes ? QString::fromUtf8(*bytes) : QString(QLatin1String(""));
    default:
        return bytes ? *bytes : QByteArray("");
    }
}

} // namespace zorvane
