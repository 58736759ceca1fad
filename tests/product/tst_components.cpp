// The "Component Entry" tab and the Component frame of the Administration window,
// driven as a clerk would: IDs typed or picked, lists picked, "Save", "New" and "Delete"
// clicked. The Component, StyleComponent and StyleOperation rows are what is checked.

#include "data/Database.h"
#include "data/SqlText.h"
#include "product/frmStyle.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/OpenWindow.h"
#include "tests/support/UiTest.h"

#include <QTest>

using namespace UiTest;

namespace {

const QString kRequired =
    QStringLiteral("You must enter an ID,Description,Test,Print Info,Arm Info, and Status for the Component.");

// Two buns (one inactive), two styles of different customers and two components, one
// of them with a quote in its ID.
void seed(const TestDatabase &db) {
    db.exec("INSERT INTO Bun (ID, Status) VALUES ('B-48', 'Active')");
    db.exec("INSERT INTO Bun (ID, Status) VALUES ('B-OLD', 'Inactive')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Status) VALUES ('Acme Foam', 'Sofa 3', 'Seat', 'Active')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Status) VALUES ('Bay Seating', 'Arm Pad', 'Pad', 'Active')");
    db.exec("INSERT INTO Component (ID, Description, Thickness, Width, Length, CutStyle, Test, TestRange, "
            "Topped, PrintOnShipping, Arm, Tie, BunID, RailsPerBun, PiecesPerRail, Status) VALUES "
            "('CUSH-1', 'Seat cushion', 5, 22, 24, 'Straight Cut', True, '28-32', 'Dacron', True, False, True, "
            "'B-48', 4, 6, 'Active')");
    db.exec("INSERT INTO Component (ID, Description, CutStyle, Test, PrintOnShipping, Arm, Status) "
            "VALUES ('O''NEIL 6\"', 'Arm wrap', 'Pattern Cut', False, False, True, 'Active')");
}

QString styleId(const TestDatabase &db, const QString &name) {
    return db.scalar("SELECT ID FROM Style WHERE Name = '" + name + "'").toString();
}

std::unique_ptr<Recordset> component(const QString &id) {
    return AppDatabase().openRecordset("SELECT * FROM Component WHERE ID = '" + SqlText::Escaped(id) + "'");
}

// The Administration window as the menu opens it; deleted at the end of the test.
struct Admin : OpenWindow<frmStyle> {
    // Every field of a complete new component.
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
    void pickLink(const QString &style, const QString &componentEntry) {
        pick(combo("cmbStyle"), style);
        pick(combo("cmbComponent"), componentEntry);
    }
};

}  // namespace

class TestComponents : public QObject {
    Q_OBJECT

private slots:
    void newComponentStoresEveryColumnAndTabResets();
    void optionalFieldsAreStoredAndLoadedBack_data();
    void optionalFieldsAreStoredAndLoadedBack();
    void saveIsRefused_data();
    void saveIsRefused();
    void existingIdIsFoundWhateverTheCaseAndRewrittenAsTyped_data();
    void existingIdIsFoundWhateverTheCaseAndRewrittenAsTyped();
    void lookupFollowsEveryKeystroke();

    void linkSaveAppendsThenUpdatesTheSamePair();
    void linkLookupDependsOnPickOrder();
    void linkSaveIsRefused_data();
    void linkSaveIsRefused();
    void loadedLinkIsEditedEvenAfterOtherPicks();
    void linkDeleteAsksAndRemovesOperationsWithIt();
};

void TestComponents::newComponentStoresEveryColumnAndTabResets() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    QCOMPARE(a.combo("cmbComponentBun")->count(), 1);  // only the active bun is offered
    a.fillComponent("BACK-7");
    a.press("btnComponentSave");

    QVERIFY(fakes.messages.shown.isEmpty());
    auto rs = component("BACK-7");
    QVERIFY(!rs->eof());
    const QVariantList expected = {"BACK-7", "Back cushion", 4.5, 20.0, 1200.0, "Pattern Cut", true, "30-34",
                                   "Fiber", false, true, true, "B-48", 3.0, 12.0, "Active"};
    const QStringList columns = {"ID", "Description", "Thickness", "Width", "Length", "CutStyle",
                                 "Test", "TestRange", "Topped", "PrintOnShipping", "Arm", "Tie",
                                 "BunID", "RailsPerBun", "PiecesPerRail", "Status"};
    for (int i = 0; i < columns.size(); ++i)
        QVERIFY2(rs->field(columns[i]) == expected[i], qPrintable(columns[i] + "=" + rs->text(columns[i])));

    // The reset: new component offered, every box empty or "0", nothing selected.
    QVERIFY(a.combo("cmbComponent")->findText("BACK-7-Back cushion") >= 0);
    QVERIFY(a.combo("cmbComponentID")->findText("BACK-7") >= 0);
    QCOMPARE(a.combo("cmbComponentID")->currentText(), QString());
    for (const char *box : {"txtComponentDescription", "txtTestRange", "txtComponentTopped",
                            "txtComponentThickness", "txtComponentWidth", "txtComponentLength"})
        QCOMPARE(a.line(box)->text(), QString());
    QCOMPARE(a.number("txtRailsPerBun")->text(), QString("0"));
    QCOMPARE(a.number("txtPiecesPerRail")->text(), QString("0"));
    for (const char *list : {"cmbCutStyle", "cmbTest", "cmbPrintShipping", "cmbArm", "cmbTie", "cmbComponentBun",
                             "cmbComponentStatus"})
        QCOMPARE(a.combo(list)->currentIndex(), -1);
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

    QTest::newRow("no tie, no bun") << false << false << "2" << "3" << false << "" << 2.0 << 3.0;
    QTest::newRow("rails without digits") << true << true << "abc" << "3" << true << "B-48" << 0.0 << 3.0;
    QTest::newRow("rails from leading digits") << true << true << " 2 4x" << "3" << true << "B-48" << 24.0 << 3.0;
    QTest::newRow("empty rails and thickness") << false << true << "" << "" << false << "B-48" << 0.0 << 0.0;
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
    QVERIFY(!rs->field("Tie").isNull());
    QCOMPARE(rs->field("Tie").toBool(), storedTie);
    QCOMPARE(rs->text("BunID"), storedBun);
    QCOMPARE(rs->field("RailsPerBun").toDouble(), storedRails);
    QCOMPARE(rs->field("Thickness").toDouble(), storedThickness);

    pick(a.combo("cmbComponentID"), "NEW-1");
    QCOMPARE(a.combo("cmbTie")->currentText(), QString(storedTie ? "Yes" : "No"));
    QCOMPARE(a.combo("cmbComponentBun")->currentText(), storedBun);
    QCOMPARE(a.number("txtRailsPerBun")->text().toDouble(), storedRails);
}

void TestComponents::saveIsRefused_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("typed");  // empty: the control is emptied or unselected
    QTest::addColumn<QString>("message");
    for (const char *field : {"cmbComponentID", "txtComponentDescription", "cmbCutStyle", "cmbTest",
                              "cmbPrintShipping", "cmbArm", "cmbComponentStatus"})
        QTest::newRow(field) << QString(field) << QString() << kRequired;
    QTest::newRow("thickness") << "txtComponentThickness" << "4 in" << "Thickness must be a number.";
    QTest::newRow("width") << "txtComponentWidth" << "wide" << "Width must be a number.";
    QTest::newRow("length") << "txtComponentLength" << "1.2.3" << "Length must be a number.";
}

void TestComponents::saveIsRefused() {
    QFETCH(QString, control);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    a.fillComponent("BACK-7");
    QWidget *spoilt = child<QWidget>(a.w, control);
    if (!typed.isEmpty())
        type(spoilt, typed);
    else if (auto *list = qobject_cast<QComboBox *>(spoilt); list && !list->isEditable())
        list->setCurrentIndex(-1);
    else
        clear(spoilt);
    a.press("btnComponentSave");

    QCOMPARE(fakes.messages.shown.size(), 1);
    QCOMPARE(fakes.messages.shown[0].text, message);
    QCOMPARE(fakes.messages.shown[0].title, QString("Invalid Information"));
    QCOMPARE(db.count("Component"), 2);
    if (control != "cmbComponentID")  // nothing typed is lost
        QCOMPARE(a.combo("cmbComponentID")->currentText(), QString("BACK-7"));
}

void TestComponents::existingIdIsFoundWhateverTheCaseAndRewrittenAsTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("description");
    QTest::newRow("letter case") << "cush-1" << "Seat cushion";
    QTest::newRow("quote in the ID") << "o'neil 6\"" << "Arm wrap";
}

void TestComponents::existingIdIsFoundWhateverTheCaseAndRewrittenAsTyped() {
    QFETCH(QString, typed);
    QFETCH(QString, description);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    type(a.combo("cmbComponentID"), typed);
    QCOMPARE(a.line("txtComponentDescription")->text(), description);
    type(a.line("txtComponentDescription"), "Changed");
    a.press("btnComponentSave");

    QVERIFY(fakes.messages.shown.isEmpty());
    QCOMPARE(db.count("Component"), 2);
    auto rs = component(typed);
    QCOMPARE(rs->text("ID"), typed);
    QCOMPARE(rs->text("Description"), QString("Changed"));
}

void TestComponents::lookupFollowsEveryKeystroke() {
    TestDatabase db;
    seed(db);
    db.exec("INSERT INTO Component (ID, Description, CutStyle, Test, PrintOnShipping, Arm, BunID, Status) "
            "VALUES ('ODD', 'Odd one', 'Laser', True, True, True, 'B-OLD', 'Obsolete')");
    ScopedFakes fakes;
    Admin a;
    type(a.combo("cmbComponentID"), "CUSH-1");
    QCOMPARE(a.line("txtComponentDescription")->text(), QString("Seat cushion"));
    QCOMPARE(a.line("txtTestRange")->text(), QString("28-32"));
    QCOMPARE(a.combo("cmbArm")->currentText(), QString("No"));
    QCOMPARE(a.combo("cmbComponentBun")->currentText(), QString("B-48"));
    QCOMPARE(a.number("txtPiecesPerRail")->text(), QString("6"));
    // One more key makes a new ID: the tab is cleared and the ID stays as typed.
    QTest::keyClicks(a.combo("cmbComponentID")->lineEdit(), "B");
    QCOMPARE(a.combo("cmbComponentID")->currentText(), QString("CUSH-1B"));
    QCOMPARE(a.line("txtComponentDescription")->text(), QString());
    QCOMPARE(a.combo("cmbArm")->currentIndex(), -1);
    QCOMPARE(a.number("txtPiecesPerRail")->text(), QString("0"));
    // A stored cut style, bun or status outside its list shows no selection; a null tie "No".
    type(a.combo("cmbComponentID"), "ODD");
    QCOMPARE(a.line("txtComponentDescription")->text(), QString("Odd one"));
    for (const char *list : {"cmbCutStyle", "cmbComponentBun", "cmbComponentStatus"})
        QCOMPARE(a.combo(list)->currentIndex(), -1);
    QCOMPARE(a.combo("cmbTie")->currentText(), QString("No"));
}

void TestComponents::linkSaveAppendsThenUpdatesTheSamePair() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    a.pickLink("Sofa 3-Seat", "CUSH-1-Seat cushion");
    type(a.line("txtQty"), "2");
    a.press("cmbComponentSave2");
    QCOMPARE(db.count("StyleComponent", "StyleID = " + styleId(db, "Sofa 3") + " AND ComponentID = 'CUSH-1'"), 1);
    QCOMPARE(db.scalar("SELECT Qty FROM StyleComponent").toDouble(), 2.0);
    // The frame shows its reset state.
    QCOMPARE(a.combo("cmbStyle")->currentIndex(), -1);
    QCOMPARE(a.combo("cmbComponent")->currentIndex(), -1);
    QCOMPARE(a.line("txtQty")->text(), QString());
    QCOMPARE(a.line("txtStyleComponentID")->text(), QString());

    // The same pair with no link loaded (component picked first) updates the link.
    pick(a.combo("cmbComponent"), "CUSH-1-Seat cushion");
    pick(a.combo("cmbStyle"), "Sofa 3-Seat");
    type(a.line("txtQty"), "5");
    a.press("cmbComponentSave2");
    QCOMPARE(db.count("StyleComponent"), 1);
    QCOMPARE(db.scalar("SELECT Qty FROM StyleComponent").toDouble(), 5.0);
    QVERIFY(fakes.messages.shown.isEmpty());
}

void TestComponents::linkLookupDependsOnPickOrder() {
    TestDatabase db;
    seed(db);
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (" + styleId(db, "Sofa 3") +
            ", 'CUSH-1', 3)");
    const QString linkId = db.scalar("SELECT ID FROM StyleComponent").toString();
    ScopedFakes fakes;
    Admin a;

    // Component first: nothing is looked up, and picking the style afterwards loads nothing,
    // so "Delete" has nothing to delete and asks nothing.
    pick(a.combo("cmbComponent"), "CUSH-1-Seat cushion");
    type(a.line("txtQty"), "9");
    pick(a.combo("cmbStyle"), "Sofa 3-Seat");
    QCOMPARE(a.line("txtStyleComponentID")->text(), QString());
    QCOMPARE(a.line("txtQty")->text(), QString("9"));
    a.press("btnDeleteComponent");
    QVERIFY(fakes.messages.shown.isEmpty());
    QCOMPARE(db.count("StyleComponent"), 1);

    // Style first: the link is found.
    a.press("btnComponentNew");
    QCOMPARE(a.line("txtQty")->text(), QString());
    a.pickLink("Sofa 3-Seat", "CUSH-1-Seat cushion");
    QCOMPARE(a.line("txtStyleComponentID")->text(), linkId);
    QCOMPARE(a.line("txtQty")->text(), QString("3"));

    // A component of the same style without a link unloads it.
    pick(a.combo("cmbComponent"), "O'NEIL 6\"-Arm wrap");
    QCOMPARE(a.line("txtStyleComponentID")->text(), QString());
    QCOMPARE(a.line("txtQty")->text(), QString());
}

void TestComponents::linkSaveIsRefused_data() {
    QTest::addColumn<bool>("pickStyle");
    QTest::addColumn<bool>("pickComponent");
    QTest::addColumn<QString>("qty");
    QTest::addColumn<QString>("message");
    QTest::newRow("no style") << false << true << "2" << "Not enouth information.";
    QTest::newRow("no component") << true << false << "2" << "Not enouth information.";
    QTest::newRow("no quantity") << true << true << "" << "Not enouth information.";
    QTest::newRow("quantity not a number") << true << true << "two" << "Qty must be a number.";
}

void TestComponents::linkSaveIsRefused() {
    QFETCH(bool, pickStyle);
    QFETCH(bool, pickComponent);
    QFETCH(QString, qty);
    QFETCH(QString, message);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Admin a;
    if (pickStyle) pick(a.combo("cmbStyle"), "Arm Pad-Pad");
    if (pickComponent) pick(a.combo("cmbComponent"), "CUSH-1-Seat cushion");
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
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (" + styleId(db, "Sofa 3") +
            ", 'CUSH-1', 3)");
    const QString linkId = db.scalar("SELECT ID FROM StyleComponent").toString();
    ScopedFakes fakes;
    Admin a;
    a.pickLink("Sofa 3-Seat", "CUSH-1-Seat cushion");
    pick(a.combo("cmbStyle"), "Arm Pad-Pad");  // picking a style looks nothing up
    type(a.line("txtQty"), "4");
    a.press("cmbComponentSave2");

    QCOMPARE(db.count("StyleComponent"), 1);
    auto rs = AppDatabase().openRecordset("SELECT * FROM StyleComponent WHERE ID = " + linkId);
    QVERIFY(!rs->eof());
    QCOMPARE(rs->field("StyleID").toString(), styleId(db, "Arm Pad"));
    QCOMPARE(rs->field("Qty").toDouble(), 4.0);
}

void TestComponents::linkDeleteAsksAndRemovesOperationsWithIt() {
    TestDatabase db;
    seed(db);
    const QString sofa = styleId(db, "Sofa 3");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (" + sofa + ", 'CUSH-1', 3)");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (" + sofa + ", 'O''NEIL 6\"', 2)");
    const QString cush = db.scalar("SELECT ID FROM StyleComponent WHERE ComponentID = 'CUSH-1'").toString();
    const QString other = db.scalar("SELECT ID FROM StyleComponent WHERE ComponentID <> 'CUSH-1'").toString();
    for (const QString &link : {cush, cush, other})
        db.exec("INSERT INTO StyleOperation (StyleID, ComponentID, OperationID) VALUES (" + sofa + ", " + link +
                ", 'Saw')");
    ScopedFakes fakes;
    Admin a;
    a.pickLink("Sofa 3-Seat", "CUSH-1-Seat cushion");
    fakes.messages.answers.enqueue(false);
    a.press("btnDeleteComponent");
    QCOMPARE(fakes.messages.shown.size(), 1);
    QCOMPARE(fakes.messages.shown[0].kind, QString("ask"));
    QCOMPARE(fakes.messages.shown[0].text, QString("Are you sure you want to delete the selected Component?"));
    QCOMPARE(fakes.messages.shown[0].title, QString("Delete Confirmation"));
    QCOMPARE(db.count("StyleComponent"), 2);
    QCOMPARE(db.count("StyleOperation"), 3);

    fakes.messages.answers.enqueue(true);
    a.press("btnDeleteComponent");
    QCOMPARE(db.count("StyleComponent", "ID = " + cush), 0);
    QCOMPARE(db.count("StyleOperation", "ComponentID = " + cush), 0);
    QCOMPARE(db.count("StyleOperation", "ComponentID = " + other), 1);
    QCOMPARE(db.count("StyleComponent"), 1);
    QCOMPARE(db.count("Component"), 2);
    QCOMPARE(db.count("Style"), 2);
    QCOMPARE(a.line("txtStyleComponentID")->text(), QString());
}

QTEST_MAIN(TestComponents)
#include "tst_components.moc"
