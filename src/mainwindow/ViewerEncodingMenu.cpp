#include "mainwindow/ViewerEncodingMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QPlainTextEdit>

namespace zorvane {

ViewerEncodingMenu::ViewerEncodingMenu(QPlainTextEdit& viewer)
    : QObject(&viewer), viewer_(viewer), choices_(new QActionGroup(this)) {
    choices_->setExclusive(true);
    for (const PreviewEncoding choice : previewEncodingChoices()) {
        QAction* action = choices_->addAction(previewEncodingCaption(choice));
        action->setCheckable(true);
        action->setChecked(choice == choice_);
        connect(action, &QAction::triggered, this, [this, choice] {
            if (choice == choice_)
                return;
            choice_ = choice;
            emit choiceChanged(choice);
        });
    }
    viewer_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&viewer_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = createMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        // A scroll area reports the place in its viewport.
        menu->popup(viewer_.viewport()->mapToGlobal(at));
    });
}

QMenu* ViewerEncodingMenu::createMenu() {
    QMenu* menu = viewer_.createStandardContextMenu();
    menu->addSeparator();
    menu->addActions(choices_->actions());
    return menu;
}

void ViewerEncodingMenu::showDescription(const QString& description) {
    viewer_.setAccessibleDescription(description);
}

} // namespace zorvane
