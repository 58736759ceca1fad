// Stations on the "Operation Entry" tab and style operations in the Operation frame of
// the Administration window, driven through the window's controls.

#include "widgets/NumberBox.h"
#include "product/frmStyle.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/OpenWindow.h"
#include "tests/support/UiTest.h"

#include <QPushButton>
#include <QTabWidget>

using namespace UiTest;

namespace {

// One style with two components (one of them not stored as a component), two stations
// and one operation of the first component at the CNC.
void seed(const TestDatabase &db) {
    db.exec("INSERT INTO Customer (Customer, Status) VALUES ('Acme', 'Active')");
    db.exec("INSERT INTO StyleType (ID, Description, Status) VALUES ('Seat', 'Seats', 'Active')");
    db.exec("INSERT INTO Component (ID, Description, Status) VALUES ('FOAM1', 'Seat foam', 'Active')");
    db.exec("INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Band Saw 1', 'Band Saw', 2, 'Active')");
    db.exec("INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('CNC', 'Router', 1, 'Retired')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) VALUES ('Acme', 'Cushion', 'Seat', 10, 20, 'Active')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) VALUES ('Acme', 'Bare', 'Seat', 1, 2, 'Active')");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (1, 'FOAM1', 2)");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (1, 'GHOST', 1)");
    db.exec("INSERT INTO StyleOperation (StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) "
            "VALUES (1, 1, 'CNC', 'Bevel', 1.5, 20, 30)");
}

QString text(QWidget *w, const char *name) {
    QWidget *control = child<QWidget>(w, name);
    if (auto *combo = qobject_cast<QComboBox *>(control)) return combo->currentText();
    if (auto *number = qobject_cast<NumberBox *>(control)) return number->text();
    return child<QLineEdit>(w, name)->text();
}
QStringList items(QWidget *w, const char *name) {
    auto *combo = child<QComboBox>(w, name);
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    return out;
}
QComboBox *combo(QWidget *w, const char *name) { return child<QComboBox>(w, name); }
void press(QWidget *w, const char *name) { click(child<QPushButton>(w, name)); }

struct Window : OpenWindow<frmStyle> {
    void showTab(int index) { child<QTabWidget>(w, "SSTab1")->setCurrentIndex(index); }
};

}  // namespace

class TestOperations : public QObject {
    Q_OBJECT
private slots:
    void stationLookup();
    void stationPickedAgainLooksUpAgain();
    void stationSave_data();
    void stationSave();
    void componentListOfStyle();
    void operationLookupDependsOnPickOrder();
    void operationSaveUpdatesInsteadOfAppending();
    void operationSaveRefused_data();
    void operationSaveRefused();
    void operationDelete();
};

void TestOperations::stationLookup() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    win.showTab(0);
    QCOMPARE(items(win.w, "cmbStationName"), QStringList({"Band Saw 1", "CNC"}));
    QCOMPARE(items(win.w, "cmbReportName").size(), 10);
    QCOMPARE(text(win.w, "txtTeams"), QString("1"));

    pick(combo(win.w, "cmbStationName"), "Band Saw 1");
    QCOMPARE(text(win.w, "cmbReportName"), QString("Band Saw"));
    QCOMPARE(text(win.w, "txtTeams"), QString("2"));
    QCOMPARE(text(win.w, "cmbOperationStatus"), QString("Active"));

    // A stored report type and status that are not list entries show no selection.
    type(combo(win.w, "cmbStationName"), "cnc");
    QCOMPARE(combo(win.w, "cmbReportName")->currentIndex(), -1);
    QCOMPARE(combo(win.w, "cmbOperationStatus")->currentIndex(), -1);
    QCOMPARE(text(win.w, "txtTeams"), QString("1"));

    // A name that is not stored clears the tab and keeps the typed text.
    pick(combo(win.w, "cmbStationName"), "Band Saw 1");
    type(combo(win.w, "cmbStationName"), "Glue Line 3");
    QCOMPARE(text(win.w, "cmbStationName"), QString("Glue Line 3"));
    QCOMPARE(combo(win.w, "cmbReportName")->currentIndex(), -1);
    QCOMPARE(text(win.w, "txtTeams"), QString("1"));
}

// Picking the station that is already selected shows its stored values again, on the
// "Operation Entry" tab and in the Operation frame.
void TestOperations::stationPickedAgainLooksUpAgain() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    win.showTab(0);
    pick(combo(win.w, "cmbStationName"), "Band Saw 1");
    pick(combo(win.w, "cmbReportName"), "CNC");
    type(child<QLineEdit>(win.w, "txtTeams"), "5");
    pick(combo(win.w, "cmbStationName"), "Band Saw 1");
    QCOMPARE(text(win.w, "cmbReportName"), QString("Band Saw"));
    QCOMPARE(text(win.w, "txtTeams"), QString("2"));

    win.showTab(3);
    pick(combo(win.w, "cmbStyle2"), "Cushion-Seat");
    pick(combo(win.w, "cmbComponent2"), "FOAM1-Seat foam");
    pick(combo(win.w, "cmbOperation"), "CNC");
    type(child<QLineEdit>(win.w, "txtInstructions"), "Round off");
    pick(combo(win.w, "cmbOperation"), "CNC");
    QCOMPARE(text(win.w, "txtInstructions"), QString("Bevel"));
    QCOMPARE(text(win.w, "txtStyleComponentOperationID"), QString("1"));
}

void TestOperations::stationSave_data() {
    QTest::addColumn<QString>("station");
    QTest::addColumn<QString>("teams");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<int>("stations");
    QTest::newRow("new station") << "Glue Line 3" << "2" << true << 3;
    QTest::newRow("existing name in other case rewrites") << "band saw 1" << "4" << true << 2;
    QTest::newRow("name with a quote") << "Bob's Saw" << "1" << true << 3;
    QTest::newRow("teams not numeric") << "Glue Line 3" << "two" << false << 2;
    QTest::newRow("teams empty") << "Glue Line 3" << "" << false << 2;
}

void TestOperations::stationSave() {
    QFETCH(QString, station);
    QFETCH(QString, teams);
    QFETCH(bool, saved);
    QFETCH(int, stations);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    win.showTab(0);
    type(combo(win.w, "cmbStationName"), station);
    pick(combo(win.w, "cmbReportName"), "Glue Line");
    if (teams.isEmpty()) clear(child<QLineEdit>(win.w, "txtTeams"));
    else type(child<QLineEdit>(win.w, "txtTeams"), teams);
    pick(combo(win.w, "cmbOperationStatus"), "Inactive");
    press(win.w, "btnOperationSave");

    QCOMPARE(db.count("Operation"), stations);
    if (!saved) {
        QCOMPARE(fakes.messages.texts(),
                 QStringList("You must enter a Station Name, Report Name, Number of Teams, and Status for the Operation."));
        QCOMPARE(fakes.messages.shown.first().title, QString("Invalid Information"));
        QCOMPARE(text(win.w, "cmbStationName"), station);  // nothing lost
        return;
    }
    QVERIFY(fakes.messages.shown.isEmpty());
    const RowSet row = db.query("SELECT * FROM Operation WHERE Station = '" + QString(station).replace("'", "''") + "'");
    QCOMPARE(row.rows.size(), 1);
    QCOMPARE(row.value(0, "Station").toString(), station);
    QCOMPARE(row.value(0, "ReportType").toString(), QString("Glue Line"));
    QCOMPARE(row.value(0, "Teams").toDouble(), teams.toDouble());
    QCOMPARE(row.value(0, "Status").toString(), QString("Inactive"));
    // The window is reset and every station list offers the saved station.
    QCOMPARE(text(win.w, "cmbStationName"), QString());
    QCOMPARE(text(win.w, "txtTeams"), QString("1"));
    QVERIFY(items(win.w, "cmbStationName").contains(station));
    QVERIFY(items(win.w, "cmbOperation").contains(station));
}

void TestOperations::componentListOfStyle() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    QCOMPARE(items(win.w, "cmbComponent2"), QStringList());
    pick(combo(win.w, "cmbStyle2"), "Cushion-Seat");
    QStringList listed = items(win.w, "cmbComponent2");
    listed.sort();
    QCOMPARE(listed, QStringList({"FOAM1-Seat foam", "GHOST-"}));
    const int ghost = combo(win.w, "cmbComponent2")->findText("GHOST-");
    QCOMPARE(combo(win.w, "cmbComponent2")->itemData(ghost).toInt(), 2);  // the style component's ID

    // A style without components offers none, and no operation can be saved for it.
    pick(combo(win.w, "cmbStyle2"), "Bare-Seat");
    QCOMPARE(items(win.w, "cmbComponent2"), QStringList());
    pick(combo(win.w, "cmbOperation"), "CNC");
    press(win.w, "btnOperationsSave2");
    QCOMPARE(fakes.messages.texts(), QStringList("Not enouth information."));
    QCOMPARE(db.count("StyleOperation"), 1);
}

void TestOperations::operationLookupDependsOnPickOrder() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    // Style, component, then station: the stored operation is shown.
    pick(combo(win.w, "cmbStyle2"), "Cushion-Seat");
    pick(combo(win.w, "cmbComponent2"), "FOAM1-Seat foam");
    pick(combo(win.w, "cmbOperation"), "CNC");
    QCOMPARE(text(win.w, "txtInstructions"), QString("Bevel"));
    QCOMPARE(text(win.w, "txtThickness"), QString("1.5"));
    QCOMPARE(text(win.w, "txtStyleComponentOperationID"), QString("1"));

    // A station without an operation for that component empties the frame.
    pick(combo(win.w, "cmbOperation"), "Band Saw 1");
    QCOMPARE(text(win.w, "txtInstructions"), QString());
    QCOMPARE(text(win.w, "txtThickness"), QString("0"));
    QCOMPARE(text(win.w, "txtStyleComponentOperationID"), QString());

    // Station first: nothing is looked up, what the clerk typed stays.
    click(child<QPushButton>(win.w, "btnOperationNew"));
    pick(combo(win.w, "cmbOperation"), "CNC");
    type(child<QLineEdit>(win.w, "txtInstructions"), "typed");
    pick(combo(win.w, "cmbStyle2"), "Cushion-Seat");
    pick(combo(win.w, "cmbComponent2"), "FOAM1-Seat foam");
    QCOMPARE(text(win.w, "txtInstructions"), QString("typed"));
    QCOMPARE(text(win.w, "txtStyleComponentOperationID"), QString());
}

void TestOperations::operationSaveUpdatesInsteadOfAppending() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    // No operation loaded (station picked first), but the triple is stored: it is updated.
    pick(combo(win.w, "cmbOperation"), "CNC");
    pick(combo(win.w, "cmbStyle2"), "Cushion-Seat");
    pick(combo(win.w, "cmbComponent2"), "FOAM1-Seat foam");
    type(child<QLineEdit>(win.w, "txtInstructions"), "Chamfer 'A' side");
    type(child<QLineEdit>(win.w, "txtLength"), "31.25");
    press(win.w, "btnOperationsSave2");
    QVERIFY(fakes.messages.shown.isEmpty());
    QCOMPARE(db.count("StyleOperation"), 1);
    const RowSet row = db.query("SELECT * FROM StyleOperation WHERE ID = 1");
    QCOMPARE(row.value(0, "Instructions").toString(), QString("Chamfer 'A' side"));
    QCOMPARE(row.value(0, "Length").toDouble(), 31.25);
    QCOMPARE(row.value(0, "Thickness").toDouble(), 0.0);

    // A new station for the same component appends a second operation.
    pick(combo(win.w, "cmbStyle2"), "Cushion-Seat");
    pick(combo(win.w, "cmbComponent2"), "GHOST-");
    pick(combo(win.w, "cmbOperation"), "Band Saw 1");
    press(win.w, "btnOperationsSave2");
    QCOMPARE(db.count("StyleOperation"), 2);
    QCOMPARE(db.count("StyleOperation", "StyleID = 1 AND ComponentID = 2 AND OperationID = 'Band Saw 1'"), 1);
    // The frame is back in its reset state.
    QCOMPARE(combo(win.w, "cmbStyle2")->currentIndex(), -1);
    QCOMPARE(text(win.w, "txtInstructions"), QString());
}

void TestOperations::operationSaveRefused_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("thickness") << "txtThickness" << "thick" << "Thickness must be a number.";
    QTest::newRow("width") << "txtWidth" << "" << "Width must be a number.";
    QTest::newRow("length") << "txtLength" << "12x" << "Length must be a number.";
}

void TestOperations::operationSaveRefused() {
    QFETCH(QString, box);
    QFETCH(QString, value);
    QFETCH(QString, message);
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    pick(combo(win.w, "cmbStyle2"), "Cushion-Seat");
    pick(combo(win.w, "cmbComponent2"), "GHOST-");
    pick(combo(win.w, "cmbOperation"), "Band Saw 1");
    if (value.isEmpty()) clear(child<QLineEdit>(win.w, qPrintable(box)));
    else type(child<QLineEdit>(win.w, qPrintable(box)), value);
    press(win.w, "btnOperationsSave2");
    QCOMPARE(fakes.messages.texts(), QStringList(message));
    QCOMPARE(fakes.messages.shown.first().title, QString("Invalid Information"));
    QCOMPARE(db.count("StyleOperation"), 1);
    QCOMPARE(text(win.w, qPrintable(box)), value);
}

void TestOperations::operationDelete() {
    TestDatabase db;
    seed(db);
    ScopedFakes fakes;
    Window win;
    // Nothing loaded: no question, nothing deleted.
    press(win.w, "btnDeleteOp");
    QVERIFY(fakes.messages.shown.isEmpty());

    pick(combo(win.w, "cmbStyle2"), "Cushion-Seat");
    pick(combo(win.w, "cmbComponent2"), "FOAM1-Seat foam");
    pick(combo(win.w, "cmbOperation"), "CNC");
    fakes.messages.answers.enqueue(false);
    press(win.w, "btnDeleteOp");
    QCOMPARE(fakes.messages.texts(), QStringList("Are you sure you want to delete the selected Operation?"));
    QCOMPARE(fakes.messages.shown.first().title, QString("Delete Confirmation"));
    QCOMPARE(fakes.messages.shown.first().kind, QString("ask"));
    QCOMPARE(db.count("StyleOperation"), 1);

    fakes.messages.answers.enqueue(true);
    press(win.w, "btnDeleteOp");
    QCOMPARE(db.count("StyleOperation"), 0);
    QCOMPARE(db.count("StyleComponent"), 2);
    QCOMPARE(text(win.w, "txtStyleComponentOperationID"), QString());
}

QTEST_MAIN(TestOperations)
#include "tst_operations.moc"
