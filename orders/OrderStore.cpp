#include "orders/OrderStore.h"

#include "data/Database.h"
#include "data/RecordId.h"
#include "data/SqlText.h"
#include "orders/OrderSearch.h"

namespace OrderStore {

namespace {
std::unique_ptr<Recordset> read(const QString &sql) { return AppDatabase().openRecordset(sql, RecordsetType::ForwardOnly); }
}  // namespace

std::unique_ptr<Recordset> ActiveCustomers() {
    return read(QStringLiteral("SELECT Customer FROM Customer WHERE Status = 'Active' ORDER BY Customer"));
}

std::unique_ptr<Recordset> Customer(const QString &name) {
    return AppDatabase().openRecordset(QStringLiteral("SELECT * FROM Customer WHERE Customer = '") +
                                       SqlText::Escaped(name) + QStringLiteral("'"));
}

std::unique_ptr<Recordset> Order(qint64 id) {
    return AppDatabase().openRecordset(QStringLiteral("SELECT * FROM Orders WHERE ID = ") + QString::number(id));
}

std::unique_ptr<Recordset> OrderItems(const QString &orderId) {
    return read(QStringLiteral("SELECT OrderID,ItemNumber,Line,Qty,StyleID,PriceEach,PriceExt,Name,Type FROM OrderItems "
                               "LEFT JOIN Style ON OrderItems.StyleID = Style.ID WHERE ORDERID = ") +
                QString::number(RecordId::Require(orderId, QStringLiteral("an order"))) +
                QStringLiteral(" ORDER BY ItemNumber"));
}

std::unique_ptr<Recordset> ActiveStyles(const QString &customer) {
    return read(QStringLiteral("SELECT ID,Name,Type,Price FROM Style WHERE Status = 'Active' AND Customer = '") +
                SqlText::Escaped(customer) + QStringLiteral("' ORDER BY Name,Type"));
}

std::unique_ptr<Recordset> OrdersByCustomer() {
    return read(QStringLiteral("SELECT ID,Customer,OrderNumber FROM Orders ORDER BY Customer,OrderNumber"));
}

std::unique_ptr<Recordset> OrderIdsByCustomer() {
    return read(QStringLiteral("SELECT ID FROM Orders ORDER BY Customer,OrderNumber,ID"));
}

std::unique_ptr<Recordset> OrderNamesWithIds(const QVector<qint64> &ids) {
    return read(QStringLiteral("SELECT ID,Customer,OrderNumber FROM Orders WHERE ID IN (") + SqlText::IdList(ids) +
                QLatin1Char(')'));
}

std::unique_ptr<Recordset> FirstOrderNamed(const QString &prefix) {
    return read(QStringLiteral("SELECT TOP 1 ID FROM Orders WHERE Customer & ' - ' & OrderNumber Like '") +
                SqlText::LikeFragment(prefix) + QStringLiteral("*' ORDER BY Customer,OrderNumber,ID"));
}

std::unique_ptr<Recordset> FindOrders(const OrderCriteria &criteria) { return read(OrderSearchSql(criteria)); }

std::unique_ptr<Recordset> FoundOrderIds(const OrderCriteria &criteria) { return read(OrderKeysSql(criteria)); }

std::unique_ptr<Recordset> OrdersWithIds(const QVector<qint64> &ids) {
    return read(QStringLiteral("SELECT * FROM Orders WHERE ID IN (") + SqlText::IdList(ids) + QLatin1Char(')'));
}

std::unique_ptr<Recordset> LinesShipped(qint64 orderId) { return read(OrderLinesSql(orderId)); }

}  // namespace OrderStore
