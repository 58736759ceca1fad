#pragma once
// A believable plant for the demo database, the tests and the benchmark: customers and
// vendors, buns, components, stations of every report type, styles with components and
// operations, labour variables, orders, shipments, invoices and payments.

class Database;

namespace DemoPlant {

// Fills a database that holds the schema and nothing else, in one transaction. Dates are
// placed around today (Seams::clock()) so that the navigators' default ranges find them.
// Throws AppError when the database already holds customers or orders.
void populate(Database &db);

// A large plant for the benchmark, in one transaction: the demo plant's vendors, buns,
// components, stations and labour variables, then generated customers (two for every
// three styles), `styles` styles with about twelve components each and one operation per
// component, and `orders` orders of about six lines over the last ten years with their
// shipments, invoices and payments. 3000 styles and 100000 orders make the plant of ten
// years' history the benchmark measures. Deterministic: the same counts give the
// same rows. Needs a database that holds the schema and nothing else (AppError otherwise).
void populateLarge(Database &db, int styles, int orders);

}  // namespace DemoPlant
