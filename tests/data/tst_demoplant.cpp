// The demo plant holds what every window and document needs to show something real, and
// its rows agree with one another the way the windows keep them; the benchmark plant
// keeps the same rules at any size and comes out the same every time.

#include "core/AppError.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "tools/DemoPlant.h"
#include "data/Schema.h"
#include "data/SqlText.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"

#include <QHash>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

bool near(double a, double b) { return std::fabs(a - b) < 0.005; }

// Orders whose stored status disagrees with the plant's rule: Closed exactly when every
// line has shipped its ordered quantity (an order without lines counts as shipped);
// void orders are left out.
QStringList statusMismatches(const TestDatabase &db) {
    const RowSet lines = db.query(
        "SELECT OrderItems.OrderID, ItemNumber, OrderItems.Qty AS Ordered, SUM(ShipmentItems.Qty) AS Shipped "
        "FROM (OrderItems LEFT JOIN ShipmentItems ON OrderItems.OrderID = ShipmentItems.OrderID AND "
        "OrderItems.ItemNumber = ShipmentItems.OrderLineItem) GROUP BY OrderItems.OrderID, ItemNumber, OrderItems.Qty");
    QHash<qint64, bool> allShipped;
    for (int r = 0; r < lines.rows.size(); ++r) {
        const qint64 order = lines.value(r, "OrderID").toLongLong();
        const bool shipped = lines.value(r, "Shipped").toDouble() >= lines.value(r, "Ordered").toDouble();
        allShipped[order] = allShipped.value(order, true) && shipped;
    }
    QStringList wrong;
    const RowSet orders = db.query("SELECT ID, Status FROM Orders WHERE Status <> 'Void'");
    for (int r = 0; r < orders.rows.size(); ++r) {
        const qint64 id = orders.value(r, "ID").toLongLong();
        const QString expected = allShipped.value(id, true) ? "Closed" : "Open";
        if (orders.value(r, "Status").toString() != expected)
            wrong << QString("order %1 is %2, shipments say %3").arg(id).arg(orders.value(r, "Status").toString(), expected);
    }
    return wrong;
}

// Amounts that disagree: a line's extension, an order's total, an invoice's subtotal
// (the extensions of all lines of its orders) and total (subtotal + freight + misc).
QStringList amountMismatches(const TestDatabase &db) {
    QStringList wrong;
    const RowSet lines = db.query("SELECT OrderID, ItemNumber, Qty, PriceEach, PriceExt FROM OrderItems");
    for (int r = 0; r < lines.rows.size(); ++r)
        if (!near(lines.value(r, "Qty").toDouble() * lines.value(r, "PriceEach").toDouble(), lines.value(r, "PriceExt").toDouble()))
            wrong << QString("line %1/%2 extension").arg(lines.value(r, "OrderID").toString(), lines.value(r, "ItemNumber").toString());

    const RowSet orders = db.query(
        "SELECT Orders.ID, Orders.Total, SUM(OrderItems.PriceExt) AS Lines FROM Orders LEFT JOIN OrderItems "
        "ON Orders.ID = OrderItems.OrderID GROUP BY Orders.ID, Orders.Total");
    for (int r = 0; r < orders.rows.size(); ++r)
        if (!near(orders.value(r, "Total").toDouble(), orders.value(r, "Lines").toDouble()))
            wrong << QString("order %1 total").arg(orders.value(r, "ID").toString());

    const RowSet invoices = db.query(
        "SELECT Invoice.ID, Subtotal, Freight, Misc, Invoice.Total, (SELECT SUM(PriceExt) FROM OrderItems WHERE OrderID IN "
        "(SELECT OrderID FROM InvoiceOrders WHERE InvoiceOrders.Invoice = Invoice.ID)) AS Billed FROM Invoice");
    for (int r = 0; r < invoices.rows.size(); ++r) {
        const double subtotal = invoices.value(r, "Subtotal").toDouble();
        if (!near(subtotal, invoices.value(r, "Billed").toDouble()))
            wrong << QString("invoice %1 subtotal").arg(invoices.value(r, "ID").toString());
        if (!near(subtotal + invoices.value(r, "Freight").toDouble() + invoices.value(r, "Misc").toDouble(),
                  invoices.value(r, "Total").toDouble()))
            wrong << QString("invoice %1 total").arg(invoices.value(r, "ID").toString());
    }
    return wrong;
}

// Every row of the tables the generator writes, for comparing two runs.
QVector<QVector<QVector<QVariant>>> contents(Database &db) {
    QVector<QVector<QVector<QVariant>>> all;
    for (const char *table : {"Customer", "Style", "StyleComponent", "StyleOperation", "Orders", "OrderItems",
                              "Shipments", "ShipmentItems", "Invoice", "InvoiceOrders", "Payments"})
        all << db.openRecordset(QString("SELECT * FROM ") + table)->rowSet().rows;
    return all;
}

}  // namespace

class tst_DemoPlant : public QObject {
    Q_OBJECT

private slots:
    void everyFlagCombinationIsOnAStyle_data();
    void everyFlagCombinationIsOnAStyle();
    void everyReportTypeHasWork_data();
    void everyReportTypeHasWork();
    void foamOrderStationsCarryCutPieces_data();
    void foamOrderStationsCarryCutPieces();
    void multiTeamStationIsOnAnOrder();
    void productEdgeCases();
    void customersAndVendors();
    void referencesResolve_data();
    void referencesResolve();
    void orderStatusesFollowShipments();
    void amountsAgree();
    void paidPartPaidAndUnpaidInvoices();
    void datesLieAroundToday();
    void secondPopulateIsRefusedAndChangesNothing();
    void largePlantCountsAndRules();
    void largePlantIsRepeatable();
};

void tst_DemoPlant::everyFlagCombinationIsOnAStyle_data() {
    QTest::addColumn<bool>("test");
    QTest::addColumn<bool>("tie");
    QTest::addColumn<bool>("ship");
    QTest::addColumn<bool>("arm");
    for (int bits = 0; bits < 16; ++bits)
        QTest::addRow("test=%d tie=%d ship=%d arm=%d", bits >> 3 & 1, bits >> 2 & 1, bits >> 1 & 1, bits & 1)
            << bool(bits & 8) << bool(bits & 4) << bool(bits & 2) << bool(bits & 1);
}

// The test, tie and load sheets and the non-arm tallies each find components, in every
// combination, on a style that an order can carry.
void tst_DemoPlant::everyFlagCombinationIsOnAStyle() {
    QFETCH(bool, test);
    QFETCH(bool, tie);
    QFETCH(bool, ship);
    QFETCH(bool, arm);
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    auto flag = [](bool b) { return QString(b ? "True" : "False"); };
    const QString where = QString("Component.Test = %1 AND Component.Tie = %2 AND Component.PrintOnShipping = %3 AND Component.Arm = %4")
                              .arg(flag(test), flag(tie), flag(ship), flag(arm));
    QVERIFY(db.count("Component", where) >= 1);
    const QVariant onOrders = db.scalar(
        "SELECT COUNT(*) FROM ((OrderItems INNER JOIN StyleComponent ON OrderItems.StyleID = StyleComponent.StyleID) "
        "INNER JOIN Component ON StyleComponent.ComponentID = Component.ID) INNER JOIN StyleOperation ON "
        "StyleComponent.StyleID = StyleOperation.StyleID AND StyleComponent.ID = StyleOperation.ComponentID WHERE " + where);
    QVERIFY2(onOrders.toInt() >= 1, "no ordered style uses such a component with operations");
}

void tst_DemoPlant::everyReportTypeHasWork_data() {
    QTest::addColumn<QString>("reportType");
    for (const char *type : {"Band Saw", "Bullet Noser", "CNC", "CNC Stencil", "Fiber Table", "Glue Line", "Spray Line",
                             "Glue/Spray Line Supply", "Top Out Saw", "Vertical Slitter"})
        QTest::newRow(type) << QString(type);
}

// Every kind of work ticket has a station and ordered work to print.
void tst_DemoPlant::everyReportTypeHasWork() {
    QFETCH(QString, reportType);
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    QVERIFY(db.count("Operation", "ReportType = '" + reportType + "' AND Status = 'Active'") >= 1);
    const QVariant ordered = db.scalar(
        "SELECT COUNT(*) FROM (OrderItems INNER JOIN StyleOperation ON OrderItems.StyleID = StyleOperation.StyleID) "
        "INNER JOIN Operation ON StyleOperation.OperationID = Operation.Station WHERE Operation.ReportType = '" +
        reportType + "'");
    QVERIFY(ordered.toInt() >= 1);
}

void tst_DemoPlant::foamOrderStationsCarryCutPieces_data() {
    QTest::addColumn<QString>("station");
    QTest::addColumn<QString>("reportType");
    QTest::newRow("Band Saw 1") << "Band Saw 1" << "Band Saw";
    QTest::newRow("Band Saw 2") << "Band Saw 2" << "Band Saw";
    QTest::newRow("CNC") << "CNC" << "CNC";
}

// The foam order names these three stations; each exists and cuts pieces from buns that
// are bought (not "Off All") for an ordered style.
void tst_DemoPlant::foamOrderStationsCarryCutPieces() {
    QFETCH(QString, station);
    QFETCH(QString, reportType);
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    QCOMPARE(db.scalar("SELECT ReportType FROM Operation WHERE Station = '" + station + "'").toString(), reportType);
    const QVariant pieces = db.scalar(
        "SELECT COUNT(*) FROM (((OrderItems INNER JOIN StyleComponent ON OrderItems.StyleID = StyleComponent.StyleID) "
        "INNER JOIN StyleOperation ON StyleComponent.StyleID = StyleOperation.StyleID AND StyleComponent.ID = "
        "StyleOperation.ComponentID) INNER JOIN Component ON StyleComponent.ComponentID = Component.ID) INNER JOIN Bun "
        "ON Component.BunID = Bun.ID WHERE StyleOperation.OperationID = '" + station + "' AND Bun.OffAll = False");
    QVERIFY(pieces.toInt() >= 1);
}

// A station run by two crews gets its ticket twice; one must have ordered work.
void tst_DemoPlant::multiTeamStationIsOnAnOrder() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    const QVariant stations = db.scalar(
        "SELECT COUNT(*) FROM Operation WHERE Teams = 2 AND Station IN (SELECT StyleOperation.OperationID FROM "
        "OrderItems INNER JOIN StyleOperation ON OrderItems.StyleID = StyleOperation.StyleID)");
    QVERIFY(stations.toInt() >= 1);
}

void tst_DemoPlant::productEdgeCases() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    // Two customers carry a style of the same name and type.
    QVERIFY(db.scalar("SELECT COUNT(*) FROM (SELECT Name, Type FROM Style GROUP BY Name, Type "
                      "HAVING COUNT(DISTINCT Customer) >= 2)").toInt() >= 1);
    // A style with no components, and one on an order.
    QVERIFY(db.count("Style", "ID NOT IN (SELECT StyleID FROM StyleComponent)") >= 1);
    QVERIFY(db.count("OrderItems", "StyleID NOT IN (SELECT StyleID FROM StyleComponent)") >= 1);
    // A component whose bun is kept off the saw tally and purchase lists, with band-saw work.
    QVERIFY(db.scalar("SELECT COUNT(*) FROM ((StyleOperation INNER JOIN StyleComponent ON StyleComponent.StyleID = "
                      "StyleOperation.StyleID AND StyleComponent.ID = StyleOperation.ComponentID) INNER JOIN Component ON "
                      "StyleComponent.ComponentID = Component.ID) INNER JOIN Bun ON Component.BunID = Bun.ID WHERE "
                      "Bun.OffAll = True AND StyleOperation.OperationID Like 'Band Saw*'").toInt() >= 1);
    // A component cut on a band saw and also on a CNC.
    QVERIFY(db.scalar("SELECT COUNT(*) FROM StyleOperation A INNER JOIN StyleOperation B ON A.ComponentID = B.ComponentID "
                      "WHERE A.OperationID Like 'Band Saw*' AND B.OperationID Like 'CNC*'").toInt() >= 1);
    // Inactive bun, style type, station and component; the labour variables row.
    QVERIFY(db.count("Bun", "Status = 'Inactive'") >= 1);
    QVERIFY(db.count("StyleType", "Status = 'Inactive'") >= 1);
    QVERIFY(db.count("Operation", "Status = 'Inactive'") >= 1);
    QVERIFY(db.count("Component", "Status = 'Inactive'") >= 1);
    QCOMPARE(db.count("Data"), 1);
    QCOMPARE(db.count("Data", "ID = 'Data'"), 1);
    QVERIFY(db.scalar("SELECT NonArmPerHour FROM Data").toDouble() != db.scalar("SELECT SprayLineNonArmPerHour FROM Data").toDouble());
}

void tst_DemoPlant::customersAndVendors() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    // "Vedu" prints on its own order form; matched exactly, with its orders.
    QCOMPARE(db.scalar("SELECT Customer FROM Customer WHERE Customer = 'Vedu'").toString(), QString("Vedu"));
    QVERIFY(db.count("Orders", "Customer = 'Vedu'") >= 1);
    QVERIFY(db.count("Customer", "Customer Like 'Vedu?*'") >= 1);  // a longer name that begins the same
    // A name with an apostrophe, found by the quoted lookup, with styles and orders.
    const QString obrien = SqlText::Escaped("O'Brien Furniture");
    QCOMPARE(db.count("Customer", "Customer = '" + obrien + "'"), 1);
    QVERIFY(db.count("Style", "Customer = '" + obrien + "'") >= 1);
    QVERIFY(db.count("Orders", "Customer = '" + obrien + "'") >= 1);
    // Active and inactive customers and vendors; every active customer has a ship-to block.
    QVERIFY(db.count("Customer", "Status = 'Active'") >= 3);
    QVERIFY(db.count("Customer", "Status = 'InActive'") >= 1);
    QVERIFY(db.count("Vendor", "Status = 'Active'") >= 2);
    QVERIFY(db.count("Vendor", "Status = 'InActive'") >= 1);
    QCOMPARE(db.count("Customer", "Status = 'Active' AND (ShipTo IS NULL OR ShipTo = '' OR ShipToAddress1 = '')"), 0);
}

void tst_DemoPlant::referencesResolve_data() {
    QTest::addColumn<bool>("large");
    QTest::addColumn<QString>("orphans");
    const QList<QPair<const char *, const char *>> checks = {
        {"style's customer", "SELECT COUNT(*) FROM Style WHERE Customer NOT IN (SELECT Customer FROM Customer)"},
        {"style's type", "SELECT COUNT(*) FROM Style WHERE Type NOT IN (SELECT ID FROM StyleType)"},
        {"duplicate style", "SELECT COUNT(*) FROM (SELECT Customer, Name, Type FROM Style GROUP BY Customer, Name, Type HAVING COUNT(*) > 1)"},
        {"link's style", "SELECT COUNT(*) FROM StyleComponent WHERE StyleID NOT IN (SELECT ID FROM Style)"},
        {"link's component", "SELECT COUNT(*) FROM StyleComponent WHERE ComponentID NOT IN (SELECT ID FROM Component)"},
        {"duplicate link", "SELECT COUNT(*) FROM (SELECT StyleID, ComponentID FROM StyleComponent GROUP BY StyleID, ComponentID HAVING COUNT(*) > 1)"},
        {"operation's link", "SELECT COUNT(*) FROM StyleOperation LEFT JOIN StyleComponent ON StyleComponent.StyleID = "
                             "StyleOperation.StyleID AND StyleComponent.ID = StyleOperation.ComponentID WHERE StyleComponent.ID IS NULL"},
        {"operation's station", "SELECT COUNT(*) FROM StyleOperation WHERE OperationID NOT IN (SELECT Station FROM Operation)"},
        {"duplicate operation", "SELECT COUNT(*) FROM (SELECT StyleID, ComponentID, OperationID FROM StyleOperation "
                                "GROUP BY StyleID, ComponentID, OperationID HAVING COUNT(*) > 1)"},
        {"component's bun", "SELECT COUNT(*) FROM Component WHERE BunID <> '' AND BunID NOT IN (SELECT ID FROM Bun)"},
        {"bun's vendor", "SELECT COUNT(*) FROM Bun WHERE Vendor <> '' AND Vendor NOT IN (SELECT Vendor FROM Vendor)"},
        {"order's customer", "SELECT COUNT(*) FROM Orders WHERE Customer NOT IN (SELECT Customer FROM Customer)"},
        {"line's order", "SELECT COUNT(*) FROM OrderItems WHERE OrderID NOT IN (SELECT ID FROM Orders)"},
        {"line's style of the order's customer",
         "SELECT COUNT(*) FROM (OrderItems INNER JOIN Orders ON OrderItems.OrderID = Orders.ID) LEFT JOIN Style ON "
         "OrderItems.StyleID = Style.ID WHERE Style.ID IS NULL OR Style.Customer <> Orders.Customer"},
        {"duplicate line number", "SELECT COUNT(*) FROM (SELECT OrderID, ItemNumber FROM OrderItems GROUP BY OrderID, ItemNumber HAVING COUNT(*) > 1)"},
        {"shipment's order", "SELECT COUNT(*) FROM Shipments WHERE OrderID NOT IN (SELECT ID FROM Orders)"},
        {"shipped line's shipment", "SELECT COUNT(*) FROM ShipmentItems LEFT JOIN Shipments ON ShipmentItems.ShipmentID = "
                                    "Shipments.ID WHERE Shipments.ID IS NULL OR Shipments.OrderID <> ShipmentItems.OrderID"},
        {"shipped line's order line", "SELECT COUNT(*) FROM ShipmentItems LEFT JOIN OrderItems ON OrderItems.OrderID = "
                                      "ShipmentItems.OrderID AND OrderItems.ItemNumber = ShipmentItems.OrderLineItem WHERE OrderItems.OrderID IS NULL"},
        {"shipment of a void order", "SELECT COUNT(*) FROM Shipments INNER JOIN Orders ON Shipments.OrderID = Orders.ID WHERE Orders.Status = 'Void'"},
        {"invoiced order's invoice", "SELECT COUNT(*) FROM InvoiceOrders WHERE Invoice NOT IN (SELECT ID FROM Invoice)"},
        {"invoiced order of another customer",
         "SELECT COUNT(*) FROM (InvoiceOrders INNER JOIN Invoice ON InvoiceOrders.Invoice = Invoice.ID) LEFT JOIN Orders "
         "ON InvoiceOrders.OrderID = Orders.ID WHERE Orders.ID IS NULL OR Orders.Customer <> Invoice.Customer"},
        {"order invoiced twice", "SELECT COUNT(*) FROM (SELECT OrderID FROM OrdersInvoiced GROUP BY OrderID HAVING COUNT(*) > 1)"},
        {"marked invoiced but on no invoice", "SELECT COUNT(*) FROM OrdersInvoiced WHERE OrderID NOT IN (SELECT OrderID FROM InvoiceOrders)"},
        {"on an invoice but not marked", "SELECT COUNT(*) FROM InvoiceOrders WHERE OrderID NOT IN (SELECT OrderID FROM OrdersInvoiced)"},
        {"payment's invoice", "SELECT COUNT(*) FROM Payments WHERE Invoice NOT IN (SELECT ID FROM Invoice)"},
    };
    for (bool large : {false, true})
        for (const auto &[name, sql] : checks)
            QTest::addRow("%s %s", large ? "large" : "demo", name) << large << QString(sql);
}

// What the windows keep linked is linked: no row points at something missing, and no key
// the windows keep unique appears twice.
void tst_DemoPlant::referencesResolve() {
    QFETCH(bool, large);
    QFETCH(QString, orphans);
    ScopedFakes fakes;
    TestDatabase db(large ? TestDatabase::Empty : TestDatabase::Demo);
    if (large) DemoPlant::populateLarge(AppDatabase(), 60, 300);
    QCOMPARE(db.scalar(orphans).toInt(), 0);
}

void tst_DemoPlant::orderStatusesFollowShipments() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    {
        const QStringList wrong = statusMismatches(db);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("; ")));
    }
    // Each status, a part-shipped open order, an order shipped in two loads, a gap in
    // an order's line numbers and a customer's order number used twice.
    for (const char *status : {"Open", "Closed", "Void"}) QVERIFY2(db.count("Orders", QString("Status = '%1'").arg(status)) >= 1, status);
    QVERIFY(db.count("Orders", "Status = 'Open' AND ID IN (SELECT OrderID FROM Shipments)") >= 1);
    QVERIFY(db.scalar("SELECT COUNT(*) FROM (SELECT OrderID FROM Shipments GROUP BY OrderID HAVING COUNT(*) >= 2)").toInt() >= 1);
    QVERIFY(db.scalar("SELECT COUNT(*) FROM (SELECT OrderID FROM OrderItems GROUP BY OrderID "
                      "HAVING MAX(ItemNumber) > COUNT(*))").toInt() >= 1);
    QVERIFY(db.scalar("SELECT COUNT(*) FROM (SELECT Customer, OrderNumber FROM Orders GROUP BY Customer, OrderNumber "
                      "HAVING COUNT(*) >= 2)").toInt() >= 1);
}

void tst_DemoPlant::amountsAgree() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    {
        const QStringList wrong = amountMismatches(db);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("; ")));
    }
    QVERIFY(db.count("Invoice") >= 3);
    QVERIFY(db.count("Invoice", "Freight <> 0 AND Misc <> 0") >= 1);
    QVERIFY(db.scalar("SELECT COUNT(*) FROM (SELECT Invoice FROM InvoiceOrders GROUP BY Invoice HAVING COUNT(*) >= 2)").toInt() >= 1);
    // Orders left to invoice: a shipped one is waiting.
    QVERIFY(db.count("Orders", "Status = 'Closed' AND ID NOT IN (SELECT OrderID FROM OrdersInvoiced)") >= 1);
}

void tst_DemoPlant::paidPartPaidAndUnpaidInvoices() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    const RowSet invoices = db.query(
        "SELECT Invoice.ID, Invoice.Total, (SELECT SUM(Amount) + SUM(Adjustment) FROM Payments WHERE Invoice = Invoice.ID) AS Paid "
        "FROM Invoice");
    int paid = 0, partPaid = 0, unpaid = 0;
    for (int r = 0; r < invoices.rows.size(); ++r) {
        const QVariant received = invoices.value(r, "Paid");
        const double total = invoices.value(r, "Total").toDouble();
        if (received.isNull()) ++unpaid;
        else if (near(received.toDouble(), total)) ++paid;
        else if (received.toDouble() > 0 && received.toDouble() < total) ++partPaid;
        else QFAIL(qPrintable(QString("invoice %1 is overpaid").arg(invoices.value(r, "ID").toString())));
    }
    QVERIFY(paid >= 1);
    QVERIFY(partPaid >= 1);
    QVERIFY(unpaid >= 1);
    QVERIFY(db.count("Payments", "Adjustment <> 0") >= 1);
}

// The navigators open on today's date and the statements age invoices from today: the
// plant's dates sit in the weeks up to today, in the order the work happens.
void tst_DemoPlant::datesLieAroundToday() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    const QString today = SqlText::DateLiteral(fakes.clock.today());
    const QString longAgo = SqlText::DateLiteral(fakes.clock.today().addDays(-120));
    QCOMPARE(db.count("Orders", "OrderDate > " + today + " OR OrderDate < " + longAgo), 0);
    QVERIFY(db.count("Orders", "OrderDate = " + today) >= 1);
    QVERIFY(db.count("Shipments", "Date = " + today) >= 1);
    QCOMPARE(db.count("Orders", "DueDate < OrderDate"), 0);
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM Shipments INNER JOIN Orders ON Shipments.OrderID = Orders.ID "
                       "WHERE Shipments.Date < Orders.OrderDate OR Shipments.Date > " + today).toInt(), 0);
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM (InvoiceOrders INNER JOIN Invoice ON InvoiceOrders.Invoice = Invoice.ID) "
                       "INNER JOIN Shipments ON InvoiceOrders.OrderID = Shipments.OrderID WHERE Invoice.InvoiceDate < Shipments.Date").toInt(), 0);
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM Payments INNER JOIN Invoice ON Payments.Invoice = Invoice.ID "
                       "WHERE Payments.Date < Invoice.InvoiceDate OR Payments.Date > " + today).toInt(), 0);
    QCOMPARE(db.count("Invoice", "DueDate <= InvoiceDate"), 0);
    // The data layer reads the stored dates back as dates.
    QCOMPARE(db.scalar("SELECT OrderDate FROM Orders WHERE OrderDate = " + today).toDate(), fakes.clock.today());
}

void tst_DemoPlant::secondPopulateIsRefusedAndChangesNothing() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Demo);
    const int orders = db.count("Orders"), customers = db.count("Customer"), styles = db.count("Style");
    for (int large = 0; large < 2; ++large) {
        try {
            if (large) DemoPlant::populateLarge(AppDatabase(), 10, 10);
            else DemoPlant::populate(AppDatabase());
            QFAIL("a plant was written over a plant");
        } catch (const AppError &e) {
            QVERIFY(e.description().contains("already holds"));
        }
        QCOMPARE(db.count("Orders"), orders);
        QCOMPARE(db.count("Customer"), customers);
        QCOMPARE(db.count("Style"), styles);
    }
}

void tst_DemoPlant::largePlantCountsAndRules() {
    ScopedFakes fakes;
    TestDatabase db(TestDatabase::Empty);
    DemoPlant::populateLarge(AppDatabase(), 240, 1500);
    QCOMPARE(db.count("Style"), 240);
    QCOMPARE(db.count("Orders"), 1500);
    QCOMPARE(db.count("Customer", "Customer = 'Vedu'"), 1);
    QVERIFY(db.count("Operation", "Station = 'Band Saw 1'") == 1);
    QCOMPARE(db.count("Data"), 1);
    {
        const QStringList wrong = statusMismatches(db);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("; ")));
    }
    {
        const QStringList wrong = amountMismatches(db);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("; ")));
    }
    for (const char *status : {"Open", "Closed", "Void"}) QVERIFY2(db.count("Orders", QString("Status = '%1'").arg(status)) >= 1, status);
    QVERIFY(db.count("Invoice") >= 1);
    QVERIFY(db.count("Payments") >= 1);
    // Every style has components, and every component of a style has its operations.
    QCOMPARE(db.count("Style", "ID NOT IN (SELECT StyleID FROM StyleComponent)"), 0);
    QCOMPARE(db.count("StyleComponent", "ID NOT IN (SELECT ComponentID FROM StyleOperation)"), 0);
    // New rows after the generated ones get fresh auto-numbers.
    auto rs = AppDatabase().openRecordset("SELECT * FROM Orders WHERE ID = 0");
    rs->addNew();
    QCOMPARE(rs->field("ID").toLongLong(), 1501);
}

void tst_DemoPlant::largePlantIsRepeatable() {
    ScopedFakes fakes;
    QTemporaryDir dir;
    QVector<QVector<QVector<QVector<QVariant>>>> runs;
    for (const char *name : {"a.db", "b.db"}) {
        auto db = Database::create(dir.filePath(name));
        Schema::create(*db);
        DemoPlant::populateLarge(*db, 50, 200);
        runs << contents(*db);
    }
    QCOMPARE(runs[0].size(), runs[1].size());
    for (int t = 0; t < runs[0].size(); ++t) {
        QVERIFY(!runs[0][t].isEmpty());
        QVERIFY2(runs[0][t] == runs[1][t], qPrintable(QString("table %1 differs between runs").arg(t)));
    }
}

QTEST_GUILESS_MAIN(tst_DemoPlant)
#include "tst_demoplant.moc"
