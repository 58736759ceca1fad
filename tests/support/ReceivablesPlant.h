#pragma once
// A small plant whose every amount is known, for the receivables tests and the
// receivables reports. The fake clock's today is 12/9/2026.
//
//   Customers: Acme Foam (Active), O'Brien Furniture (InActive), Zeta Chairs (no orders)
//   Styles:    1 Acme Lounge-Chair (cost 40), 2 Acme Lounge-Sofa (cost 90),
//              3 O'Brien Kinsale-Sofa (cost 150)
//   Parts:     style 1: 2 of component SC-1 Seat Core 4 x 20 x 22, sawn at Band Saw 1
//              (4 x 20.5 x 22.5, to cut 4-inch rails) and glued at Glue Line 1 (4 x 20 x 22,
//              "Glue topper"); style 2: 1 of SC-1 without operations
//   Orders:    1 Acme PO-100 12/1/2026: 2 Lounge-Chair at 100, 1 Lounge-Sofa at 200 (400)
//              2 Acme PO-200 12/5/2026: 3 Lounge-Chair at 90 (270)
//              3 Acme PO-050 12/9/2026: no lines
//              4 O'Brien OB-1 11/20/2026: 1 Kinsale-Sofa at 300 (300)
//
// WithInvoices adds, as if created and paid through the windows:
//   Invoice 1 Acme, 11/1/2026 due 12/1/2026, order 1, freight 12.50: total 412.50;
//             paid 400 and adjusted 2.50 on 11/20/2026: balance 10, 8 days overdue
//   Invoice 2 O'Brien, 11/21/2026 due 12/21/2026, order 4: total 300, paid in full
//   Invoice 3 Acme, 12/6/2026 due 12/31/2026, order 2, misc 5: total 275, unpaid

#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"

namespace ReceivablesPlant {
enum Content { OrdersOnly, WithInvoices };
void seed(const TestDatabase &db, Content content = OrdersOnly);
}  // namespace ReceivablesPlant

// One test's fakes (today is 12/9/2026) and a fresh database holding the plant.
struct ReceivablesFixture {
    explicit ReceivablesFixture(ReceivablesPlant::Content content = ReceivablesPlant::OrdersOnly) {
        ReceivablesPlant::seed(db, content);
    }
    ScopedFakes fakes;
    TestDatabase db;
};
