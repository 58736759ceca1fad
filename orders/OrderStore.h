#pragma once
// The orders store: the statements and lookups the order windows run, beside the order
// save (OrderSave.h), the navigator's search texts (OrderSearch.h) and the order-status
// rule (UpdateOrderStatus.h). Widget-free (quelby_core); the windows call these and never
// open a statement of their own.

#include <QString>
#include <QVector>
#include <memory>

class Recordset;
struct OrderCriteria;

namespace OrderStore {

// The active customers in name order, for the customer lists (column Customer).
std::unique_ptr<Recordset> ActiveCustomers();
// The customer of that name, with its default ship-to block.
std::unique_ptr<Recordset> Customer(const QString &name);
// The Orders row of that ID (none for an unknown ID).
std::unique_ptr<Recordset> Order(qint64 id);
// The order's lines as the order window lists them, each with its style's Name and Type,
// by item number. `orderId` is the order's ID as its label holds it.
std::unique_ptr<Recordset> OrderItems(const QString &orderId);
// The customer's active styles (ID, Name, Type, Price), by name and type.
std::unique_ptr<Recordset> ActiveStyles(const QString &customer);
// Every order (ID, Customer, OrderNumber) by customer and number, for the selection lists.
std::unique_ptr<Recordset> OrdersByCustomer();
// The same list read as it comes into view: the IDs in list order, then the ID, Customer
// and OrderNumber of a block of them (in any order); and the ID of the first order whose
// "Customer - OrderNumber" begins with `prefix`, whatever the case (none when none does).
std::unique_ptr<Recordset> OrderIdsByCustomer();
std::unique_ptr<Recordset> OrderNamesWithIds(const QVector<qint64> &ids);
std::unique_ptr<Recordset> FirstOrderNamed(const QString &prefix);
// The navigator's orders and one order's lines with what was shipped of each.
std::unique_ptr<Recordset> FindOrders(const OrderCriteria &criteria);
// The navigator's orders as its grid reads them while they come into view: their IDs in
// the search's order, then every field of a block of them (in any order).
std::unique_ptr<Recordset> FoundOrderIds(const OrderCriteria &criteria);
std::unique_ptr<Recordset> OrdersWithIds(const QVector<qint64> &ids);
std::unique_ptr<Recordset> LinesShipped(qint64 orderId);

}  // namespace OrderStore
