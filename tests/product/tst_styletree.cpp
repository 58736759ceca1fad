// The style tree of the Administration window: its shape and texts, and what a click on
// each kind of node loads into the frames.

#include "widgets/NumberBox.h"
#include "product/frmStyle.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/OpenWindow.h"
#include "tests/support/UiTest.h"

#include <QPushButton>
#include <QTreeWidget>

using namespace UiTest;

namespace {

// Customers "1" and "Root" test the tree's keys; "Bare Co" has no style. Acme and Root
// each have a "Cushion-Seat"; one style component names a component that is not stored.
void seed(const TestDatabase &db) {
    for (const char *c : {"Acme", "Root", "1", "Bare Co"})
        db.exec(QStringLiteral("INSERT INTO Customer (Customer, Status) VALUES ('%1', 'Active')").arg(c));
    db.exec("INSERT INTO StyleType (ID, Description, Status) VALUES ('Seat', 'Seats', 'Active')");
    db.exec("INSERT INTO StyleType (ID, Description, Status) VALUES ('Back', 'Backs', 'Active')");
    db.exec("INSERT INTO Component (ID, Description, Status) VALUES ('FOAM1', 'Seat foam', 'Active')");
    db.exec("INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Band Saw 1', 'Band Saw', 1, 'Active')");
    db.exec("INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('CNC', 'CNC', 1, 'Active')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) VALUES ('Acme', 'Cushion', 'Seat', 10, 20, 'Active')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) VALUES ('Root', 'Cushion', 'Seat', 11, 21, 'Active')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) VALUES ('1', 'Pillow', 'Back', 5, 6, 'Inactive')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) VALUES ('Acme', 'Arm', 'Back', 1, 2, 'Active')");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (1, 'FOAM1', 2)");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (1, 'GHOST', 1)");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (2, 'FOAM1', 4)");
    db.exec("INSERT INTO StyleOperation (StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) "
            "VALUES (1, 1, 'Band Saw 1', 'Cut square', 2, 20, 30)");
    db.exec("INSERT INTO StyleOperation (StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) "
            "VALUES (1, 1, 'CNC', '', 1, 1, 1)");
    db.exec("INSERT INTO StyleOperation (StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) "
            "VALUES (2, 3, 'CNC', 'Round', 3, 3, 3)");
}

void dump(QTreeWidgetItem *item, int depth, QStringList &out) {
    out << QString(depth * 2, QLatin1Char(' ')) + item->text(0);
    for (int i = 0; i < item->childCount(); ++i) dump(item->child(i), depth + 1, out);
}

QStringList treeText(QTreeWidget *tree) {
    openAll(tree);
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) dump(tree->topLevelItem(i), 0, out);
    return out;
}

QTreeWidgetItem *findNode(QTreeWidget *tree, const QString &key) {
    openAll(tree);
    QTreeWidgetItemIterator it(tree);
    for (; *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == key) return *it;
    return nullptr;
}

// Clicks a node with the mouse, as the clerk would.
void clickNode(QTreeWidget *tree, const QString &key) {
    QTreeWidgetItem *item = findNode(tree, key);
    QVERIFY2(item, qPrintable("no node " + key));
    tree->expandAll();
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

// What a box or list holds: the plain text of a number box, the current text of a combo.
QString text(QWidget *w, const char *name) {
    QWidget *control = child<QWidget>(w, name);
    if (auto *combo = qobject_cast<QComboBox *>(control)) return combo->currentText();
    if (auto *number = qobject_cast<NumberBox *>(control)) return number->text();
    return child<QLineEdit>(w, name)->text();
}
QVariant selectedId(QWidget *w, const char *name) { return child<QComboBox>(w, name)->currentData(); }

struct Window : OpenWindow<frmStyle> {
    QTreeWidget *tree = child<QTreeWidget>(w, "StyleTree");
};

}  // namespace

class TestStyleTree : public QObject {
    Q_OBJECT
private slots:
    void shapeAndTexts();
    void clicksThatLoadNothing_data();
    void clicksThatLoadNothing();
    void operationNodeFillsAllFramesAndSavesEditLoadedRows();
    void sameStyleOfTwoCustomersIsToldApart();
    void stylesOfOneCustomerWithEqualTextsEachHaveANode();
    void keyboardMoveLoadsNode();
    void childrenInTheDatabasesOrder_data();
    void childrenInTheDatabasesOrder();
    void descriptionsAndOperationsJoinAsTheDatabaseDoes();
    void styleOpensToItsComponents();
};

void TestStyleTree::shapeAndTexts() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    const QStringList expected = {
        "Styles",
        "  1",
        "    Pillow-Back",
        "  Acme",
        "    Arm-Back",
        "    Cushion-Seat",
        "      (2) - FOAM1-Seat foam",
        "        Band Saw 1 - (Cut square)",
        "        CNC - ()",
        "      (1) - GHOST-",
        "  Root",
        "    Cushion-Seat",
        "      (4) - FOAM1-Seat foam",
        "        CNC - (Round)",
    };
    QCOMPARE(treeText(win.tree), expected);
    QVERIFY(fakes.cursor.busyCount > 0);
    QCOMPARE(fakes.cursor.depth, 0);
}

void TestStyleTree::clicksThatLoadNothing_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("removeFirst");
    QTest::newRow("root") << "Root" << "";
    QTest::newRow("customer") << "Cust:Acme" << "";
    QTest::newRow("customer named Root") << "Cust:Root" << "";
    QTest::newRow("style removed meanwhile") << "Style:1" << "DELETE * FROM Style WHERE ID = 1";
    QTest::newRow("operation removed meanwhile") << "Oper-1" << "DELETE * FROM StyleOperation WHERE ID = 1";
}

// Whatever was typed or loaded before, these clicks leave every frame in its reset state.
void TestStyleTree::clicksThatLoadNothing() {
    QFETCH(QString, key);
    QFETCH(QString, removeFirst);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    clickNode(win.tree, "Oper-2");
    QCOMPARE(text(win.w, "txtStyleComponentOperationID"), QString("2"));
    type(child<QLineEdit>(win.w, "txtInstructions"), "half typed");
    if (!removeFirst.isEmpty()) db.exec(removeFirst);

    clickNode(win.tree, key);
    for (const char *box : {"txtStyleNameID", "txtStyleComponentID", "txtStyleComponentOperationID",
                            "txtInstructions", "cmbStyleName", "cmbCustomer", "cmbStyle", "cmbStyle2", "txtQty"})
        QVERIFY2(text(win.w, box).isEmpty(), box);
    QCOMPARE(text(win.w, "txtCost"), QString("0"));
    QVERIFY(fakes.messages.shown.isEmpty());
}

void TestStyleTree::operationNodeFillsAllFramesAndSavesEditLoadedRows() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    clickNode(win.tree, "Oper-1");

    QCOMPARE(text(win.w, "cmbCustomer"), QString("Acme"));
    QCOMPARE(text(win.w, "cmbStyleName"), QString("Cushion"));
    QCOMPARE(text(win.w, "cmbType"), QString("Seat"));
    QCOMPARE(text(win.w, "txtCost"), QString("10"));
    QCOMPARE(text(win.w, "txtPrice"), QString("20"));
    QCOMPARE(text(win.w, "txtStyleNameID"), QString("1"));
    QCOMPARE(selectedId(win.w, "cmbStyle").toInt(), 1);
    QCOMPARE(selectedId(win.w, "cmbComponent").toString(), QString("FOAM1"));
    QCOMPARE(text(win.w, "txtQty"), QString("2"));
    QCOMPARE(text(win.w, "txtStyleComponentID"), QString("1"));
    QCOMPARE(selectedId(win.w, "cmbStyle2").toInt(), 1);
    QCOMPARE(selectedId(win.w, "cmbComponent2").toInt(), 1);
    QCOMPARE(text(win.w, "cmbOperation"), QString("Band Saw 1"));
    QCOMPARE(text(win.w, "txtInstructions"), QString("Cut square"));
    QCOMPARE(text(win.w, "txtThickness"), QString("2"));
    QCOMPARE(text(win.w, "txtWidth"), QString("20"));
    QCOMPARE(text(win.w, "txtLength"), QString("30"));
    QCOMPARE(text(win.w, "txtStyleComponentOperationID"), QString("1"));

    // The Component frame's save edits the loaded link.
    type(child<QLineEdit>(win.w, "txtQty"), "3");
    click(child<QPushButton>(win.w, "cmbComponentSave2"));
    QCOMPARE(db.count("StyleComponent"), 3);
    QCOMPARE(db.scalar("SELECT Qty FROM StyleComponent WHERE ID = 1").toDouble(), 3.0);
    QVERIFY(findNode(win.tree, "Comp-1")->text(0).startsWith("(3) - FOAM1"));

    // The Operation frame's save edits the loaded operation.
    clickNode(win.tree, "Oper-1");
    type(child<QLineEdit>(win.w, "txtInstructions"), "Cut round");
    type(child<QLineEdit>(win.w, "txtWidth"), "25");
    click(child<QPushButton>(win.w, "btnOperationsSave2"));
    QCOMPARE(db.count("StyleOperation"), 3);
    const RowSet op = db.query("SELECT * FROM StyleOperation WHERE ID = 1");
    QCOMPARE(op.value(0, "Instructions").toString(), QString("Cut round"));
    QCOMPARE(op.value(0, "Width").toDouble(), 25.0);
    QCOMPARE(op.value(0, "OperationID").toString(), QString("Band Saw 1"));
    QCOMPARE(op.value(0, "ComponentID").toInt(), 1);
    QVERIFY(findNode(win.tree, "Oper-1"));
    QCOMPARE(findNode(win.tree, "Oper-1")->text(0), QString("Band Saw 1 - (Cut round)"));
    QVERIFY(fakes.messages.shown.isEmpty());
}

void TestStyleTree::sameStyleOfTwoCustomersIsToldApart() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    clickNode(win.tree, "Comp-3");
    QCOMPARE(text(win.w, "cmbCustomer"), QString("Root"));
    QCOMPARE(text(win.w, "txtStyleNameID"), QString("2"));
    QCOMPARE(text(win.w, "txtCost"), QString("11"));
    QCOMPARE(selectedId(win.w, "cmbStyle").toInt(), 2);
    QCOMPARE(text(win.w, "txtQty"), QString("4"));
    QCOMPARE(text(win.w, "txtStyleComponentID"), QString("3"));

    // Saving the style edits Root's row only.
    type(child<QLineEdit>(win.w, "txtPrice"), "30");
    click(child<QPushButton>(win.w, "btnStyleSave"));
    QCOMPARE(db.scalar("SELECT Price FROM Style WHERE ID = 2").toDouble(), 30.0);
    QCOMPARE(db.scalar("SELECT Price FROM Style WHERE ID = 1").toDouble(), 20.0);
    QCOMPARE(db.count("Style"), 4);
}

// "Arm"/"Left-Seat" and "Arm-Left"/"Seat" both read "Arm-Left-Seat": each style keeps
// its own node with its own components, and either can be loaded.
void TestStyleTree::stylesOfOneCustomerWithEqualTextsEachHaveANode() {
    TestDatabase db;
    seed(db);
    db.exec("INSERT INTO StyleType (ID, Description, Status) VALUES ('Left-Seat', 'Left seats', 'Active')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) VALUES ('Acme', 'Arm', 'Left-Seat', 7, 8, 'Active')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) VALUES ('Acme', 'Arm-Left', 'Seat', 9, 10, 'Active')");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (5, 'FOAM1', 6)");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (6, 'FOAM1', 8)");
    ScopedFakes fakes;
    Window win;
    const QStringList acme = treeText(win.tree).mid(3, 8);
    const QStringList expected = {
        "  Acme",
        "    Arm-Back",
        "    Arm-Left-Seat",
        "      (6) - FOAM1-Seat foam",
        "    Arm-Left-Seat",
        "      (8) - FOAM1-Seat foam",
        "    Cushion-Seat",
        "      (2) - FOAM1-Seat foam",
    };
    QCOMPARE(acme, expected);
    QCOMPARE(findNode(win.tree, "Comp-4")->parent(), findNode(win.tree, "Style:5"));
    QCOMPARE(findNode(win.tree, "Comp-5")->parent(), findNode(win.tree, "Style:6"));

    clickNode(win.tree, "Style:6");
    QCOMPARE(text(win.w, "txtStyleNameID"), QString("6"));
    QCOMPARE(text(win.w, "cmbStyleName"), QString("Arm-Left"));
    QCOMPARE(text(win.w, "cmbType"), QString("Seat"));
    QCOMPARE(text(win.w, "txtCost"), QString("9"));
}

void TestStyleTree::keyboardMoveLoadsNode() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    QTreeWidgetItem *customer = findNode(win.tree, "Cust:1");
    customer->setExpanded(true);
    win.tree->setFocus();
    win.tree->setCurrentItem(customer);
    QCOMPARE(text(win.w, "txtStyleNameID"), QString());
    QTest::keyClick(win.tree, Qt::Key_Down);
    QCOMPARE(win.tree->currentItem()->text(0), QString("Pillow-Back"));
    QCOMPARE(text(win.w, "txtStyleNameID"), QString("3"));
    QCOMPARE(text(win.w, "cmbStyleName"), QString("Pillow"));
}

// The texts of the children of the node with this key, without the given start and end.
QStringList childTexts(QTreeWidget *tree, const QString &key, const QString &start, const QString &end) {
    QStringList out;
    QTreeWidgetItem *node = findNode(tree, key);
    for (int i = 0; node && i < node->childCount(); ++i) {
        const QString text = node->child(i)->text(0);
        out << text.mid(start.size(), text.size() - start.size() - end.size());
    }
    return out;
}

// Components under a style follow their IDs, and operations under a component their
// stations, as the database orders text: letter case ignored, "_" before the letters.
void TestStyleTree::childrenInTheDatabasesOrder_data() {
    QTest::addColumn<QStringList>("components");
    QTest::addColumn<QStringList>("componentOrder");
    QTest::addColumn<QStringList>("stations");
    QTest::addColumn<QStringList>("stationOrder");
    QTest::newRow("letter case ignored") << QStringList{"ab-2", "AB-1", "b-0"} << QStringList{"AB-1", "ab-2", "b-0"}
                                         << QStringList{"cnc", "Band Saw 1", "band saw 2"}
                                         << QStringList{"Band Saw 1", "band saw 2", "cnc"};
    QTest::newRow("underscore before letters") << QStringList{"AB", "a_"} << QStringList{"a_", "AB"}
                                               << QStringList{"Saw_B", "SawA"} << QStringList{"Saw_B", "SawA"};
    QTest::newRow("shorter first") << QStringList{"AB-10", "AB-1"} << QStringList{"AB-1", "AB-10"}
                                   << QStringList{"CNC 2", "CNC"} << QStringList{"CNC", "CNC 2"};
}

void TestStyleTree::childrenInTheDatabasesOrder() {
    QFETCH(QStringList, components);
    QFETCH(QStringList, componentOrder);
    QFETCH(QStringList, stations);
    QFETCH(QStringList, stationOrder);
    TestDatabase db;
    db.exec("INSERT INTO Style (Customer, Name, Type, Status) VALUES ('Acme', 'Cushion', 'Seat', 'Active')");
    for (const QString &component : components)
        db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (1, '" + component + "', 1)");
    for (const QString &station : stations)
        db.exec("INSERT INTO StyleOperation (StyleID, ComponentID, OperationID, Instructions) VALUES (1, 1, '" +
                station + "', 'x')");
    ScopedFakes fakes;
    Window win;
    QCOMPARE(childTexts(win.tree, "Style:1", "(1) - ", "-"), componentOrder);  // components without a row
    QCOMPARE(childTexts(win.tree, "Comp-1", "", " - (x)"), stationOrder);
}

// A style component naming its component in another letter case still shows the
// component's description; an operation whose style is not its component's style is not
// shown under that component.
void TestStyleTree::descriptionsAndOperationsJoinAsTheDatabaseDoes() {
    TestDatabase db;
    seed(db);
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (4, 'foam1', 3)");
    db.exec("INSERT INTO StyleOperation (StyleID, ComponentID, OperationID, Instructions) VALUES (4, 4, 'CNC', 'Trim')");
    db.exec("INSERT INTO StyleOperation (StyleID, ComponentID, OperationID, Instructions) VALUES (2, 4, 'CNC', 'Stray')");
    ScopedFakes fakes;
    Window win;
    QTreeWidgetItem *link = findNode(win.tree, "Comp-4");
    QVERIFY(link);
    QCOMPARE(link->text(0), QString("(3) - foam1-Seat foam"));
    QCOMPARE(link->parent(), findNode(win.tree, "Style:4"));
    QCOMPARE(link->childCount(), 1);
    QCOMPARE(link->child(0)->text(0), QString("CNC - (Trim)"));
    QVERIFY(!findNode(win.tree, "Oper-5"));
}

// A style shows it can be opened exactly when it has components; opening it with the
// keyboard shows them with their operations.
void TestStyleTree::styleOpensToItsComponents() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    QTreeWidgetItem *cushion = nullptr;
    QTreeWidgetItem *arm = nullptr;
    for (QTreeWidgetItemIterator it(win.tree); *it; ++it) {  // the nodes built so far
        const QString key = (*it)->data(0, Qt::UserRole).toString();
        if (key == "Style:1") cushion = *it;
        if (key == "Style:4") arm = *it;
    }
    QVERIFY(cushion && arm);
    QAbstractItemModel *model = win.tree->model();
    QVERIFY(model->hasChildren(win.tree->indexFromItem(cushion)));
    QVERIFY(!model->hasChildren(win.tree->indexFromItem(arm)));

    cushion->parent()->setExpanded(true);
    win.tree->setFocus();
    win.tree->setCurrentItem(cushion);
    QTest::keyClick(win.tree, Qt::Key_Right);
    QVERIFY(cushion->isExpanded());
    QCOMPARE(cushion->childCount(), 2);
    QCOMPARE(cushion->child(0)->text(0), QString("(2) - FOAM1-Seat foam"));
    QCOMPARE(cushion->child(0)->childCount(), 2);
    QCOMPARE(cushion->child(0)->child(1)->text(0), QString("CNC - ()"));
    QCOMPARE(cushion->child(1)->text(0), QString("(1) - GHOST-"));
    // Closing and opening again shows each component once.
    QTest::keyClick(win.tree, Qt::Key_Left);
    QTest::keyClick(win.tree, Qt::Key_Right);
    QCOMPARE(cushion->childCount(), 2);
    QVERIFY(fakes.messages.shown.isEmpty());
}

QTEST_MAIN(TestStyleTree)
#include "tst_styletree.moc"
