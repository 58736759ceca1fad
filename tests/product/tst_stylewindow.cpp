// The Administration window as a whole: its tabs, the Exit buttons, the reset of every
// tab and the rebuilt tree after a save on any tab, and the order the Tab key follows.

#include "product/frmStyle.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/UiTest.h"

#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

using namespace UiTest;

namespace {

void seed(const TestDatabase &db) {
    db.exec("INSERT INTO Customer (Customer, Status) VALUES ('Acme', 'Active')");
    db.exec("INSERT INTO StyleType (ID, Description, Status) VALUES ('Seat', 'Seats', 'Active')");
    db.exec("INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('CNC', 'CNC', 1, 'Active')");
}

QStringList items(QWidget *w, const char *name) {
    auto *combo = child<QComboBox>(w, name);
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    return out;
}

// Each entry as its text and, where it carries one, "=" and its ID.
QStringList entries(QWidget *w, const char *name) {
    auto *combo = child<QComboBox>(w, name);
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) {
        const QVariant id = combo->itemData(i);
        out << (id.isValid() ? combo->itemText(i) + "=" + id.toString() : combo->itemText(i));
    }
    return out;
}

// Clicks the tree's root, which resets every tab and frame.
void clickRoot(QWidget *w) {
    auto *tree = child<QTreeWidget>(w, "StyleTree");
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(0)).center());
}

QStringList treeTexts(QWidget *w) {
    QStringList out;
    openAll(child<QTreeWidget>(w, "StyleTree"));
    for (QTreeWidgetItemIterator it(child<QTreeWidget>(w, "StyleTree")); *it; ++it) out << (*it)->text(0);
    return out;
}

// The named controls of a container in the order the Tab key visits them.
QStringList tabChain(QWidget *container, const QStringList &names) {
    QStringList out;
    QWidget *start = child<QWidget>(container, names.first());
    QWidget *w = start;
    do {
        if (names.contains(w->objectName()) && !out.contains(w->objectName()) && (w->focusPolicy() & Qt::TabFocus))
            out << w->objectName();
        w = w->nextInFocusChain();
    } while (w != start);
    return out;
}

}  // namespace

class TestStyleWindow : public QObject {
    Q_OBJECT
private slots:
    void tabsAndCaption();
    void exitClosesWithoutAsking_data();
    void exitClosesWithoutAsking();
    void saveOnAnyTabRefreshesEveryList();
    void componentSavedOnItsTabIsOfferedByTheComponentFrame();
    void customersChangedElsewhereShowAtTheNextClick_data();
    void customersChangedElsewhereShowAtTheNextClick();
    void listsShowStoredRowsAfterASave_data();
    void listsShowStoredRowsAfterASave();
    void tabOrder_data();
    void tabOrder();
};

void TestStyleWindow::tabsAndCaption() {
    TestDatabase db;
    ScopedFakes fakes;
    QPointer<frmStyle> w = new frmStyle;
    show(w);
    QCOMPARE(w->windowTitle(), QString("Administration"));
    auto *tabs = child<QTabWidget>(w, "SSTab1");
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
    QCOMPARE(captions, QStringList({"Operation Entry", "Component Entry", "Style-Type Entry", "Style Entry",
                                    "Bun/Fiber Entry", "Variables"}));
    QCOMPARE(tabs->currentIndex(), 3);
    QVERIFY(tabs->currentWidget()->isAncestorOf(child<QWidget>(w, "StyleTree")));
    QVERIFY(tabs->widget(0)->isAncestorOf(child<QWidget>(w, "cmbStationName")));
    QVERIFY(tabs->widget(3)->isAncestorOf(child<QWidget>(w, "cmbComponent2")));
    QVERIFY(!child<QWidget>(w, "txtStyleNameID")->isVisible());
    QVERIFY(!child<QWidget>(w, "txtStyleComponentOperationID")->isVisible());
    // An empty plant still shows the root of the tree.
    QCOMPARE(treeTexts(w), QStringList("Styles"));
    delete w;
}

void TestStyleWindow::exitClosesWithoutAsking_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("button");
    QTest::newRow("operation") << 0 << "btnOperationExit";
    QTest::newRow("component") << 1 << "btnComponentExit";
    QTest::newRow("type") << 2 << "btnTypeExit";
    QTest::newRow("style") << 3 << "btnStyleExit";
    QTest::newRow("bun") << 4 << "btnBunExit";
    QTest::newRow("variables") << 5 << "btnVariableExit";
}

void TestStyleWindow::exitClosesWithoutAsking() {
    QFETCH(int, tab);
    QFETCH(QString, button);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    QPointer<frmStyle> w = new frmStyle;
    show(w);
    // Unsaved edits are dropped without a question.
    pick(child<QComboBox>(w, "cmbCustomer"), "Acme");
    type(child<QComboBox>(w, "cmbStyleName"), "Unsaved");
    pick(child<QComboBox>(w, "cmbType"), "Seat");
    child<QTabWidget>(w, "SSTab1")->setCurrentIndex(tab);
    click(child<QPushButton>(w, button));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(w.isNull());
    QVERIFY(fakes.messages.shown.isEmpty());
    QCOMPARE(db.count("Style"), 0);
}

// A station saved on its tab is offered at once by the Operation frame, and a style saved
// in the Style frame by both style lists and the tree.
void TestStyleWindow::saveOnAnyTabRefreshesEveryList() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    QPointer<frmStyle> w = new frmStyle;
    show(w);
    child<QTabWidget>(w, "SSTab1")->setCurrentIndex(0);
    type(child<QComboBox>(w, "cmbStationName"), "Band Saw 1");
    pick(child<QComboBox>(w, "cmbReportName"), "Band Saw");
    pick(child<QComboBox>(w, "cmbOperationStatus"), "Active");
    click(child<QPushButton>(w, "btnOperationSave"));
    QCOMPARE(items(w, "cmbOperation"), QStringList({"Band Saw 1", "CNC"}));
    QCOMPARE(items(w, "cmbStationName"), QStringList({"Band Saw 1", "CNC"}));

    child<QTabWidget>(w, "SSTab1")->setCurrentIndex(3);
    // Something half-entered in another frame is reset by the save.
    type(child<QLineEdit>(w, "txtInstructions"), "half typed");
    pick(child<QComboBox>(w, "cmbCustomer"), "Acme");
    type(child<QComboBox>(w, "cmbStyleName"), "Cushion");
    pick(child<QComboBox>(w, "cmbType"), "Seat");
    click(child<QPushButton>(w, "btnStyleSave"));
    QCOMPARE(items(w, "cmbStyle"), QStringList("Cushion-Seat"));
    QCOMPARE(items(w, "cmbStyle2"), QStringList("Cushion-Seat"));
    QCOMPARE(child<QLineEdit>(w, "txtInstructions")->text(), QString());
    QCOMPARE(treeTexts(w), QStringList({"Styles", "Acme", "Cushion-Seat"}));
    QVERIFY(fakes.messages.shown.isEmpty());
    delete w;
}

void TestStyleWindow::componentSavedOnItsTabIsOfferedByTheComponentFrame() {
    TestDatabase db;
    seed(db);
    db.exec("INSERT INTO Component (ID, Description, Status) VALUES ('C-1', 'Seat pad', 'Active')");
    ScopedFakes fakes;
    QPointer<frmStyle> w = new frmStyle;
    show(w);
    child<QTabWidget>(w, "SSTab1")->setCurrentIndex(1);
    type(child<QComboBox>(w, "cmbComponentID"), "B-7");
    type(child<QLineEdit>(w, "txtComponentDescription"), "Back slab");
    pick(child<QComboBox>(w, "cmbCutStyle"), "Straight Cut");
    for (const char *list : {"cmbTest", "cmbPrintShipping", "cmbArm"}) pick(child<QComboBox>(w, list), "No");
    pick(child<QComboBox>(w, "cmbComponentStatus"), "Active");
    click(child<QPushButton>(w, "btnComponentSave"));
    QVERIFY(fakes.messages.shown.isEmpty());
    QCOMPARE(entries(w, "cmbComponent"), QStringList({"B-7-Back slab=B-7", "C-1-Seat pad=C-1"}));
    QCOMPARE(entries(w, "cmbComponentID"), QStringList({"B-7", "C-1"}));
    delete w;
}

// Customers are written by another window: one added, renamed or removed while the
// Administration window is open shows in its list at the next reset, here a click on the
// tree's root.
void TestStyleWindow::customersChangedElsewhereShowAtTheNextClick_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("added") << "INSERT INTO Customer (Customer, Status) VALUES ('Zed', 'Active')"
                           << QStringList{"Acme", "Zed"};
    QTest::newRow("renamed") << "UPDATE Customer SET Customer = 'Acme Foam' WHERE Customer = 'Acme'"
                             << QStringList{"Acme Foam"};
    QTest::newRow("removed") << "DELETE * FROM Customer WHERE Customer = 'Acme'" << QStringList{};
}

void TestStyleWindow::customersChangedElsewhereShowAtTheNextClick() {
    QFETCH(QString, change);
    QFETCH(QStringList, expected);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    QPointer<frmStyle> w = new frmStyle;
    show(w);
    pick(child<QComboBox>(w, "cmbCustomer"), "Acme");
    db.exec(change);
    clickRoot(w);
    QCOMPARE(entries(w, "cmbCustomer"), expected);
    QCOMPARE(child<QComboBox>(w, "cmbCustomer")->currentIndex(), -1);
    delete w;
}

// Styles and components are read again after every save in the window (here a station's):
// the lists then show the rows as stored, added, removed, renamed, or stored afresh with
// the same text under another ID.
void TestStyleWindow::listsShowStoredRowsAfterASave_data() {
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("component added")
        << QStringList{"INSERT INTO Component (ID, Description, Status) VALUES ('A-0', 'Arm cap', 'Active')"}
        << "cmbComponent" << QStringList{"A-0-Arm cap=A-0", "C-1-Seat pad=C-1"};
    QTest::newRow("component ID added")
        << QStringList{"INSERT INTO Component (ID, Description, Status) VALUES ('A-0', 'Arm cap', 'Active')"}
        << "cmbComponentID" << QStringList{"A-0", "C-1"};
    QTest::newRow("component described anew")
        << QStringList{"UPDATE Component SET Description = 'Seat slab' WHERE ID = 'C-1'"} << "cmbComponent"
        << QStringList{"C-1-Seat slab=C-1"};
    QTest::newRow("style renamed") << QStringList{"UPDATE Style SET Name = 'Bolster' WHERE ID = 1"} << "cmbStyle2"
                                   << QStringList{"Bolster-Seat=1"};
    QTest::newRow("style removed") << QStringList{"DELETE * FROM Style WHERE ID = 1"} << "cmbStyle" << QStringList{};
    QTest::newRow("style stored afresh")
        << QStringList{"DELETE * FROM Style WHERE ID = 1",
                       "INSERT INTO Style (Customer, Name, Type, Status) VALUES ('Acme', 'Cushion', 'Seat', 'Active')"}
        << "cmbStyle" << QStringList{"Cushion-Seat=2"};
}

void TestStyleWindow::listsShowStoredRowsAfterASave() {
    QFETCH(QStringList, changes);
    QFETCH(QString, list);
    QFETCH(QStringList, expected);
    TestDatabase db;
    seed(db);
    db.exec("INSERT INTO Component (ID, Description, Status) VALUES ('C-1', 'Seat pad', 'Active')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Status) VALUES ('Acme', 'Cushion', 'Seat', 'Active')");
    ScopedFakes fakes;
    QPointer<frmStyle> w = new frmStyle;
    show(w);
    clickRoot(w);
    for (const QString &change : changes) db.exec(change);
    child<QTabWidget>(w, "SSTab1")->setCurrentIndex(0);
    type(child<QComboBox>(w, "cmbStationName"), "CNC");  // the stored station, saved again
    click(child<QPushButton>(w, "btnOperationSave"));
    QVERIFY(fakes.messages.shown.isEmpty());
    QCOMPARE(entries(w, qPrintable(list)), expected);
    QCOMPARE(child<QComboBox>(w, qPrintable(list))->currentIndex(), -1);
    delete w;
}

void TestStyleWindow::tabOrder_data() {
    QTest::addColumn<QStringList>("chain");
    QTest::newRow("style frame") << QStringList{"cmbCustomer", "cmbStyleName", "cmbType", "txtCost", "txtPrice",
                                                "btnStyleNew", "btnStyleSave", "btnStyleInactivate"};
    QTest::newRow("operation frame") << QStringList{"cmbStyle2", "cmbComponent2", "cmbOperation", "txtInstructions",
                                                    "txtThickness", "txtWidth", "txtLength", "btnOperationNew",
                                                    "btnOperationsSave2", "btnDeleteOp"};
    QTest::newRow("operation entry") << QStringList{"cmbStationName", "cmbReportName", "txtTeams",
                                                    "cmbOperationStatus", "btnOperationSave", "btnOperationExit"};
}

void TestStyleWindow::tabOrder() {
    QFETCH(QStringList, chain);
    TestDatabase db;
    ScopedFakes fakes;
    QPointer<frmStyle> w = new frmStyle;
    QCOMPARE(tabChain(w, chain), chain);
    delete w;
}

QTEST_MAIN(TestStyleWindow)
#include "tst_stylewindow.moc"
