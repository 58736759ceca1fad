#pragma once
// Orders saved by two processes at once into one plant: quelby-databench starts copies of
// itself, each saving orders through SaveOrder as the order window does, first one alone,
// then two together, and prints the wall time and the orders saved per second.

#include <QString>
#include <QStringList>

// For each plant: one saver of `orders` orders alone, then two at once; prints the table.
int RunConcurrentSaves(const QString &program, int orders, const QStringList &plants);
// One saver: opens the plant, waits for the shared starting moment (the monotonic clock's
// seconds), saves `orders` new orders of six lines numbered with `tag`, and prints
// "saved START END FAILED".
int RunSaver(const QString &plant, int orders, const QString &tag, double startAt);
