// The "Bun/Fiber Entry" tab of the Administration window, driven as a clerk would: the
// bun ID typed or picked, the boxes filled, "Save" clicked. The Bun rows are checked.

#include "app/Database.h"
#include "app/NumberBox.h"
#include "data/SqlText.h"
#include "product/frmStyle.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/UiTest.h"

#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace UiTest;

namespace {

void seed(const TestDatabase &db) {
    db.exec("INSERT INTO Vendor (Vendor, Status) VALUES ('Carpenter', 'Active')");
    db.exec("INSERT INTO Vendor (Vendor, Status) VALUES ('Foamex', 'InActive')");
    db.exec("INSERT INTO Bun (ID, Width, Length, Grade, Vendor, OffAll, Status) "
            "VALUES ('B-48', 48, 96, '1835', 'Carpenter', True, 'Active')");
    db.exec("INSERT INTO Bun (ID, Width, Length, Grade, Vendor, OffAll, Status) "
            "VALUES ('B-4', 40, 80, '1220', 'Gone Vendor', False, 'Active')");
}

std::unique_ptr<Recordset> bun(const QString &id) {
    return AppDatabase().openRecordset("SELECT * FROM Bun WHERE ID = '" + SqlText::Escaped(id) + "'");
}

struct Admin {
    QPointer<frmStyle> w = new frmStyle;
    Admin() { show(w); }
    ~Admin() { delete w; }
    QComboBox *combo(const char *name) { return child<QComboBox>(w, name); }
    NumberBox *number(const char *name) { return child<NumberBox>(w, name); }
    QLineEdit *line(const char *name) { return child<QLineEdit>(w, name); }
    QCheckBox *offAll() { return child<QCheckBox>(w, "chkOffAll"); }
    void save() { click(child<QPushButton>(w, "btnBunSave")); }

    // Types a new bun with its sizes and picks its status; the vendor only when given.
    void enterBun(const QString &id, const QString &width, const QString &length, const QString &vendor) {
        type(combo("cmbBunID"), id);
        if (!width.isEmpty()) type(number("txtBunWidth"), width);
        if (!length.isEmpty()) type(number("txtBunLength"), length);
        type(line("txtBunGrade"), "2240");
        if (!vendor.isEmpty()) pick(combo("cmbBunVendor"), vendor);
        pick(combo("cmbBunStatus"), "Active");
    }
};

}  // namespace

class TestBuns : public QObject {
    Q_OBJECT

private slots:
    void sizesStoreTheirNumberOrZero_data();
    void sizesStoreTheirNumberOrZero();
    void newBunStoresEveryColumn();
    void bunWithoutVendorStoresEmptyAndLoadsUnselected();
    void lookupIgnoresCaseAndSaveRewritesTheKeyAsTyped();
    void lookupShowsStoredBunThenClearsForNewId();
    void idAndStatusAreRequired_data();
    void idAndStatusAreRequired();
    void idWithQuoteIsSavedAndFound();
    void inactiveBunLeavesComponentListAtNextReset();
    void tabShowsResetStateAfterSave();
};

void TestBuns::sizesStoreTheirNumberOrZero_data() {
    QTest::addColumn<QString>("width");
    QTest::addColumn<double>("stored");
    QTest::newRow("plain") << "52.5" << 52.5;
    QTest::newRow("thousands separator") << "1,200" << 1200.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("not a number") << "wide" << 0.0;
    QTest::newRow("number then words") << "45 in" << 0.0;
}

void TestBuns::sizesStoreTheirNumberOrZero() {
    QFETCH(QString, width);
    QFETCH(double, stored);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    a.enterBun("B-60", width, "84", "Carpenter");
    a.save();

    QVERIFY(fakes.messages.shown.isEmpty());
    auto rs = bun("B-60");
    QVERIFY(!rs->eof());
    QVERIFY(!rs->field("Width").isNull());
    QCOMPARE(rs->field("Width").toDouble(), stored);
    QCOMPARE(rs->field("Length").toDouble(), 84.0);
}

void TestBuns::newBunStoresEveryColumn() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    a.enterBun("FIB-1", "60", "1,000", "Foamex");  // an inactive vendor is still offered
    click(a.offAll());
    a.save();

    auto rs = bun("FIB-1");
    QVERIFY(!rs->eof());
    QCOMPARE(rs->text("ID"), QString("FIB-1"));
    QCOMPARE(rs->field("OffAll").toBool(), true);
    QCOMPARE(rs->field("Width").toDouble(), 60.0);
    QCOMPARE(rs->field("Length").toDouble(), 1000.0);
    QCOMPARE(rs->text("Grade"), QString("2240"));
    QCOMPARE(rs->text("Vendor"), QString("Foamex"));
    QCOMPARE(rs->text("Status"), QString("Active"));

    // Loaded again, the tab shows it as stored.
    pick(a.combo("cmbBunID"), "FIB-1");
    QVERIFY(a.offAll()->isChecked());
    QCOMPARE(a.number("txtBunLength")->text(), QString("1000"));
    QCOMPARE(a.number("txtBunLength")->displayText(), QString("1,000.00"));
    QCOMPARE(a.combo("cmbBunVendor")->currentText(), QString("Foamex"));
}

void TestBuns::bunWithoutVendorStoresEmptyAndLoadsUnselected() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    a.enterBun("B-72", "72", "96", QString());
    a.save();

    QCOMPARE(bun("B-72")->text("Vendor"), QString());
    pick(a.combo("cmbBunID"), "B-72");
    QCOMPARE(a.line("txtBunGrade")->text(), QString("2240"));
    QCOMPARE(a.combo("cmbBunVendor")->currentIndex(), -1);
    QVERIFY(!a.offAll()->isChecked());
}

void TestBuns::lookupIgnoresCaseAndSaveRewritesTheKeyAsTyped() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    type(a.combo("cmbBunID"), "b-48");
    QCOMPARE(a.line("txtBunGrade")->text(), QString("1835"));
    QVERIFY(a.offAll()->isChecked());
    QCOMPARE(a.combo("cmbBunStatus")->currentText(), QString("Active"));
    click(a.offAll());  // untick
    pick(a.combo("cmbBunStatus"), "Inactive");
    a.save();

    QCOMPARE(db.count("Bun", "ID = 'B-48'"), 1);
    QCOMPARE(db.count("Bun"), 2);
    auto rs = bun("B-48");
    QCOMPARE(rs->text("ID"), QString("b-48"));
    QCOMPARE(rs->text("Status"), QString("Inactive"));
    QCOMPARE(rs->field("OffAll").toBool(), false);
    QCOMPARE(rs->field("Width").toDouble(), 48.0);
    QCOMPARE(rs->text("Vendor"), QString("Carpenter"));
}

void TestBuns::lookupShowsStoredBunThenClearsForNewId() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    // "B-4" is a bun of its own until the next key makes it "B-48".
    type(a.combo("cmbBunID"), "B-4");
    QCOMPARE(a.line("txtBunGrade")->text(), QString("1220"));
    // Its vendor is not in the vendor list: no vendor is shown selected.
    QCOMPARE(a.combo("cmbBunVendor")->currentIndex(), -1);
    QTest::keyClicks(a.combo("cmbBunID")->lineEdit(), "8");
    QCOMPARE(a.line("txtBunGrade")->text(), QString("1835"));
    QCOMPARE(a.combo("cmbBunVendor")->currentText(), QString("Carpenter"));
    QTest::keyClicks(a.combo("cmbBunID")->lineEdit(), "X");
    QCOMPARE(a.combo("cmbBunID")->currentText(), QString("B-48X"));
    QCOMPARE(a.line("txtBunGrade")->text(), QString());
    QCOMPARE(a.number("txtBunWidth")->text(), QString());
    QVERIFY(!a.offAll()->isChecked());
    QCOMPARE(a.combo("cmbBunVendor")->currentIndex(), -1);
    QCOMPARE(a.combo("cmbBunStatus")->currentIndex(), -1);
}

void TestBuns::idAndStatusAreRequired_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("pickStatus");
    QTest::newRow("no ID") << QString() << true;
    QTest::newRow("no status") << "B-90" << false;
}

void TestBuns::idAndStatusAreRequired() {
    QFETCH(QString, id);
    QFETCH(bool, pickStatus);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    if (!id.isEmpty()) type(a.combo("cmbBunID"), id);
    type(a.number("txtBunWidth"), "90");
    if (pickStatus) pick(a.combo("cmbBunStatus"), "Active");
    a.save();

    QCOMPARE(fakes.messages.shown.size(), 1);
    QCOMPARE(fakes.messages.shown[0].text, QString("You must enter an ID and Status for the Bun."));
    QCOMPARE(fakes.messages.shown[0].title, QString("Invalid Information"));
    QCOMPARE(db.count("Bun"), 2);
}

void TestBuns::idWithQuoteIsSavedAndFound() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    a.enterBun("48' ROLL", "48", "600", "Carpenter");
    a.save();
    QVERIFY(fakes.messages.shown.isEmpty());
    QCOMPARE(db.count("Bun", "ID = '48'' ROLL'"), 1);
    type(a.combo("cmbBunID"), "48' roll");
    QCOMPARE(a.number("txtBunLength")->text(), QString("600"));
}

void TestBuns::inactiveBunLeavesComponentListAtNextReset() {
    TestDatabase db;
    seed(db);
    db.exec("INSERT INTO Component (ID, Description, CutStyle, Test, PrintOnShipping, Arm, BunID, Status) "
            "VALUES ('CUSH-1', 'Seat cushion', 'Straight Cut', False, False, False, 'B-48', 'Active')");
    ScopedFakes fakes;
    Admin a;
    QComboBox *componentBuns = a.combo("cmbComponentBun");
    QVERIFY(componentBuns->findText("B-48") >= 0);

    pick(a.combo("cmbBunID"), "B-48");
    pick(a.combo("cmbBunStatus"), "Inactive");
    a.save();

    QCOMPARE(componentBuns->findText("B-48"), -1);
    QVERIFY(componentBuns->findText("B-4") >= 0);
    // The bun list of this tab still offers it, and the component still names it.
    QVERIFY(a.combo("cmbBunID")->findText("B-48") >= 0);
    QCOMPARE(db.scalar("SELECT BunID FROM Component WHERE ID = 'CUSH-1'").toString(), QString("B-48"));
}

void TestBuns::tabShowsResetStateAfterSave() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    a.enterBun("B-60", "60", "84", "Carpenter");
    click(a.offAll());
    a.save();

    QCOMPARE(a.combo("cmbBunID")->currentText(), QString());
    QCOMPARE(a.combo("cmbBunID")->currentIndex(), -1);
    QVERIFY(a.combo("cmbBunID")->findText("B-60") >= 0);
    QVERIFY(!a.offAll()->isChecked());
    QCOMPARE(a.number("txtBunWidth")->text(), QString());
    QCOMPARE(a.number("txtBunLength")->text(), QString());
    QCOMPARE(a.line("txtBunGrade")->text(), QString());
    QCOMPARE(a.combo("cmbBunVendor")->currentIndex(), -1);
    QCOMPARE(a.combo("cmbBunVendor")->count(), 2);
    QCOMPARE(a.combo("cmbBunStatus")->currentIndex(), -1);
    QCOMPARE(a.combo("cmbBunStatus")->count(), 2);
}

QTEST_MAIN(TestBuns)
#include "tst_buns.moc"
