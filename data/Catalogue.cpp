#include "data/Catalogue.h"

#include <QHash>

namespace {

using K = ColumnKind;

// Shorthand for the table list below: a column of a kind, a key column, and the same
// kind for several columns in a row.
CatalogueColumn col(const char *name, ColumnKind kind) { return {QString::fromLatin1(name), kind, false}; }
CatalogueColumn key(const char *name, ColumnKind kind) { return {QString::fromLatin1(name), kind, true}; }

void add(QVector<CatalogueColumn> &columns, ColumnKind kind, std::initializer_list<const char *> names) {
    for (const char *name : names) columns << col(name, kind);
}

CatalogueTable table(const char *name, std::initializer_list<CatalogueColumn> columns) {
    return {QString::fromLatin1(name), QVector<CatalogueColumn>(columns)};
}

QVector<CatalogueTable> makeTables() {
    QVector<CatalogueTable> all;

    CatalogueTable customer = table("Customer", {key("Customer", K::Text)});
    add(customer.columns, K::Text, {"Address1", "Address2", "City", "State", "Zip", "Phone", "Fax", "Status", "ShipTo",
                                    "ShipToAddress1", "ShipToAddress2", "ShipToCity", "ShipToState", "ShipToZip",
                                    "ShipToPhone", "ShipToFax"});
    customer.columns << col("DateAdded", K::DateTime) << col("Terms", K::Text) << col("Days", K::WholeNumber);
    all << customer;

    CatalogueTable vendor = table("Vendor", {key("Vendor", K::Text)});
    add(vendor.columns, K::Text, {"Address1", "Address2", "City", "State", "Zip", "Phone", "Fax", "Contact", "Status"});
    vendor.columns << col("DateAdded", K::DateTime);
    all << vendor;

    all << table("StyleType", {key("ID", K::Text), col("Description", K::Text), col("Status", K::Text)});

    all << table("Style", {key("ID", K::AutoNumber), col("Customer", K::Text), col("Name", K::Text),
                           col("Type", K::Text), col("Cost", K::Money), col("Price", K::Money), col("Status", K::Text)});

    all << table("Component",
                 {key("ID", K::Text), col("Description", K::Text), col("Thickness", K::Number), col("Width", K::Number),
                  col("Length", K::Number), col("CutStyle", K::Text), col("Test", K::YesNo), col("TestRange", K::Text),
                  col("Topped", K::Text), col("PrintOnShipping", K::YesNo), col("Arm", K::YesNo), col("Tie", K::YesNo),
                  col("BunID", K::Text), col("RailsPerBun", K::Number), col("PiecesPerRail", K::Number),
                  col("Status", K::Text)});

    all << table("Bun", {key("ID", K::Text), col("Width", K::Number), col("Length", K::Number), col("Grade", K::Text),
                         col("Vendor", K::Text), col("OffAll", K::YesNo), col("Status", K::Text)});

    all << table("Operation", {key("Station", K::Text), col("ReportType", K::Text), col("Teams", K::Number),
                               col("Status", K::Text)});

    all << table("StyleComponent", {key("ID", K::AutoNumber), col("StyleID", K::WholeNumber),
                                    col("ComponentID", K::Text), col("Qty", K::Number)});

    all << table("StyleOperation",
                 {key("ID", K::AutoNumber), col("StyleID", K::WholeNumber), col("ComponentID", K::WholeNumber),
                  col("OperationID", K::Text), col("Instructions", K::Text), col("Thickness", K::Number),
                  col("Width", K::Number), col("Length", K::Number)});

    all << table("Data", {key("ID", K::Text), col("LaborCostPerHour", K::Number), col("NonArmPerHour", K::Number),
                          col("SprayLineNonArmPerHour", K::Number), col("LaborPercent", K::Number)});

    CatalogueTable orders = table("Orders", {key("ID", K::AutoNumber), col("OrderNumber", K::Text),
                                             col("Customer", K::Text), col("OrderDate", K::Date),
                                             col("DueDate", K::Date), col("Status", K::Text)});
    add(orders.columns, K::Text, {"ShipTo", "ShipToAddress1", "ShipToAddress2", "ShipToCity", "ShipToState",
                                  "ShipToZip", "ShipToPhone", "ShipToFax"});
    orders.columns << col("DateAdded", K::Date) << col("Total", K::Money);
    all << orders;

    all << table("OrderItems", {col("OrderID", K::WholeNumber), col("ItemNumber", K::WholeNumber),
                                col("Line", K::Text), col("Qty", K::Number), col("StyleID", K::WholeNumber),
                                col("PriceEach", K::Money), col("PriceExt", K::Money)});

    all << table("Shipments", {key("ID", K::AutoNumber), col("OrderID", K::WholeNumber), col("Date", K::Date)});

    all << table("ShipmentItems", {col("ShipmentID", K::WholeNumber), col("OrderID", K::WholeNumber),
                                   col("OrderLineItem", K::WholeNumber), col("Qty", K::Number)});

    all << table("Invoice", {key("ID", K::AutoNumber), col("Customer", K::Text), col("InvoiceDate", K::Date),
                             col("DueDate", K::Date), col("Freight", K::Money), col("Misc", K::Money),
                             col("Subtotal", K::Money), col("Total", K::Money), col("MemoField", K::Text)});

    all << table("InvoiceOrders", {col("Invoice", K::WholeNumber), col("OrderID", K::WholeNumber)});
    all << table("OrdersInvoiced", {col("OrderID", K::WholeNumber)});
    all << table("Payments", {col("Invoice", K::WholeNumber), col("Date", K::Date), col("Amount", K::Money),
                              col("Adjustment", K::Money)});
    return all;
}

// One index for every join and lookup column the windows and documents use.
QVector<CatalogueIndex> makeIndexes() {
    return {
        {"ixStyleCustomer", "Style", {"Customer", "Name", "Type"}},
        {"ixComponentBun", "Component", {"BunID"}},
        {"ixBunVendor", "Bun", {"Vendor"}},
        {"ixOperationReportType", "Operation", {"ReportType"}},
        {"ixStyleComponentStyle", "StyleComponent", {"StyleID"}},
        {"ixStyleComponentComponent", "StyleComponent", {"ComponentID"}},
        {"ixStyleOperationLink", "StyleOperation", {"StyleID", "ComponentID"}},
        {"ixStyleOperationComponent", "StyleOperation", {"ComponentID"}},
        {"ixStyleOperationStation", "StyleOperation", {"OperationID"}},
        // The navigators and the order lists show orders by customer and number.
        {"ixOrdersCustomerNumber", "Orders", {"Customer", "OrderNumber"}},
        {"ixOrdersOrderDate", "Orders", {"OrderDate"}},
        // Sales by customer reads the orders of a date range customer by customer.
        {"ixOrdersCustomerDate", "Orders", {"Customer", "OrderDate"}},
        {"ixOrdersOrderNumber", "Orders", {"OrderNumber"}},
        // The navigators list the open orders by customer and number.
        {"ixOrdersStatus", "Orders", {"Status", "Customer", "OrderNumber"}},
        {"ixOrderItemsOrder", "OrderItems", {"OrderID", "ItemNumber"}},
        {"ixOrderItemsStyle", "OrderItems", {"StyleID"}},
        {"ixShipmentsOrder", "Shipments", {"OrderID"}},
        {"ixShipmentsDate", "Shipments", {"Date"}},  // the shipping navigator's and reports' date ranges
        {"ixShipmentItemsShipment", "ShipmentItems", {"ShipmentID"}},
        {"ixShipmentItemsLine", "ShipmentItems", {"OrderID", "OrderLineItem"}},
        {"ixInvoiceCustomer", "Invoice", {"Customer"}},
        {"ixInvoiceOrdersInvoice", "InvoiceOrders", {"Invoice"}},
        {"ixInvoiceOrdersOrder", "InvoiceOrders", {"OrderID"}},
        {"ixOrdersInvoicedOrder", "OrdersInvoiced", {"OrderID"}},
        {"ixPaymentsInvoice", "Payments", {"Invoice"}},
    };
}

}  // namespace

const CatalogueColumn *CatalogueTable::column(const QString &wanted) const {
    for (const CatalogueColumn &c : columns)
        if (c.name.compare(wanted, Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

const CatalogueColumn *CatalogueTable::autoNumber() const {
    for (const CatalogueColumn &c : columns)
        if (c.kind == ColumnKind::AutoNumber) return &c;
    return nullptr;
}

namespace Catalogue {

const QVector<CatalogueTable> &tables() {
    static const QVector<CatalogueTable> all = makeTables();
    return all;
}

const QVector<CatalogueIndex> &indexes() {
    static const QVector<CatalogueIndex> all = makeIndexes();
    return all;
}

const CatalogueTable *table(const QString &name) {
    static const QHash<QString, const CatalogueTable *> byName = [] {
        QHash<QString, const CatalogueTable *> all;
        for (const CatalogueTable &t : tables()) all.insert(t.name.toLower(), &t);
        return all;
    }();
    return byName.value(name.toLower(), nullptr);
}

ColumnKind kindOf(const QString &tableName, const QString &columnName) {
    const CatalogueTable *t = table(tableName);
    const CatalogueColumn *c = t ? t->column(columnName) : nullptr;
    return c ? c->kind : ColumnKind::Other;
}

}  // namespace Catalogue
