#pragma once

#include <QString>
#include <QTextBrowser>

namespace zorvane {

// The text browser of the help window. The resources a help file names (images, style sheets,
// pages it links to) come only from regular local files within the help file's size cap,
// relative names from the help file's folder: a FIFO, a device, a folder, an oversized file or
// a name on the network is left out of the page, never opened or fetched.
class HelpBrowser final : public QTextBrowser {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpBrowser)
public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    // The folder that relative names are taken from: the help file's.
    void setHelpFolder(const QString& folder) { folder_ = folder; }

    QVariant loadResource(int type, const QUrl& name) override;

private:
    QString folder_;
};

} // namespace zorvane
