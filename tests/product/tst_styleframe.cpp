// The Style frame of the Administration window: lookups by customer, name and type, and
// saves that update or append the Style row.

#include "widgets/NumberBox.h"
#include "product/frmStyle.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/OpenWindow.h"
#include "tests/support/UiTest.h"

#include <QPushButton>

using namespace UiTest;

namespace {

// Acme has "Cushion" as a seat (stored Inactive) and as a back, and "Arm" as a seat;
// "Zed" has no style.
void seed(const TestDatabase &db) {
    for (const char *c : {"Acme", "O''Brien Furniture", "Zed"})
        db.exec(QStringLiteral("INSERT INTO Customer (Customer, Status) VALUES ('%1', 'Active')").arg(c));
    db.exec("INSERT INTO StyleType (ID, Description, Status) VALUES ('Seat', 'Seats', 'Active')");
    db.exec("INSERT INTO StyleType (ID, Description, Status) VALUES ('Back', 'Backs', 'Inactive')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) VALUES ('Acme', 'Cushion', 'Seat', 10, 20, 'Inactive')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) VALUES ('Acme', 'Cushion', 'Back', 3, 4, 'Active')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) VALUES ('Acme', 'Arm', 'Seat', 1.5, 2.25, 'Active')");
}

NumberBox *numberBox(QWidget *w, const char *name) { return child<NumberBox>(w, name); }
QComboBox *combo(QWidget *w, const char *name) { return child<QComboBox>(w, name); }
QString idText(QWidget *w) { return child<QLineEdit>(w, "txtStyleNameID")->text(); }
void press(QWidget *w, const char *name) { click(child<QPushButton>(w, name)); }

struct Window : OpenWindow<frmStyle> {
    // Picks the customer, types the name and picks the type, in the order the frame needs.
    void enter(const QString &customer, const QString &name, const QString &type) {
        pick(combo("cmbCustomer"), customer);
        UiTest::type(combo("cmbStyleName"), name);
        pick(combo("cmbType"), type);
    }
};

}  // namespace

class TestStyleFrame : public QObject {
    Q_OBJECT
private slots:
    void listsAndCustomerPick();
    void lookupShowsStoredOrZero();
    void saveWithoutLoadedStyleUpdatesMatchingStyle();
    void renamedLoadedStyleKeepsItsId();
    void newTypeForLoadedStyleCreatesAnotherStyle();
    void typePickedAgainAfterANewNameAddsAStyle();
    void customerPickedAgainListsItsNamesAfresh();
    void saveRefused_data();
    void saveRefused();
    void namesWithQuotes();
    void inactivate();
};

void TestStyleFrame::listsAndCustomerPick() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    auto *customers = combo(win.w, "cmbCustomer");
    QCOMPARE(customers->count(), 3);
    QCOMPARE(customers->currentIndex(), -1);
    QCOMPARE(combo(win.w, "cmbType")->count(), 2);  // types of every status
    QCOMPARE(numberBox(win.w, "txtCost")->text(), QString("0"));

    // A name typed before the customer is lost when the customer is picked.
    type(combo(win.w, "cmbStyleName"), "Early");
    pick(customers, "Acme");
    auto *names = combo(win.w, "cmbStyleName");
    QCOMPARE(names->currentText(), QString());
    QCOMPARE(names->count(), 2);  // each name once, whatever its types
    QCOMPARE(names->itemText(0), QString("Arm"));
    QCOMPARE(names->itemText(1), QString("Cushion"));

    // A customer without styles leaves the list empty; a new name can still be typed.
    pick(customers, "Zed");
    QCOMPARE(names->count(), 0);
    type(names, "Brand New");
    QCOMPARE(names->currentText(), QString("Brand New"));
}

void TestStyleFrame::lookupShowsStoredOrZero() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    win.enter("Acme", "Arm", "Seat");
    QCOMPARE(numberBox(win.w, "txtCost")->text(), QString("1.5"));
    QCOMPARE(numberBox(win.w, "txtPrice")->text(), QString("2.25"));
    QCOMPARE(numberBox(win.w, "txtPrice")->displayText(), QString("$2.25"));
    QCOMPARE(idText(win.w), QString("3"));

    // A combination that is not stored shows "0.0" and unloads the style.
    pick(combo(win.w, "cmbType"), "Back");
    QCOMPARE(numberBox(win.w, "txtCost")->text(), QString("0.0"));
    QCOMPARE(numberBox(win.w, "txtPrice")->text(), QString("0.0"));
    QCOMPARE(idText(win.w), QString());

    // "New" shows "0" and keeps the name list.
    press(win.w, "btnStyleNew");
    QCOMPARE(numberBox(win.w, "txtCost")->text(), QString("0"));
    QCOMPARE(numberBox(win.w, "txtPrice")->text(), QString("0"));
    QCOMPARE(combo(win.w, "cmbCustomer")->currentIndex(), -1);
    QCOMPARE(combo(win.w, "cmbType")->currentIndex(), -1);
    QCOMPARE(combo(win.w, "cmbStyleName")->currentText(), QString());
    QCOMPARE(combo(win.w, "cmbStyleName")->count(), 2);
}

void TestStyleFrame::saveWithoutLoadedStyleUpdatesMatchingStyle() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    // Type picked before the name: nothing is loaded, the save finds the stored style.
    pick(combo(win.w, "cmbCustomer"), "Acme");
    pick(combo(win.w, "cmbType"), "Seat");
    type(combo(win.w, "cmbStyleName"), "Cushion");
    QCOMPARE(idText(win.w), QString());
    type(numberBox(win.w, "txtCost"), "12.5");
    type(numberBox(win.w, "txtPrice"), "$1,024.75");
    press(win.w, "btnStyleSave");

    QVERIFY(fakes.messages.shown.isEmpty());
    QCOMPARE(db.count("Style"), 3);
    const RowSet row = db.query("SELECT * FROM Style WHERE ID = 1");
    QCOMPARE(row.value(0, "Cost").toDouble(), 12.5);
    QCOMPARE(row.value(0, "Price").toDouble(), 1024.75);
    QCOMPARE(row.value(0, "Status").toString(), QString("Active"));  // every save activates

    // The frame is reset and every style list offers the styles again.
    QCOMPARE(combo(win.w, "cmbCustomer")->currentIndex(), -1);
    QCOMPARE(numberBox(win.w, "txtCost")->text(), QString("0"));
    QCOMPARE(combo(win.w, "cmbStyle")->count(), 3);
    QCOMPARE(combo(win.w, "cmbStyle2")->count(), 3);
}

void TestStyleFrame::renamedLoadedStyleKeepsItsId() {
    TestDatabase db;
    seed(db);
    db.exec("INSERT INTO Component (ID, Description, Status) VALUES ('FOAM1', 'Seat foam', 'Active')");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (3, 'FOAM1', 2)");
    ScopedFakes fakes;
    Window win;
    win.enter("Acme", "Arm", "Seat");
    QCOMPARE(idText(win.w), QString("3"));
    type(combo(win.w, "cmbStyleName"), "Armrest");
    press(win.w, "btnStyleSave");

    QCOMPARE(db.count("Style"), 3);
    QCOMPARE(db.scalar("SELECT Name FROM Style WHERE ID = 3").toString(), QString("Armrest"));
    QCOMPARE(db.scalar("SELECT Cost FROM Style WHERE ID = 3").toDouble(), 1.5);
    QCOMPARE(db.count("StyleComponent", "StyleID = 3"), 1);
    QCOMPARE(combo(win.w, "cmbStyle")->findText("Armrest-Seat") >= 0, true);
}

void TestStyleFrame::newTypeForLoadedStyleCreatesAnotherStyle() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    win.enter("Acme", "Arm", "Seat");
    pick(combo(win.w, "cmbType"), "Back");  // not stored: the style is unloaded
    type(numberBox(win.w, "txtCost"), "7");
    press(win.w, "btnStyleSave");
    QCOMPARE(db.count("Style"), 4);
    QCOMPARE(db.scalar("SELECT Cost FROM Style WHERE ID = 3").toDouble(), 1.5);
    QCOMPARE(db.scalar("SELECT Cost FROM Style WHERE Name = 'Arm' AND Type = 'Back'").toDouble(), 7.0);
}

// The clerk loads Cushion/Seat, types the name Sofa and picks Seat again: the lookup runs
// again, finds no Sofa/Seat and unloads Cushion, so the save adds Sofa and leaves Cushion
// with everything that hangs on it.
void TestStyleFrame::typePickedAgainAfterANewNameAddsAStyle() {
    TestDatabase db;
    seed(db);
    db.exec("INSERT INTO Component (ID, Description, Status) VALUES ('FOAM1', 'Seat foam', 'Active')");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (1, 'FOAM1', 2)");
    db.exec("INSERT INTO StyleOperation (StyleID, ComponentID, OperationID, Instructions) VALUES (1, 1, 'CNC', 'Bevel')");
    db.exec("INSERT INTO OrderItems (OrderID, ItemNumber, Qty, StyleID, PriceEach, PriceExt) VALUES (1, 1, 4, 1, 20, 80)");
    ScopedFakes fakes;
    Window win;
    win.enter("Acme", "Cushion", "Seat");
    QCOMPARE(idText(win.w), QString("1"));
    type(combo(win.w, "cmbStyleName"), "Sofa");
    pick(combo(win.w, "cmbType"), "Seat");
    QCOMPARE(idText(win.w), QString());
    QCOMPARE(numberBox(win.w, "txtCost")->text(), QString("0.0"));
    type(numberBox(win.w, "txtCost"), "30");
    press(win.w, "btnStyleSave");

    QVERIFY(fakes.messages.shown.isEmpty());
    QCOMPARE(db.count("Style"), 4);
    QCOMPARE(db.scalar("SELECT Name FROM Style WHERE ID = 1").toString(), QString("Cushion"));
    QCOMPARE(db.scalar("SELECT Cost FROM Style WHERE ID = 1").toDouble(), 10.0);
    const RowSet sofa = db.query("SELECT * FROM Style WHERE Name = 'Sofa'");
    QCOMPARE(sofa.rows.size(), 1);
    QCOMPARE(sofa.value(0, "Customer").toString(), QString("Acme"));
    QCOMPARE(sofa.value(0, "Type").toString(), QString("Seat"));
    QCOMPARE(sofa.value(0, "Cost").toDouble(), 30.0);
    QCOMPARE(db.count("StyleComponent", "StyleID = 1"), 1);
    QCOMPARE(db.count("StyleOperation", "StyleID = 1"), 1);
    QCOMPARE(db.count("OrderItems", "StyleID = 1"), 1);
}

// Picking the customer that is already selected lists its names again, as they are
// stored now, and empties the name box.
void TestStyleFrame::customerPickedAgainListsItsNamesAfresh() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    pick(combo(win.w, "cmbCustomer"), "Acme");
    type(combo(win.w, "cmbStyleName"), "Half typed");
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) VALUES ('Acme', 'Bolster', 'Seat', 1, 1, 'Active')");
    pick(combo(win.w, "cmbCustomer"), "Acme");
    auto *names = combo(win.w, "cmbStyleName");
    QCOMPARE(names->currentText(), QString());
    QCOMPARE(names->count(), 3);
    QCOMPARE(names->itemText(1), QString("Bolster"));
}

void TestStyleFrame::saveRefused_data() {
    QTest::addColumn<QString>("customer");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cost");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("message");
    QTest::newRow("no customer") << "" << "Sofa" << "1" << "2" << "Not enouth information.";
    QTest::newRow("no name") << "Zed" << "" << "1" << "2" << "Not enouth information.";
    QTest::newRow("cost not a number") << "Zed" << "Sofa" << "ten" << "2" << "Cost must be a number.";
    QTest::newRow("cost empty") << "Zed" << "Sofa" << "" << "2" << "Cost must be a number.";
    QTest::newRow("price not a number") << "Zed" << "Sofa" << "1" << "12 each" << "Price must be a number.";
    QTest::newRow("price empty") << "Zed" << "Sofa" << "1" << "" << "Price must be a number.";
}

void TestStyleFrame::saveRefused() {
    QFETCH(QString, customer);
    QFETCH(QString, name);
    QFETCH(QString, cost);
    QFETCH(QString, price);
    QFETCH(QString, message);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    if (!customer.isEmpty()) pick(combo(win.w, "cmbCustomer"), customer);
    if (!name.isEmpty()) type(combo(win.w, "cmbStyleName"), name);
    pick(combo(win.w, "cmbType"), "Seat");
    for (const auto &[box, value] : {std::pair{"txtCost", cost}, std::pair{"txtPrice", price}}) {
        if (value.isEmpty()) clear(numberBox(win.w, box));
        else type(numberBox(win.w, box), value);
    }
    press(win.w, "btnStyleSave");
    QCOMPARE(fakes.messages.texts(), QStringList(message));
    QCOMPARE(fakes.messages.shown.first().title, QString("Invalid Information"));
    QCOMPARE(db.count("Style"), 3);
    QCOMPARE(combo(win.w, "cmbStyleName")->currentText(), name);  // nothing typed is lost
}

void TestStyleFrame::namesWithQuotes() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    win.enter("O'Brien Furniture", "Bob's Seat", "Seat");
    type(numberBox(win.w, "txtCost"), "4");
    press(win.w, "btnStyleSave");
    QVERIFY(fakes.messages.shown.isEmpty());
    QCOMPARE(db.count("Style", "Customer = 'O''Brien Furniture' AND Name = 'Bob''s Seat'"), 1);

    // Found again by the customer's name list and by the type lookup.
    win.enter("O'Brien Furniture", "Bob's Seat", "Seat");
    QCOMPARE(combo(win.w, "cmbStyleName")->findText("Bob's Seat"), 0);
    QCOMPARE(numberBox(win.w, "txtCost")->text(), QString("4"));
    QCOMPARE(idText(win.w), QString("4"));
}

void TestStyleFrame::inactivate() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    // Nothing loaded: no question, nothing changes.
    press(win.w, "btnStyleInactivate");
    QVERIFY(fakes.messages.shown.isEmpty());

    win.enter("Acme", "Arm", "Seat");
    fakes.messages.answers.enqueue(false);
    press(win.w, "btnStyleInactivate");
    QCOMPARE(fakes.messages.texts(), QStringList("Are you sure you want to inactivate the selected Style?"));
    QCOMPARE(fakes.messages.shown.first().title, QString("Inactivate Confirmation"));
    QCOMPARE(db.scalar("SELECT Status FROM Style WHERE ID = 3").toString(), QString("Active"));

    fakes.messages.answers.enqueue(true);
    press(win.w, "btnStyleInactivate");
    QCOMPARE(db.scalar("SELECT Status FROM Style WHERE ID = 3").toString(), QString("Inactive"));
    QCOMPARE(db.count("Style", "Status = 'Inactive'"), 2);
    QCOMPARE(idText(win.w), QString());  // the window is reset

    // A later save makes it active again.
    win.enter("Acme", "Arm", "Seat");
    press(win.w, "btnStyleSave");
    QCOMPARE(db.scalar("SELECT Status FROM Style WHERE ID = 3").toString(), QString("Active"));
}

QTEST_MAIN(TestStyleFrame)
#include "tst_styleframe.moc"
