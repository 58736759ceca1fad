#include "receivables/Invoicing.h"

#include "core/AppError.h"
#include "core/Values.h"
#include "data/Database.h"
#include "data/RowWriter.h"

namespace {

// Refuses to bill an order twice: another window or another office PC may have invoiced
// it since the clerk's list was read.
void requireNotInvoiced(Database &db, qint64 orderId) {
    auto rows = db.openRecordset(QStringLiteral("SELECT OrderID FROM OrdersInvoiced WHERE OrderID = ") +
                                 QString::number(orderId));
    const bool invoiced = !rows->eof();
    rows->close();
    if (invoiced)
        throw AppError(ErrorNumber::ReservedError,
                       QStringLiteral("Order %1 has already been invoiced; pick the customer again.").arg(orderId));
}

}  // namespace

double OrderSubtotal(qint64 orderId) {
    auto rows = AppDatabase().openRecordset(QStringLiteral("SELECT SUM(PriceExt) AS Total FROM OrderItems WHERE OrderID = ") +
                                            QString::number(orderId));
    const double total = rows->eof() ? 0.0 : rows->field(QStringLiteral("Total")).toDouble();  // null: no lines
    rows->close();
    return total;
}

qint64 CreateInvoice(const InvoiceRequest &request) {
    if (request.orderIds.isEmpty())
        throw AppError(ErrorNumber::ReservedError, QStringLiteral("An invoice needs at least one order."));
    Database &db = AppDatabase();
    Transaction tx(db);

    for (qint64 orderId : request.orderIds) requireNotInvoiced(db, orderId);
    {
        RowWriter invoiced(db, QStringLiteral("SELECT * FROM OrdersInvoiced"));
        for (qint64 orderId : request.orderIds)
            invoiced.add([&](Recordset &rs, bool) { rs.setField(QStringLiteral("OrderID"), orderId); });
    }

    double subtotal = 0;
    for (qint64 orderId : request.orderIds) subtotal += OrderSubtotal(orderId);
    const double freight = Values::NumericValue(request.freight);
    const double misc = Values::NumericValue(request.misc);

    const qint64 invoiceId = AppendRow(db, QStringLiteral("SELECT * FROM Invoice"), [&](Recordset &invoice, bool) {
        invoice.setField(QStringLiteral("Customer"), request.customer);
        invoice.setField(QStringLiteral("InvoiceDate"), request.invoiceDate);
        invoice.setField(QStringLiteral("DueDate"), request.dueDate);
        invoice.setField(QStringLiteral("Freight"), Values::TypedNumber{freight, request.freight});
        invoice.setField(QStringLiteral("Misc"), Values::TypedNumber{misc, request.misc});
        invoice.setField(QStringLiteral("MemoField"), request.memo);
        invoice.setField(QStringLiteral("Subtotal"), subtotal);
        invoice.setField(QStringLiteral("Total"), subtotal + freight + misc);
    });

    RowWriter invoiceOrders(db, QStringLiteral("SELECT * FROM InvoiceOrders"));
    for (qint64 orderId : request.orderIds)
        invoiceOrders.add([&](Recordset &rs, bool) {
            rs.setField(QStringLiteral("Invoice"), invoiceId);
            rs.setField(QStringLiteral("OrderID"), orderId);
        });

    tx.commit();
    return invoiceId;
}
