#include "orders/OrderSave.h"

#include "core/AppError.h"
#include "core/Seams.h"
#include "data/Database.h"
#include "data/RecordId.h"
#include "data/RowWriter.h"
#include "data/SqlText.h"

#include <QSet>

const QString ShippedLineMessage = QStringLiteral("Shipments exists for this Line Item. It cannot be deleted.");

namespace {

// The order's ID as it goes into SQL: a whole number, whatever the label held.
qint64 orderIdOf(const QString &text) { return RecordId::Require(text, QStringLiteral("an order")); }

void writeHeader(Recordset &rs, const OrderHeader &h) {
    const std::pair<const char *, QVariant> columns[] = {
        {"Customer", h.customer},
        {"OrderDate", h.orderDate},
        {"DueDate", h.dueDate},
        {"ShipTo", h.shipTo},
        {"ShipToAddress1", h.shipToAddress1},
        {"ShipToAddress2", h.shipToAddress2},
        {"ShipToCity", h.shipToCity},
        {"ShipToState", h.shipToState},
        {"ShipToZip", h.shipToZip},
        {"ShipToPhone", h.shipToPhone},
        {"ShipToFax", h.shipToFax},
        {"DateAdded", Seams::clock().today()},
        {"Total", h.total},
    };
    for (const auto &[column, value] : columns) rs.setField(QString::fromLatin1(column), value);
}

// Stores the header row and returns its ID.
qint64 storeHeader(Database &db, const OrderHeader &h) {
    if (h.id.isEmpty()) {
        return AppendRow(db, QStringLiteral("SELECT * FROM Orders"), [&](Recordset &rs, bool) {
            rs.setField(QStringLiteral("Status"), QStringLiteral("Open"));
            rs.setField(QStringLiteral("OrderNumber"), h.orderNumber);
            writeHeader(rs, h);
        });
    }
    RowWriter order(db, QStringLiteral("SELECT * FROM Orders WHERE ID = ") + QString::number(orderIdOf(h.id)));
    return order.edit([&](Recordset &rs, bool) {
        rs.setField(QStringLiteral("Status"), h.status.isEmpty() ? QStringLiteral("Open") : h.status);
        writeHeader(rs, h);
    });
}

// Sets one column of a line; a text the column cannot hold is reported with the line.
void setLineField(Recordset &rs, const OrderLine &line, const char *column, const QString &caption,
                  const QString &value) {
    try {
        rs.setField(QString::fromLatin1(column), value);
    } catch (const AppError &e) {
        if (e.number() != ErrorNumber::ConversionError) throw;
        throw AppError(e.number(), QStringLiteral("Line Item %1: %2 \"%3\" is not a number. The order was not saved.")
                                       .arg(line.itemNumber, caption, value));
    }
}

void storeLines(Database &db, qint64 id, const QVector<OrderLine> &lines) {
    const QString orderId = QString::number(id);
    db.execute(QStringLiteral("DELETE FROM OrderItems WHERE OrderID = ") + orderId);
    RowWriter rows(db, QStringLiteral("SELECT * FROM OrderItems WHERE OrderID = ") + orderId);
    for (const OrderLine &line : lines) {
        rows.add([&](Recordset &rs, bool) {
            rs.setField(QStringLiteral("OrderID"), id);
            setLineField(rs, line, "ItemNumber", QStringLiteral("Item Number"), line.itemNumber);
            rs.setField(QStringLiteral("Line"), line.line);
            setLineField(rs, line, "Qty", QStringLiteral("Qty"), line.qty);
            setLineField(rs, line, "StyleID", QStringLiteral("Style ID"), line.styleId);
            setLineField(rs, line, "PriceEach", QStringLiteral("Price Each"), line.priceEach);
            setLineField(rs, line, "PriceExt", QStringLiteral("Price Ext."), line.priceExt);
        });
    }
}

// Shipment rows name their order line by item number: every shipped number must still
// be a line of the order, or those rows would point at nothing, or at another line.
void keepShippedLines(Database &db, qint64 id) {
    const QString orderId = QString::number(id);
    auto rs = db.openRecordset(
        QStringLiteral("SELECT DISTINCT OrderLineItem FROM ShipmentItems WHERE OrderID = ") + orderId +
        QStringLiteral(" AND OrderLineItem NOT IN (SELECT ItemNumber FROM OrderItems WHERE OrderID = ") + orderId +
        QStringLiteral(")"));
    if (rs->eof()) return;
    const QString item = rs->text(QStringLiteral("OrderLineItem"));
    rs->close();
    throw AppError(ErrorNumber::ReservedError, QStringLiteral("Line Item %1: %2").arg(item, ShippedLineMessage));
}

}  // namespace

qint64 SaveOrder(const OrderHeader &header, const QVector<OrderLine> &lines) {
    Database &db = AppDatabase();
    Transaction transaction(db);
    const qint64 id = storeHeader(db, header);
    storeLines(db, id, lines);
    keepShippedLines(db, id);
    transaction.commit();
    return id;
}

bool OrderNumberExists(const QString &orderNumber, const QString &customer) {
    auto rs = AppDatabase().openRecordset(QStringLiteral("SELECT * FROM Orders WHERE Customer = '") +
                                          SqlText::Escaped(customer) + QStringLiteral("' AND OrderNumber = '") +
                                          SqlText::Escaped(orderNumber) + QStringLiteral("'"));
    const bool found = !(rs->bof() && rs->eof());
    rs->close();
    return found;
}

bool LineHasShipments(const QString &orderId, const QString &itemNumber) {
    if (orderId.isEmpty()) return false;  // a new order has no shipments
    auto rs = AppDatabase().openRecordset(QStringLiteral("SELECT TOP 1 * FROM ShipmentItems WHERE OrderID = ") +
                                          QString::number(orderIdOf(orderId)) +
                                          QStringLiteral(" AND OrderLineItem = ") +
                                          QString::number(qRound64(itemNumber.toDouble())));
    const bool shipped = !rs->eof();
    rs->close();
    return shipped;
}
