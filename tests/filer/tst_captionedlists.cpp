// What a screen reader is told about the folder and file lists: their caption label, both
// ways, while everything else stays as Qt's own list reports it.
#include "filer/DirectoryListView.h"
#include "filer/FileListView.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>
#include <functional>
#include <memory>

using namespace zorvane;

namespace {

using ListMaker = std::function<CaptionedListView*(QWidget* parent, const QString& folder)>;

// One subfolder "sub" and the files "a.txt", "b.txt" in a temporary folder.
void fillFolder(const QString& root) {
    QVERIFY(QDir(root).mkdir(QStringLiteral("sub")));
    for (const auto* name : {"a.txt", "b.txt"}) {
        QFile file(root + QChar(u'/') + QLatin1StringView(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

bool relatedTo(QAccessibleInterface* face, QAccessible::Relation kind, const QObject* other) {
    const auto related = face->relations(kind);
    return std::count_if(related.cbegin(), related.cend(), [&](const auto& relation) {
               return relation.second == kind && relation.first->object() == other;
           }) == 1;
}

} // namespace

Q_DECLARE_METATYPE(ListMaker)

class TestCaptionedLists : public QObject {
    Q_OBJECT
private slots:
    void lists_data() {
        QTest::addColumn<ListMaker>("make");
        QTest::addColumn<QString>("lastEntry"); // as shown
        QTest::newRow("folders") << ListMaker([](QWidget* parent, const QString& folder) {
            auto* list = new DirectoryListView(parent);
            list->setPath(folder);
            return list;
        }) << QStringLiteral("sub");
        QTest::newRow("files") << ListMaker([](QWidget* parent, const QString& folder) {
            auto* list = new FileListView(parent);
            list->setPath(folder);
            return list;
        }) << QStringLiteral("b.txt");
    }

    void lists() {
        QFETCH(ListMaker, make);
        QFETCH(QString, lastEntry);
        QTemporaryDir dir;
        fillFolder(dir.path());
        QWidget window;
        auto* caption = new QLabel(QStringLiteral("一覧"), &window);
        CaptionedListView* view = make(&window, dir.path());
        caption->setBuddy(view);
        view->setGeometry(0, 20, 200, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // The caption both ways.
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view);
        QVERIFY(list);
        QVERIFY(relatedTo(list, QAccessible::Label, caption));
        QVERIFY(
            relatedTo(QAccessible::queryAccessibleInterface(caption), QAccessible::Labelled, view));
        QVERIFY(list->relations(QAccessible::Controlled).isEmpty());

        // Otherwise Qt's list: entries read as shown, each entry knows this list as its parent,
        // the table of entries answers.
        QCOMPARE(list->role(), QAccessible::List);
        QVERIFY(list->isValid());
        const int count = view->model()->rowCount();
        QCOMPARE(list->childCount(), count);
        QAccessibleInterface* last = list->child(count - 1);
        QVERIFY(last);
        QCOMPARE(last->role(), QAccessible::ListItem);
        QCOMPARE(last->text(QAccessible::Name), lastEntry);
        QCOMPARE(last->parent(), list);
        QCOMPARE(list->indexOfChild(last), count - 1);
        QVERIFY(list->tableInterface());
        QCOMPARE(list->tableInterface()->rowCount(), count);
        QCOMPARE(last->tableCellInterface()->table(), list);
        QCOMPARE(list->childAt(last->rect().center().x(), last->rect().center().y()), last);

        // The highlighted entry is the focused child, also as the focus event of the list
        // names it (by its child index).
        view->setFocus();
        view->setCurrentIndex(view->model()->index(count - 1, 0));
        QCOMPARE(list->focusChild(), last);
        QVERIFY(last->state().focused);
        QAccessibleEvent focus(view, QAccessible::Focus);
        focus.setChild(count - 1);
        QCOMPARE(focus.accessibleInterface(), last);
        // It stays the list's highlighted entry, but the focus goes where the keys go.
        auto* other = new QLineEdit(&window);
        other->show();
        other->setFocus();
        QVERIFY(!last->state().focused);
        QVERIFY(last->state().selected);

        // The list going takes every interface of it along.
        const QAccessible::Id listId = QAccessible::uniqueId(list);
        const QAccessible::Id entryId = QAccessible::uniqueId(last);
        QPointer<CaptionedListView> watched(view);
        delete view;
        QVERIFY(!watched);
        QVERIFY(!QAccessible::accessibleInterface(listId));
        QVERIFY(!QAccessible::accessibleInterface(entryId));
        QVERIFY(QAccessible::queryAccessibleInterface(caption)->relations().isEmpty());
    }
};

QTEST_MAIN(TestCaptionedLists)
#include "tst_captionedlists.moc"
