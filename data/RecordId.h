#pragma once
// Record IDs (auto-numbers) reach SQL only through these: a record ID is a text of the
// digits 0 to 9 alone, blanks around it allowed; anything else (a sign, a decimal point,
// a condition, a quote) is no ID.

#include <QString>
#include <QVariant>
#include <optional>

namespace RecordId {

// The ID a text holds, or none.
std::optional<qint64> Parse(const QString &text);
// The ID as it is placed bare into SQL. A text that is no ID places 0, which no
// auto-number takes, so the statement finds no row.
QString Sql(const QVariant &id);
// The ID of the record `what` names ("an order", "a shipment"); a text that is no ID
// raises "Type mismatch" (13) naming the text.
qint64 Require(const QString &text, const QString &what);

}  // namespace RecordId
