// The "Component Entry" tab and the Component frame of the Administration window,
// driven as a clerk would: IDs typed or picked, lists picked, "Save", "New" and "Delete"
// clicked. The Component and StyleComponent rows are what is checked.

#include "app/Database.h"
#include "app/NumberBox.h"
#include "data/SqlText.h"
#include "product/frmStyle.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/UiTest.h"

#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace UiTest;

namespace {

const QString kRequired =
    QStringLiteral("You must enter an ID,Description,Test,Print Info,Arm Info, and Status for the Component.");

// Two buns (one inactive), two styles of different customers and a few components.
void seed(const TestDatabase &db) {
    db.exec("INSERT INTO Bun (ID, Width, Length, Grade, Vendor, OffAll, Status) "
            "VALUES ('B-48', 48, 96, '1835', 'Carpenter', False, 'Active')");
    db.exec("INSERT INTO Bun (ID, Width, Length, Grade, Vendor, OffAll, Status) "
            "VALUES ('B-OLD', 40, 80, '1220', 'Carpenter', False, 'Inactive')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) "
            "VALUES ('Acme Foam', 'Sofa 3', 'Seat', 10, 20, 'Active')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) "
            "VALUES ('Bay Seating', 'Arm Pad', 'Pad', 4, 9, 'Active')");
    db.exec("INSERT INTO Component (ID, Description, Thickness, Width, Length, CutStyle, Test, TestRange, "
            "Topped, PrintOnShipping, Arm, Tie, BunID, RailsPerBun, PiecesPerRail, Status) VALUES "
            "('CUSH-1', 'Seat cushion', 5, 22, 24, 'Straight Cut', True, '28-32', 'Dacron', True, False, True, "
            "'B-48', 4, 6, 'Active')");
    db.exec("INSERT INTO Component (ID, Description, CutStyle, Test, PrintOnShipping, Arm, Status) "
            "VALUES ('ARM-2', 'Arm wrap', 'Pattern Cut', False, False, True, 'Active')");
}

qint64 styleId(const TestDatabase &db, const QString &name) {
    return db.scalar("SELECT ID FROM Style WHERE Name = '" + SqlText::Escaped(name) + "'").toLongLong();
}

std::unique_ptr<Recordset> component(const QString &id) {
    return AppDatabase().openRecordset("SELECT * FROM Component WHERE ID = '" + SqlText::Escaped(id) + "'");
}

// The Administration window, opened as the menu opens it; deleted at the end of the test.
struct Admin {
    QPointer<frmStyle> w = new frmStyle;
    Admin() { show(w); }
    ~Admin() { delete w; }
    QComboBox *combo(const char *name) { return child<QComboBox>(w, name); }
    QLineEdit *line(const char *name) { return child<QLineEdit>(w, name); }
    NumberBox *number(const char *name) { return child<NumberBox>(w, name); }
    void press(const char *name) { click(child<QPushButton>(w, name)); }

    // Fills the component tab with every field of a complete component.
    void fillComponent(const QString &id) {
        type(combo("cmbComponentID"), id);
        type(line("txtComponentDescription"), "Back cushion");
        type(number("txtComponentThickness"), "4.5");
        type(number("txtComponentWidth"), "20");
        type(number("txtComponentLength"), "1,200");
        pick(combo("cmbCutStyle"), "Pattern Cut");
        pick(combo("cmbTest"), "Yes");
        type(line("txtTestRange"), "30-34");
        type(line("txtComponentTopped"), "Fiber");
        pick(combo("cmbPrintShipping"), "No");
        pick(combo("cmbArm"), "Yes");
        pick(combo("cmbTie"), "Yes");
        pick(combo("cmbComponentBun"), "B-48");
        type(number("txtRailsPerBun"), "3");
        type(number("txtPiecesPerRail"), "12");
        pick(combo("cmbComponentStatus"), "Active");
    }
    // The link frame: style and component picked in the given order, quantity typed.
    void pickLink(const QString &style, const QString &componentEntry) {
        pick(combo("cmbStyle"), style);
        pick(combo("cmbComponent"), componentEntry);
    }
};

}  // namespace

class TestComponents : public QObject {
    Q_OBJECT

private slots:
    void newComponentStoresEverySixteenColumns();
    void optionalFieldsAreStoredAndLoadedBack_data();
    void optionalFieldsAreStoredAndLoadedBack();
    void requiredFieldsRefuseTheSave_data();
    void requiredFieldsRefuseTheSave();
    void nonNumericDimensionRefusesTheSave_data();
    void nonNumericDimensionRefusesTheSave();
    void lookupIgnoresCaseAndSaveRewritesTheKeyAsTyped();
    void lookupFollowsEveryKeystroke();
    void idWithQuoteIsSavedAndFound();
    void onlyActiveBunsAreOffered();
    void storedValuesOutsideTheListsShowNoSelection();
    void tabShowsResetStateAfterSave();

    void linkSaveAppendsThenUpdatesTheSamePair();
    void linkLookupDependsOnPickOrder();
    void linkSaveRefusesIncompleteOrNonNumericQuantity_data();
    void linkSaveRefusesIncompleteOrNonNumericQuantity();
    void loadedLinkIsEditedEvenAfterOtherPicks();
    void linkDeleteAsksAndRemovesOperationsFirst();
    void deleteWithoutLoadedLinkDoesNothing();
};

void TestComponents::newComponentStoresEverySixteenColumns() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    a.fillComponent("BACK-7");
    a.press("btnComponentSave");

    QVERIFY(fakes.messages.shown.isEmpty());
    auto rs = component("BACK-7");
    QVERIFY(!rs->eof());
    QCOMPARE(rs->text("ID"), QString("BACK-7"));
    QCOMPARE(rs->text("Description"), QString("Back cushion"));
    QCOMPARE(rs->field("Thickness").toDouble(), 4.5);
    QCOMPARE(rs->field("Width").toDouble(), 20.0);
    QCOMPARE(rs->field("Length").toDouble(), 1200.0);
    QCOMPARE(rs->text("CutStyle"), QString("Pattern Cut"));
    QCOMPARE(rs->field("Test").toBool(), true);
    QCOMPARE(rs->text("TestRange"), QString("30-34"));
    QCOMPARE(rs->text("Topped"), QString("Fiber"));
    QCOMPARE(rs->field("PrintOnShipping").toBool(), false);
    QCOMPARE(rs->field("Arm").toBool(), true);
    QCOMPARE(rs->field("Tie").toBool(), true);
    QCOMPARE(rs->text("BunID"), QString("B-48"));
    QCOMPARE(rs->field("RailsPerBun").toDouble(), 3.0);
    QCOMPARE(rs->field("PiecesPerRail").toDouble(), 12.0);
    QCOMPARE(rs->text("Status"), QString("Active"));
    // The new component is offered at once in the ID list and in the link frame.
    QVERIFY(a.combo("cmbComponentID")->findText("BACK-7") >= 0);
    QVERIFY(a.combo("cmbComponent")->findText("BACK-7-Back cushion") >= 0);
}

void TestComponents::optionalFieldsAreStoredAndLoadedBack_data() {
    QTest::addColumn<bool>("pickTie");
    QTest::addColumn<bool>("pickBun");
    QTest::addColumn<QString>("rails");
    QTest::addColumn<QString>("thickness");
    QTest::addColumn<bool>("storedTie");
    QTest::addColumn<QString>("storedBun");
    QTest::addColumn<double>("storedRails");
    QTest::addColumn<double>("storedThickness");
    QTest::addColumn<QString>("shownTie");
    QTest::addColumn<int>("shownBunIndex");

    QTest::newRow("no tie, no bun") << false << false << "2" << "3" << false << "" << 2.0 << 3.0 << "No" << -1;
    QTest::newRow("rails without digits") << true << true << "abc" << "3" << true << "B-48" << 0.0 << 3.0 << "Yes" << 0;
    QTest::newRow("rails read from leading digits") << true << true << " 2 4x" << "3" << true << "B-48" << 24.0 << 3.0
                                                    << "Yes" << 0;
    QTest::newRow("empty rails and empty thickness") << false << true << "" << "" << false << "B-48" << 0.0 << 0.0
                                                     << "No" << 0;
}

void TestComponents::optionalFieldsAreStoredAndLoadedBack() {
    QFETCH(bool, pickTie);
    QFETCH(bool, pickBun);
    QFETCH(QString, rails);
    QFETCH(QString, thickness);
    QFETCH(bool, storedTie);
    QFETCH(QString, storedBun);
    QFETCH(double, storedRails);
    QFETCH(double, storedThickness);
    QFETCH(QString, shownTie);
    QFETCH(int, shownBunIndex);

    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    type(a.combo("cmbComponentID"), "NEW-1");
    type(a.line("txtComponentDescription"), "Filler");
    if (!thickness.isEmpty()) type(a.number("txtComponentThickness"), thickness);
    pick(a.combo("cmbCutStyle"), "Straight Cut");
    pick(a.combo("cmbTest"), "No");
    pick(a.combo("cmbPrintShipping"), "Yes");
    pick(a.combo("cmbArm"), "No");
    if (pickTie) pick(a.combo("cmbTie"), "Yes");
    if (pickBun) pick(a.combo("cmbComponentBun"), "B-48");
    clear(a.number("txtRailsPerBun"));
    if (!rails.isEmpty()) type(a.number("txtRailsPerBun"), rails);
    pick(a.combo("cmbComponentStatus"), "Active");
    a.press("btnComponentSave");

    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('|')));
    auto rs = component("NEW-1");
    QVERIFY(!rs->eof());
    QCOMPARE(rs->field("Tie").toBool(), storedTie);
    QVERIFY(!rs->field("Tie").isNull());
    QCOMPARE(rs->text("BunID"), storedBun);
    QCOMPARE(rs->field("RailsPerBun").toDouble(), storedRails);
    QCOMPARE(rs->field("Thickness").toDouble(), storedThickness);

    // Loading it again shows what was stored.
    pick(a.combo("cmbComponentID"), "NEW-1");
    QCOMPARE(a.combo("cmbTie")->currentText(), shownTie);
    QCOMPARE(a.combo("cmbComponentBun")->currentIndex(), shownBunIndex);
    QCOMPARE(a.number("txtRailsPerBun")->text().toDouble(), storedRails);
}

void TestComponents::requiredFieldsRefuseTheSave_data() {
    QTest::addColumn<QString>("leftOut");
    for (const char *field : {"cmbComponentID", "txtComponentDescription", "cmbCutStyle", "cmbTest",
                              "cmbPrintShipping", "cmbArm", "cmbComponentStatus"})
        QTest::newRow(field) << QString(field);
}

void TestComponents::requiredFieldsRefuseTheSave() {
    QFETCH(QString, leftOut);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    a.fillComponent("BACK-7");
    if (leftOut == "cmbComponentID" || leftOut == "txtComponentDescription")
        clear(child<QWidget>(a.w, leftOut));
    else
        a.combo(qPrintable(leftOut))->setCurrentIndex(-1);
    const int before = db.count("Component");
    a.press("btnComponentSave");

    QCOMPARE(fakes.messages.shown.size(), 1);
    QCOMPARE(fakes.messages.shown[0].text, kRequired);
    QCOMPARE(fakes.messages.shown[0].title, QString("Invalid Information"));
    QCOMPARE(db.count("Component"), before);
}

void TestComponents::nonNumericDimensionRefusesTheSave_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("message");
    QTest::newRow("thickness") << "txtComponentThickness" << "Thickness must be a number.";
    QTest::newRow("width") << "txtComponentWidth" << "Width must be a number.";
    QTest::newRow("length") << "txtComponentLength" << "Length must be a number.";
}

void TestComponents::nonNumericDimensionRefusesTheSave() {
    QFETCH(QString, box);
    QFETCH(QString, message);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    a.fillComponent("BACK-7");
    type(a.number(qPrintable(box)), "4 in");
    a.press("btnComponentSave");

    QCOMPARE(fakes.messages.shown.size(), 1);
    QCOMPARE(fakes.messages.shown[0].text, message);
    QCOMPARE(fakes.messages.shown[0].title, QString("Invalid Information"));
    QCOMPARE(db.count("Component", "ID = 'BACK-7'"), 0);
    // Nothing the clerk typed is lost: the tab still holds the component.
    QCOMPARE(a.combo("cmbComponentID")->currentText(), QString("BACK-7"));
    QCOMPARE(a.line("txtComponentDescription")->text(), QString("Back cushion"));
}

void TestComponents::lookupIgnoresCaseAndSaveRewritesTheKeyAsTyped() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    type(a.combo("cmbComponentID"), "cush-1");
    QCOMPARE(a.line("txtComponentDescription")->text(), QString("Seat cushion"));
    QCOMPARE(a.combo("cmbComponentBun")->currentText(), QString("B-48"));
    QCOMPARE(a.combo("cmbTest")->currentText(), QString("Yes"));
    QCOMPARE(a.combo("cmbArm")->currentText(), QString("No"));
    QCOMPARE(a.number("txtPiecesPerRail")->text(), QString("6"));

    type(a.line("txtComponentDescription"), "Seat cushion, firm");
    a.press("btnComponentSave");

    QCOMPARE(db.count("Component", "ID = 'CUSH-1'"), 1);
    auto rs = component("CUSH-1");
    QCOMPARE(rs->text("ID"), QString("cush-1"));
    QCOMPARE(rs->text("Description"), QString("Seat cushion, firm"));
    QCOMPARE(rs->text("TestRange"), QString("28-32"));  // the other columns keep what the tab showed
    QCOMPARE(rs->field("Tie").toBool(), true);
    QCOMPARE(db.count("Component"), 2);
}

void TestComponents::lookupFollowsEveryKeystroke() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    type(a.combo("cmbComponentID"), "ARM-2");
    QCOMPARE(a.line("txtComponentDescription")->text(), QString("Arm wrap"));
    QCOMPARE(a.combo("cmbCutStyle")->currentText(), QString("Pattern Cut"));
    // One more key makes a new ID: the tab is cleared and the ID stays as typed.
    QTest::keyClicks(a.combo("cmbComponentID")->lineEdit(), "B");
    QCOMPARE(a.combo("cmbComponentID")->currentText(), QString("ARM-2B"));
    QCOMPARE(a.line("txtComponentDescription")->text(), QString());
    QCOMPARE(a.combo("cmbCutStyle")->currentIndex(), -1);
    QCOMPARE(a.combo("cmbArm")->currentIndex(), -1);
    QCOMPARE(a.number("txtRailsPerBun")->text(), QString("0"));
}

void TestComponents::idWithQuoteIsSavedAndFound() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    a.fillComponent("O'NEIL 6\"");
    a.press("btnComponentSave");
    QVERIFY(fakes.messages.shown.isEmpty());
    QCOMPARE(db.count("Component", "ID = 'O''NEIL 6\"'"), 1);

    type(a.combo("cmbComponentID"), "o'neil 6\"");
    QCOMPARE(a.line("txtComponentDescription")->text(), QString("Back cushion"));
}

void TestComponents::onlyActiveBunsAreOffered() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    QComboBox *buns = a.combo("cmbComponentBun");
    QCOMPARE(buns->count(), 1);
    QCOMPARE(buns->itemText(0), QString("B-48"));
}

void TestComponents::storedValuesOutsideTheListsShowNoSelection() {
    TestDatabase db;
    seed(db);
    db.exec("INSERT INTO Component (ID, Description, CutStyle, Test, PrintOnShipping, Arm, BunID, Status) "
            "VALUES ('ODD-1', 'Odd one', 'Laser', True, True, True, 'B-OLD', 'Obsolete')");
    ScopedFakes fakes;
    Admin a;
    pick(a.combo("cmbComponentID"), "ODD-1");
    QCOMPARE(a.line("txtComponentDescription")->text(), QString("Odd one"));
    QCOMPARE(a.combo("cmbCutStyle")->currentIndex(), -1);
    QCOMPARE(a.combo("cmbComponentBun")->currentIndex(), -1);
    QCOMPARE(a.combo("cmbComponentStatus")->currentIndex(), -1);
    QCOMPARE(a.combo("cmbTie")->currentText(), QString("No"));  // a null flag reads as No
}

void TestComponents::tabShowsResetStateAfterSave() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    a.fillComponent("BACK-7");
    a.press("btnComponentSave");

    QCOMPARE(a.combo("cmbComponentID")->currentText(), QString());
    QCOMPARE(a.combo("cmbComponentID")->currentIndex(), -1);
    for (const char *box : {"txtComponentDescription", "txtTestRange", "txtComponentTopped"})
        QCOMPARE(a.line(box)->text(), QString());
    for (const char *box : {"txtComponentThickness", "txtComponentWidth", "txtComponentLength"})
        QCOMPARE(a.number(box)->text(), QString());
    QCOMPARE(a.number("txtRailsPerBun")->text(), QString("0"));
    QCOMPARE(a.number("txtPiecesPerRail")->text(), QString("0"));
    for (const char *list : {"cmbCutStyle", "cmbTest", "cmbPrintShipping", "cmbArm", "cmbTie", "cmbComponentBun",
                             "cmbComponentStatus"}) {
        QCOMPARE(a.combo(list)->currentIndex(), -1);
        QVERIFY(a.combo(list)->count() > 0);
    }
    QCOMPARE(a.combo("cmbTest")->itemText(0), QString("Yes"));
    QCOMPARE(a.combo("cmbComponentStatus")->itemText(1), QString("Inactive"));
    QCOMPARE(a.combo("cmbCutStyle")->itemText(0), QString("Straight Cut"));
}

void TestComponents::linkSaveAppendsThenUpdatesTheSamePair() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    a.pickLink("Sofa 3-Seat", "CUSH-1-Seat cushion");
    QCOMPARE(a.line("txtStyleComponentID")->text(), QString());
    type(a.line("txtQty"), "2");
    a.press("cmbComponentSave2");
    QCOMPARE(db.count("StyleComponent"), 1);
    const qint64 sofa = styleId(db, "Sofa 3");
    QCOMPARE(db.scalar("SELECT Qty FROM StyleComponent WHERE StyleID = " + QString::number(sofa) +
                       " AND ComponentID = 'CUSH-1'")
                 .toDouble(),
             2.0);
    // After the save the frame shows its reset state.
    QCOMPARE(a.combo("cmbStyle")->currentIndex(), -1);
    QCOMPARE(a.combo("cmbComponent")->currentIndex(), -1);
    QCOMPARE(a.line("txtQty")->text(), QString());
    QCOMPARE(a.line("txtStyleComponentID")->text(), QString());

    // The same pair again, with no link loaded (the component picked first, so the lookup
    // finds nothing), updates the link instead of adding a second one.
    pick(a.combo("cmbComponent"), "CUSH-1-Seat cushion");
    pick(a.combo("cmbStyle"), "Sofa 3-Seat");
    QCOMPARE(a.line("txtStyleComponentID")->text(), QString());
    type(a.line("txtQty"), "5");
    a.press("cmbComponentSave2");
    QCOMPARE(db.count("StyleComponent"), 1);
    QCOMPARE(db.scalar("SELECT Qty FROM StyleComponent").toDouble(), 5.0);
    QVERIFY(fakes.messages.shown.isEmpty());
}

void TestComponents::linkLookupDependsOnPickOrder() {
    TestDatabase db;
    seed(db);
    const qint64 sofa = styleId(db, "Sofa 3");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (" + QString::number(sofa) +
            ", 'CUSH-1', 3)");
    const QString linkId = db.scalar("SELECT ID FROM StyleComponent").toString();
    ScopedFakes fakes;
    Admin a;

    // Component first: nothing is looked up, and picking the style afterwards loads nothing.
    pick(a.combo("cmbComponent"), "CUSH-1-Seat cushion");
    type(a.line("txtQty"), "9");
    pick(a.combo("cmbStyle"), "Sofa 3-Seat");
    QCOMPARE(a.line("txtStyleComponentID")->text(), QString());
    QCOMPARE(a.line("txtQty")->text(), QString("9"));

    // Style first: the link is found.
    a.press("btnComponentNew");
    QCOMPARE(a.line("txtQty")->text(), QString());
    a.pickLink("Sofa 3-Seat", "CUSH-1-Seat cushion");
    QCOMPARE(a.line("txtStyleComponentID")->text(), linkId);
    QCOMPARE(a.line("txtQty")->text(), QString("3"));

    // Another component of the same style that has no link unloads it.
    pick(a.combo("cmbComponent"), "ARM-2-Arm wrap");
    QCOMPARE(a.line("txtStyleComponentID")->text(), QString());
    QCOMPARE(a.line("txtQty")->text(), QString());
}

void TestComponents::linkSaveRefusesIncompleteOrNonNumericQuantity_data() {
    QTest::addColumn<bool>("pickStyle");
    QTest::addColumn<bool>("pickComponent");
    QTest::addColumn<QString>("qty");
    QTest::addColumn<QString>("message");
    QTest::newRow("no style") << false << true << "2" << "Not enouth information.";
    QTest::newRow("no component") << true << false << "2" << "Not enouth information.";
    QTest::newRow("no quantity") << true << true << "" << "Not enouth information.";
    QTest::newRow("quantity not a number") << true << true << "two" << "Qty must be a number.";
}

void TestComponents::linkSaveRefusesIncompleteOrNonNumericQuantity() {
    QFETCH(bool, pickStyle);
    QFETCH(bool, pickComponent);
    QFETCH(QString, qty);
    QFETCH(QString, message);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    if (pickStyle) pick(a.combo("cmbStyle"), "Arm Pad-Pad");
    if (pickComponent) pick(a.combo("cmbComponent"), "ARM-2-Arm wrap");
    if (!qty.isEmpty()) type(a.line("txtQty"), qty);
    a.press("cmbComponentSave2");

    QCOMPARE(fakes.messages.shown.size(), 1);
    QCOMPARE(fakes.messages.shown[0].text, message);
    QCOMPARE(fakes.messages.shown[0].title, QString("Invalid Information"));
    QCOMPARE(db.count("StyleComponent"), 0);
}

void TestComponents::loadedLinkIsEditedEvenAfterOtherPicks() {
    TestDatabase db;
    seed(db);
    const qint64 sofa = styleId(db, "Sofa 3");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (" + QString::number(sofa) +
            ", 'CUSH-1', 3)");
    const qint64 linkId = db.scalar("SELECT ID FROM StyleComponent").toLongLong();
    ScopedFakes fakes;
    Admin a;
    a.pickLink("Sofa 3-Seat", "CUSH-1-Seat cushion");
    QCOMPARE(a.line("txtStyleComponentID")->text().toLongLong(), linkId);
    // Picking another style keeps the link loaded (the style pick looks nothing up).
    pick(a.combo("cmbStyle"), "Arm Pad-Pad");
    type(a.line("txtQty"), "4");
    a.press("cmbComponentSave2");

    QCOMPARE(db.count("StyleComponent"), 1);
    auto rs = AppDatabase().openRecordset("SELECT * FROM StyleComponent WHERE ID = " + QString::number(linkId));
    QVERIFY(!rs->eof());
    QCOMPARE(rs->field("StyleID").toLongLong(), styleId(db, "Arm Pad"));
    QCOMPARE(rs->text("ComponentID"), QString("CUSH-1"));
    QCOMPARE(rs->field("Qty").toDouble(), 4.0);
}

void TestComponents::linkDeleteAsksAndRemovesOperationsFirst() {
    TestDatabase db;
    seed(db);
    const QString sofa = QString::number(styleId(db, "Sofa 3"));
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (" + sofa + ", 'CUSH-1', 3)");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (" + sofa + ", 'ARM-2', 2)");
    const QString cush = db.scalar("SELECT ID FROM StyleComponent WHERE ComponentID = 'CUSH-1'").toString();
    const QString arm = db.scalar("SELECT ID FROM StyleComponent WHERE ComponentID = 'ARM-2'").toString();
    for (const QString &station : {QString("Saw"), QString("Glue")})
        db.exec("INSERT INTO StyleOperation (StyleID, ComponentID, OperationID) VALUES (" + sofa + ", " + cush +
                ", '" + station + "')");
    db.exec("INSERT INTO StyleOperation (StyleID, ComponentID, OperationID) VALUES (" + sofa + ", " + arm +
            ", 'Saw')");
    ScopedFakes fakes;
    Admin a;

    // "No" keeps everything.
    a.pickLink("Sofa 3-Seat", "CUSH-1-Seat cushion");
    fakes.messages.answers.enqueue(false);
    a.press("btnDeleteComponent");
    QCOMPARE(fakes.messages.shown.size(), 1);
    QCOMPARE(fakes.messages.shown[0].kind, QString("ask"));
    QCOMPARE(fakes.messages.shown[0].text, QString("Are you sure you want to delete the selected Component?"));
    QCOMPARE(fakes.messages.shown[0].title, QString("Delete Confirmation"));
    QCOMPARE(db.count("StyleComponent"), 2);
    QCOMPARE(db.count("StyleOperation"), 3);

    // "Yes" removes the link and its operations; the component, the style and the
    // other link with its operation stay.
    fakes.messages.answers.enqueue(true);
    a.press("btnDeleteComponent");
    QCOMPARE(db.count("StyleComponent", "ID = " + cush), 0);
    QCOMPARE(db.count("StyleOperation", "ComponentID = " + cush), 0);
    QCOMPARE(db.count("StyleComponent", "ID = " + arm), 1);
    QCOMPARE(db.count("StyleOperation", "ComponentID = " + arm), 1);
    QCOMPARE(db.count("Component", "ID = 'CUSH-1'"), 1);
    QCOMPARE(db.count("Style", "ID = " + sofa), 1);
    QCOMPARE(a.line("txtStyleComponentID")->text(), QString());
    QCOMPARE(a.combo("cmbStyle")->currentIndex(), -1);
}

void TestComponents::deleteWithoutLoadedLinkDoesNothing() {
    TestDatabase db;
    seed(db);
    const QString sofa = QString::number(styleId(db, "Sofa 3"));
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (" + sofa + ", 'CUSH-1', 3)");
    ScopedFakes fakes;
    Admin a;
    // The component picked before the style: no link is loaded.
    pick(a.combo("cmbComponent"), "CUSH-1-Seat cushion");
    pick(a.combo("cmbStyle"), "Sofa 3-Seat");
    a.press("btnDeleteComponent");
    QVERIFY(fakes.messages.shown.isEmpty());
    QCOMPARE(db.count("StyleComponent"), 1);
}

QTEST_MAIN(TestComponents)
#include "tst_components.moc"
