// Vendor Entry/Edit driven through its controls; the Vendor rows are what is checked.

#include "data/Database.h"
#include "data/SqlText.h"
#include "masterdata/frmVendorEntry.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/OpenWindow.h"
#include "tests/support/UiTest.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace UiTest;

namespace {

const QStringList kBoxes = {"txtAddress1", "txtAddress2", "txtCity", "txtState",
                            "txtZip",      "txtPhone",    "txtFax",  "txtContact"};
const QStringList kColumns = {"Address1", "Address2", "City", "State", "Zip", "Phone", "Fax", "Contact"};

void seed(const TestDatabase &db) {
    db.exec("INSERT INTO Vendor (Vendor, Address1, Address2, City, State, Zip, Phone, Fax, Contact, Status, "
            "DateAdded) VALUES ('Carpenter Co', '5 Foam Way', 'Bldg 2', 'Richmond', 'VA', '23230', "
            "'804-555-0110', '804-555-0111', 'Pat O''Neil', 'Active', #6/1/2022 8:15#)");
    db.exec("INSERT INTO Vendor (Vendor, Status) VALUES ('Blank Supply', NULL)");
}

std::unique_ptr<Recordset> row(const QString &name) {
    return AppDatabase().openRecordset("SELECT * FROM Vendor WHERE Vendor = '" + SqlText::Escaped(name) + "'");
}

QString box(QWidget *w, const QString &name) { return child<QLineEdit>(w, name)->text(); }

using Window = OpenWindow<frmVendorEntry>;

}  // namespace

class tst_VendorEntry : public QObject {
    Q_OBJECT
private slots:
    void opensWithEveryNameInTabOrder();
    void lookUpFillsOrClearsTheForm_data();
    void lookUpFillsOrClearsTheForm();
    void saveCreatesThenEditsOneRow();
    void saveWithoutNameOrStatusIsRefused_data();
    void saveWithoutNameOrStatusIsRefused();
    void exitDiscardsEdits();
    void boxesSelectTheirTextOnFocus_data();
    void boxesSelectTheirTextOnFocus();
};

void tst_VendorEntry::opensWithEveryNameInTabOrder() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    QCOMPARE(win.w->windowTitle(), QString("Vendor Entry/Edit"));
    auto *names = child<QComboBox>(win.w, "cmbVendor");
    QCOMPARE(names->count(), 2);
    QCOMPARE(names->itemText(0), QString("Blank Supply"));
    QCOMPARE(names->itemText(1), QString("Carpenter Co"));
    QCOMPARE(names->currentText(), QString());
    auto *status = child<QComboBox>(win.w, "cmbStatus");
    QCOMPARE(status->currentIndex(), -1);
    QCOMPARE(status->count(), 2);
    QCOMPARE(status->itemText(1), QString("InActive"));

    QApplication::setActiveWindow(win.w);
    QVERIFY(QTest::qWaitForWindowActive(win.w));
    names->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 11; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({"cmbVendor", "txtAddress1", "txtAddress2", "txtCity", "txtState", "txtZip",
                                   "txtPhone", "txtFax", "txtContact", "cmbStatus", "btnSave", "btnExit"}));
}

void tst_VendorEntry::lookUpFillsOrClearsTheForm_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");  // empty: no such vendor, a new form
    QTest::addColumn<QString>("status");
    QTest::newRow("other case") << "CARPENTER co" << "Carpenter Co" << "Active";
    QTest::newRow("nulls show empty") << "Blank Supply" << "Blank Supply" << "";
    QTest::newRow("unknown name with a quote") << "Foamex's" << "" << "Active";
}

void tst_VendorEntry::lookUpFillsOrClearsTheForm() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, status);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    auto *names = child<QComboBox>(win.w, "cmbVendor");
    pick(names, "Carpenter Co");
    type(names, typed);
    for (int i = 0; i < kBoxes.size(); ++i)
        QCOMPARE(box(win.w, kBoxes[i]), stored.isEmpty() ? QString() : row(stored)->text(kColumns[i]));
    QCOMPARE(child<QComboBox>(win.w, "cmbStatus")->currentText(), status);
    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('|')));
}

void tst_VendorEntry::saveCreatesThenEditsOneRow() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    {
        Window win;
        type(child<QComboBox>(win.w, "cmbVendor"), "Foamex's ");
        for (int i = 0; i < kBoxes.size(); ++i) type(child<QLineEdit>(win.w, kBoxes[i]), " " + kColumns[i]);
        click(child<QPushButton>(win.w, "btnSave"));
        QVERIFY(win.closed());
    }
    auto rs = row("Foamex's ");
    QVERIFY(!rs->eof());
    QCOMPARE(rs->text("Vendor"), QString("Foamex's "));
    for (const QString &column : kColumns) QCOMPARE(rs->text(column), " " + column);
    QCOMPARE(rs->text("Status"), QString("Active"));
    QCOMPARE(rs->field("DateAdded").toDateTime(), fakes.clock.now());

    // Opened again later, the same name in other case edits the row; its date stays.
    const QDateTime added = fakes.clock.now();
    fakes.clock.set(added.addDays(3));
    {
        Window win;
        type(child<QComboBox>(win.w, "cmbVendor"), "FOAMEX'S ");
        QCOMPARE(box(win.w, "txtContact"), QString(" Contact"));
        type(child<QLineEdit>(win.w, "txtContact"), "Lee");
        pick(child<QComboBox>(win.w, "cmbStatus"), "InActive");
        click(child<QPushButton>(win.w, "btnSave"));
        QVERIFY(win.closed());
    }
    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('|')));
    QCOMPARE(db.count("Vendor"), 3);
    rs = row("Foamex's ");
    QCOMPARE(rs->text("Vendor"), QString("FOAMEX'S "));
    QCOMPARE(rs->text("Contact"), QString("Lee"));
    QCOMPARE(rs->text("Status"), QString("InActive"));
    QCOMPARE(rs->text("City"), QString(" City"));
    QCOMPARE(rs->field("DateAdded").toDateTime(), added);
}

void tst_VendorEntry::saveWithoutNameOrStatusIsRefused_data() {
    QTest::addColumn<QString>("vendor");
    QTest::addColumn<bool>("clearName");
    QTest::newRow("name cleared") << "Carpenter Co" << true;
    QTest::newRow("stored without status") << "Blank Supply" << false;
}

void tst_VendorEntry::saveWithoutNameOrStatusIsRefused() {
    QFETCH(QString, vendor);
    QFETCH(bool, clearName);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    auto *names = child<QComboBox>(win.w, "cmbVendor");
    pick(names, vendor);
    if (clearName) clear(names);
    type(child<QLineEdit>(win.w, "txtContact"), "changed");
    click(child<QPushButton>(win.w, "btnSave"));
    QCOMPARE(fakes.messages.texts(), QStringList{"Vendor Name and Status are required."});
    QCOMPARE(fakes.messages.shown[0].title, QString("Required Fields"));
    QVERIFY(!win.closed());
    QCOMPARE(db.count("Vendor", "Contact = 'changed'"), 0);
    QCOMPARE(db.count("Vendor"), 2);
}

void tst_VendorEntry::exitDiscardsEdits() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    type(child<QComboBox>(win.w, "cmbVendor"), "Carpenter Co");
    type(child<QLineEdit>(win.w, "txtPhone"), "000");
    click(child<QPushButton>(win.w, "btnExit"));
    QVERIFY(fakes.messages.shown.isEmpty());
    QVERIFY(win.closed());
    QCOMPARE(row("Carpenter Co")->text("Phone"), QString("804-555-0110"));
}

void tst_VendorEntry::boxesSelectTheirTextOnFocus_data() {
    QTest::addColumn<QString>("name");
    for (const QString &name : kBoxes) QTest::newRow(qPrintable(name)) << name;
}

void tst_VendorEntry::boxesSelectTheirTextOnFocus() {
    QFETCH(QString, name);
    TestDatabase db;
    ScopedFakes fakes;
    Window win;
    QApplication::setActiveWindow(win.w);
    QVERIFY(QTest::qWaitForWindowActive(win.w));
    auto *target = child<QLineEdit>(win.w, name);
    target->setText("VA 23230");
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
    QCoreApplication::processEvents();
    QVERIFY(target->hasFocus());
    QCOMPARE(target->selectedText(), QString("VA 23230"));
}

QTEST_MAIN(tst_VendorEntry)
#include "tst_vendorentry.moc"
