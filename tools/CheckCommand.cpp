#include "tools/CheckCommand.h"

#include "core/AppError.h"
#include "data/Database.h"
#include "orders/UpdateOrderStatus.h"
#include "tools/PrintCommand.h"

#include <QPair>
#include <QVariant>
#include <QVector>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr int ExitSound = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;
constexpr int ExitFindings = 3;

// Money is kept to four decimals; amounts closer than half a cent agree.
constexpr double kCent = 0.005;

using Report = std::function<void(const QString &rule, const QString &keys, const QString &detail)>;

// Runs a statement of the desktop engine's dialect and calls `each` on every row.
void eachRow(Database &db, const QString &sql, const std::function<void(Recordset &)> &each) {
    auto rs = db.openRecordset(sql, RecordsetType::ForwardOnly);
    for (; !rs->eof(); rs->moveNext()) each(*rs);
    rs->close();
}

QString text(Recordset &rs, const char *field) { return rs.field(QLatin1String(field)).toString(); }
double number(Recordset &rs, const char *field) { return rs.field(QLatin1String(field)).toDouble(); }  // null is 0
QString money(double value) { return QString::number(value, 'f', 2); }

void checkFile(Database &db, const Report &report) {
    for (const QString &problem : db.integrityProblems()) report(QStringLiteral("file damaged"), QStringLiteral("file"), problem);
}

void checkLinesHaveOrders(Database &db, const Report &report) {
    eachRow(db,
            QStringLiteral("SELECT OrderID, ItemNumber FROM OrderItems WHERE OrderID NOT IN (SELECT ID FROM Orders) "
                           "ORDER BY OrderID, ItemNumber"),
            [&](Recordset &rs) {
                report(QStringLiteral("line without its order"),
                       QStringLiteral("OrderItems.OrderID=%1 ItemNumber=%2").arg(text(rs, "OrderID"), text(rs, "ItemNumber")),
                       QStringLiteral("no order %1").arg(text(rs, "OrderID")));
            });
}

void checkShippedNotAboveOrdered(Database &db, const Report &report) {
    eachRow(db,
            QStringLiteral("SELECT OrderItems.OrderID, ItemNumber, OrderItems.Qty AS Ordered, SUM(ShipmentItems.Qty) AS Shipped "
                           "FROM OrderItems INNER JOIN ShipmentItems ON OrderItems.OrderID = ShipmentItems.OrderID AND "
                           "OrderItems.ItemNumber = ShipmentItems.OrderLineItem "
                           "GROUP BY OrderItems.OrderID, ItemNumber, OrderItems.Qty "
                           "HAVING SUM(ShipmentItems.Qty) > OrderItems.Qty ORDER BY OrderItems.OrderID, ItemNumber"),
            [&](Recordset &rs) {
                report(QStringLiteral("shipped above ordered"),
                       QStringLiteral("OrderItems.OrderID=%1 ItemNumber=%2").arg(text(rs, "OrderID"), text(rs, "ItemNumber")),
                       QStringLiteral("ordered %1, shipped %2").arg(text(rs, "Ordered"), text(rs, "Shipped")));
            });
}

void checkOrderStatus(Database &db, const Report &report) {
    QVector<QPair<QString, QString>> orders;  // read whole first: the rule opens sets of its own
    eachRow(db,
            QStringLiteral("SELECT ID, Status FROM Orders WHERE Status <> 'Void' AND (Status = 'Closed' OR "
                           "ID IN (SELECT OrderID FROM ShipmentItems)) ORDER BY ID"),
            [&](Recordset &rs) { orders.append({text(rs, "ID"), text(rs, "Status")}); });
    for (const auto &[id, status] : orders) {
        const QString rule = OrderStatusByShipments(db, id);
        if (status != rule)
            report(QStringLiteral("status disagrees with shipments"), QStringLiteral("Orders.ID=%1").arg(id),
                   QStringLiteral("stored '%1', its shipments make it '%2'").arg(status, rule));
    }
}

void checkInvoicedOnce(Database &db, const Report &report) {
    eachRow(db,
            QStringLiteral("SELECT OrdersInvoiced.OrderID, COUNT(InvoiceOrders.Invoice) AS Invoices FROM OrdersInvoiced "
                           "LEFT JOIN InvoiceOrders ON OrdersInvoiced.OrderID = InvoiceOrders.OrderID "
                           "GROUP BY OrdersInvoiced.OrderID HAVING COUNT(InvoiceOrders.Invoice) <> 1 "
                           "ORDER BY OrdersInvoiced.OrderID"),
            [&](Recordset &rs) {
                report(QStringLiteral("invoiced order not on exactly one invoice"),
                       QStringLiteral("OrdersInvoiced.OrderID=%1").arg(text(rs, "OrderID")),
                       QStringLiteral("on %1 invoices").arg(text(rs, "Invoices")));
            });
    eachRow(db,
            QStringLiteral("SELECT Invoice, OrderID FROM InvoiceOrders WHERE OrderID NOT IN (SELECT OrderID FROM OrdersInvoiced) "
                           "ORDER BY Invoice, OrderID"),
            [&](Recordset &rs) {
                report(QStringLiteral("order on an invoice not marked invoiced"),
                       QStringLiteral("InvoiceOrders.Invoice=%1 OrderID=%2").arg(text(rs, "Invoice"), text(rs, "OrderID")),
                       QStringLiteral("no OrdersInvoiced row"));
            });
}

void checkInvoiceTotals(Database &db, const Report &report) {
    eachRow(db,
            QStringLiteral("SELECT ID, Subtotal, Freight, Misc, Total, (SELECT SUM(PriceExt) FROM OrderItems WHERE OrderID IN "
                           "(SELECT OrderID FROM InvoiceOrders WHERE InvoiceOrders.Invoice = Invoice.ID)) AS Lines "
                           "FROM Invoice ORDER BY ID"),
            [&](Recordset &rs) {
                const QString keys = QStringLiteral("Invoice.ID=%1").arg(text(rs, "ID"));
                const double subtotal = number(rs, "Subtotal"), lines = number(rs, "Lines");
                const double charges = number(rs, "Freight") + number(rs, "Misc"), total = number(rs, "Total");
                if (std::fabs(subtotal - lines) >= kCent)
                    report(QStringLiteral("invoice subtotal differs from its orders' lines"), keys,
                           QStringLiteral("subtotal %1, lines %2").arg(money(subtotal), money(lines)));
                if (std::fabs(total - (lines + charges)) >= kCent)
                    report(QStringLiteral("invoice total differs from lines, freight and misc"), keys,
                           QStringLiteral("total %1, lines plus freight and misc %2").arg(money(total), money(lines + charges)));
            });
}

}  // namespace

const char *CheckCommandUsage() {
    return "Usage: quelby-admin check PLANT\n"
           "\n"
           "Checks the plant database PLANT: the engine's check of the file, then the plant's\n"
           "rules: every order line's order exists; no line shipped above what was ordered;\n"
           "each order's status is what its shipments make it (orders that have shipments and\n"
           "orders stored Closed; Void orders are left alone); an invoiced order is on exactly\n"
           "one invoice and an order on an invoice is marked invoiced; an invoice's subtotal is\n"
           "its orders' lines, and its total the lines plus freight and misc.\n"
           "Prints one line per finding (rule, keys, detail, tab-separated). Exit code 0 when\n"
           "the plant is sound, 3 when anything was found, 1 when the check could not run.\n"
           "It changes no record; the application may stay open meanwhile.\n";
}

int RunCheckCommand(const QStringList &args) {
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(CheckCommandUsage(), stdout);
        return ExitSound;
    }
    if (args.size() != 1) {
        WriteError(QStringLiteral("check: give the plant database to check"));
        WriteError(QString::fromLatin1(CheckCommandUsage()));
        return ExitUsage;
    }
    int findings = 0;
    const Report report = [&](const QString &rule, const QString &keys, const QString &detail) {
        ++findings;
        std::fputs(qPrintable(rule + QLatin1Char('\t') + keys + QLatin1Char('\t') + detail + QLatin1Char('\n')), stdout);
    };
    try {
        auto db = Database::open(args.at(0));
        checkFile(*db, report);
        checkLinesHaveOrders(*db, report);
        checkShippedNotAboveOrdered(*db, report);
        checkOrderStatus(*db, report);
        checkInvoicedOnce(*db, report);
        checkInvoiceTotals(*db, report);
    } catch (const AppError &e) {
        std::fflush(stdout);
        WriteError(e.report());
        return ExitFailure;
    } catch (const std::exception &e) {
        std::fflush(stdout);
        WriteError(QStringLiteral("%1: %2").arg(ErrorNumber::ReservedError).arg(QString::fromLocal8Bit(e.what())));
        return ExitFailure;
    }
    std::fputs(findings ? qPrintable(QStringLiteral("%1 finding(s)\n").arg(findings)) : "The plant is sound.\n", stdout);
    std::fflush(stdout);
    return findings ? ExitFindings : ExitSound;
}
