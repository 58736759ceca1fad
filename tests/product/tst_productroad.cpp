// A clerk defines a product from nothing, through the main frame's windows only: the
// customer and the vendor, then in the Administration window a style type, a bun, two
// components, two stations, the style, its two components and two operations. The
// stored rows, the style tree and a click on an operation node are then checked.

#include "app/MDI.h"
#include "widgets/NumberBox.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/UiTest.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

using namespace UiTest;

namespace {

// Every row of a query, its values joined by "|" (numbers plainly, yes/no as true/false).
QStringList rows(const TestDatabase &db, const QString &sql) {
    const RowSet set = db.query(sql);
    QStringList out;
    for (const auto &row : set.rows) {
        QStringList values;
        for (const QVariant &v : row) values << v.toString();
        out << values.join('|');
    }
    return out;
}

// Types each text into the control that has the focus and moves on with Tab, as a clerk
// fills a form; an empty text just moves on.
void typeAlong(const QStringList &texts) {
    for (const QString &text : texts) {
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused);
        if (!text.isEmpty()) QTest::keyClicks(focused, text);
        QTest::keyClick(focused, Qt::Key_Tab);
    }
}

// Opens a window from the menu; it is the active one in the frame.
QWidget *openFromMenu(MDI &mdi, const char *command) {
    mdi.command(QString::fromLatin1(command))->trigger();
    return mdi.workspace()->activeSubWindow()->widget();
}

int openWindows(MDI &mdi) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return mdi.workspace()->subWindowList().size();
}

// Brings a tab forward with a click on its caption.
void openTab(QWidget *w, const QString &caption) {
    QTabBar *bar = child<QTabWidget>(w, "SSTab1")->tabBar();
    for (int i = 0; i < bar->count(); ++i)
        if (bar->tabText(i) == caption) QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
    QCOMPARE(bar->tabText(bar->currentIndex()), caption);
}

void dump(QTreeWidgetItem *item, int depth, QStringList &out) {
    out << QString(depth * 2, ' ') + item->text(0);
    for (int i = 0; i < item->childCount(); ++i) dump(item->child(i), depth + 1, out);
}

// What a control shows: a combo's current text, a number box's plain text, a box's text.
QString shown(QWidget *w, const char *name) {
    QWidget *control = child<QWidget>(w, name);
    if (auto *combo = qobject_cast<QComboBox *>(control)) return combo->currentText();
    if (auto *number = qobject_cast<NumberBox *>(control)) return number->text();
    return child<QLineEdit>(w, name)->text();
}

}  // namespace

class tst_productroad : public QObject {
    Q_OBJECT
private slots:
    void productDefinedThroughTheWindows();
};

void tst_productroad::productDefinedThroughTheWindows() {
    TestDatabase db(TestDatabase::Empty);
    ScopedFakes fakes;
    MDI mdi;
    show(&mdi);
    QApplication::setActiveWindow(&mdi);
    QVERIFY(QTest::qWaitForWindowActive(&mdi));

    // Customer Entry: the name, then the form in tab order; a new name is "Active".
    QWidget *w = openFromMenu(mdi, "CustomerEntry");
    QCOMPARE(w->windowTitle(), QString("Customer Entry/Edit"));
    child<QWidget>(w, "cmbCustomer")->setFocus();
    typeAlong({"O'Hara Seating", "12 Depot St", "Suite 5", "Hickory", "NC", "28601", "828-555-0100",
               "828-555-0101", "", "O'Hara Seating Plant 2", "40 Rail Rd", "", "Conover", "NC", "28613",
               "828-555-0110", "828-555-0111"});
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("btnSave"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(openWindows(mdi), 0);

    // Vendor Entry, the same way.
    w = openFromMenu(mdi, "VendorEntry");
    QCOMPARE(w->windowTitle(), QString("Vendor Entry/Edit"));
    child<QWidget>(w, "cmbVendor")->setFocus();
    typeAlong({"Carolina Foam Supply", "200 Foam Way", "", "Newton", "NC", "28658", "828-555-0170",
               "828-555-0171", "Tammy Huffman", ""});
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("btnSave"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(openWindows(mdi), 0);

    // Administration: a style type, a bun of that vendor, two components cut from it.
    w = openFromMenu(mdi, "StyleEntry");
    QCOMPARE(w->windowTitle(), QString("Administration"));
    openTab(w, "Style-Type Entry");
    type(child<QComboBox>(w, "cmbTypeID"), "Seat");
    type(child<QLineEdit>(w, "txtTypeDescription"), "Seat cushions");
    pick(child<QComboBox>(w, "cmbTypeStatus"), "Active");
    click(child<QPushButton>(w, "btnTypeSave"));

    openTab(w, "Bun/Fiber Entry");
    type(child<QComboBox>(w, "cmbBunID"), "1530-60");
    type(child<QLineEdit>(w, "txtBunWidth"), "60");
    type(child<QLineEdit>(w, "txtBunLength"), "80");
    type(child<QLineEdit>(w, "txtBunGrade"), "1530");
    pick(child<QComboBox>(w, "cmbBunVendor"), "Carolina Foam Supply");
    pick(child<QComboBox>(w, "cmbBunStatus"), "Active");
    click(child<QPushButton>(w, "btnBunSave"));

    openTab(w, "Component Entry");
    const QStringList boxes = {"txtComponentDescription", "txtComponentThickness", "txtComponentWidth",
                               "txtComponentLength", "txtTestRange", "txtComponentTopped", "txtRailsPerBun",
                               "txtPiecesPerRail"};
    const QStringList lists = {"cmbCutStyle", "cmbTest", "cmbPrintShipping", "cmbArm", "cmbTie", "cmbComponentBun",
                               "cmbComponentStatus"};
    const struct {
        const char *id;
        QStringList typed;   // in the order of boxes
        QStringList picked;  // in the order of lists
    } components[] = {
        {"SC-100", {"Seat Core", "4", "22", "24", "28-32", "1/2\" Dacron", "3", "6"},
         {"Straight Cut", "Yes", "Yes", "No", "No", "1530-60", "Active"}},
        {"AR-200", {"Arm Wrap", "2", "18", "30", "", "", "2", "8"},
         {"Pattern Cut", "No", "No", "Yes", "Yes", "1530-60", "Active"}},
    };
    for (const auto &c : components) {
        type(child<QComboBox>(w, "cmbComponentID"), c.id);  // the ID first: its lookup clears the tab
        for (int i = 0; i < boxes.size(); ++i)
            if (!c.typed[i].isEmpty()) type(child<QLineEdit>(w, boxes[i]), c.typed[i]);
        for (int i = 0; i < lists.size(); ++i) pick(child<QComboBox>(w, lists[i]), c.picked[i]);
        click(child<QPushButton>(w, "btnComponentSave"));
    }

    // Two stations of different report types, the second with two teams.
    openTab(w, "Operation Entry");
    const QStringList stations[] = {{"Band Saw 1", "Band Saw", "1"}, {"Glue Line A", "Glue Line", "2"}};
    for (const QStringList &s : stations) {
        type(child<QComboBox>(w, "cmbStationName"), s[0]);
        pick(child<QComboBox>(w, "cmbReportName"), s[1]);
        type(child<QLineEdit>(w, "txtTeams"), s[2]);
        pick(child<QComboBox>(w, "cmbOperationStatus"), "Active");
        click(child<QPushButton>(w, "btnOperationSave"));
    }

    // The style for the customer; the name is typed after the customer is picked.
    openTab(w, "Style Entry");
    pick(child<QComboBox>(w, "cmbCustomer"), "O'Hara Seating");
    type(child<QComboBox>(w, "cmbStyleName"), "Bristol");
    pick(child<QComboBox>(w, "cmbType"), "Seat");
    type(child<QLineEdit>(w, "txtCost"), "12.5");
    type(child<QLineEdit>(w, "txtPrice"), "24.75");
    click(child<QPushButton>(w, "btnStyleSave"));

    // Both components linked to it, then an operation at each station for the seat core.
    const QStringList links[] = {{"SC-100-Seat Core", "2"}, {"AR-200-Arm Wrap", "4"}};
    for (const QStringList &l : links) {
        pick(child<QComboBox>(w, "cmbStyle"), "Bristol-Seat");
        pick(child<QComboBox>(w, "cmbComponent"), l[0]);
        type(child<QLineEdit>(w, "txtQty"), l[1]);
        click(child<QPushButton>(w, "cmbComponentSave2"));
    }
    const QStringList operations[] = {{"Band Saw 1", "Cut 4 x 22 x 24", "4", "22", "24"},
                                      {"Glue Line A", "Glue O'Hara wrap", "4.25", "22.5", "24"}};
    for (const QStringList &o : operations) {
        pick(child<QComboBox>(w, "cmbStyle2"), "Bristol-Seat");
        pick(child<QComboBox>(w, "cmbComponent2"), "SC-100-Seat Core");
        pick(child<QComboBox>(w, "cmbOperation"), o[0]);
        type(child<QLineEdit>(w, "txtInstructions"), o[1]);
        type(child<QLineEdit>(w, "txtThickness"), o[2]);
        type(child<QLineEdit>(w, "txtWidth"), o[3]);
        type(child<QLineEdit>(w, "txtLength"), o[4]);
        click(child<QPushButton>(w, "btnOperationsSave2"));
    }
    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('\n')));

    // One row each, the values as typed.
    QCOMPARE(rows(db, "SELECT Customer,Address1,Address2,City,State,Zip,Phone,Fax,Status,ShipTo,ShipToAddress1,"
                      "ShipToAddress2,ShipToCity,ShipToState,ShipToZip,ShipToPhone,ShipToFax FROM Customer"),
             QStringList{"O'Hara Seating|12 Depot St|Suite 5|Hickory|NC|28601|828-555-0100|828-555-0101|Active|"
                         "O'Hara Seating Plant 2|40 Rail Rd||Conover|NC|28613|828-555-0110|828-555-0111"});
    QCOMPARE(db.scalar("SELECT DateAdded FROM Customer").toDateTime(), fakes.clock.now());
    QCOMPARE(rows(db, "SELECT Vendor,Address1,Address2,City,State,Zip,Phone,Fax,Contact,Status FROM Vendor"),
             QStringList{"Carolina Foam Supply|200 Foam Way||Newton|NC|28658|828-555-0170|828-555-0171|"
                         "Tammy Huffman|Active"});
    QCOMPARE(rows(db, "SELECT ID,Description,Status FROM StyleType"), QStringList{"Seat|Seat cushions|Active"});
    QCOMPARE(rows(db, "SELECT ID,OffAll,Width,Length,Grade,Vendor,Status FROM Bun"),
             QStringList{"1530-60|false|60|80|1530|Carolina Foam Supply|Active"});
    QCOMPARE(rows(db, "SELECT ID,Description,Thickness,Width,Length,CutStyle,Test,TestRange,Topped,PrintOnShipping,"
                      "Arm,Tie,BunID,RailsPerBun,PiecesPerRail,Status FROM Component ORDER BY ID"),
             (QStringList{"AR-200|Arm Wrap|2|18|30|Pattern Cut|false|||false|true|true|1530-60|2|8|Active",
                          "SC-100|Seat Core|4|22|24|Straight Cut|true|28-32|1/2\" Dacron|true|false|false|1530-60|3|6|"
                          "Active"}));
    QCOMPARE(rows(db, "SELECT Station,ReportType,Teams,Status FROM Operation ORDER BY Station"),
             (QStringList{"Band Saw 1|Band Saw|1|Active", "Glue Line A|Glue Line|2|Active"}));
    QCOMPARE(rows(db, "SELECT Customer,Name,Type,Cost,Price,Status FROM Style"),
             QStringList{"O'Hara Seating|Bristol|Seat|12.5|24.75|Active"});
    const QString styleId = db.scalar("SELECT ID FROM Style").toString();
    QCOMPARE(rows(db, "SELECT StyleID,ComponentID,Qty FROM StyleComponent ORDER BY ComponentID"),
             (QStringList{styleId + "|AR-200|4", styleId + "|SC-100|2"}));
    const QString coreLink = db.scalar("SELECT ID FROM StyleComponent WHERE ComponentID = 'SC-100'").toString();
    QCOMPARE(rows(db, "SELECT OperationID,Instructions,Thickness,Width,Length,StyleID,ComponentID FROM StyleOperation "
                      "ORDER BY OperationID"),
             (QStringList{"Band Saw 1|Cut 4 x 22 x 24|4|22|24|" + styleId + "|" + coreLink,
                          "Glue Line A|Glue O'Hara wrap|4.25|22.5|24|" + styleId + "|" + coreLink}));

    // The tree shows the whole definition.
    auto *tree = child<QTreeWidget>(w, "StyleTree");
    openAll(tree);
    QStringList treeText;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) dump(tree->topLevelItem(i), 0, treeText);
    QCOMPARE(treeText, (QStringList{"Styles", "  O'Hara Seating", "    Bristol-Seat", "      (4) - AR-200-Arm Wrap",
                                    "      (2) - SC-100-Seat Core", "        Band Saw 1 - (Cut 4 x 22 x 24)",
                                    "        Glue Line A - (Glue O'Hara wrap)"}));

    // A click on the glue line operation fills all three frames with what was typed.
    tree->expandAll();
    QTreeWidgetItem *node = tree->findItems("Glue Line A - (Glue O'Hara wrap)", Qt::MatchExactly | Qt::MatchRecursive)
                                .value(0);
    QVERIFY(node);
    tree->scrollToItem(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
    const QString operationId = db.scalar("SELECT ID FROM StyleOperation WHERE OperationID = 'Glue Line A'").toString();
    const QStringList expected[] = {
        {"cmbCustomer", "O'Hara Seating"}, {"cmbStyleName", "Bristol"}, {"cmbType", "Seat"},
        {"txtCost", "12.5"}, {"txtPrice", "24.75"}, {"txtStyleNameID", styleId},
        {"cmbStyle", "Bristol-Seat"}, {"cmbComponent", "SC-100-Seat Core"}, {"txtQty", "2"},
        {"txtStyleComponentID", coreLink},
        {"cmbStyle2", "Bristol-Seat"}, {"cmbComponent2", "SC-100-Seat Core"}, {"cmbOperation", "Glue Line A"},
        {"txtInstructions", "Glue O'Hara wrap"}, {"txtThickness", "4.25"}, {"txtWidth", "22.5"},
        {"txtLength", "24"}, {"txtStyleComponentOperationID", operationId},
    };
    for (const QStringList &e : expected) QCOMPARE(shown(w, qPrintable(e[0])) + " <- " + e[0], e[1] + " <- " + e[0]);
    // The entries carry the IDs of the clicked records, not just matching texts.
    QCOMPARE(child<QComboBox>(w, "cmbStyle")->currentData().toString(), styleId);
    QCOMPARE(child<QComboBox>(w, "cmbComponent2")->currentData().toString(), coreLink);
    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('\n')));
}

QTEST_MAIN(tst_productroad)
#include "tst_productroad.moc"
