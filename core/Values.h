#pragma once
// Value helpers: reading numbers from typed text, the numeric test, picture formats
// and month/day/year date texts, written and read as the plant's desktop tools do.

#include <QDate>
#include <QString>
#include <QVariant>

namespace Values {

// The number formed by the text's leading numeric characters: blanks, tabs and line
// feeds are skipped anywhere; "." is the only decimal point; the exponent letter may be
// E or D. " 2 45 7" is 2457, "1,200" is 1, "$5" is 0, "" is 0.
double Val(const QString &text);

// True when the whole text, trimmed, is a US-style number: sign before or after,
// thousands separators, one decimal point, exponent, leading currency sign, parentheses
// for a negative. "1,200", "$5", " 12 ", "1e3", "12-" are numeric; "", "45 Help" are not.
bool IsNumeric(const QString &text);

// The value of a numeric text as IsNumeric reads it (0 when it is not numeric).
double NumericValue(const QString &text);

// Formats a number with a picture: "$#,###.##", "$#,##0.00;($#,##0.00)", "#,##0.00",
// "#,##0", "0", "0.00" and the like. '#' is a digit or nothing, '0' a digit or zero,
// ',' groups thousands, '.' is the decimal point, a second section after ';' is for
// negative values. Rounding is half away from zero on the decimal text.
//
// Further rules:
// - Every other character ("$", blanks, parentheses, letters) is printed as it stands;
//   so is text in double quotes and the character after a backslash.
// - A single-section picture shows a negative number with "-" right before its digits,
//   after any leading literal: -1234.5 with "$#,###.##" is "$-1,234.5".
// - A third section, when given, is used for zero.
// - A comma with no placeholder after it before the point divides by 1000 ("#,##0,").
// - Surplus integer digits all show: 1234567 with "0" is "1234567".
// - A negative number that rounds to zero is shown as zero, without "-" or parentheses.
// - An empty picture gives the plain number text ("1234.5").
//
// What zero and values under one show with the pictures the windows and documents use:
//
//   picture                   0         0.5        0.075      -0.5
//   "$#,###.##"               "$."      "$.5"      "$.08"     "$-.5"
//   "$#,##0.00;($#,##0.00)"   "$0.00"   "$0.50"    "$0.08"    "($0.50)"
//   "#,##0.00"                "0.00"    "0.50"     "0.08"     "-0.50"
//   "#,##0"                   "0"       "1"        "0"        "-1"
//   "0"                       "0"       "1"        "0"        "-1"
//   "0.00"                    "0.00"    "0.50"     "0.08"     "-0.50"
//
// With only '#' before the point, values under one start with the point and zero shows
// the point alone; a '0' before the point always shows a leading zero.
QString Format(double value, const QString &picture);
// A stored value (number, numeric text or null) with a picture; null gives "".
QString FormatValue(const QVariant &value, const QString &picture);

// Short date text month/day/year ("12/9/2026"), whatever the locale.
QString ShortDate(const QDate &date);
// Parses "m/d/yyyy" (also "m/d/yy" and ISO "yyyy-mm-dd"); invalid QDate when it is not a date.
QDate ParseShortDate(const QString &text);

// A number read from what the clerk typed, with the text as typed: a column that cannot
// hold the value names the text (1e400), not the infinity it reads as.
struct TypedNumber {
    double value = 0;
    QString text;
};

// The text cut to at most `length` units, as a column of that length keeps it: the cut
// falls between characters, never inside one (an emoji or a letter with its accent is
// kept whole or left out whole).
QString CutToLength(const QString &text, int length);

}  // namespace Values
