#pragma once
// Payments and adjustments received against an invoice. Both reduce what the customer
// owes; a negative amount raises it. Rows are only ever appended.

#include <QDate>
#include <QString>

// Invoice.Total less the sum of Amount + Adjustment over the invoice's Payments rows.
// An invoice number that is not found counts as total 0.
double InvoiceBalance(qint64 invoiceId);

// The balance the invoice will have once a payment and an adjustment typed as these
// texts are stored: the balance less their sum, whatever its sign, each amount read as
// the Payments row will keep it, so that the preview agrees with the balance the stored
// rows give. A text that is not a number counts 0.
double NewBalance(double invoiceBalance, const QString &payment, const QString &adjustment);

// Appends one Payments row; the amounts are read as NewBalance reads them.
void RecordPayment(qint64 invoiceId, const QDate &date, const QString &payment, const QString &adjustment);
