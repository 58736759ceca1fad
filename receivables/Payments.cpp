#include "receivables/Payments.h"

#include "core/Values.h"
#include "data/Database.h"
#include "data/RowWriter.h"

#include <cmath>

namespace {

// A typed amount as a money column keeps it: its value when the text is a number (0
// otherwise), to four decimals.
double storedMoney(const QString &text) { return std::round(Values::NumericValue(text) * 10000.0) / 10000.0; }

}  // namespace

double InvoiceBalance(qint64 invoiceId) {
    Database &db = AppDatabase();
    const QString id = QString::number(invoiceId);
    auto invoice = db.openRecordset(QStringLiteral("SELECT Total FROM Invoice Where ID = ") + id);
    const double total = invoice->eof() ? 0.0 : invoice->field(QStringLiteral("Total")).toDouble();
    invoice->close();

    double paid = 0;
    auto payments = db.openRecordset(QStringLiteral("SELECT Amount, Adjustment FROM Payments WHERE Invoice =") + id);
    for (; !payments->eof(); payments->moveNext())
        paid += payments->field(QStringLiteral("Amount")).toDouble() + payments->field(QStringLiteral("Adjustment")).toDouble();
    payments->close();
    return total - paid;
}

double NewBalance(double invoiceBalance, const QString &payment, const QString &adjustment) {
    return invoiceBalance - (storedMoney(payment) + storedMoney(adjustment));
}

void RecordPayment(qint64 invoiceId, const QDate &date, const QString &payment, const QString &adjustment) {
    AppendRow(AppDatabase(), QStringLiteral("SELECT TOP 1 * FROM Payments"), [&](Recordset &rows, bool) {
        rows.setField(QStringLiteral("Invoice"), invoiceId);
        rows.setField(QStringLiteral("Date"), date);
        rows.setField(QStringLiteral("Amount"), Values::TypedNumber{storedMoney(payment), payment});
        rows.setField(QStringLiteral("Adjustment"), Values::TypedNumber{storedMoney(adjustment), adjustment});
    });
}
