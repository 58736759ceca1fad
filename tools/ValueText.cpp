#include "tools/ValueText.h"

#include <QDateTime>
#include <QLocale>
#include <cmath>
#include <limits>

namespace {

constexpr qint64 kLongMin = -2147483648LL;
constexpr qint64 kLongMax = 2147483647LL;
// The desktop engine's Currency: a 64-bit whole number of ten-thousandths.
constexpr qint64 kCurrencyMaxUnits = std::numeric_limits<qint64>::max();

bool allDigits(const QString &text) {
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

// Money text as a whole number of ten-thousandths, read digit by digit.
bool readMoneyUnits(QString text, qint64 &units) {
    bool negative = false;
    if (text.startsWith(QLatin1Char('(')) && text.endsWith(QLatin1Char(')'))) {
        negative = true;
        text = text.mid(1, text.size() - 2).trimmed();
    }
    if (text.startsWith(QLatin1Char('-'))) {
        negative = !negative;
        text = text.mid(1).trimmed();
    }
    if (text.startsWith(QLatin1Char('$'))) text = text.mid(1).trimmed();
    if (text.startsWith(QLatin1Char('-')) && !negative) {  // "$-12.50"
        negative = true;
        text = text.mid(1);
    }
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    QString whole = point < 0 ? text : text.left(point);
    QString fraction = point < 0 ? QString() : text.mid(point + 1);
    whole.remove(QLatin1Char(','));
    if ((whole.isEmpty() && fraction.isEmpty()) || !allDigits(whole) || !allDigits(fraction)) return false;
    while (fraction.size() > 4 && fraction.endsWith(QLatin1Char('0'))) fraction.chop(1);
    if (fraction.size() > 4) return false;  // Currency keeps four decimals
    fraction = fraction.leftJustified(4, QLatin1Char('0'));
    qint64 value = 0;
    for (const QChar c : whole + fraction) {
        const int digit = c.unicode() - '0';
        if (value > (kCurrencyMaxUnits - digit) / 10) return false;
        value = value * 10 + digit;
    }
    units = negative ? -value : value;
    return true;
}

QVariant readDate(ColumnKind kind, const QString &text) {
    for (const char *format : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd", "M/d/yyyy H:mm:ss",
                               "M/d/yyyy h:mm:ss AP", "M/d/yyyy H:mm", "M/d/yyyy h:mm AP", "M/d/yyyy"}) {
        const QDateTime when = QDateTime::fromString(text, QString::fromLatin1(format));
        if (!when.isValid()) continue;
        // A date column keeps the day alone, as the data layer stores it.
        if (kind == ColumnKind::Date || when.time() == QTime(0, 0)) return when.date();
        return when;
    }
    return QVariant();
}

QVariant readYesNo(const QString &text) {
    for (const char *yes : {"-1", "1", "True", "Yes"})
        if (text.compare(QLatin1String(yes), Qt::CaseInsensitive) == 0) return true;
    for (const char *no : {"0", "False", "No"})
        if (text.compare(QLatin1String(no), Qt::CaseInsensitive) == 0) return false;
    return QVariant();
}

QString moneyText(double value) {
    const qint64 units = qint64(std::llround(value * 10000.0));
    const quint64 magnitude = units < 0 ? quint64(-(units + 1)) + 1 : quint64(units);
    QString fraction = QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
    while (fraction.size() > 2 && fraction.endsWith(QLatin1Char('0'))) fraction.chop(1);
    return (units < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 10000) + QLatin1Char('.') + fraction;
}

}  // namespace

namespace ValueText {

QVariant read(ColumnKind kind, const QString &text, QString &error) {
    error.clear();
    if (text.isNull()) return QVariant();
    if (kind == ColumnKind::Text || kind == ColumnKind::Other) return text;
    const QString t = text.trimmed();
    if (t.isEmpty()) return QVariant();
    switch (kind) {
    case ColumnKind::Money: {
        qint64 units = 0;
        if (readMoneyUnits(t, units)) return double(units) / 10000.0;
        error = QStringLiteral("not a currency amount of at most four decimals");
        return QVariant();
    }
    case ColumnKind::Number: {
        bool ok = false;
        const double number = t.toDouble(&ok);
        if (ok && std::isfinite(number)) return number;
        error = QStringLiteral("not a number");
        return QVariant();
    }
    case ColumnKind::WholeNumber:
    case ColumnKind::AutoNumber: {
        bool ok = false;
        const qlonglong number = t.toLongLong(&ok);
        if (ok && number >= kLongMin && number <= kLongMax) return number;
        error = QStringLiteral("not a whole number within -2147483648 to 2147483647");
        return QVariant();
    }
    case ColumnKind::Date:
    case ColumnKind::DateTime: {
        const QVariant when = readDate(kind, t);
        if (!when.isValid()) error = QStringLiteral("not a date");
        return when;
    }
    case ColumnKind::YesNo: {
        const QVariant flag = readYesNo(t);
        if (!flag.isValid()) error = QStringLiteral("not a yes/no value (-1, 0, True, False, Yes, No)");
        return flag;
    }
    case ColumnKind::Text:
    case ColumnKind::Other: break;
    }
    return text;
}

QString write(ColumnKind kind, const QVariant &value) {
    if (!value.isValid() || value.isNull()) return QString();
    switch (kind) {
    case ColumnKind::Money: return moneyText(value.toDouble());
    case ColumnKind::Number: return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case ColumnKind::WholeNumber:
    case ColumnKind::AutoNumber: return QString::number(value.toLongLong());
    case ColumnKind::YesNo: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case ColumnKind::Date:
    case ColumnKind::DateTime: {
        if (value.typeId() == QMetaType::QDate) return value.toDate().toString(Qt::ISODate);
        const QDateTime when = value.toDateTime();
        if (kind == ColumnKind::Date || when.time() == QTime(0, 0)) return when.date().toString(Qt::ISODate);
        return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    case ColumnKind::Text:
    case ColumnKind::Other: break;
    }
    return value.toString();
}

}  // namespace ValueText
