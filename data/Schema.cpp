#include "data/Schema.h"

#include "data/Database.h"

// Kinds of column, declared so that the data layer knows how to convert what is written:
//   TEXT COLLATE NOCASE  text, compared without regard to case as the plant expects
//   DOUBLE               number
//   LONG                 whole number (references to auto-numbered keys)
//   CURRENCY             money, rounded to 4 decimals on write
//   DATE / DATETIME      ISO text, with the time where one is kept
//   YESNO                0 or 1
//   INTEGER PRIMARY KEY AUTOINCREMENT  auto-number, never reused

namespace {

const char *const kTables[] = {
    R"(CREATE TABLE Customer (
        Customer TEXT COLLATE NOCASE PRIMARY KEY,
        Address1 TEXT COLLATE NOCASE, Address2 TEXT COLLATE NOCASE,
        City TEXT COLLATE NOCASE, State TEXT COLLATE NOCASE, Zip TEXT COLLATE NOCASE,
        Phone TEXT COLLATE NOCASE, Fax TEXT COLLATE NOCASE,
        Status TEXT COLLATE NOCASE,
        ShipTo TEXT COLLATE NOCASE, ShipToAddress1 TEXT COLLATE NOCASE,
        ShipToAddress2 TEXT COLLATE NOCASE, ShipToCity TEXT COLLATE NOCASE,
        ShipToState TEXT COLLATE NOCASE, ShipToZip TEXT COLLATE NOCASE,
        ShipToPhone TEXT COLLATE NOCASE, ShipToFax TEXT COLLATE NOCASE,
        DateAdded DATETIME,
        Terms TEXT COLLATE NOCASE, Days LONG))",
    R"(CREATE TABLE Vendor (
        Vendor TEXT COLLATE NOCASE PRIMARY KEY,
        Address1 TEXT COLLATE NOCASE, Address2 TEXT COLLATE NOCASE,
        City TEXT COLLATE NOCASE, State TEXT COLLATE NOCASE, Zip TEXT COLLATE NOCASE,
        Phone TEXT COLLATE NOCASE, Fax TEXT COLLATE NOCASE, Contact TEXT COLLATE NOCASE,
        Status TEXT COLLATE NOCASE,
        DateAdded DATETIME))",
    R"(CREATE TABLE StyleType (
        ID TEXT COLLATE NOCASE PRIMARY KEY,
        Description TEXT COLLATE NOCASE,
        Status TEXT COLLATE NOCASE))",
    R"(CREATE TABLE Style (
        ID INTEGER PRIMARY KEY AUTOINCREMENT,
        Customer TEXT COLLATE NOCASE, Name TEXT COLLATE NOCASE, Type TEXT COLLATE NOCASE,
        Cost CURRENCY, Price CURRENCY,
        Status TEXT COLLATE NOCASE))",
    R"(CREATE TABLE Component (
        ID TEXT COLLATE NOCASE PRIMARY KEY,
        Description TEXT COLLATE NOCASE,
        Thickness DOUBLE, Width DOUBLE, Length DOUBLE,
        CutStyle TEXT COLLATE NOCASE,
        Test YESNO, TestRange TEXT COLLATE NOCASE, Topped TEXT COLLATE NOCASE,
        PrintOnShipping YESNO, Arm YESNO, Tie YESNO,
        BunID TEXT COLLATE NOCASE,
        RailsPerBun DOUBLE, PiecesPerRail DOUBLE,
        Status TEXT COLLATE NOCASE))",
    R"(CREATE TABLE Bun (
        ID TEXT COLLATE NOCASE PRIMARY KEY,
        Width DOUBLE, Length DOUBLE,
        Grade TEXT COLLATE NOCASE, Vendor TEXT COLLATE NOCASE,
        OffAll YESNO,
        Status TEXT COLLATE NOCASE))",
    R"(CREATE TABLE Operation (
        Station TEXT COLLATE NOCASE PRIMARY KEY,
        ReportType TEXT COLLATE NOCASE,
        Teams DOUBLE,
        Status TEXT COLLATE NOCASE))",
    R"(CREATE TABLE StyleComponent (
        ID INTEGER PRIMARY KEY AUTOINCREMENT,
        StyleID LONG,
        ComponentID TEXT COLLATE NOCASE,
        Qty DOUBLE))",
    R"(CREATE TABLE StyleOperation (
        ID INTEGER PRIMARY KEY AUTOINCREMENT,
        StyleID LONG, ComponentID LONG,
        OperationID TEXT COLLATE NOCASE,
        Instructions TEXT COLLATE NOCASE,
        Thickness DOUBLE, Width DOUBLE, Length DOUBLE))",
    R"(CREATE TABLE Data (
        ID TEXT COLLATE NOCASE PRIMARY KEY,
        LaborCostPerHour DOUBLE, NonArmPerHour DOUBLE,
        SprayLineNonArmPerHour DOUBLE, LaborPercent DOUBLE))",
    R"(CREATE TABLE Orders (
        ID INTEGER PRIMARY KEY AUTOINCREMENT,
        OrderNumber TEXT COLLATE NOCASE,
        Customer TEXT COLLATE NOCASE,
        OrderDate DATE, DueDate DATE,
        Status TEXT COLLATE NOCASE,
        ShipTo TEXT COLLATE NOCASE, ShipToAddress1 TEXT COLLATE NOCASE,
        ShipToAddress2 TEXT COLLATE NOCASE, ShipToCity TEXT COLLATE NOCASE,
        ShipToState TEXT COLLATE NOCASE, ShipToZip TEXT COLLATE NOCASE,
        ShipToPhone TEXT COLLATE NOCASE, ShipToFax TEXT COLLATE NOCASE,
        DateAdded DATE,
        Total CURRENCY))",
    R"(CREATE TABLE OrderItems (
        OrderID LONG, ItemNumber LONG,
        Line TEXT COLLATE NOCASE,
        Qty DOUBLE, StyleID LONG,
        PriceEach CURRENCY, PriceExt CURRENCY))",
    R"(CREATE TABLE Shipments (
        ID INTEGER PRIMARY KEY AUTOINCREMENT,
        OrderID LONG,
        Date DATE))",
    R"(CREATE TABLE ShipmentItems (
        ShipmentID LONG, OrderID LONG, OrderLineItem LONG,
        Qty DOUBLE))",
    R"(CREATE TABLE Invoice (
        ID INTEGER PRIMARY KEY AUTOINCREMENT,
        Customer TEXT COLLATE NOCASE,
        InvoiceDate DATE, DueDate DATE,
        Freight CURRENCY, Misc CURRENCY, Subtotal CURRENCY, Total CURRENCY,
        MemoField TEXT COLLATE NOCASE))",
    R"(CREATE TABLE InvoiceOrders (
        Invoice LONG, OrderID LONG))",
    R"(CREATE TABLE OrdersInvoiced (
        OrderID LONG))",
    R"(CREATE TABLE Payments (
        Invoice LONG,
        Date DATE,
        Amount CURRENCY, Adjustment CURRENCY))",
};

// One index for every join and lookup column the windows and documents use.
const char *const kIndexes[] = {
    "CREATE INDEX ixStyleCustomer ON Style (Customer, Name, Type)",
    "CREATE INDEX ixComponentBun ON Component (BunID)",
    "CREATE INDEX ixBunVendor ON Bun (Vendor)",
    "CREATE INDEX ixOperationReportType ON Operation (ReportType)",
    "CREATE INDEX ixStyleComponentStyle ON StyleComponent (StyleID)",
    "CREATE INDEX ixStyleComponentComponent ON StyleComponent (ComponentID)",
    "CREATE INDEX ixStyleOperationLink ON StyleOperation (StyleID, ComponentID)",
    "CREATE INDEX ixStyleOperationComponent ON StyleOperation (ComponentID)",
    "CREATE INDEX ixStyleOperationStation ON StyleOperation (OperationID)",
    "CREATE INDEX ixOrdersCustomer ON Orders (Customer)",
    "CREATE INDEX ixOrdersOrderDate ON Orders (OrderDate)",
    "CREATE INDEX ixOrdersOrderNumber ON Orders (OrderNumber)",
    "CREATE INDEX ixOrderItemsOrder ON OrderItems (OrderID, ItemNumber)",
    "CREATE INDEX ixOrderItemsStyle ON OrderItems (StyleID)",
    "CREATE INDEX ixShipmentsOrder ON Shipments (OrderID)",
    "CREATE INDEX ixShipmentItemsShipment ON ShipmentItems (ShipmentID)",
    "CREATE INDEX ixShipmentItemsLine ON ShipmentItems (OrderID, OrderLineItem)",
    "CREATE INDEX ixInvoiceCustomer ON Invoice (Customer)",
    "CREATE INDEX ixInvoiceOrdersInvoice ON InvoiceOrders (Invoice)",
    "CREATE INDEX ixInvoiceOrdersOrder ON InvoiceOrders (OrderID)",
    "CREATE INDEX ixOrdersInvoicedOrder ON OrdersInvoiced (OrderID)",
    "CREATE INDEX ixPaymentsInvoice ON Payments (Invoice)",
};

}  // namespace

namespace Schema {

QStringList statements() {
    QStringList all;
    for (const char *sql : kTables) all << QString::fromUtf8(sql);
    for (const char *sql : kIndexes) all << QString::fromUtf8(sql);
    return all;
}

QStringList tableNames() {
    return {"Customer", "Vendor", "StyleType", "Style", "Component", "Bun", "Operation",
            "StyleComponent", "StyleOperation", "Data", "Orders", "OrderItems", "Shipments",
            "ShipmentItems", "Invoice", "InvoiceOrders", "OrdersInvoiced", "Payments"};
}

void create(Database &db) {
    Transaction tx(db);
    for (const QString &sql : statements()) db.engine().prepare(sql)->step();
    tx.commit();
}

}  // namespace Schema
