// Every SQL text the system issues, with sample values where a window or document
// splices one in, run through the data layer against the plant's tables: first on a
// small plant whose answers are known row by row, then on the demo plant. The texts are
// the ones the stores, the saves and the document builders issue, captured from the data
// layer as they run (or taken from where they are defined), so a change to a statement
// is seen here.
//
// Each statement runs inside a transaction that is rolled back afterwards, so every
// row of the catalogue starts from the same data. A statement that reads a summary
// table lists the SELECT ... INTO statements that make it as its preparation.

#include "core/AppError.h"
#include "data/Database.h"
#include "data/SqlText.h"
#include "data/StationSql.h"
#include "masterdata/MasterStore.h"
#include "orders/OrderSave.h"
#include "orders/OrderSearch.h"
#include "orders/OrderStore.h"
#include "orders/UpdateOrderStatus.h"
#include "product/ProductStore.h"
#include "receivables/Invoicing.h"
#include "receivables/Payments.h"
#include "receivables/ReceivablesStore.h"
#include "reports/ReportsMod.h"
#include "shipping/SaveShipment.h"
#include "shipping/ShipmentSearch.h"
#include "shipping/ShippingStore.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"

#include <QtTest>
#include <functional>
#include <memory>

namespace {

enum class Action {
    Open,     // open a result set and check its rows
    Execute,  // execute, then check the rows of the verifying query (if any)
    Fails,    // execute; the statement must fail
};

struct Entry {
    QString name;
    Action action;
    QString sql;
    QStringList prepare;   // run first, in order
    QString verify;        // for Execute: the query whose rows are checked
    QStringList columns;   // fields read from each row, joined with '|'
    QStringList expected;  // one text per row; an empty column list gives "" per row
    bool ordered = true;   // false: the statement has no ORDER BY, rows compared as a set
    int error = 0;         // for Fails: the error number, 0 for any
};

// ---- The statements as the code issues them -------------------------------------------

// Every statement `run` gives the data layer, opened or executed, in order. What it
// writes is rolled back; a failure part-way (a builder that finds nothing to print) ends it.
QStringList issued(const std::function<void()> &run) {
    Database &db = AppDatabase();
    QStringList texts;
    db.observeStatements([&](const QString &sql, std::optional<RecordsetType>) { texts << sql; });
    {
        CaptureTarget printed;
        ScopedFakes fakes;
        Transaction rolledBack(db);
        try {
            run();
        } catch (const AppError &) {
        }
    }
    db.observeStatements({});
    return texts;
}

// The first statement `run` issues, or the one holding `marker` (or equal to it). A marker that no statement (or
// more than one) holds gives a text that fails, naming it.
QString issued(const std::function<void()> &run, const QString &marker) {
    const QStringList texts = issued(run);
    if (marker.isEmpty()) return texts.value(0, QStringLiteral("-- no statement"));
    if (texts.contains(marker)) return marker;  // one text that begins another
    const QStringList held = texts.filter(marker);
    if (held.size() != 1) return QStringLiteral("-- %1 statements hold: %2").arg(held.size()).arg(marker);
    return held.first();
}

// A store call that hands back an open set.
template <class Open>
QString opened(Open open) {
    return issued([&] { open(); }, QString());
}

// ---- Documents that issue many statements -------------------------------------------

using OrderBuilder = void (*)(const QString &orderId);

// The statement of a document for an order that holds `marker`.
QString ofDocument(OrderBuilder print, const char *orderId, const QString &marker) {
    return issued([=] { print(QString::fromLatin1(orderId)); }, marker);
}

// A station's ticket query as its builder asks for it.
QString ticketOf(OrderBuilder print, const char *orderId, const QString &station) {
    return ofDocument(print, orderId, QStringLiteral("OperationID = '") + station + QLatin1Char('\''));
}

void printSummary(const QString &orderId) { PrintProductionSummary(orderId, QStringLiteral("Saw Department")); }

// The production summary's statement holding `marker`.
QString summary(const char *orderId, const QString &marker) { return ofDocument(printSummary, orderId, marker); }

// The SELECT ... INTO that makes one of the summary's tables.
QString made(const char *orderId, const QString &table) {
    return summary(orderId, QStringLiteral("Into ") + table + QLatin1Char(' '));
}

// The three tables of a line ("Glue", "Spray"), in the order the summary makes them.
QStringList lineTables(const char *orderId, const QString &line) {
    return {made(orderId, QStringLiteral("tmp%1LineMain").arg(line)), made(orderId, QStringLiteral("tmp%1LineTotal").arg(line)),
            made(orderId, QStringLiteral("tmp%1LineNonArm").arg(line))};
}

const char *const kStationInOtherCase = "glue line summary, operations typed in other letter case";

// ---- Building entries ------------------------------------------------------------------

Entry query(const char *name, const QString &sql, int rows) {
    return {QString::fromUtf8(name), Action::Open, sql, {}, {}, {}, QStringList(rows, QString()), true, 0};
}
Entry query(const char *name, const QString &sql, const QStringList &columns, const QStringList &expected,
           bool ordered = true, const QStringList &prepare = {}) {
    return {QString::fromUtf8(name), Action::Open, sql, prepare, {}, columns, expected, ordered, 0};
}
Entry write(const char *name, const QString &sql, const QString &verify, const QStringList &columns,
              const QStringList &expected, const QStringList &prepare = {}) {
    return {QString::fromUtf8(name), Action::Execute, sql, prepare, verify, columns, expected, false, 0};
}
Entry failing(const char *name, const QString &sql, int error, const QStringList &prepare = {}) {
    return {QString::fromUtf8(name), Action::Fails, sql, prepare, {}, {}, {}, true, error};
}

QVector<Entry> buildCatalogue() {
    using namespace StyleListingFilter;
    QVector<Entry> c;
    const QString obrien = QStringLiteral("O'Brien");

    using MasterStore::Customers;
    using MasterStore::Vendors;
    namespace PS = ProductStore;

    // Customers and vendors.
    c << query("customer list", opened([] { return MasterStore::List(Customers()); }), {"Customer"}, {"Acme", "O'Brien", "Zenith"});
    c << query("customer lookup", opened([&] { return MasterStore::FindRow(Customers(), obrien); }), {"Customer", "City"},
              {"O'Brien|Tupelo"});
    c << query("customer lookup in other letter case", opened([] { return MasterStore::FindRow(Customers(), "acme"); }),
              {"Customer"}, {"Acme"});
    c << query("customer names", opened([] { return PS::CustomerNames(); }), 3);
    c << query("customer names of the style listing", opened([] { return ReceivablesStore::CustomerNames(); }), 3);
    c << query("customers to bill", opened([] { return ReceivablesStore::CustomersToBill(); }), 3);
    c << query("customers to ship for", opened([] { return ShippingStore::Customers(); }), 3);
    c << query("active customers", opened([] { return OrderStore::ActiveCustomers(); }), {"Customer"}, {"Acme", "O'Brien"});
    c << query("customer of an order", opened([] { return OrderStore::Customer("Acme"); }), {"Customer"}, {"Acme"});
    c << query("vendor list", opened([] { return MasterStore::List(Vendors()); }), {"Vendor"}, {"Fibers Inc", "FoamCo"});
    c << query("vendor lookup", opened([] { return MasterStore::FindRow(Vendors(), "FoamCo"); }), {"Vendor", "Contact"},
              {"FoamCo|Ann"});
    c << query("vendor names for buns", opened([] { return PS::VendorNames(); }), 2);

    // Styles.
    c << query("style types", opened([] { return PS::StyleTypeIds(); }), {"ID"}, {"Chair", "Sofa"});
    c << query("style names of a customer", opened([] { return PS::StyleNames("Acme"); }), {"Name"}, {"Lounge", "Retired"});
    c << query("style names of the style listing", opened([] { return ReceivablesStore::StyleNames("Acme"); }), {"Name"},
              {"Lounge", "Retired"});
    c << query("style by name, type and customer", opened([] { return PS::StyleNamed("Acme", "Lounge", "Chair"); }),
              {"ID", "Price"}, {"2|120"});
    c << query("style by ID", opened([] { return PS::Style(1); }), {"Name", "Type", "Cost"}, {"Lounge|Sofa|100"});
    c << query("style save lookup", issued([&] { PS::SaveStyle({QString(), obrien, "Club", "Chair", "0", "0"}); }, "Customer"),
              {"ID"}, {"3"});
    c << query("style save by the loaded ID", issued([] { PS::SaveStyle({"1", "Acme", "Lounge", "Sofa", "0", "0"}); }, "ID ="),
              {"Name"}, {"Lounge"});
    c << query("style list of the component and operation frames", opened([] { return PS::StylesByName(); }),
              {"Name"}, {"Club", "Lounge", "Lounge", "Retired"});
    c << query("style types of a style name", opened([] { return ReceivablesStore::StyleTypes("Acme", "Lounge"); }),
              {"Type"}, {"Chair", "Sofa"});
    c << query("style type lookup", opened([] { return PS::StyleType("Sofa"); }), {"ID", "Description"}, {"Sofa|Sofas"});
    c << query("labour variables", opened([] { return PS::Variables(); }),
              {"LaborCostPerHour", "NonArmPerHour", "SprayLineNonArmPerHour", "LaborPercent"}, {"25|10|12|30"});

    // Components, buns, stations and the links between them.
    c << query("active buns for components", opened([] { return PS::ActiveBunIds(); }), {"ID"}, {"B1"});
    c << query("component list of the component frame", opened([] { return PS::ComponentsById(); }),
              {"ID", "Description"}, {"C1|Seat cushion", "C2|Arm pad", "C3|Back"});
    c << query("component lookup", opened([] { return PS::Component("C1"); }),
              {"Description", "Test", "PrintOnShipping", "Arm", "Tie", "RailsPerBun"},
              {"Seat cushion|true|true|false|false|8"});
    c << query("style component link lookup", opened([] { return PS::StyleComponentLink("C1", 1); }), {"ID", "Qty"},
              {"1|2"});
    c << query("style component by ID", issued([] { PS::SaveStyleComponent("3", "C1", 2, {1, "1"}); }, "ID ="),
              {"StyleID", "ComponentID"}, {"2|C1"});
    c << query("bun IDs", opened([] { return PS::BunIds(); }), {"ID"}, {"B1", "B2"});
    c << query("bun lookup", opened([] { return PS::Bun("B2"); }), {"Grade", "Vendor", "OffAll"},
              {"LD18|Fibers Inc|true"});
    c << query("station list", opened([] { return PS::Stations(); }), 10);
    c << query("station names", opened([] { return PS::StationNames(); }), {"Station"},
              {"Band Saw 1", "CNC", "Fiber 1", "Glue 1", "Glue 2", "Noser 1", "Slitter", "Spray 1", "Stencil", "Supply"});
    c << query("station lookup", opened([] { return PS::Station("Glue 1"); }), {"ReportType", "Teams"}, {"Glue Line|2"});
    c << query("components of a style", opened([] { return PS::ComponentsOfStyle(1); }),
              {"ID", "ComponentID", "Description"}, {"1|C1|Seat cushion", "2|C2|Arm pad"}, false);
    c << query("components of a style whose component is gone", opened([] { return PS::ComponentsOfStyle(4); }),
              {"ID", "ComponentID", "Description"}, {"5|C9|null"});
    c << query("style operation lookup", opened([] { return PS::StyleOperationAt(1, 1, "Glue 1"); }),
              {"ID", "Instructions"}, {"2|Glue seat"});
    c << query("style operation by ID",
              issued([] { PS::SaveStyleOperation({"7", 3, 6, "Fiber 1", "", "0", "0", "0"}); }, "ID ="),
              {"OperationID", "Width"}, {"Fiber 1|18"});

    // Style tree.
    c << query("style tree: styles", opened([] { return PS::StylesForTree(); }), {"ID", "Customer"},
              {"2|Acme", "1|Acme", "4|Acme", "3|O'Brien"});
    c << query("style tree: styles with components", opened([] { return PS::StylesWithComponents(); }), {"StyleID"},
              {"1", "2", "3", "4"}, false);
    c << query("style tree: components of a style", opened([] { return PS::TreeComponents(1); }),
              {"LinkID", "Component", "Description", "Qty"}, {"1|C1|Seat cushion|2", "2|C2|Arm pad|2"});
    c << query("style tree: operations of a style", opened([] { return PS::TreeOperations(1); }),
              {"ID", "ComponentID", "OperationID"}, {"1|1|Band Saw 1", "3|2|CNC", "9|1|CNC", "2|1|Glue 1", "4|2|Glue 1"});
    c << query("style tree: style component", opened([] { return PS::StyleComponentRecord("2"); }),
              {"ComponentID", "Description", "Qty", "Style.ID", "Name", "Type"}, {"C2|Arm pad|2|1|Lounge|Sofa"});
    c << query("style tree: style operation", opened([] { return PS::StyleOperationRecord("3"); }),
              {"OperationID", "StyleComponent.ID", "StyleComponent.ComponentID", "Description", "Style.ID", "Width"},
              {"CNC|2|C2|Arm pad|1|6"});

    // Order entry and its lines.
    OrderHeader newOrder;
    newOrder.customer = QStringLiteral("Acme");
    newOrder.orderDate = newOrder.dueDate = QDate(2004, 3, 10);
    newOrder.total = QStringLiteral("0");
    OrderHeader storedOrder = newOrder;
    storedOrder.id = QStringLiteral("1");
    c << query("order rows for a new order", issued([&] { SaveOrder(newOrder, {}); }, "FROM Orders"), 4);
    c << query("order by ID for its save", issued([&] { SaveOrder(storedOrder, {}); }, "FROM Orders"), {"OrderNumber"},
              {"1001"});
    c << query("duplicate order number check", issued([] { OrderNumberExists("1001", "Acme"); }, QString()), {"ID"},
              {"1"});
    c << query("shipments of an order line", issued([] { LineHasShipments("1", "3"); }, QString()), 1);
    c << query("customer's active styles", opened([] { return OrderStore::ActiveStyles("Acme"); }),
              {"ID", "Name", "Type", "Price"}, {"2|Lounge|Chair|120", "1|Lounge|Sofa|250"});
    c << query("order by ID", opened([] { return OrderStore::Order(1); }), {"OrderNumber", "OrderDate", "Status", "Total"},
              {"1001|2004-03-10|Open|740"});
    c << query("order lines for the rewrite", issued([&] { SaveOrder(storedOrder, {}); }, "* FROM OrderItems"), 2);
    c << query("shipped lines an order save would drop", issued([&] { SaveOrder(storedOrder, {}); }, "DISTINCT"), 0);
    c << query("order lines in the order window", opened([] { return OrderStore::OrderItems("1"); }),
              {"ItemNumber", "Line", "Qty", "Name", "Type", "PriceEach"}, {"1|A|2|Lounge|Sofa|250", "3|B|2|Lounge|Chair|120"});

    // Order status rule.
    auto statusRule = [](const char *orderId) { return issued([=] { UpdateOrderStatus(orderId); }, QString()); };
    c << query("order status rule, fully shipped", statusRule("1"), {"ItemNumber", "Ordered", "Shipped"},
              {"1|2|2", "3|2|2"}, false);
    c << query("order status rule, partly shipped", statusRule("3"), {"ItemNumber", "Ordered", "Shipped"}, {"1|2|1"});
    c << query("order status rule, nothing shipped", statusRule("2"), {"ItemNumber", "Ordered", "Shipped"},
              {"1|1|null"});
    auto statusWrite = [](const char *orderId) { return issued([=] { UpdateOrderStatus(orderId); }, "UPDATE"); };
    c << write("order status rule closes an order", statusWrite("1"), "SELECT ID, Status FROM Orders ORDER BY ID",
               {"ID", "Status"}, {"1|Closed", "2|Void", "3|Open", "4|Closed"});
    c << write("order status rule reopens an order", statusWrite("4"), "SELECT ID, Status FROM Orders ORDER BY ID",
               {"ID", "Status"}, {"1|Open", "2|Void", "3|Open", "4|Open"});
    c << write("order save deletes the lines", issued([&] { SaveOrder(storedOrder, {}); }, "DELETE"),
               "SELECT OrderID, ItemNumber FROM OrderItems", {"OrderID", "ItemNumber"}, {"2|1", "3|1", "4|2"});

    // Order navigator.
    OrderCriteria every;
    OrderCriteria all;
    all.customer = QStringLiteral("Acme");
    all.status = QStringLiteral("Open");
    all.byOrderDate = true;
    all.startDate = QDate(2004, 3, 1);
    all.endDate = QDate(2004, 3, 31);
    all.orderNumber = QStringLiteral("00");
    OrderCriteria number12;
    number12.orderNumber = QStringLiteral("12");
    OrderCriteria numberPo;
    numberPo.orderNumber = QStringLiteral("po-");
    OrderCriteria quoted;
    quoted.customer = obrien;
    OrderCriteria dates;
    dates.byOrderDate = true;
    dates.startDate = QDate(2004, 3, 10);
    dates.endDate = QDate(2004, 3, 15);
    OrderCriteria open;
    open.status = QStringLiteral("Open");
    auto orderSearch = [](const OrderCriteria &criteria) {
        return opened([&] { return OrderStore::FindOrders(criteria); });
    };
    c << query("order navigator, every order", orderSearch(every), {"OrderNumber"}, {"0999", "1001", "PO-1234", "1002"});
    c << query("order navigator, every criterion", orderSearch(all), {"ID", "OrderNumber"}, {"1|1001"});
    c << query("order navigator, number anywhere", orderSearch(number12), {"OrderNumber"}, {"PO-1234"});
    c << query("order navigator, number in other letter case", orderSearch(numberPo), {"OrderNumber"}, {"PO-1234"});
    c << query("order navigator, customer with a quote", orderSearch(quoted), {"OrderNumber"}, {"1002"});
    c << query("order navigator, dates include both ends", orderSearch(dates), {"Customer", "OrderNumber"},
              {"Acme|1001", "O'Brien|1002"});
    c << query("order navigator, status", orderSearch(open), {"OrderNumber"}, {"1001", "1002"});
    c << query("order navigator line items", opened([] { return OrderStore::LinesShipped(1); }),
              {"ItemNumber", "Qty", "Shipped", "Name", "PriceExt"}, {"1|2|2|Lounge|500", "3|2|2|Lounge|240"}, false);
    c << query("order navigator line items, nothing shipped", opened([] { return OrderStore::LinesShipped(2); }),
              {"ItemNumber", "Qty", "Shipped"}, {"1|1|null"});
    c << query("order list of the report windows", opened([] { return OrderStore::OrdersByCustomer(); }),
              {"ID", "Customer", "OrderNumber"}, {"4|Acme|0999", "1|Acme|1001", "2|Acme|PO-1234", "3|O'Brien|1002"});
    c << query("order list of the report windows, read as shown: IDs", opened([] { return OrderStore::OrderIdsByCustomer(); }),
              {"ID"}, {"4", "1", "2", "3"});
    c << query("order list of the report windows, read as shown: a block",
              opened([] { return OrderStore::OrderNamesWithIds({3, 1}); }), {"ID", "Customer", "OrderNumber"},
              {"1|Acme|1001", "3|O'Brien|1002"}, false);
    c << query("order list of the report windows, first entry typed",
              opened([] { return OrderStore::FirstOrderNamed("o'brien - 1"); }), {"ID"}, {"3"});
    c << query("order navigator, read as shown: IDs", opened([&] { return OrderStore::FoundOrderIds(dates); }), {"ID"},
              {"1", "3"});
    c << query("order navigator, read as shown: a block", opened([] { return OrderStore::OrdersWithIds({2, 4}); }),
              {"ID", "OrderNumber"}, {"2|PO-1234", "4|0999"}, false);

    // Shipment entry.
    const ShipmentToSave newShipment{QString(), QStringLiteral("1"), QDate(2004, 3, 20), {{"1", "1"}}};
    const ShipmentToSave storedShipment{QStringLiteral("2"), QString(), QDate(2004, 3, 20), {{"1", "1"}}};
    const ShipmentToSave firstShipment{QStringLiteral("1"), QString(), QDate(2004, 3, 20), {{"1", "1"}}};
    c << query("open orders of a customer", opened([] { return ShippingStore::OpenOrders("Acme"); }), {"ID"}, {"1"});
    c << query("order of a shipment", opened([] { return ShippingStore::Order("3"); }), {"OrderNumber"}, {"1002"});
    c << query("shipment grid", opened([] { return ShippingStore::OrderLines("3"); }),
              {"ItemNumber", "Qty", "Shipped", "Name", "Type"}, {"1|2|1|Club|Chair"});
    c << query("new shipment row", issued([&] { SaveShipment(newShipment); }, "FROM Shipments"), 1);
    c << query("shipment by ID", issued([&] { SaveShipment(storedShipment); }, "FROM Shipments"), {"OrderID", "Date"},
              {"1|2004-03-14"});
    c << write("shipment save deletes the lines", issued([&] { SaveShipment(firstShipment); }, "DELETE"),
                 "SELECT ShipmentID, OrderLineItem FROM ShipmentItems", {"ShipmentID", "OrderLineItem"}, {"2|3", "3|1"});
    c << query("shipment lines for the rewrite", issued([&] { SaveShipment(newShipment); }, "* FROM ShipmentItems"), 1);
    c << query("shipment header", opened([] { return ShippingStore::StoredShipment("1"); }),
              {"Date", "ID", "Customer", "ShipToAddress1"}, {"2004-03-12|1|Acme|9 Dock St"});
    c << query("stored shipment lines", opened([] { return ShippingStore::ShipmentItems("1"); }), {"OrderLineItem", "Qty"},
              {"1|2", "3|1"}, false);

    // Shipment navigator.
    ShipmentCriteria everyShipment;
    ShipmentCriteria allShipment;
    allShipment.customer = QStringLiteral("Acme");
    allShipment.byShipDate = true;
    allShipment.startDate = QDate(2004, 3, 12);
    allShipment.endDate = QDate(2004, 3, 13);
    allShipment.orderNumber = QStringLiteral("100");
    ShipmentCriteria shipDates;
    shipDates.byShipDate = true;
    shipDates.startDate = QDate(2004, 3, 14);
    shipDates.endDate = QDate(2004, 3, 20);
    auto shipmentSearch = [](const ShipmentCriteria &criteria) {
        return opened([&] { return ShippingStore::FindShipments(criteria); });
    };
    c << query("shipment navigator, every shipment", shipmentSearch(everyShipment), {"Shipments.ID", "OrderNumber"},
              {"1|1001", "2|1001", "3|1002"}, false);
    c << query("shipment navigator, every criterion", shipmentSearch(allShipment), {"Shipments.ID", "Orders.ID"},
              {"1|1"});
    c << query("shipment navigator, dates include both ends", shipmentSearch(shipDates), {"Shipments.ID", "Customer"},
              {"2|Acme", "3|O'Brien"});
    c << query("shipment navigator, read as shown: IDs",
              opened([&] { return ShippingStore::SearchedShipmentIds(shipDates); }), {"Shipments.ID"}, {"2", "3"});
    c << query("shipment navigator, read as shown: every shipment's order",
              issued([] { ShippingStore::FoundShipmentIds(ShipmentCriteria()); }, "OrderID FROM Shipments"), 3);
    c << query("shipment navigator, read as shown: a block", opened([] { return ShippingStore::ShipmentsWithIds({3}); }),
              {"Shipments.ID", "Orders.ID", "Customer"}, {"3|3|O'Brien"});
    c << query("shipment navigator line items", opened([] { return ShippingStore::ShipmentLines("1"); }),
              {"ItemNumber", "OrderItems.Qty", "ShipmentItems.Qty", "Type"}, {"1|2|2|Sofa", "3|2|1|Chair"});

    // Invoicing and payments.
    const InvoiceRequest invoice{QStringLiteral("Acme"), QDate(2004, 4, 1), QDate(2004, 5, 1), "0", "0", "", {2}};
    c << query("order subtotal for an invoice", issued([] { OrderSubtotal(1); }, QString()), {"Total"}, {"740"});
    c << query("order subtotal of an order without lines", issued([] { OrderSubtotal(99); }, QString()), {"Total"},
              {"null"});
    c << query("orders not yet invoiced", opened([] { return ReceivablesStore::UninvoicedOrders("Acme"); }),
              {"ID", "OrderNumber", "OrderDate"}, {"2|PO-1234|2004-04-01"});
    c << query("an order invoiced already", issued([&] { CreateInvoice(invoice); }, "OrderID FROM OrdersInvoiced"), 0);
    c << query("invoiced orders for the append", issued([&] { CreateInvoice(invoice); }, "* FROM OrdersInvoiced"), 3);
    c << query("invoices for the append", issued([&] { CreateInvoice(invoice); }, "SELECT * FROM Invoice"), 2);
    c << query("invoice orders for the append", issued([&] { CreateInvoice(invoice); }, "* FROM InvoiceOrders"), 3);
    c << query("invoices newest first", opened([] { return ReceivablesStore::InvoiceIds(); }), {"ID"}, {"2", "1"});
    c << query("invoice total", issued([] { InvoiceBalance(1); }, "Total"), {"Total"}, {"1000"});
    c << query("payments of an invoice", issued([] { InvoiceBalance(1); }, "Amount"), {"Amount", "Adjustment"},
              {"500|0", "200|-5"}, false);
    c << query("payment row for the append", issued([] { RecordPayment(1, QDate(2004, 4, 2), "1", "0"); }, QString()), 1);

    // Product-definition deletes.
    auto linkDelete = [](const char *table) { return issued([] { PS::DeleteStyleComponent("1"); }, table); };
    c << write("style operation delete", issued([] { PS::DeleteStyleOperation("8"); }, QString()),
                 "SELECT ID FROM StyleOperation WHERE StyleID = 3", {"ID"}, {"7"});
    c << write("style component delete, its operations first", linkDelete("FROM StyleOperation"),
                 "SELECT ID FROM StyleOperation WHERE StyleID = 1", {"ID"}, {"3", "4"});
    c << write("style component delete, then the link", linkDelete("FROM StyleComponent"),
                 "SELECT ID FROM StyleComponent WHERE StyleID = 1", {"ID"}, {"2"});
    c << write("style made inactive", issued([] { PS::InactivateStyle("1"); }, QString()),
               "SELECT ID, Status FROM Style ORDER BY ID", {"ID", "Status"},
               {"1|Inactive", "2|Active", "3|Active", "4|InActive"});

    // Station tickets: each builder's query of its stations, then its ticket query.
    struct Tickets {
        const char *name;
        OrderBuilder print;
        QStringList stations;
    };
    const Tickets builders[] = {
        {"glue and spray line stations", PrintGlueSprayLineTickets, {"Glue 1|2", "Glue 2|1", "Spray 1|1"}},
        {"fiber table stations", PrintFiberTableTickets, {"Fiber 1|1"}},
        {"line supply stations", PrintLineSupplyTickets, {"Supply|1"}},
        {"bullet noser stations", PrintBulletNoserTickets, {"Noser 1|1"}},
        {"CNC stations", PrintCNCTickets, {"CNC|1"}},
        {"CNC stencil stations", PrintCNCStencilTickets, {"Stencil|1"}},
        {"band saw stations", PrintBandSawTickets, {"Band Saw 1|1"}},
        {"vertical slitter stations", PrintVerticalSlitterTickets, {"Slitter|1"}},
    };
    for (const Tickets &t : builders)
        c << query(t.name, ofDocument(t.print, "1", QString()), {"Station", "Teams"}, t.stations, false);
    // Every select text with the join text that closes its parentheses: one row per
    // operation of every component of every line, and a component without operations once.
    for (const StationSql::TicketText &t : StationSql::TicketTexts())
        c << query(t.name, t.select + t.join + " WHERE Orders.ID = 1", {"OrderItems.ItemNumber", "StyleOperation.ID"},
                  {"1|1", "1|2", "1|9", "1|3", "1|4", "3|5", "3|6"}, false);
    const QStringList ticketColumns = {"StyleOperation.ID", "StyleComponent.ComponentID", "OrderItems.Qty",
                                       "StyleComponent.Qty"};
    c << query("glue line ticket", ticketOf(PrintGlueSprayLineTickets, "1", "Glue 1"), ticketColumns,
              {"2|C1|2|2", "4|C2|2|2"}, false);
    c << query("fiber table ticket", ticketOf(PrintFiberTableTickets, "3", "Fiber 1"),
              {"StyleOperation.ID", "Bun.Grade", "Component.Width"}, {"7|LD18|20"});
    c << query("line supply ticket, station unused", ticketOf(PrintLineSupplyTickets, "1", "Supply"), 0);
    c << query("bullet noser ticket", ticketOf(PrintBulletNoserTickets, "3", "Noser 1"), ticketColumns, {"8|C3|2|1"});
    c << query("CNC ticket", ticketOf(PrintCNCTickets, "1", "CNC"), ticketColumns, {"3|C2|2|2", "9|C1|2|2"}, false);
    c << query("CNC stencil ticket, station unused", ticketOf(PrintCNCStencilTickets, "1", "Stencil"), 0);
    c << query("band saw ticket, thickest first", ticketOf(PrintBandSawTickets, "1", "Band Saw 1"),
              {"StyleOperation.ID", "StyleOperation.Thickness", "Bun.OffAll"}, {"5|6|false", "1|4|false"});
    c << query("vertical slitter ticket, station unused", ticketOf(PrintVerticalSlitterTickets, "1", "Slitter"), 0);
    c << query("ticket of a station name with a quote",
              StationSql::TicketQuery(StationSql::TicketSelect(), StationSql::TicketJoin(), "Bob's Saw", "1"), 0);

    // Production summary: the tables it makes by SELECT ... INTO, and what it reads from them.
    const QStringList glue = lineTables("1", "Glue");
    const QStringList spray = lineTables("1", "Spray");
    const QString dropGlueMain = summary("1", "DROP TABLE tmpGlueLineMain");
    const QStringList summaryColumns = {"Station", "Rate", "TotalArms", "NonArms"};
    c << query("production summary header", summary("1", "FROM Orders,Data"),
              {"ID", "OrderNumber", "Total", "LaborCostPerHour", "LaborPercent"}, {"1|1001|740|25|30"});
    c << failing("dropping a summary table that is not there", dropGlueMain, ErrorNumber::NoSuchTable);
    c << write("glue line stations table", glue[0], "SELECT Station, Rate FROM tmpGlueLineMain", {"Station", "Rate"},
               {"Glue 1|10", "Glue 2|10"});
    c << write("glue line totals table", glue[1], "SELECT ID, TotalArms FROM tmpGlueLineTotal", {"ID", "TotalArms"},
               {"Glue 1|8"});
    c << write("glue line non-arms table", glue[2], "SELECT ID, NonArms FROM tmpGlueLineNonArm", {"ID", "NonArms"},
               {"Glue 1|4"});
    c << query("glue line summary", summary("1", "tmpGlueLineMain LEFT JOIN"), summaryColumns,
              {"Glue 1|10|8|4", "Glue 2|10|null|null"}, true, glue);
    c << write("spray line stations table", spray[0], "SELECT Station, Rate FROM tmpSprayLineMain", {"Station", "Rate"},
               {"Spray 1|12"});
    c << write("spray line totals table", spray[1], "SELECT ID, TotalArms FROM tmpSprayLineTotal", {"ID", "TotalArms"},
               {"Spray 1|2"});
    c << write("spray line non-arms table", spray[2], "SELECT ID, NonArms FROM tmpSprayLineNonArm", {"ID", "NonArms"},
               {"Spray 1|2"});
    c << query("spray line summary", summary("1", "tmpSprayLineMain LEFT JOIN"), summaryColumns, {"Spray 1|12|2|2"},
              true, spray);
    c << query("spray line summary of an order without spray work", summary("3", "tmpSprayLineMain LEFT JOIN"),
              summaryColumns, {"Spray 1|12|null|null"}, true, lineTables("3", "Spray"));
    // The engine compares station names without regard to case, so operations typed
    // "glue 1" count for the station "Glue 1" on the summary.
    c << query(kStationInOtherCase, summary("1", "tmpGlueLineMain LEFT JOIN"), summaryColumns,
               {"Glue 1|10|8|4", "Glue 2|10|null|null"}, true,
               QStringList{"UPDATE StyleOperation SET OperationID = 'glue 1' WHERE OperationID = 'Glue 1'"} + glue);
    c << failing("rebuilding a summary table without dropping it", glue[0], ErrorNumber::TableExists, {glue[0]});
    c << write("rebuilding a summary table after dropping it", glue[0], "SELECT Station FROM tmpGlueLineMain",
                 {"Station"}, {"Glue 1", "Glue 2"}, {glue[0], dropGlueMain});
    c << query("bullet noser tally", summary("3", "'Bullet Noser'"), {"ID", "Pcs"}, {"Noser 1|2"});
    c << query("fiber table tally", summary("3", "'Fiber Table'"),
              {"OperationID", "CompQty", "Component.Width", "StyleOperation.Width", "Length"}, {"Fiber 1|2|20|18|80"});
    c << query("CNC tally", summary("1", "'CNC'"), {"OperationID", "CompQty", "PiecesPerRail"}, {"CNC|4|4", "CNC|4|6"},
              false);
    c << query("band saw tally", summary("1", "'Band Saw'"), {"OperationID", "CompQty", "RailsPerBun", "PiecesPerRail"},
              {"Band Saw 1|6|8|6"});

    // Order paperwork.
    c << query("office copy of the order", issued([] { PrintOrder("1", false, "Office Manager"); }, QString()),
              {"Customer", "ItemNumber", "Name", "Type", "PriceExt"}, {"Acme|1|Lounge|Sofa|500", "Acme|3|Lounge|Chair|240"});
    c << query("load sheet", issued([] { PrintLoadSheet("1", false); }, QString()),
              {"Style.ID", "StyleComponent.ID", "Cutstyle"}, {"1|1|Straight Cut", "2|3|Straight Cut"});
    c << query("test sheet", issued([] { PrintTestSheet("1"); }, QString()),
              {"StyleComponent.ID", "TestRange", "Bun.Width"}, {"1|30-34|48", "3|30-34|48"}, false);
    c << query("tie sheet", issued([] { PrintTieSheet("1"); }, QString()),
              {"StyleOperation.ID", "StyleComponent.ComponentID"}, {"3|C2", "4|C2"}, false);
    c << query("top-out saw sheet", issued([] { PrintTopOutSawTickets("1"); }, QString()),
              {"StyleOperation.OperationID", "StyleComponent.ComponentID"}, {"Band Saw 1|C1", "Band Saw 1|C1", "CNC|C2"});
    c << query("foam order", issued([] { PrintFoamOrder("1"); }, QString()),
              {"Vendor", "StyleOperation.OperationID"},
              {"FoamCo|Band Saw 1", "FoamCo|Band Saw 1", "FoamCo|CNC", "FoamCo|CNC"});
    c << query("fiber order leaves out buns kept off", issued([] { PrintFiberOrder("3"); }, QString()),
              0);

    // Listings, receivables and sales.
    c << query("vendor listing", issued([] { PrintVendorListing(); }, QString()),
              {"Vendor", "Status"}, {"FoamCo|Active", "Fibers Inc|InActive"});
    c << query("customer listing", issued([] { PrintCustomerListing(); }, QString()),
              {"Customer", "DateAdded", "Days"},
              {"Acme|2003-05-01 09:30:00|30", "O'Brien|2003-06-01 10:00:00|15", "Zenith|2003-07-01 08:00:00|null"});
    c << query("component listing", issued([] { PrintComponentListing(); }, QString()),
              {"ID", "BunID", "Arm"}, {"C1|B1|false", "C2|B1|true", "C3|B2|false"});
    c << query("bun listing", issued([] { PrintBunListing(); }, QString()),
              {"ID", "Status"}, {"B1|Active", "B2|Inactive"});
    c << query("open invoices", issued([] { PrintOpenInvoices(); }, QString()),
              {"Customer", "ID", "Total", "Paid"}, {"Acme|1|1000|695", "O'Brien|2|180|null"});
    c << query("customer statements", issued([] { PrintCustomerStatements(); }, QString()),
              {"Customer", "Address1", "InvoiceDate", "Paid"},
              {"Acme|1 Mill Rd|2004-03-31|695", "O'Brien|5 Elm St|2004-03-31|null"});
    c << query("invoice", issued([] { PrintInvoice(1); }, QString()),
              {"OrderNumber", "ItemNumber", "PriceExt", "Subtotal"}, {"0999|2|250|990", "1001|1|500|990", "1001|3|240|990"});
    c << query("style listing of every style", issued([&] { PrintStyleListing(AllCustomers, AllStyles, AllTypes); }, QString()), 10);
    c << query("style listing of a customer", issued([&] { PrintStyleListing("Acme", AllStyles, AllTypes); }, QString()), 8);
    c << query("style listing of a customer with a quote", issued([&] { PrintStyleListing(obrien, AllStyles, AllTypes); }, QString()),
              {"Operation", "StyleOperation.Width", "Component.Width"}, {"Fiber 1|18|20", "Noser 1|0|20"});
    c << query("style listing of a style name", issued([&] { PrintStyleListing("Acme", "Lounge", AllTypes); }, QString()), 7);
    c << query("style listing of a style", issued([&] { PrintStyleListing("Acme", "Lounge", "Chair"); }, QString()),
              {"StyleID", "Component", "Operation", "Qty"}, {"2|C1|Band Saw 1|1", "2|C1|Spray 1|1"});
    // Sales by customer reads the customers who have orders, then the sales query a few
    // customers at a time: the first customer, then the next two.
    const auto sales = [](const char *start, const char *end, const QString &marker) {
        return issued([=] { PrintSalesByCustomer(start, end, 1); }, marker);
    };
    c << query("sales by customer: the customers", sales("3/1/2004", "3/31/2004", QString()), {"Customer"},
               {"Acme", "O'Brien"});
    c << query("sales by customer: the first customer", sales("3/1/2004", "3/31/2004", "Orders.Customer >= 'Acme'"),
              {"Customer", "StyleID", "Sales", "Cost"}, {"Acme|2|240|100", "Acme|1|500|200"});
    c << query("sales by customer: the next customers", sales("3/1/2004", "3/31/2004", "Orders.Customer >= 'O''Brien'"),
              {"Customer", "StyleID", "Sales", "Cost"}, {"O'Brien|3|180|80"});
    c << query("sales by customer for one day", sales("3/10/2004", "3/10/2004", "Orders.Customer >= 'Acme'"),
              {"Customer", "StyleID", "Sales"}, {"Acme|2|240", "Acme|1|500"});
    c << query("sales by customer, start after end", sales("3/31/2004", "3/1/2004", "Orders.Customer >= 'Acme'"), 0);
    return c;
}

// The catalogue, its texts captured once on the known plant before any case runs.
const QVector<Entry> &catalogue() {
    static const QVector<Entry> entries = buildCatalogue();
    return entries;
}

// ---- The known plant ---------------------------------------------------------------
// Dates are written as they are stored (ISO text), so that a date literal in a query
// is checked against the storage, not against its own translation.

const char *const kKnownPlant[] = {
    "INSERT INTO Customer (Customer, Address1, City, State, Zip, Status, ShipTo, ShipToAddress1, ShipToCity, DateAdded, "
    "Terms, Days) VALUES ('Acme', '1 Mill Rd', 'Hickory', 'NC', '28601', 'Active', 'Acme Plant 2', '9 Dock St', "
    "'Hickory', '2003-05-01 09:30:00', 'Net 30', 30)",
    "INSERT INTO Customer (Customer, Address1, City, State, Zip, Status, DateAdded, Terms, Days) VALUES ('O''Brien', "
    "'5 Elm St', 'Tupelo', 'MS', '38801', 'Active', '2003-06-01 10:00:00', 'Net 15', 15)",
    "INSERT INTO Customer (Customer, City, Status, DateAdded) VALUES ('Zenith', 'Dalton', 'InActive', "
    "'2003-07-01 08:00:00')",
    "INSERT INTO Vendor (Vendor, City, Contact, Status) VALUES ('FoamCo', 'Conover', 'Ann', 'Active')",
    "INSERT INTO Vendor (Vendor, City, Contact, Status) VALUES ('Fibers Inc', 'Lenoir', 'Bo', 'InActive')",
    "INSERT INTO StyleType (ID, Description, Status) VALUES ('Sofa', 'Sofas', 'Active')",
    "INSERT INTO StyleType (ID, Description, Status) VALUES ('Chair', 'Chairs', 'Active')",
    "INSERT INTO Style (ID, Customer, Name, Type, Cost, Price, Status) VALUES (1, 'Acme', 'Lounge', 'Sofa', 100, 250, "
    "'Active')",
    "INSERT INTO Style (ID, Customer, Name, Type, Cost, Price, Status) VALUES (2, 'Acme', 'Lounge', 'Chair', 50, 120, "
    "'Active')",
    "INSERT INTO Style (ID, Customer, Name, Type, Cost, Price, Status) VALUES (3, 'O''Brien', 'Club', 'Chair', 40, 90, "
    "'Active')",
    "INSERT INTO Style (ID, Customer, Name, Type, Cost, Price, Status) VALUES (4, 'Acme', 'Retired', 'Sofa', 70, 150, "
    "'InActive')",
    "INSERT INTO Bun (ID, Width, Length, Grade, Vendor, OffAll, Status) VALUES ('B1', 48, 96, 'HD36', 'FoamCo', False, "
    "'Active')",
    "INSERT INTO Bun (ID, Width, Length, Grade, Vendor, OffAll, Status) VALUES ('B2', 40, 80, 'LD18', 'Fibers Inc', True, "
    "'Inactive')",
    "INSERT INTO Component (ID, Description, Thickness, Width, Length, CutStyle, Test, TestRange, Topped, "
    "PrintOnShipping, Arm, Tie, BunID, RailsPerBun, PiecesPerRail, Status) VALUES ('C1', 'Seat cushion', 4, 22, 24, "
    "'Straight Cut', True, '30-34', 'No', True, False, False, 'B1', 8, 6, 'Active')",
    "INSERT INTO Component (ID, Description, Thickness, Width, Length, CutStyle, Test, TestRange, Topped, "
    "PrintOnShipping, Arm, Tie, BunID, RailsPerBun, PiecesPerRail, Status) VALUES ('C2', 'Arm pad', 2, 6, 30, "
    "'Pattern Cut', False, '', '', False, True, True, 'B1', 10, 4, 'Active')",
    "INSERT INTO Component (ID, Description, Thickness, Width, Length, CutStyle, Test, TestRange, Topped, "
    "PrintOnShipping, Arm, Tie, BunID, RailsPerBun, PiecesPerRail, Status) VALUES ('C3', 'Back', 3, 20, 26, "
    "'Straight Cut', False, '', '', True, False, False, 'B2', 6, 3, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Glue 1', 'Glue Line', 2, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Glue 2', 'Glue Line', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Spray 1', 'Spray Line', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Band Saw 1', 'Band Saw', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('CNC', 'CNC', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Fiber 1', 'Fiber Table', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Noser 1', 'Bullet Noser', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Slitter', 'Vertical Slitter', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Supply', 'Glue/Spray Line Supply', 1, 'Active')",
    "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES ('Stencil', 'CNC Stencil', 1, 'Active')",
    "INSERT INTO StyleComponent (ID, StyleID, ComponentID, Qty) VALUES (1, 1, 'C1', 2)",
    "INSERT INTO StyleComponent (ID, StyleID, ComponentID, Qty) VALUES (2, 1, 'C2', 2)",
    "INSERT INTO StyleComponent (ID, StyleID, ComponentID, Qty) VALUES (3, 2, 'C1', 1)",
    "INSERT INTO StyleComponent (ID, StyleID, ComponentID, Qty) VALUES (4, 3, 'C3', 1)",
    "INSERT INTO StyleComponent (ID, StyleID, ComponentID, Qty) VALUES (5, 4, 'C9', 1)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(1, 1, 1, 'Band Saw 1', 'Cut seat', 4, 22, 24)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(2, 1, 1, 'Glue 1', 'Glue seat', 0, 0, 0)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(3, 1, 2, 'CNC', 'Shape arm', 2, 6, 30)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(4, 1, 2, 'Glue 1', 'Glue arm', 0, 0, 0)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(5, 2, 3, 'Band Saw 1', 'Cut seat', 6, 22, 24)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(6, 2, 3, 'Spray 1', 'Spray seat', 0, 0, 0)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(7, 3, 4, 'Fiber 1', 'Wrap back', 3, 18, 26)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(8, 3, 4, 'Noser 1', 'Round back', 0, 0, 0)",
    "INSERT INTO StyleOperation (ID, StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) VALUES "
    "(9, 1, 1, 'CNC', 'Trim seat', 4, 22, 24)",
    "INSERT INTO Data (ID, LaborCostPerHour, NonArmPerHour, SprayLineNonArmPerHour, LaborPercent) VALUES ('Data', 25, "
    "10, 12, 30)",
    "INSERT INTO Orders (ID, OrderNumber, Customer, OrderDate, DueDate, Status, ShipTo, ShipToAddress1, ShipToCity, "
    "DateAdded, Total) VALUES (1, '1001', 'Acme', '2004-03-10', '2004-03-20', 'Open', 'Acme Plant 2', '9 Dock St', "
    "'Hickory', '2004-03-10', 740)",
    "INSERT INTO Orders (ID, OrderNumber, Customer, OrderDate, DueDate, Status, DateAdded, Total) VALUES (2, 'PO-1234', "
    "'Acme', '2004-04-01', '2004-04-15', 'Void', '2004-04-01', 120)",
    "INSERT INTO Orders (ID, OrderNumber, Customer, OrderDate, DueDate, Status, DateAdded, Total) VALUES (3, '1002', "
    "'O''Brien', '2004-03-15', '2004-03-30', 'Open', '2004-03-15', 180)",
    "INSERT INTO Orders (ID, OrderNumber, Customer, OrderDate, DueDate, Status, DateAdded, Total) VALUES (4, '0999', "
    "'Acme', '2004-02-01', '2004-02-10', 'Closed', '2004-02-01', 250)",
    "INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES (1, 1, 'A', 2, 1, 250, 500)",
    "INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES (1, 3, 'B', 2, 2, 120, 240)",
    "INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES (2, 1, '', 1, 2, 120, 120)",
    "INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES (3, 1, 'X', 2, 3, 90, 180)",
    "INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES (4, 2, '', 1, 1, 250, 250)",
    "INSERT INTO Shipments (ID, OrderID, Date) VALUES (1, 1, '2004-03-12')",
    "INSERT INTO Shipments (ID, OrderID, Date) VALUES (2, 1, '2004-03-14')",
    "INSERT INTO Shipments (ID, OrderID, Date) VALUES (3, 3, '2004-03-20')",
    "INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (1, 1, 1, 2)",
    "INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (1, 1, 3, 1)",
    "INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (2, 1, 3, 1)",
    "INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (3, 3, 1, 1)",
    "INSERT INTO Invoice (ID, Customer, InvoiceDate, DueDate, Freight, Misc, Subtotal, Total, MemoField) VALUES (1, "
    "'Acme', '2004-03-31', '2004-04-30', 10, 0, 990, 1000, 'March')",
    "INSERT INTO Invoice (ID, Customer, InvoiceDate, DueDate, Freight, Misc, Subtotal, Total, MemoField) VALUES (2, "
    "'O''Brien', '2004-03-31', '2004-04-30', 0, 0, 180, 180, '')",
    "INSERT INTO InvoiceOrders (Invoice, OrderID) VALUES (1, 1)",
    "INSERT INTO InvoiceOrders (Invoice, OrderID) VALUES (1, 4)",
    "INSERT INTO InvoiceOrders (Invoice, OrderID) VALUES (2, 3)",
    "INSERT INTO OrdersInvoiced (OrderID) VALUES (1)",
    "INSERT INTO OrdersInvoiced (OrderID) VALUES (4)",
    "INSERT INTO OrdersInvoiced (OrderID) VALUES (3)",
    "INSERT INTO Payments (Invoice, Date, Amount, Adjustment) VALUES (1, '2004-04-05', 500, 0)",
    "INSERT INTO Payments (Invoice, Date, Amount, Adjustment) VALUES (1, '2004-04-10', 200, -5)",
};

// ---- Reading rows ------------------------------------------------------------------

QString textOf(const QVariant &value) {
    if (value.isNull() || !value.isValid()) return QStringLiteral("null");
    switch (value.typeId()) {
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::QDate: return value.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime: return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::Double: {
        const double d = value.toDouble();
        if (d == double(qint64(d))) return QString::number(qint64(d));
        return QString::number(d, 'g', 15);
    }
    default: return value.toString();
    }
}

QStringList readRows(const QString &sql, const QStringList &columns) {
    QStringList rows;
    auto set = AppDatabase().openRecordset(sql);
    while (!set->eof()) {
        QStringList values;
        for (const QString &column : columns) values << textOf(set->field(column));
        rows << values.join(QLatin1Char('|'));
        set->moveNext();
    }
    set->close();
    return rows;
}

// Runs one entry; returns the rows to compare, or throws the data layer's failure.
QStringList run(const Entry &entry) {
    for (const QString &sql : entry.prepare) AppDatabase().execute(sql);
    switch (entry.action) {
    case Action::Open: return readRows(entry.sql, entry.columns);
    case Action::Execute:
        AppDatabase().execute(entry.sql);
        return entry.verify.isEmpty() ? QStringList() : readRows(entry.verify, entry.columns);
    case Action::Fails: AppDatabase().execute(entry.sql); return {};
    }
    return {};
}

}  // namespace

class TestSqlCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void everySqlTextOnKnownRows_data();
    void everySqlTextOnKnownRows();
    void everySqlTextOnTheDemoPlant();

private:
    std::unique_ptr<TestDatabase> m_db;
};

void TestSqlCatalogue::initTestCase() {
    m_db = std::make_unique<TestDatabase>(TestDatabase::Empty);
    for (const char *sql : kKnownPlant) m_db->exec(QString::fromUtf8(sql));
    catalogue();  // captured outside the cases' transactions, so what it writes rolls back
}

void TestSqlCatalogue::init() {
    // Each case runs in a transaction rolled back afterwards, so every case starts from
    // the same rows and the summary tables of one case are gone for the next.
    AppDatabase().begin();
}

void TestSqlCatalogue::cleanup() {
    if (HasAppDatabase()) AppDatabase().rollback();
}

void TestSqlCatalogue::everySqlTextOnKnownRows_data() {
    QTest::addColumn<int>("index");
    const QVector<Entry> entries = catalogue();
    for (int i = 0; i < entries.size(); ++i) QTest::newRow(qPrintable(entries.at(i).name)) << i;
}

void TestSqlCatalogue::everySqlTextOnKnownRows() {
    QFETCH(int, index);
    const Entry entry = catalogue().at(index);
    QStringList rows;
    try {
        rows = run(entry);
        if (entry.action == Action::Fails) QFAIL(qPrintable(QStringLiteral("ran without failing: ") + entry.sql));
    } catch (const AppError &e) {
        if (entry.action != Action::Fails) QFAIL(qPrintable(e.report() + QStringLiteral("\n  statement: ") + entry.sql));
        if (entry.error != 0) QCOMPARE(e.number(), entry.error);
        return;
    }
    QStringList expected = entry.expected;
    // Summary tables made by SELECT ... INTO lose the plant's case-blind text comparison
    // in SQLite, so their join misses names typed in other letter case.
    if (!entry.ordered) {
        rows.sort();
        expected.sort();
    }
    QCOMPARE(rows, expected);
}

void TestSqlCatalogue::everySqlTextOnTheDemoPlant() {
    // The same statements on the believable plant the demo and the benchmark use: every
    // one runs (or fails where it must), whatever the plant holds.
    m_db.reset();
    TestDatabase demo(TestDatabase::Demo);
    QVERIFY(demo.count(QStringLiteral("Orders")) > 0);
    QStringList failures;
    for (const Entry &entry : catalogue()) {
        AppDatabase().begin();
        bool failed = false;
        QString report;
        try {
            run(entry);
        } catch (const AppError &e) {
            failed = true;
            report = e.report();
        }
        AppDatabase().rollback();
        if (failed != (entry.action == Action::Fails))
            failures << entry.name + QStringLiteral(": ") + (failed ? report : QStringLiteral("ran without failing"));
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestSqlCatalogue)
#include "tst_sqlcatalogue.moc"
