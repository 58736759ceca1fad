#pragma once
// A plant value as text and back, by the kind of its column: the one conversion the
// import reads every source field with and the export writes every field with, so that
// export then import gives the same plant.
//
//   kind            read from                                         written as
//   text, memo      the text as it stands                             the text
//   money           [-]digits[.up to 4 digits], "$", thousands         "1234.50" (2 to 4 decimals)
//                   separators and (parentheses) allowed; read as a
//                   whole number of ten-thousandths, never a double
//   number          a decimal number ("12.5", "1e3")                  the shortest exact text
//   whole number,   a whole number within the desktop engine's Long    "12"
//   auto-number
//   date, date and  yyyy-MM-dd[ HH:mm:ss], m/d/yyyy[ h:mm:ss [AM|PM]]   yyyy-MM-dd, with " HH:mm:ss"
//   time                                                               where a time is kept
//   yes/no          -1, 1, 0, True/False, Yes/No (any case)            True / False
//
// An empty field is null for every kind but text.

#include "data/ColumnKind.h"

#include <QString>
#include <QVariant>

namespace ValueText {

// The value the text stands for, typed for the kind (QString, double, qlonglong, QDate,
// QDateTime, bool), or a null QVariant for null. A text that is not a value of the kind
// sets `error` to why ("not a date"); `error` is left empty otherwise.
QVariant read(ColumnKind kind, const QString &text, QString &error);
// A value as a result set reads it, as text; null gives a null QString.
QString write(ColumnKind kind, const QVariant &value);

}  // namespace ValueText
