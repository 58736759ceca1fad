#include "data/RecordId.h"

#include "core/AppError.h"

namespace RecordId {

std::optional<qint64> Parse(const QString &text) {
    const QString digits = text.trimmed();
    if (digits.isEmpty()) return std::nullopt;
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    bool ok = false;
    const qint64 id = digits.toLongLong(&ok);  // fails past the range of an ID
    if (!ok) return std::nullopt;
    return id;
}

QString Sql(const QVariant &id) { return QString::number(Parse(id.toString()).value_or(0)); }

qint64 Require(const QString &text, const QString &what) {
    if (const std::optional<qint64> id = Parse(text)) return *id;
    throw AppError(ErrorNumber::TypeMismatch, QStringLiteral("Type mismatch: '%1' is not %2 ID.").arg(text, what));
}

}  // namespace RecordId
