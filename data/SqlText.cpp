#include "data/SqlText.h"

namespace SqlText {

QString Escaped(const QString &text) {
    QString out = text;
    out.replace(QLatin1Char('\''), QLatin1String("''"));
    return out;
}

QString Quoted(const QString &text) {
    return QLatin1Char('\'') + Escaped(text) + QLatin1Char('\'');
}

QString LikeFragment(const QString &text) {
    // Each wildcard is put in a one-character list, where it stands for itself; a
    // closing bracket outside a list is already an ordinary character.
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '*':
        case '?':
        case '#':
        case '[':
            out += QLatin1Char('[');
            out += c;
            out += QLatin1Char(']');
            break;
        case '\'':
            out += QLatin1String("''");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString DateLiteral(const QDate &date) {
    // A date that is not valid has no literal; Null compares as nothing, as an empty
    // date does in the engine.
    if (!date.isValid()) return QStringLiteral("Null");
    return QLatin1Char('#') + date.toString(QStringLiteral("M/d/yyyy")) + QLatin1Char('#');
}

QString IdList(const QVector<qint64> &ids) {
    QString list;
    list.reserve(ids.size() * 8);
    for (qint64 id : ids) {
        if (!list.isEmpty()) list += QLatin1Char(',');
        list += QString::number(id);
    }
    return list;
}

}  // namespace SqlText
