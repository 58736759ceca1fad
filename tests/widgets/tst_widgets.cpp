// Shared widget behaviour: the formatted number box, select-all on focus, hidden IDs
// carried by combo entries, the handler wrapper that reports failures, and how often a
// list's pick handler runs for the clerk's and the window's picks.

#include "core/AppError.h"
#include "core/Handler.h"
#include "widgets/Connectors.h"
#include "widgets/NumberBox.h"
#include "widgets/WidgetHelpers.h"
#include "tests/support/Fakes.h"
#include "tests/support/UiTest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

class tst_Widgets : public QObject {
    Q_OBJECT
private slots:
    void numberBoxShowsPictureOutsideEditing_data();
    void numberBoxShowsPictureOutsideEditing();
    void numberBoxEditsPlainText();
    void selectAllOnFocus();
    void hiddenIdsOfEntries();
    void handlerReportsFailureAndReturns();
    void pickRunsOncePerPick_data();
    void pickRunsOncePerPick();
};

void tst_Widgets::numberBoxShowsPictureOutsideEditing_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("shown");
    QTest::newRow("money") << "$#,##0.00;($#,##0.00)" << "1234.5" << "$1,234.50";
    QTest::newRow("money negative") << "$#,##0.00;($#,##0.00)" << "-3" << "($3.00)";
    QTest::newRow("dimension") << "#,##0.00" << "12" << "12.00";
    QTest::newRow("whole") << "0" << "7" << "7";
    QTest::newRow("empty stays empty") << "#,##0.00" << "" << "";
    QTest::newRow("text that is no number is shown as typed") << "0.00" << "abc" << "abc";
}

void tst_Widgets::numberBoxShowsPictureOutsideEditing() {
    QFETCH(QString, picture);
    QFETCH(QString, plain);
    QFETCH(QString, shown);
    NumberBox box(picture);
    box.setText(plain);
    QCOMPARE(box.text(), plain);
    QCOMPARE(box.QLineEdit::text(), shown);
}

void tst_Widgets::numberBoxEditsPlainText() {
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *box = new NumberBox("$#,##0.00;($#,##0.00)", &window);
    auto *other = new QLineEdit(&window);
    layout->addWidget(box);
    layout->addWidget(other);
    UiTest::show(&window);
    other->setFocus();
    box->setText("5");
    QCOMPARE(box->QLineEdit::text(), QString("$5.00"));
    UiTest::type(box, "1250.5");
    QCOMPARE(box->QLineEdit::text(), QString("1250.5"));
    QCOMPARE(box->text(), QString("1250.5"));
    other->setFocus();
    QCOMPARE(box->QLineEdit::text(), QString("$1,250.50"));
    QCOMPARE(box->text(), QString("1250.5"));
}

void tst_Widgets::selectAllOnFocus() {
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *first = new QLineEdit("Main Street 1", &window);
    auto *second = new QLineEdit("Suite 4", &window);
    layout->addWidget(first);
    layout->addWidget(second);
    SelectAllOnFocus({first, second});
    UiTest::show(&window);
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab);
    QTRY_COMPARE(second->selectedText(), QString("Suite 4"));
    QTest::keyClicks(second, "Dock B");
    QCOMPARE(second->text(), QString("Dock B"));
}

void tst_Widgets::hiddenIdsOfEntries() {
    QComboBox combo;
    AddItem(&combo, "Chair-Arm", 12);
    AddItem(&combo, "Chair-Arm", 40);  // another customer's style of the same name and type
    AddItem(&combo, "Sofa-Back", 7);
    QVERIFY(SelectedId(&combo).isNull() || combo.currentIndex() == 0);
    SelectById(&combo, 40);
    QCOMPARE(combo.currentIndex(), 1);
    QCOMPARE(SelectedId(&combo).toInt(), 40);
    SelectById(&combo, 99);
    QCOMPARE(combo.currentIndex(), -1);
    QVERIFY(SelectedId(&combo).isNull());
    SelectByText(&combo, "Sofa-Back");
    QCOMPARE(SelectedId(&combo).toInt(), 7);
    SelectByText(&combo, "sofa-back");
    QCOMPARE(combo.currentIndex(), -1);
}

void tst_Widgets::handlerReportsFailureAndReturns() {
    ScopedFakes fakes;
    QPushButton button("Save");
    int after = 0;
    QObject::connect(&button, &QPushButton::clicked, &button, handler([] {
        throw AppError(3022, "The changes you requested to the table were not successful.");
    }));
    QObject::connect(&button, &QPushButton::clicked, &button, handler([&after] { ++after; }));
    button.click();
    QCOMPARE(fakes.messages.shown.size(), 1);
    QCOMPARE(fakes.messages.shown.first().text,
             QString("3022: The changes you requested to the table were not successful."));
    QCOMPARE(after, 1);  // the window goes on working
}

namespace {

// Opens the list of the combo as the clerk does: with the mouse or with Alt+Down.
void openList(QComboBox *combo, bool mouse) {
    if (mouse) QTest::mouseClick(combo, Qt::LeftButton);
    else QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    QTRY_VERIFY(combo->view()->isVisible());
}

// Chooses an entry in the open list: a click on it, or the arrow keys and Enter.
void chooseInList(QComboBox *combo, int index, bool mouse) {
    QAbstractItemView *view = combo->view();
    const QModelIndex entry = combo->model()->index(index, 0);
    if (mouse) {
        // The list ignores a release that comes within a double-click of its opening, as
        // the second half of the click that opened it.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QPoint at = view->visualRect(entry).center();
        QTest::mouseMove(view->viewport(), at);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    } else {
        while (view->currentIndex().row() < index) QTest::keyClick(view, Qt::Key_Down);
        while (view->currentIndex().row() > index) QTest::keyClick(view, Qt::Key_Up);
        QTest::keyClick(view, Qt::Key_Return);
    }
    QTRY_VERIFY(!view->isVisible());
}

}  // namespace

void tst_Widgets::pickRunsOncePerPick_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("runs");
    QTest::addColumn<int>("selected");
    // The list holds Acme, Cushion Co and Zed; Cushion Co is selected at the start.
    QTest::newRow("arrow key to the next entry") << "down" << 1 << 2;
    QTest::newRow("another entry chosen in the list with keys") << "keys:0" << 1 << 0;
    QTest::newRow("the selected entry chosen again with keys") << "keys:1" << 1 << 1;
    QTest::newRow("another entry chosen in the list with the mouse") << "mouse:2" << 1 << 2;
    QTest::newRow("the selected entry chosen again with the mouse") << "mouse:1" << 1 << 1;
    QTest::newRow("the same entry chosen twice") << "keys:1 keys:1" << 2 << 1;
    QTest::newRow("selected by the window") << "window:0" << 1 << 0;
    QTest::newRow("selected by the window where it already is") << "window:1" << 0 << 1;
    QTest::newRow("selected by the window, then chosen again") << "window:0 keys:0" << 2 << 0;
    QTest::newRow("selected by the window, then chosen again with the mouse") << "window:2 mouse:2" << 2 << 2;
}

void tst_Widgets::pickRunsOncePerPick() {
    QFETCH(QString, steps);
    QFETCH(int, runs);
    QFETCH(int, selected);
    ScopedFakes fakes;
    QWidget window;
    auto *combo = new QComboBox(&window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(combo);
    FillList(combo, {"Acme", "Cushion Co", "Zed"});
    combo->setCurrentIndex(1);
    int picks = 0;
    onPick(combo, &window, [&picks] { ++picks; });
    UiTest::show(&window);
    combo->setFocus();

    for (const QString &step : steps.split(' ')) {
        const QString how = step.section(':', 0, 0);
        const int entry = step.section(':', 1, 1).toInt();
        if (how == "down") {
            QTest::keyClick(combo, Qt::Key_Down);
        } else if (how == "window") {
            combo->setCurrentIndex(entry);
        } else {
            openList(combo, how == "mouse");
            chooseInList(combo, entry, how == "mouse");
        }
    }
    QCOMPARE(combo->currentIndex(), selected);
    QCOMPARE(picks, runs);
}

QTEST_MAIN(tst_Widgets)
#include "tst_widgets.moc"
