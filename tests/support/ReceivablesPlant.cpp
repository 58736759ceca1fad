#include "tests/support/ReceivablesPlant.h"

#include <initializer_list>

namespace ReceivablesPlant {

namespace {
// One INSERT statement per row of values.
void insertRows(const TestDatabase &db, const char *insert, std::initializer_list<const char *> rows) {
    for (const char *values : rows) db.exec(QLatin1String(insert) + QLatin1String(" VALUES ") + QLatin1String(values));
}
}  // namespace

void seed(const TestDatabase &db, Content content) {
    db.exec("INSERT INTO Customer (Customer, Address1, City, State, Zip, Status) "
            "VALUES ('Acme Foam', '1 Main St', 'Tupelo', 'MS', '38801', 'Active')");
    db.exec("INSERT INTO Customer (Customer, Address1, Address2, City, State, Zip, Status) "
            "VALUES ('O''Brien Furniture', '9 Mill Rd', 'Unit 4', 'Hickory', 'NC', '28601', 'InActive')");
    db.exec("INSERT INTO Customer (Customer, Status) VALUES ('Zeta Chairs', 'Active')");

    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) VALUES ('Acme Foam', 'Lounge', 'Chair', 40, 100, 'Active')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) VALUES ('Acme Foam', 'Lounge', 'Sofa', 90, 200, 'Active')");
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) "
            "VALUES ('O''Brien Furniture', 'Kinsale', 'Sofa', 150, 300, 'Active')");

    // Style 1 is two seat cores, sawn and glued; style 2 one core with no operations yet.
    db.exec("INSERT INTO Component (ID, Description, Thickness, Width, Length, Status) "
            "VALUES ('SC-1', 'Seat Core', 4, 20, 22, 'Active')");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (1, 'SC-1', 2)");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (2, 'SC-1', 1)");
    db.exec("INSERT INTO StyleOperation (StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) "
            "VALUES (1, 1, 'Glue Line 1', 'Glue topper', 4, 20, 22)");
    db.exec("INSERT INTO StyleOperation (StyleID, ComponentID, OperationID, Instructions, Thickness, Width, Length) "
            "VALUES (1, 1, 'Band Saw 1', 'Cut 4\" rails', 4, 20.5, 22.5)");

    insertRows(db, "INSERT INTO Orders (OrderNumber, Customer, OrderDate, DueDate, Status, Total)",
               {"('PO-100', 'Acme Foam', #12/1/2026#, #12/20/2026#, 'Open', 400)",
                "('PO-200', 'Acme Foam', #12/5/2026#, #12/24/2026#, 'Closed', 270)",
                "('PO-050', 'Acme Foam', #12/9/2026#, #12/29/2026#, 'Open', 0)",
                "('OB-1', 'O''Brien Furniture', #11/20/2026#, #12/10/2026#, 'Void', 300)"});
    insertRows(db, "INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt)",
               {"(1, 1, 'A', 2, 1, 100, 200)", "(1, 2, 'B', 1, 2, 200, 200)", "(2, 1, 'C', 3, 1, 90, 270)",
                "(4, 1, '1', 1, 3, 300, 300)"});
    if (content == OrdersOnly) return;

    insertRows(db, "INSERT INTO Invoice (Customer, InvoiceDate, DueDate, Freight, Misc, Subtotal, Total, MemoField)",
               {"('Acme Foam', #11/1/2026#, #12/1/2026#, 12.5, 0, 400, 412.5, 'Net 30')",
                "('O''Brien Furniture', #11/21/2026#, #12/21/2026#, 0, 0, 300, 300, '')",
                "('Acme Foam', #12/6/2026#, #12/31/2026#, 0, 5, 270, 275, 'Second release')"});
    for (const auto &[invoice, order] : {std::pair{1, 1}, {2, 4}, {3, 2}}) {
        db.exec(QStringLiteral("INSERT INTO OrdersInvoiced (OrderID) VALUES (%1)").arg(order));
        db.exec(QStringLiteral("INSERT INTO InvoiceOrders (Invoice, OrderID) VALUES (%1, %2)").arg(invoice).arg(order));
    }
    db.exec("INSERT INTO Payments (Invoice, [Date], Amount, Adjustment) VALUES (1, #11/20/2026#, 400, 2.5)");
    db.exec("INSERT INTO Payments (Invoice, [Date], Amount, Adjustment) VALUES (2, #12/1/2026#, 300, 0)");
}

}  // namespace ReceivablesPlant
