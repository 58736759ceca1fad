#pragma once
// Invoice creation: one invoice bills a customer for the orders the clerk moved to
// "Orders To Invoice". The orders are marked invoiced (so they are never offered again),
// the invoice row is stored with its subtotal, freight, miscellaneous amount and total,
// and the invoice's orders are listed, all in one transaction: either the whole invoice
// exists afterwards or nothing of it does.

#include <QDate>
#include <QString>
#include <QVector>

struct InvoiceRequest {
    QString customer;
    QDate invoiceDate;
    QDate dueDate;
    // As typed. The invoice stores, and adds to its total, the value of a text that is a
    // number as the office writes one ("12.5", "$1,200.00"); an empty or non-numeric
    // text counts 0.
    QString freight;
    QString misc;
    QString memo;
    QVector<qint64> orderIds;  // in the order the clerk listed them
};

// The extended price of every line of the order; 0 for an order without lines.
double OrderSubtotal(qint64 orderId);

// Creates the invoice and returns its number (the new Invoice.ID). Writes, in this
// order, the OrdersInvoiced rows, the Invoice row and the InvoiceOrders rows. Throws
// AppError, leaving the database unchanged, when no order is given or when an order has
// been invoiced already (by another window or another office PC since the list was read).
qint64 CreateInvoice(const InvoiceRequest &request);
