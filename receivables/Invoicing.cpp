#include "receivables/Invoicing.h"

#include "core/AppError.h"
#include "core/Values.h"
#include "data/Database.h"

namespace {

// Appends one row of (column, value) pairs to an open set of one table.
void append(Recordset &rows, std::initializer_list<std::pair<const char *, QVariant>> fields) {
    rows.addNew();
    for (const auto &[column, value] : fields) rows.setField(QString::fromLatin1(column), value);
    rows.update();
}

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
    auto invoiced = db.openRecordset(QStringLiteral("SELECT * FROM OrdersInvoiced"));
    for (qint64 orderId : request.orderIds) append(*invoiced, {{"OrderID", orderId}});
    invoiced->close();

    double subtotal = 0;
    for (qint64 orderId : request.orderIds) subtotal += OrderSubtotal(orderId);
    const double freight = Values::NumericValue(request.freight);
    const double misc = Values::NumericValue(request.misc);

    auto invoice = db.openRecordset(QStringLiteral("SELECT * FROM Invoice"));
    invoice->addNew();
    const qint64 invoiceId = invoice->field(QStringLiteral("ID")).toLongLong();
    invoice->setField(QStringLiteral("Customer"), request.customer);
    invoice->setField(QStringLiteral("InvoiceDate"), request.invoiceDate);
    invoice->setField(QStringLiteral("DueDate"), request.dueDate);
    invoice->setField(QStringLiteral("Freight"), freight, request.freight);
    invoice->setField(QStringLiteral("Misc"), misc, request.misc);
    invoice->setField(QStringLiteral("MemoField"), request.memo);
    invoice->setField(QStringLiteral("Subtotal"), subtotal);
    invoice->setField(QStringLiteral("Total"), subtotal + freight + misc);
    invoice->update();
    invoice->close();

    auto invoiceOrders = db.openRecordset(QStringLiteral("SELECT * FROM InvoiceOrders"));
    for (qint64 orderId : request.orderIds) append(*invoiceOrders, {{"Invoice", invoiceId}, {"OrderID", orderId}});
    invoiceOrders->close();

    tx.commit();
    return invoiceId;
}
