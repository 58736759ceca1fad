#pragma once
// The document builders: one plain function per printed or previewed document. Each
// runs its query on AppDatabase(), fills its template and prints or previews it through
// the run-wide print target (reports/PrintTarget.h). Failures are thrown as AppError.

// Master-data listings, previewed from the Reports > Administrative menu.
void PrintVendorListing();
void PrintCustomerListing();
void PrintComponentListing();
void PrintBunListing();
