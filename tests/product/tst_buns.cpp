// The "Bun/Fiber Entry" tab of the Administration window, driven as a clerk would: the
// bun ID typed or picked, the boxes filled, "Save" clicked. The Bun rows are checked.

#include "data/Database.h"
#include "data/SqlText.h"
#include "product/frmStyle.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/OpenWindow.h"
#include "tests/support/UiTest.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

using namespace UiTest;

namespace {

// Two vendors (one inactive) and two buns, one naming a vendor that no longer exists.
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

struct Admin : OpenWindow<frmStyle> {
    QLineEdit *grade() { return child<QLineEdit>(w, "txtBunGrade"); }
    QCheckBox *offAll() { return child<QCheckBox>(w, "chkOffAll"); }
    void save() { click(child<QPushButton>(w, "btnBunSave")); }
};

}  // namespace

class TestBuns : public QObject {
    Q_OBJECT

private slots:
    void newBunIsStoredAndLoadedBack_data();
    void newBunIsStoredAndLoadedBack();
    void existingIdIsFoundWhateverTheCaseAndRewrittenAsTyped_data();
    void existingIdIsFoundWhateverTheCaseAndRewrittenAsTyped();
    void lookupFollowsEveryKeystroke();
    void idAndStatusAreRequired_data();
    void idAndStatusAreRequired();
    void inactiveBunLeavesComponentListAtNextReset();
};

void TestBuns::newBunIsStoredAndLoadedBack_data() {
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("vendor");
    QTest::addColumn<bool>("offAll");
    QTest::addColumn<double>("storedWidth");
    QTest::newRow("plain width") << "52.5" << "Carpenter" << true << 52.5;
    QTest::newRow("thousands separator, inactive vendor") << "1,200" << "Foamex" << false << 1200.0;
    QTest::newRow("empty width, no vendor") << "" << "" << false << 0.0;
    QTest::newRow("width in words") << "wide" << "Carpenter" << false << 0.0;
    QTest::newRow("number then words") << "45 in" << "" << true << 0.0;
}

void TestBuns::newBunIsStoredAndLoadedBack() {
    QFETCH(QString, width);
    QFETCH(QString, vendor);
    QFETCH(bool, offAll);
    QFETCH(double, storedWidth);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    type(a.combo("cmbBunID"), "B-60");
    if (offAll) click(a.offAll());
    if (!width.isEmpty()) type(a.number("txtBunWidth"), width);
    type(a.number("txtBunLength"), "84");
    type(a.grade(), "2240");
    if (!vendor.isEmpty()) pick(a.combo("cmbBunVendor"), vendor);
    pick(a.combo("cmbBunStatus"), "Active");
    a.save();

    QVERIFY(fakes.messages.shown.isEmpty());
    auto rs = bun("B-60");
    QVERIFY(!rs->eof());
    QCOMPARE(rs->text("ID"), QString("B-60"));
    QCOMPARE(rs->field("OffAll").toBool(), offAll);
    QVERIFY(!rs->field("Width").isNull());
    QCOMPARE(rs->field("Width").toDouble(), storedWidth);
    QCOMPARE(rs->field("Length").toDouble(), 84.0);
    QCOMPARE(rs->text("Grade"), QString("2240"));
    QCOMPARE(rs->text("Vendor"), vendor);
    QCOMPARE(rs->text("Status"), QString("Active"));

    // The tab shows its reset state, then the stored bun when it is picked.
    QCOMPARE(a.combo("cmbBunID")->currentText(), QString());
    QVERIFY(!a.offAll()->isChecked());
    QCOMPARE(a.number("txtBunLength")->text(), QString());
    QCOMPARE(a.grade()->text(), QString());
    QCOMPARE(a.combo("cmbBunVendor")->currentIndex(), -1);
    QCOMPARE(a.combo("cmbBunStatus")->currentIndex(), -1);
    pick(a.combo("cmbBunID"), "B-60");
    QCOMPARE(a.offAll()->isChecked(), offAll);
    QCOMPARE(a.number("txtBunLength")->displayText(), QString("84.00"));
    QCOMPARE(a.combo("cmbBunVendor")->currentText(), vendor);
    QCOMPARE(a.combo("cmbBunStatus")->currentText(), QString("Active"));
}

void TestBuns::existingIdIsFoundWhateverTheCaseAndRewrittenAsTyped_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::newRow("letter case") << "B-48" << "b-48";
    QTest::newRow("quote in the ID") << "48' ROLL" << "48' roll";
}

void TestBuns::existingIdIsFoundWhateverTheCaseAndRewrittenAsTyped() {
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    TestDatabase db;
    seed(db);
    db.exec("INSERT INTO Bun (ID, Width, Grade, Vendor, OffAll, Status) VALUES ('48'' ROLL', 48, '1835', "
            "'Carpenter', True, 'Active')");
    ScopedFakes fakes;
    Admin a;
    type(a.combo("cmbBunID"), typed);
    QCOMPARE(a.grade()->text(), QString("1835"));
    QVERIFY(a.offAll()->isChecked());
    click(a.offAll());  // untick
    pick(a.combo("cmbBunStatus"), "Inactive");
    a.save();

    QCOMPARE(db.count("Bun"), 3);
    auto rs = bun(stored);
    QCOMPARE(rs->text("ID"), typed);
    QCOMPARE(rs->text("Status"), QString("Inactive"));
    QCOMPARE(rs->field("OffAll").toBool(), false);
    QCOMPARE(rs->field("Width").toDouble(), 48.0);
    QCOMPARE(rs->text("Vendor"), QString("Carpenter"));
}

void TestBuns::lookupFollowsEveryKeystroke() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    // "B-4" is a bun of its own until the next key makes it "B-48".
    type(a.combo("cmbBunID"), "B-4");
    QCOMPARE(a.grade()->text(), QString("1220"));
    QCOMPARE(a.combo("cmbBunVendor")->currentIndex(), -1);  // its vendor is not in the list
    QTest::keyClicks(a.combo("cmbBunID")->lineEdit(), "8");
    QCOMPARE(a.grade()->text(), QString("1835"));
    QCOMPARE(a.combo("cmbBunVendor")->currentText(), QString("Carpenter"));
    QTest::keyClicks(a.combo("cmbBunID")->lineEdit(), "X");
    QCOMPARE(a.combo("cmbBunID")->currentText(), QString("B-48X"));
    QCOMPARE(a.grade()->text(), QString());
    QCOMPARE(a.number("txtBunWidth")->text(), QString());
    QVERIFY(!a.offAll()->isChecked());
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

void TestBuns::inactiveBunLeavesComponentListAtNextReset() {
    TestDatabase db;
    seed(db);
    db.exec("INSERT INTO Component (ID, Description, BunID, Status) VALUES ('CUSH-1', 'Seat', 'B-48', 'Active')");
    ScopedFakes fakes;
    Admin a;
    QComboBox *componentBuns = a.combo("cmbComponentBun");
    QVERIFY(componentBuns->findText("B-48") >= 0);

    pick(a.combo("cmbBunID"), "B-48");
    pick(a.combo("cmbBunStatus"), "Inactive");
    a.save();

    QCOMPARE(componentBuns->findText("B-48"), -1);
    QVERIFY(componentBuns->findText("B-4") >= 0);
    QVERIFY(a.combo("cmbBunID")->findText("B-48") >= 0);  // this tab lists buns of every status
    QCOMPARE(db.scalar("SELECT BunID FROM Component WHERE ID = 'CUSH-1'").toString(), QString("B-48"));
}

QTEST_MAIN(TestBuns)
#include "tst_buns.moc"
