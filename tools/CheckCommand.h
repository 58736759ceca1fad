#pragma once
// quelby-admin check PLANT
//
// Asks whether the plant's records are sound: the engine's own check of the file, then
// the plant's rules that the windows keep and nothing in the file enforces:
//  - every order line belongs to an order that exists;
//  - no line has shipped more than was ordered;
//  - each order's status is the one the order-status rule gives it from its shipments
//    (UpdateOrderStatus, the same code): every order that has shipments, and every
//    order stored "Closed"; a "Void" order is left as the office set it;
//  - an order marked invoiced is on exactly one invoice, and an order on an invoice is
//    marked invoiced;
//  - an invoice's subtotal is the extended prices of its orders' lines, and its total
//    that subtotal plus freight and misc.
// Each finding is printed on a line of its own with the keys of the rows concerned.

#include <QStringList>

// args are the words after "check". Returns the exit code: 0 the plant is sound, 1 the
// check could not run (reported on stderr as "number: description"), 2 the command line
// was not understood, 3 findings were printed.
int RunCheckCommand(const QStringList &args);

const char *CheckCommandUsage();
