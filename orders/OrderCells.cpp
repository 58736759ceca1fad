#include "orders/OrderCells.h"

#include "core/Values.h"
#include "data/Recordset.h"

QString CellText(const QVariant &value) {
    if (value.typeId() == QMetaType::QString) return value.toString();
    return Values::FormatValue(value, QString());
}

QString NumberText(double value) { return Values::Format(value, QString()); }

QString StyleText(const Recordset &row) {
    return row.text(QStringLiteral("Name")) + QLatin1Char('-') + row.text(QStringLiteral("Type"));
}
