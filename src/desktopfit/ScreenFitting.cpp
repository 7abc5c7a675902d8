#include "desktopfit/ScreenFitting.h"

#include "desktopfit/ButtonStrip.h"
#include "desktopfit/CaptionWidth.h"
#include "desktopfit/WindowFit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QWidget>

#include <optional>

namespace zorvane {

namespace {

std::optional<QMargins> frameOf(const QWidget* window) {
    if (!window || !window->isVisible())
        return std::nullopt;
    const QRect outer = window->frameGeometry();
    const QRect inside = window->geometry();
    const QMargins frame(inside.left() - outer.left(), inside.top() - outer.top(),
                         outer.right() - inside.right(), outer.bottom() - inside.bottom());
    return frame.isNull() ? std::nullopt : std::optional<QMargins>(frame);
}

// The window manager frames a window only once it is shown; a window framed by it already (the
// owner first) stands in for it.
QMargins expectedFrame(const QWidget& window) {
    if (const auto own = frameOf(&window))
        return *own;
    if (window.parentWidget())
        if (const auto owner = frameOf(window.parentWidget()->window()))
            return *owner;
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (other != &window)
            if (const auto frame = frameOf(other))
                return *frame;
    return {};
}

QScreen* screenOf(const QWidget& window) {
    if (window.parentWidget())
        if (QScreen* owner = window.parentWidget()->window()->screen())
            return owner;
    if (QScreen* own = window.screen())
        return own;
    return QGuiApplication::primaryScreen();
}

// What a fitted window keeps of its design, for when it is shown again.
const char* const DesignedSize = "zorvaneDesignedSize";
const char* const StripEdge = "zorvaneStripEdge";
const char* const StripStart = "zorvaneStripStart";
const char* const DesignedPlace = "zorvaneDesignedPlace"; // of a button kept in sight

// The scroll area and the buttons kept in sight take their places in a client area of `inside`.
void placeScrollAndStrip(QWidget& window, QScrollArea& scroll, const QSize& inside) {
    ButtonStrip strip;
    strip.edge = static_cast<ButtonStrip::Edge>(scroll.property(StripEdge).toInt());
    strip.start = scroll.property(StripStart).toInt();
    QList<QPushButton*> pinned;
    QList<QRect> designed;
    for (QPushButton* button : window.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
        const QVariant place = button->property(DesignedPlace);
        if (!place.isValid())
            continue;
        strip.buttons.append(pinned.size());
        pinned.append(button);
        designed.append(place.toRect());
    }
    const StripPlaces places =
        stripPlaces(strip, designed, scroll.property(DesignedSize).toSize(), inside);
    scroll.setGeometry(places.scrollArea);
    for (qsizetype i = 0; i < pinned.size(); ++i) {
        pinned.at(i)->setGeometry(places.buttons.at(i));
        pinned.at(i)->raise();
    }
}

// The designed controls move, unchanged, into a scroll area that fills the window; the buttons
// that stand apart along the edge it overflows (OK, Cancel, Help) stay in sight beside it.
void scrollControls(QWidget& window, const QSize& inside) {
    static const QString ScrollName = QStringLiteral("screenFitScroll");
    auto* scroll = window.findChild<QScrollArea*>(ScrollName, Qt::FindDirectChildrenOnly);
    if (!scroll) {
        // A control moved to another parent loses the focus: the one the window starts on
        // gets it back once all are moved. Moved within the window, they keep their tab order.
        QWidget* const firstFocus = window.focusWidget();
        QList<QWidget*> controls;
        QList<QRect> places;
        QList<bool> isButton;
        for (QObject* child : window.children()) {
            auto* control = qobject_cast<QWidget*>(child);
            if (!control || control->isWindow())
                continue;
            controls.append(control);
            places.append(control->geometry());
            isButton.append(qobject_cast<QPushButton*>(control) && control->isVisibleTo(&window));
        }
        const ButtonStrip strip = buttonStrip(places, isButton, window.size(), inside);
        auto* content = new QWidget(&window);
        content->setObjectName(QStringLiteral("screenFitContent"));
        content->setFixedSize(stripPlaces(strip, places, window.size(), inside).content);
        for (qsizetype i = 0; i < controls.size(); ++i) {
            QWidget* control = controls.at(i);
            if (strip.buttons.contains(i)) {
                control->setProperty(DesignedPlace, places.at(i));
                continue;
            }
            const bool shown = control->isVisibleTo(&window);
            control->setParent(content);
            control->move(places.at(i).topLeft());
            control->setVisible(shown);
        }
        scroll = new QScrollArea(&window);
        scroll->setObjectName(ScrollName);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setProperty(DesignedSize, window.size());
        scroll->setProperty(StripEdge, static_cast<int>(strip.edge));
        scroll->setProperty(StripStart, strip.start);
        // Tab goes from control to control; the area only follows (below).
        scroll->setFocusPolicy(Qt::NoFocus);
        scroll->setWidget(content);
        content->show();
        scroll->show();
        if (firstFocus && firstFocus != &window)
            firstFocus->setFocus(Qt::OtherFocusReason);
        // A control reached with Tab scrolls into sight.
        QObject::connect(qApp, &QApplication::focusChanged, scroll,
                         [scroll](QWidget*, QWidget* now) {
                             if (now && scroll->widget()->isAncestorOf(now))
                                 scroll->ensureWidgetVisible(now);
                         });
    }
    window.setFixedSize(inside);
    placeScrollAndStrip(window, *scroll, inside);
}

} // namespace

void fitWindowIntoScreen(QWidget& window) {
    const QScreen* screen = screenOf(window);
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QMargins frame = expectedFrame(window);
    // pos() is the frame's corner, as move() takes it.
    const QRect outer(window.pos(), window.size().grownBy(frame));
    const bool fixed = window.minimumSize() == window.maximumSize();
    const QSize minimum =
        fixed ? window.size() : window.minimumSize().expandedTo(window.minimumSizeHint());
    QRect fitted = fitWindow(outer, available, minimum.grownBy(frame));
    if (fixed && !window.layout() && fitted.size() != fitted.size().boundedTo(available.size())) {
        // The window keeps its controls' designed places and sizes and shows them in part.
        scrollControls(window, available.size().shrunkBy(frame));
        fitted = fitWindow(QRect(window.pos(), window.size().grownBy(frame)), available,
                           available.size());
    } else if (fitted.size() != outer.size()) {
        window.resize(fitted.size().shrunkBy(frame));
    }
    if (window.testAttribute(Qt::WA_Moved)) {
        window.move(fitted.topLeft());
    } else if (!qobject_cast<QDialog*>(&window)) {
        // A secondary window opens in the middle of the screen; dialogs are placed by Qt (over
        // their owner) or by the window manager, inside the screen either way now that they fit.
        QRect centred(QPoint(), fitted.size());
        centred.moveCenter(available.center());
        window.move(fitWindow(centred, available, fitted.size()).topLeft());
    }
}

void ScreenFitting::install() {
    static ScreenFitting* filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new ScreenFitting(qApp);
    qApp->installEventFilter(filter);
}

bool ScreenFitting::eventFilter(QObject* watched, QEvent* event) {
    // A window shown again by the window system (restored from an icon) stays where it was.
    if (event->type() == QEvent::Show && !event->spontaneous() && watched->isWidgetType()) {
        auto* window = static_cast<QWidget*>(watched);
        const Qt::WindowType type = window->windowType();
        if (window->isWindow() && (type == Qt::Window || type == Qt::Dialog) &&
            !qobject_cast<QMainWindow*>(window)) {
            // Captions are set until the window is shown (Copy or Move at load).
            if (!window->layout())
                widenCaptionsForFont(*window);
            fitWindowIntoScreen(*window);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zorvane
