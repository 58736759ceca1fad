#pragma once
// The receivables store: the statements and lookups of the invoicing, payment and office
// report windows, beside invoice creation (Invoicing.h) and payments (Payments.h).
// Widget-free (quelby_core); the windows call these and never open a statement of their own.

#include <QString>
#include <memory>

class Recordset;

namespace ReceivablesStore {

// Every customer row, whatever its status, in name order (column Customer): an inactive
// customer may still have orders to bill.
std::unique_ptr<Recordset> CustomersToBill();
// Every invoice number, the newest first (column ID).
std::unique_ptr<Recordset> InvoiceIds();
// The customer's orders not yet invoiced (ID, OrderNumber, OrderDate), by order number.
std::unique_ptr<Recordset> UninvoicedOrders(const QString &customer);
// The lists of the style listing's selection: every customer (Customer), each name of
// the customer's styles once (Name), each type of a customer's style name once (Type).
std::unique_ptr<Recordset> CustomerNames();
std::unique_ptr<Recordset> StyleNames(const QString &customer);
std::unique_ptr<Recordset> StyleTypes(const QString &customer, const QString &style);

}  // namespace ReceivablesStore
