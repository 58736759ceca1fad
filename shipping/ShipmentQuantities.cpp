#include "shipping/ShipmentQuantities.h"

#include "core/Values.h"

#include <algorithm>

namespace ShipmentQuantities {

double Remaining(const QString &ordered, const QString &prevShipped) {
    return std::max(0.0, Values::Val(ordered) - Values::Val(prevShipped));
}

QString Checked(const QString &typed, const QString &ordered, const QString &prevShipped) {
    if (!Values::IsNumeric(typed)) return QStringLiteral("0");
    if (Values::Val(typed) > Values::Val(ordered) - Values::Val(prevShipped)) return QStringLiteral("0");
    return typed;
}

QString Plain(double qty) { return QString::number(qty, 'g', 15); }

QString Plain(const QVariant &stored) { return stored.isNull() ? QString() : Plain(stored.toDouble()); }

}  // namespace ShipmentQuantities
