// A second program for the desktop check of drops: a small window that, when the mouse is
// pressed on it and moved, drags the file named (as hexadecimal bytes) by its argument as a
// file manager does, and prints the action the drop target chose.
#include <QApplication>
#include <QDrag>
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
    }

protected:
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
    source.move(0, 0);
    source.show();
    return app.exec();
}
