#pragma once
// The document builders: one plain function per printed or previewed document. Each
// runs its query on AppDatabase(), fills its template and prints or previews it through
// the run-wide print target (reports/PrintTarget.h). Failures are thrown as AppError.

#include <QString>

// Master-data listings, previewed from the Reports > Administrative menu.
void PrintVendorListing();
void PrintCustomerListing();
void PrintComponentListing();
void PrintBunListing();

// Accounts receivable and sales, previewed.
// One invoice with its bill-to address and the lines of every order it bills.
void PrintInvoice(qint64 invoiceId);
// Every invoice with a balance, by customer, with the days each is overdue.
void PrintOpenInvoices();
// One statement a customer: each invoice's total, paid and balance, and the total due,
// dated today.
void PrintCustomerStatements();
// Styles with their components and operations. Each filter is a value or its
// "***All ...***" entry; the type filters on all three values, the style on customer and
// style, the customer alone on the customer.
void PrintStyleListing(const QString &customer, const QString &style, const QString &type);
// The "everything" entries of the style listing's three filters.
namespace StyleListingFilter {
inline const QString AllCustomers = QStringLiteral("***All Customers***");
inline const QString AllStyles = QStringLiteral("***All Styles***");
inline const QString AllTypes = QStringLiteral("***All Types***");
}  // namespace StyleListingFilter
// Sales and cost of the orders dated from start to end (month/day/year texts, both days
// included) by customer, with detail 1 also by style.
void PrintSalesByCustomer(const QString &start, const QString &end, int detail);
