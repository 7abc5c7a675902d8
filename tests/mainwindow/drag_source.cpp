// A second program for the desktop check of drops: a small window that, when the mouse is
// pressed on it and moved, drags the file named (as hexadecimal bytes) by its argument as a
// file manager does, and prints the action the drop target chose. Files dropped on it are
// printed as the bytes of their paths, with the actions the source offered.
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QWidget>

#include <cstdio>

namespace {

class DragSource final : public QWidget {
public:
    explicit DragSource(QByteArray file) : file_(std::move(file)) {
        setWindowTitle(QStringLiteral("drag source"));
        resize(200, 200);
        setAcceptDrops(true);
    }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (!event->mimeData()->hasFormat(QStringLiteral("text/uri-list")))
            return;
        std::printf("a drag came in\n");
        std::fflush(stdout);
        event->acceptProposedAction();
    }

    // Each position after the first comes only once the dragging program has had the answer
    // to the one before, so the check lets go after a few of them.
    void dragMoveEvent(QDragMoveEvent* event) override {
        std::printf("a drag moved\n");
        std::fflush(stdout);
        event->acceptProposedAction();
    }

    void dropEvent(QDropEvent* event) override {
        // One line per file: "received <hex of the path's bytes> <actions offered>".
        const QByteArray list = event->mimeData()->data(QStringLiteral("text/uri-list"));
        std::printf("dropped %s\n", list.toHex().constData());
        const QList<QByteArray> lines = list.split('\n');
        for (QByteArray line : lines) {
            line = line.trimmed();
            if (!line.startsWith("file://"))
                continue;
            const QByteArray path = QByteArray::fromPercentEncoding(line.mid(7));
            const Qt::DropActions offered = event->possibleActions();
            std::printf("received %s %s\n", path.toHex().constData(),
                        offered == Qt::CopyAction ? "copy-only" : "more-than-copy");
        }
        std::fflush(stdout);
        event->acceptProposedAction();
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        if (!(event->buttons() & Qt::LeftButton) || dragged_)
            return;
        dragged_ = true;
        auto* mime = new QMimeData;
        mime->setData(QStringLiteral("text/uri-list"),
                      "file://" + file_.toPercentEncoding("/") + "\r\n");
        auto* drag = new QDrag(this);
        drag->setMimeData(mime);
        // The target's answer to the pointer's place: the check lets go only after it.
        QObject::connect(drag, &QDrag::actionChanged, [](Qt::DropAction action) {
            std::printf("over a target taking %s\n", action == Qt::CopyAction     ? "a copy"
                                                     : action == Qt::IgnoreAction ? "nothing"
                                                                                  : "a move");
            std::fflush(stdout);
        });
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
        std::printf("%s\n", action == Qt::CopyAction   ? "copy"
                            : action == Qt::MoveAction ? "move"
                                                       : "ignored");
        std::fflush(stdout);
        dragged_ = false;
    }

private:
    QByteArray file_;
    bool dragged_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    DragSource source(QByteArray::fromHex(argv[1]));
    source.move(1000, 700); // clear of the main window, which opens at the top left
    source.show();
    return app.exec();
}
