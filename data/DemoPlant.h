#pragma once
// A believable plant for the demo database, the tests and the benchmark: customers and
// vendors, buns, components, stations of every report type, styles with components and
// operations, labour variables, orders, shipments, invoices and payments.

class Database;

namespace DemoPlant {

// Fills a database that holds the schema and nothing else. Dates are placed around
// today so that the navigators' default ranges find them.
void populate(Database &db);

}  // namespace DemoPlant
