// The "Style-Type Entry" and "Variables" tabs of the Administration window, driven as a
// clerk would. The StyleType rows and the one Data row are checked.

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

const QString kTypeRequired = QStringLiteral("You must enter an ID, Description, and Status for the Type.");
const QString kVariablesRequired =
    QStringLiteral("You must enter a Labor Cost Per Hour and Non-Arms Per Hour before saving.");

struct Admin : OpenWindow<frmStyle> {
    void enterFigures(const QString &labor, const QString &glue, const QString &spray, const QString &percent) {
        for (auto [box, text] : {std::pair{"txtLaborCostPerHour", labor}, std::pair{"txtNonArmsPerHour", glue},
                                 std::pair{"txtSLNonArmsPerHour", spray}, std::pair{"txtLaborPercent", percent}}) {
            if (text.isEmpty())
                clear(number(box));
            else
                type(number(box), text);
        }
    }
};

}  // namespace

class TestTypesVariables : public QObject {
    Q_OBJECT

private slots:
    void typeIsStoredAndOfferedToStyles_data();
    void typeIsStoredAndOfferedToStyles();
    void typeLookupFollowsTheIdText();
    void typeSaveNeedsIdDescriptionAndStatus_data();
    void typeSaveNeedsIdDescriptionAndStatus();

    void firstVariablesSaveCreatesTheDataRow();
    void laterSavesEditTheOneDataRow();
    void variablesThatAreNotNumbersRefuseTheSave_data();
    void variablesThatAreNotNumbersRefuseTheSave();
};

void TestTypesVariables::typeIsStoredAndOfferedToStyles_data() {
    QTest::addColumn<QString>("stored");  // an existing type, or empty
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("status");
    QTest::newRow("new type") << QString() << "Sectional" << "Inactive";
    QTest::newRow("existing type, other case") << "Recliner" << "RECLINER" << "Active";
    QTest::newRow("existing type with a quote") << "Kid's Chair" << "kid's chair" << "Inactive";
}

void TestTypesVariables::typeIsStoredAndOfferedToStyles() {
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(QString, status);
    TestDatabase db;
    if (!stored.isEmpty())
        db.exec("INSERT INTO StyleType (ID, Description, Status) VALUES ('" + SqlText::Escaped(stored) +
                "', 'Old text', 'Active')");
    ScopedFakes fakes;
    Admin a;
    QCOMPARE(a.combo("cmbType")->findText(typed, Qt::MatchFixedString) >= 0, !stored.isEmpty());
    type(a.combo("cmbTypeID"), typed);
    QCOMPARE(a.line("txtTypeDescription")->text(), QString(stored.isEmpty() ? "" : "Old text"));
    type(a.line("txtTypeDescription"), "Sofas");
    pick(a.combo("cmbTypeStatus"), status);
    a.press("btnTypeSave");

    QVERIFY(fakes.messages.shown.isEmpty());
    const RowSet rows = db.query("SELECT ID, Description, Status FROM StyleType");
    QCOMPARE(rows.rows.size(), 1);
    QCOMPARE(rows.rows[0].value(0).toString(), typed);
    QCOMPARE(rows.rows[0].value(1).toString(), QString("Sofas"));
    QCOMPARE(rows.rows[0].value(2).toString(), status);
    // Offered at once in the Style frame's type list, whatever its status.
    QVERIFY(a.combo("cmbType")->findText(typed) >= 0);
    QVERIFY(a.combo("cmbTypeID")->findText(typed) >= 0);
    // The tab is back in its reset state.
    QCOMPARE(a.combo("cmbTypeID")->currentText(), QString());
    QCOMPARE(a.line("txtTypeDescription")->text(), QString());
    QCOMPARE(a.combo("cmbTypeStatus")->currentIndex(), -1);
    QCOMPARE(a.combo("cmbTypeStatus")->count(), 2);
}

void TestTypesVariables::typeLookupFollowsTheIdText() {
    TestDatabase db;
    db.exec("INSERT INTO StyleType (ID, Description, Status) VALUES ('Pad', 'Pads', 'Active')");
    db.exec("INSERT INTO StyleType (ID, Description, Status) VALUES ('Odd', 'Old kind', 'Retired')");
    ScopedFakes fakes;
    Admin a;
    type(a.combo("cmbTypeID"), "Pad");
    QCOMPARE(a.line("txtTypeDescription")->text(), QString("Pads"));
    QCOMPARE(a.combo("cmbTypeStatus")->currentText(), QString("Active"));
    QTest::keyClicks(a.combo("cmbTypeID")->lineEdit(), "s");
    QCOMPARE(a.combo("cmbTypeID")->currentText(), QString("Pads"));
    QCOMPARE(a.line("txtTypeDescription")->text(), QString());
    QCOMPARE(a.combo("cmbTypeStatus")->currentIndex(), -1);
    // A stored status that is not in the list shows no selection.
    pick(a.combo("cmbTypeID"), "Odd");
    QCOMPARE(a.line("txtTypeDescription")->text(), QString("Old kind"));
    QCOMPARE(a.combo("cmbTypeStatus")->currentIndex(), -1);
}

void TestTypesVariables::typeSaveNeedsIdDescriptionAndStatus_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("pickStatus");
    QTest::newRow("no ID") << QString() << "Pads" << true;
    QTest::newRow("no description") << "Pad" << QString() << true;
    QTest::newRow("no status") << "Pad" << "Pads" << false;
}

void TestTypesVariables::typeSaveNeedsIdDescriptionAndStatus() {
    QFETCH(QString, id);
    QFETCH(QString, description);
    QFETCH(bool, pickStatus);
    TestDatabase db;
    ScopedFakes fakes;
    Admin a;
    if (!id.isEmpty()) type(a.combo("cmbTypeID"), id);
    if (!description.isEmpty()) type(a.line("txtTypeDescription"), description);
    if (pickStatus) pick(a.combo("cmbTypeStatus"), "Active");
    a.press("btnTypeSave");

    QCOMPARE(fakes.messages.shown.size(), 1);
    QCOMPARE(fakes.messages.shown[0].text, kTypeRequired);
    QCOMPARE(fakes.messages.shown[0].title, QString("Invalid Information"));
    QCOMPARE(db.count("StyleType"), 0);
}

void TestTypesVariables::firstVariablesSaveCreatesTheDataRow() {
    TestDatabase db;
    ScopedFakes fakes;
    Admin a;
    for (const char *box : {"txtLaborCostPerHour", "txtNonArmsPerHour", "txtSLNonArmsPerHour", "txtLaborPercent"})
        QCOMPARE(a.number(box)->text(), QString());
    a.enterFigures("12.5", "300", "1,250", "35");
    a.press("btnVariableSave");

    QVERIFY(fakes.messages.shown.isEmpty());
    QCOMPARE(db.count("Data"), 1);
    const RowSet rows =
        db.query("SELECT ID, LaborCostPerHour, NonArmPerHour, SprayLineNonArmPerHour, LaborPercent FROM Data");
    QCOMPARE(rows.rows[0].value(0).toString(), QString("Data"));
    QCOMPARE(rows.rows[0].value(1).toDouble(), 12.5);
    QCOMPARE(rows.rows[0].value(2).toDouble(), 300.0);
    QCOMPARE(rows.rows[0].value(3).toDouble(), 1250.0);
    QCOMPARE(rows.rows[0].value(4).toDouble(), 35.0);
    // The reset shows the stored figures in their formats.
    QCOMPARE(a.number("txtLaborCostPerHour")->displayText(), QString("12.50"));
    QCOMPARE(a.number("txtSLNonArmsPerHour")->displayText(), QString("1,250"));
}

void TestTypesVariables::laterSavesEditTheOneDataRow() {
    TestDatabase db;
    db.exec("INSERT INTO Data (ID, LaborCostPerHour, NonArmPerHour, SprayLineNonArmPerHour, LaborPercent) "
            "VALUES ('Data', 10, 200, 150, 30)");
    ScopedFakes fakes;
    Admin a;
    QCOMPARE(a.number("txtNonArmsPerHour")->text(), QString("200"));
    // The spray line rate and the labour percent may be left empty: they store 0.
    a.enterFigures("11.75", "200", "", "");
    a.press("btnVariableSave");

    QVERIFY(fakes.messages.shown.isEmpty());
    QCOMPARE(db.count("Data"), 1);
    const RowSet rows = db.query("SELECT LaborCostPerHour, SprayLineNonArmPerHour, LaborPercent FROM Data");
    QCOMPARE(rows.rows[0].value(0).toDouble(), 11.75);
    QVERIFY(!rows.rows[0].value(1).isNull());
    QCOMPARE(rows.rows[0].value(1).toDouble(), 0.0);
    QCOMPARE(rows.rows[0].value(2).toDouble(), 0.0);
    QCOMPARE(a.number("txtLaborCostPerHour")->text(), QString("11.75"));
}

void TestTypesVariables::variablesThatAreNotNumbersRefuseTheSave_data() {
    QTest::addColumn<QString>("labor");
    QTest::addColumn<QString>("glue");
    QTest::addColumn<QString>("spray");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty labour cost") << "" << "300" << "150" << "30" << kVariablesRequired;
    QTest::newRow("labour cost in words") << "ten" << "300" << "150" << "30" << kVariablesRequired;
    QTest::newRow("empty glue line rate") << "12.5" << "" << "150" << "30" << kVariablesRequired;
    QTest::newRow("spray line rate in words")
        << "12.5" << "300" << "lots" << "30" << "Sprayline Non-Arms / Hour must be a number.";
    QTest::newRow("labour percent with a unit")
        << "12.5" << "300" << "150" << "30 pct" << "Labor Percent must be a number.";
}

void TestTypesVariables::variablesThatAreNotNumbersRefuseTheSave() {
    QFETCH(QString, labor);
    QFETCH(QString, glue);
    QFETCH(QString, spray);
    QFETCH(QString, percent);
    QFETCH(QString, message);
    TestDatabase db;
    db.exec("INSERT INTO Data (ID, LaborCostPerHour, NonArmPerHour, SprayLineNonArmPerHour, LaborPercent) "
            "VALUES ('Data', 10, 200, 150, 30)");
    ScopedFakes fakes;
    Admin a;
    a.enterFigures(labor, glue, spray, percent);
    a.press("btnVariableSave");

    QCOMPARE(fakes.messages.shown.size(), 1);
    QCOMPARE(fakes.messages.shown[0].text, message);
    QCOMPARE(fakes.messages.shown[0].title, QString("Invalid Information"));
    const RowSet rows =
        db.query("SELECT LaborCostPerHour, NonArmPerHour, SprayLineNonArmPerHour, LaborPercent FROM Data");
    QCOMPARE(rows.rows.size(), 1);
    QCOMPARE(rows.rows[0].value(0).toDouble(), 10.0);
    QCOMPARE(rows.rows[0].value(1).toDouble(), 200.0);
    QCOMPARE(rows.rows[0].value(2).toDouble(), 150.0);
    QCOMPARE(rows.rows[0].value(3).toDouble(), 30.0);
}

QTEST_MAIN(TestTypesVariables)
#include "tst_typesvariables.moc"
