#include "receivables/ReceivablesStore.h"

#include "data/Database.h"
#include "data/SqlText.h"

namespace ReceivablesStore {

namespace {
std::unique_ptr<Recordset> read(const QString &sql) { return AppDatabase().openRecordset(sql, RecordsetType::ForwardOnly); }
}  // namespace

std::unique_ptr<Recordset> CustomersToBill() { return read(QStringLiteral("SELECT * FROM Customer ORDER BY Customer")); }

std::unique_ptr<Recordset> InvoiceIds() { return read(QStringLiteral("SELECT ID FROM Invoice ORDER BY ID DESC")); }

std::unique_ptr<Recordset> UninvoicedOrders(const QString &customer) {
    return read(QStringLiteral("SELECT ID,OrderNumber, OrderDate FROM Orders WHERE Customer = '") +
                SqlText::Escaped(customer) +
                QStringLiteral("' AND ID NOT IN (SELECT OrderID FROM OrdersInvoiced) ORDER BY Orders.OrderNumber"));
}

std::unique_ptr<Recordset> CustomerNames() { return read(QStringLiteral("SELECT Customer FROM Customer ORDER BY Customer")); }

std::unique_ptr<Recordset> StyleNames(const QString &customer) {
    return read(QStringLiteral("SELECT DISTINCT Name FROM Style WHERE Customer = '") + SqlText::Escaped(customer) +
                QStringLiteral("' ORDER BY Name"));
}

std::unique_ptr<Recordset> StyleTypes(const QString &customer, const QString &style) {
    return read(QStringLiteral("SELECT DISTINCT Type FROM Style WHERE Customer = '") + SqlText::Escaped(customer) +
                QStringLiteral("' AND Name = '") + SqlText::Escaped(style) + QStringLiteral("' ORDER BY Type"));
}

}  // namespace ReceivablesStore
