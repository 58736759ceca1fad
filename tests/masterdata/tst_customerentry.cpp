// Customer Entry/Edit driven as a clerk would: names typed or picked, boxes filled,
// "Save And Close" and "Exit" clicked; the Customer rows are what is checked.

#include "data/Database.h"
#include "data/SqlText.h"
#include "masterdata/frmCustomerEntry.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/OpenWindow.h"
#include "tests/support/UiTest.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace UiTest;

namespace {

const QStringList kBoxes = {"txtAddress1", "txtAddress2", "txtCity", "txtState", "txtZip",
                            "txtPhone", "txtFax", "txtShipTo", "txtShipToAddress1", "txtShipToAddress2",
                            "txtShipToCity", "txtShipToState", "txtShipToZip", "txtShipToPhone", "txtShipToFax"};
const QStringList kColumns = {"Address1", "Address2", "City", "State", "Zip",
                              "Phone", "Fax", "ShipTo", "ShipToAddress1", "ShipToAddress2",
                              "ShipToCity", "ShipToState", "ShipToZip", "ShipToPhone", "ShipToFax"};

// Three customers stored in no particular order, one of them InActive and one with
// nothing but its name.
void seed(const TestDatabase &db) {
    db.exec("INSERT INTO Customer (Customer, Address1, Address2, City, State, Zip, Phone, Fax, Status, ShipTo, "
            "ShipToAddress1, ShipToAddress2, ShipToCity, ShipToState, ShipToZip, ShipToPhone, ShipToFax, "
            "DateAdded, Terms, Days) VALUES ('O''Brien Furniture', '9 Mill Rd', 'Unit 4', 'Hickory', 'NC', "
            "'28601', '828-555-0101', '828-555-0102', 'InActive', 'O''Brien Dock', '11 Mill Rd', 'Gate B', "
            "'Hickory', 'NC', '28602', '828-555-0103', '828-555-0104', #3/14/2024 9:30#, 'Net 30', 30)");
    db.exec("INSERT INTO Customer (Customer) VALUES ('Bare Co')");
    db.exec("INSERT INTO Customer (Customer, Address1, City, State, Status, ShipTo, DateAdded, Terms, Days) "
            "VALUES ('Acme Foam', '1 Main St', 'Tupelo', 'MS', 'Active', 'Acme Receiving', #1/2/2023#, "
            "'COD', 0)");
}

// The stored row of a customer, found as the window finds it.
std::unique_ptr<Recordset> row(const QString &name) {
    return AppDatabase().openRecordset("SELECT * FROM Customer WHERE Customer = '" + SqlText::Escaped(name) + "'");
}

QString box(QWidget *w, const QString &name) { return child<QLineEdit>(w, name)->text(); }

using Window = OpenWindow<frmCustomerEntry>;

}  // namespace

class tst_CustomerEntry : public QObject {
    Q_OBJECT
private slots:
    void opensWithEveryNameAndNothingSelected();
    void tabOrder();
    void lookUpFillsTheForm_data();
    void lookUpFillsTheForm();
    void typingANewNameClearsTheFormAtTheFirstMismatch();
    void saveWithoutNameOrStatusIsRefused_data();
    void saveWithoutNameOrStatusIsRefused();
    void saveCreatesOneRowExactlyAsTyped_data();
    void saveCreatesOneRowExactlyAsTyped();
    void saveUnderAnExistingNameEditsThatRow();
    void pastedNulIsLeftOutAndNamed();
    void nameTypedInCapitalUmlautsEditsTheStoredCustomer();
    void exitDiscardsEdits();
    void boxesSelectTheirTextOnFocus_data();
    void boxesSelectTheirTextOnFocus();
};

void tst_CustomerEntry::opensWithEveryNameAndNothingSelected() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    QCOMPARE(win.w->windowTitle(), QString("Customer Entry/Edit"));
    auto *names = child<QComboBox>(win.w, "cmbCustomer");
    QStringList listed;
    for (int i = 0; i < names->count(); ++i) listed << names->itemText(i);
    QCOMPARE(listed, QStringList({"Acme Foam", "Bare Co", "O'Brien Furniture"}));
    QCOMPARE(names->currentText(), QString());
    auto *status = child<QComboBox>(win.w, "cmbStatus");
    QCOMPARE(status->count(), 2);
    QCOMPARE(status->itemText(0), QString("Active"));
    QCOMPARE(status->itemText(1), QString("InActive"));
    QCOMPARE(status->currentIndex(), -1);
    for (const QString &name : kBoxes) QCOMPARE(box(win.w, name), QString());
    QCOMPARE(win.w->minimumSize(), win.w->maximumSize());  // fixed border
    QVERIFY(fakes.messages.shown.isEmpty());
}

void tst_CustomerEntry::tabOrder() {
    TestDatabase db;
    ScopedFakes fakes;
    Window win;
    QApplication::setActiveWindow(win.w);
    QVERIFY(QTest::qWaitForWindowActive(win.w));
    child<QComboBox>(win.w, "cmbCustomer")->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 18; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({"cmbCustomer", "txtAddress1", "txtAddress2", "txtCity", "txtState", "txtZip",
                                   "txtPhone", "txtFax", "cmbStatus", "txtShipTo", "txtShipToAddress1",
                                   "txtShipToAddress2", "txtShipToCity", "txtShipToState", "txtShipToZip",
                                   "txtShipToPhone", "txtShipToFax", "btnSave", "btnExit"}));
}

void tst_CustomerEntry::lookUpFillsTheForm_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("picked");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("status");
    QTest::newRow("typed exactly") << "Acme Foam" << false << "Acme Foam" << "Active";
    QTest::newRow("typed in other case") << "aCME fOAM" << false << "Acme Foam" << "Active";
    QTest::newRow("name with a quote") << "O'Brien Furniture" << false << "O'Brien Furniture" << "InActive";
    QTest::newRow("picked from the list") << "O'Brien Furniture" << true << "O'Brien Furniture" << "InActive";
    // Nulls show as empty boxes, never "Null", and clear what the last customer showed.
    QTest::newRow("all columns null") << "Bare Co" << true << "Bare Co" << "";
}

void tst_CustomerEntry::lookUpFillsTheForm() {
    QFETCH(QString, typed);
    QFETCH(bool, picked);
    QFETCH(QString, stored);
    QFETCH(QString, status);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    auto *names = child<QComboBox>(win.w, "cmbCustomer");
    pick(names, "Acme Foam");  // something showing before the lookup
    if (picked)
        pick(names, typed);
    else
        type(names, typed);
    auto rs = row(stored);
    for (int i = 0; i < kBoxes.size(); ++i) QCOMPARE(box(win.w, kBoxes[i]), rs->text(kColumns[i]));
    QCOMPARE(child<QComboBox>(win.w, "cmbStatus")->currentText(), status);
    QCOMPARE(names->currentText(), typed);
    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('|')));
}

void tst_CustomerEntry::typingANewNameClearsTheFormAtTheFirstMismatch() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    auto *names = child<QComboBox>(win.w, "cmbCustomer");
    auto *status = child<QComboBox>(win.w, "cmbStatus");
    pick(names, "O'Brien Furniture");
    QCOMPARE(status->currentText(), QString("InActive"));

    type(names, "A");  // no customer is called "A"
    for (const QString &name : kBoxes) QCOMPARE(box(win.w, name), QString());
    QCOMPARE(status->currentText(), QString("Active"));

    QTest::keyClicks(names->lineEdit(), "cme Foa");
    QCOMPARE(box(win.w, "txtCity"), QString());
    QTest::keyClick(names->lineEdit(), 'm');  // completes a stored name
    QCOMPARE(box(win.w, "txtCity"), QString("Tupelo"));
    QCOMPARE(box(win.w, "txtShipTo"), QString("Acme Receiving"));
}

void tst_CustomerEntry::saveWithoutNameOrStatusIsRefused_data() {
    QTest::addColumn<QString>("customer");
    QTest::addColumn<bool>("clearName");
    QTest::addColumn<QString>("city");  // what the box still shows after the refusal
    QTest::newRow("name cleared") << "O'Brien Furniture" << true << "Hickory";
    QTest::newRow("stored without status") << "Bare Co" << false << "";
}

void tst_CustomerEntry::saveWithoutNameOrStatusIsRefused() {
    QFETCH(QString, customer);
    QFETCH(bool, clearName);
    QFETCH(QString, city);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    auto *names = child<QComboBox>(win.w, "cmbCustomer");
    pick(names, customer);
    if (clearName) clear(names);
    QCOMPARE(box(win.w, "txtCity"), city);  // clearing the name keeps the fields
    type(child<QLineEdit>(win.w, "txtAddress2"), "changed");

    click(child<QPushButton>(win.w, "btnSave"));
    QCOMPARE(fakes.messages.shown.size(), 1);
    QCOMPARE(fakes.messages.shown[0].kind, QString("tell"));
    QCOMPARE(fakes.messages.shown[0].text, QString("Customer Name and Status are required."));
    QCOMPARE(fakes.messages.shown[0].title, QString("Required Fields"));
    QVERIFY(!win.closed());
    QVERIFY(win.w->isVisible());
    QCOMPARE(db.count("Customer"), 3);
    QCOMPARE(db.count("Customer", "Address2 = 'changed'"), 0);
}

void tst_CustomerEntry::saveCreatesOneRowExactlyAsTyped_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("status");
    QTest::newRow("plain name") << "Zephyr Seating" << "Active";
    QTest::newRow("quote in name, switched to InActive") << "Dan's Sofas" << "InActive";
    QTest::newRow("blanks around the name") << "  Acme Foam  " << "Active";
}

void tst_CustomerEntry::saveCreatesOneRowExactlyAsTyped() {
    QFETCH(QString, name);
    QFETCH(QString, status);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    fakes.clock.set(QDateTime(QDate(2026, 12, 9), QTime(14, 45, 30)));
    Window win;
    type(child<QComboBox>(win.w, "cmbCustomer"), name);
    QCOMPARE(child<QComboBox>(win.w, "cmbStatus")->currentText(), QString("Active"));  // new customer
    // Every box but Address2 gets a value with blanks kept and letter case as typed.
    for (int i = 0; i < kBoxes.size(); ++i)
        if (kColumns[i] != "Address2") type(child<QLineEdit>(win.w, kBoxes[i]), " " + kColumns[i] + " o'k ");
    pick(child<QComboBox>(win.w, "cmbStatus"), status);

    click(child<QPushButton>(win.w, "btnSave"));
    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('|')));
    QVERIFY(win.closed());
    QCOMPARE(db.count("Customer"), 4);  // the stored customers are untouched
    auto rs = row(name);
    QVERIFY(!rs->eof());
    QCOMPARE(rs->text("Customer"), name);
    for (const QString &column : kColumns)
        if (column != "Address2") QCOMPARE(rs->text(column), " " + column + " o'k ");
    QVERIFY(!rs->field("Address2").isNull());  // an empty box stores an empty text
    QCOMPARE(rs->text("Address2"), QString());
    QCOMPARE(rs->text("Status"), status);
    QCOMPARE(rs->field("DateAdded").toDateTime(), fakes.clock.now());
    QVERIFY(rs->field("Terms").isNull());
}

void tst_CustomerEntry::pastedNulIsLeftOutAndNamed() {
    TestDatabase db;
    ScopedFakes fakes;
    Window win;
    type(child<QComboBox>(win.w, "cmbCustomer"), "Nul Foam");
    child<QLineEdit>(win.w, "txtAddress1")->insert(QStringLiteral("1 Main") + QChar(0) + QStringLiteral(" St"));  // pasted
    QCOMPARE(fakes.messages.texts(), QStringList{"Address 1 cannot hold the character NUL; it was left out."});
    pick(child<QComboBox>(win.w, "cmbStatus"), "Active");
    click(child<QPushButton>(win.w, "btnSave"));
    QVERIFY(win.closed());
    QCOMPARE(row("Nul Foam")->text("Address1"), QString("1 Main St"));
}

void tst_CustomerEntry::saveUnderAnExistingNameEditsThatRow() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    type(child<QComboBox>(win.w, "cmbCustomer"), "o'brien FURNITURE");
    type(child<QLineEdit>(win.w, "txtCity"), "Lenoir");
    clear(child<QLineEdit>(win.w, "txtShipToFax"));
    pick(child<QComboBox>(win.w, "cmbStatus"), "Active");

    click(child<QPushButton>(win.w, "btnSave"));
    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('|')));
    QVERIFY(win.closed());
    QCOMPARE(db.count("Customer"), 3);
    auto rs = row("O'Brien Furniture");
    QCOMPARE(rs->text("Customer"), QString("o'brien FURNITURE"));  // the key as typed
    QCOMPARE(rs->text("City"), QString("Lenoir"));
    QCOMPARE(rs->text("ShipToFax"), QString());
    QCOMPARE(rs->text("Status"), QString("Active"));
    QCOMPARE(rs->text("ShipToAddress2"), QString("Gate B"));
    QCOMPARE(rs->field("DateAdded").toDateTime(), QDateTime(QDate(2024, 3, 14), QTime(9, 30)));
    QCOMPARE(rs->text("Terms"), QString("Net 30"));
    QCOMPARE(rs->field("Days").toInt(), 30);
}

// "MÜLLER SCHAUMSTOFF" typed shows the stored "Müller Schaumstoff"; saving edits that row.
void tst_CustomerEntry::nameTypedInCapitalUmlautsEditsTheStoredCustomer() {
    TestDatabase db;
    db.exec("INSERT INTO Customer (Customer, City, Status) VALUES ('Müller Schaumstoff', 'Ulm', 'Active')");
    ScopedFakes fakes;
    Window win;
    type(child<QComboBox>(win.w, "cmbCustomer"), "MÜLLER SCHAUMSTOFF");
    QCOMPARE(box(win.w, "txtCity"), QString("Ulm"));
    type(child<QLineEdit>(win.w, "txtZip"), "89073");
    click(child<QPushButton>(win.w, "btnSave"));
    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('|')));
    QCOMPARE(db.count("Customer"), 1);
    QCOMPARE(row("müller schaumstoff")->text("Zip"), QString("89073"));
}

void tst_CustomerEntry::exitDiscardsEdits() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    pick(child<QComboBox>(win.w, "cmbCustomer"), "Acme Foam");
    type(child<QLineEdit>(win.w, "txtAddress1"), "2 Side St");
    click(child<QPushButton>(win.w, "btnExit"));
    QVERIFY(fakes.messages.shown.isEmpty());
    QVERIFY(win.closed());
    QCOMPARE(row("Acme Foam")->text("Address1"), QString("1 Main St"));
    QCOMPARE(db.count("Customer"), 3);
}

void tst_CustomerEntry::boxesSelectTheirTextOnFocus_data() {
    QTest::addColumn<QString>("name");
    for (const QString &name : kBoxes) QTest::newRow(qPrintable(name)) << name;
}

void tst_CustomerEntry::boxesSelectTheirTextOnFocus() {
    QFETCH(QString, name);
    TestDatabase db;
    ScopedFakes fakes;
    Window win;
    QApplication::setActiveWindow(win.w);
    QVERIFY(QTest::qWaitForWindowActive(win.w));
    auto *target = child<QLineEdit>(win.w, name);
    target->setText("12 Oak Lane");
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
    QCoreApplication::processEvents();
    QVERIFY(target->hasFocus());
    QCOMPARE(target->selectedText(), QString("12 Oak Lane"));
}

QTEST_MAIN(tst_CustomerEntry)
#include "tst_customerentry.moc"
