#pragma once

// Helpers of the dialog tests: controls by name, the tab order as the keyboard walks it, and
// answering a modal dialog from a queued step.
#include "formkit/Twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QKeyEvent>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace zorvane::testing {

// The named control of `window` whose name and place (in twips) are checked by the caller.
inline QWidget* control(QWidget* window, const char* name) {
    return window->findChild<QWidget*>(QString::fromLatin1(name));
}

// The named widget that has the focus (an editable combo box's line edit counts as the box).
inline QString focusName() {
    QWidget* focus = QApplication::focusWidget();
    while (focus && focus->objectName().isEmpty())
        focus = focus->parentWidget();
    return focus ? focus->objectName() : QString();
}

// Shows the dialog non-modally, active, and returns when it has the focus.
inline bool showActive(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    return QTest::qWaitForWindowActive(&dialog);
}

// The names the focus visits from where it is, pressing Tab `count` times.
inline QStringList tabWalk(QWidget* window, int count) {
    QStringList names{focusName()};
    for (int i = 0; i < count; ++i) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window,
                        Qt::Key_Tab);
        names.append(focusName());
    }
    return names;
}

// Runs `step` on the modal dialog named `name` (any, when empty) as soon as it is open (within
// thirty seconds: a loaded machine running sanitized builds side by side may take seconds to
// open one, and a dialog nobody answers would hold the test for good), from the event loop of
// whatever opened it.
inline void whenModalOpens(std::function<void(QDialog*)> step, const QString& name = QString()) {
    auto* timer = new QTimer;
    auto deadline = std::make_shared<QDeadlineTimer>(30000);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, name, step = std::move(step)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && !name.isEmpty() && dialog->objectName() != name)
            dialog = nullptr;
        if (!dialog && !deadline->hasExpired())
            return;
        timer->stop();
        timer->deleteLater();
        if (dialog)
            step(dialog);
    });
    timer->start();
}

// Types `text` into the widget character by character, Japanese included (as an input method
// hands over what was composed).
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &release);
    }
}

// Presses a key in the modal dialog at the widget that has the focus.
inline void pressInFocus(QDialog* dialog, Qt::Key key) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target && target->window() == dialog ? target : dialog, key);
}

} // namespace zorvane::testing
