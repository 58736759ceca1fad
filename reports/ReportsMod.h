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

// ---------------------------------------------------------------------------------------
// Production paperwork of one order. Every builder takes the order's ID as text; it must
// be a whole number written in digits, or the builder throws AppError(TypeMismatch)
// before it queries anything.

// Station work tickets, printed, never previewed: one ticket for every station of the
// builder's report types that has work in the order, once per team when the station
// has more than one team ("CNC 2 Team 1", "CNC 2 Team 2"); a station with no work, or
// with no teams, gets none.
void PrintGlueSprayLineTickets(const QString &orderId);    // glue and spray lines, "Fabrication Department"
void PrintFiberTableTickets(const QString &orderId);
void PrintLineSupplyTickets(const QString &orderId);       // on the line template, "Saw Department"
void PrintBulletNoserTickets(const QString &orderId);
void PrintCNCTickets(const QString &orderId);
void PrintCNCStencilTickets(const QString &orderId);
void PrintBandSawTickets(const QString &orderId);          // by bun grade, thickest piece first
void PrintVerticalSlitterTickets(const QString &orderId);  // "Saw Department"

// The production summary made out to a department ("Saw Department", "Fabrication
// Department", "Shipping Department"): the order and its value beside the labour
// variables and the piece tallies of the glue line, spray line, bullet noser, fiber
// table, CNC and band saw, and the labour of the two lines against the order's value.
// Rebuilds the six summary tables (tmpGlueLineMain ...) in one transaction, so two
// copies of the application never mix their figures. One copy.
void PrintProductionSummary(const QString &orderId, const QString &department);

// The order with its lines, made out to a recipient ("Office Manager", "Plant
// Mangager"); the customer "Vedu" has its own form. Previewed when preview is true,
// else printed. An ID that names no order throws AppError(NoCurrentRecord).
void PrintOrder(const QString &orderId, bool preview, const QString &recipient);
// The shipping department's load sheet: the components marked to print on shipping.
void PrintLoadSheet(const QString &orderId, bool preview);

// Single sheets for the saw and fabrication departments, each printed once even when it
// has no rows.
void PrintTestSheet(const QString &orderId);          // components to be tested
void PrintTieSheet(const QString &orderId);           // operations on components to be tied
void PrintTopOutSawTickets(const QString &orderId);   // band-saw work, and CNC work not cut on a band saw
void PrintFoamOrder(const QString &orderId);          // foam to buy for Band Saw 1, Band Saw 2 and CNC
void PrintFiberOrder(const QString &orderId);         // fiber to buy for the fiber tables

// ---------------------------------------------------------------------------------------
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
