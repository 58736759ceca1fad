#pragma once
// Placing typed values into SQL text. Every user-typed text between single quotes goes
// through Quoted(), so that a name such as O'Brien is stored and found.

#include <QDate>
#include <QString>
#include <QVector>

namespace SqlText {

// The text with every single quote doubled, between single quotes: O'Brien -> 'O''Brien'.
QString Quoted(const QString &text);
// The text with quotes doubled but without the surrounding quotes, for callers that
// assemble "... = '" + SqlText::Escaped(x) + "'" exactly as the statements read.
QString Escaped(const QString &text);
// A fragment for a Like pattern: quotes doubled and the wildcard characters * ? # [
// bracketed so that they match literally.
QString LikeFragment(const QString &text);
// A date literal of the desktop engine: #m/d/yyyy#.
QString DateLiteral(const QDate &date);
// Record IDs for an IN list: "12,15,3".
QString IdList(const QVector<qint64> &ids);

}  // namespace SqlText
