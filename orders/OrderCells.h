#pragma once
// How stored values read as the texts the order windows' grids and boxes hold.

#include <QString>
#include <QVariant>

class Recordset;

// A stored value as a cell's text: empty for null, dates as month/day/year, numbers
// plainly ("12", "2.5"), text as it stands.
QString CellText(const QVariant &value);
// A number worked out by a window (an extended price, a total) as its plain text.
QString NumberText(double value);
// A style as the lines show it: Name, "-", Type (the current row's Name and Type columns).
QString StyleText(const Recordset &row);
