#include "core/Values.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTextBoundaryFinder>
#include <QVector>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace Values {

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Converts a plain number text ("-12.5e3", ".5", "5.") in the C locale, whatever the
// desktop's locale says about decimal commas.
double toDouble(const QString &plain) {
    if (plain.isEmpty()) return 0.0;
    // The text is digits, a point, a sign and an exponent: read as bytes, correctly rounded.
    char bytes[64];
    if (plain.size() < qsizetype(sizeof bytes)) {
        const qsizetype skip = plain.at(0) == QLatin1Char('+') ? 1 : 0;
        const qsizetype size = plain.size() - skip;
        for (qsizetype i = 0; i < size; ++i) bytes[i] = char(plain.at(i + skip).unicode());
        double v = 0.0;
        const auto read = std::from_chars(bytes, bytes + size, v);
        if (read.ec == std::errc() && read.ptr == bytes + size) return v;
    }
    bool ok = false;
    double v = QLocale::c().toDouble(plain, &ok);
    if (ok) return v;
    // A number too large for a double reads as the largest one of its sign rather than
    // as zero, so an absurd quantity is never mistaken for nothing.
    if (std::isinf(v)) return v;
    return 0.0;
}

}  // namespace

double Val(const QString &text) {
    // Blanks, tabs and line feeds are dropped wherever they stand, then the longest
    // leading number is taken: sign, digits, one point, exponent E or D.
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n')) s.append(c);

    QString plain;
    int i = 0;
    const int n = s.size();
    if (i < n && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) plain.append(s[i++]);
    int digits = 0;
    while (i < n && isDigit(s[i])) { plain.append(s[i++]); ++digits; }
    if (i < n && s[i] == QLatin1Char('.')) {
        plain.append(s[i++]);
        while (i < n && isDigit(s[i])) { plain.append(s[i++]); ++digits; }
    }
    if (digits == 0) return 0.0;
    if (i < n && (s[i].toUpper() == QLatin1Char('E') || s[i].toUpper() == QLatin1Char('D'))) {
        int j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < n && (s[j] == QLatin1Char('-') || s[j] == QLatin1Char('+'))) exponent.append(s[j++]);
        int expDigits = 0;
        while (j < n && isDigit(s[j])) { exponent.append(s[j++]); ++expDigits; }
        if (expDigits > 0) plain.append(exponent);
    }
    if (plain.endsWith(QLatin1Char('.'))) plain.chop(1);
    return toDouble(plain);
}

namespace {

// Reads a US-style number filling the whole text; false when the text is anything else.
bool parseNumeric(const QString &text, double *value) {
    const QString s = text.trimmed();
    const int n = s.size();
    int i = 0;
    bool currency = false, paren = false;
    QChar sign;
    auto skipBlanks = [&] { while (i < n && (s[i] == QLatin1Char(' ') || s[i] == QLatin1Char('\t'))) ++i; };

    // Leading currency sign, sign and opening parenthesis, in any order, each once.
    for (;;) {
        if (i >= n) return false;
        const QChar c = s[i];
        if (c == QLatin1Char('$') && !currency) currency = true;
        else if ((c == QLatin1Char('-') || c == QLatin1Char('+')) && sign.isNull() && !paren) sign = c;
        else if (c == QLatin1Char('(') && !paren && sign.isNull()) paren = true;
        else break;
        ++i;
        skipBlanks();
    }

    QString plain;
    int digits = 0;
    while (i < n) {
        if (isDigit(s[i])) { plain.append(s[i++]); ++digits; }
        // A thousands separator stands between digits.
        else if (s[i] == QLatin1Char(',') && digits > 0 && i + 1 < n && isDigit(s[i + 1])) ++i;
        else break;
    }
    if (i < n && s[i] == QLatin1Char('.')) {
        plain.append(s[i++]);
        while (i < n && isDigit(s[i])) { plain.append(s[i++]); ++digits; }
    }
    if (digits == 0) return false;
    if (i < n && (s[i].toUpper() == QLatin1Char('E') || s[i].toUpper() == QLatin1Char('D'))) {
        ++i;
        plain.append(QLatin1Char('e'));
        if (i < n && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) plain.append(s[i++]);
        int expDigits = 0;
        while (i < n && isDigit(s[i])) { plain.append(s[i++]); ++expDigits; }
        if (expDigits == 0) return false;
    }
    // A sign may follow the number ("12-") when none came before it.
    if (i < n && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+')) && sign.isNull() && !paren) sign = s[i++];
    if (paren) {
        skipBlanks();
        if (i >= n || s[i] != QLatin1Char(')')) return false;
        ++i;
    }
    if (i != n) return false;

    if (plain.startsWith(QLatin1Char('.'))) plain.prepend(QLatin1Char('0'));
    plain.replace(QStringLiteral(".e"), QStringLiteral("e"));
    if (plain.endsWith(QLatin1Char('.'))) plain.chop(1);
    double v = toDouble(plain);
    if (paren || sign == QLatin1Char('-')) v = -v;
    if (value) *value = v;
    return true;
}

}  // namespace

bool IsNumeric(const QString &text) { return parseNumeric(text, nullptr); }

double NumericValue(const QString &text) {
    double v = 0.0;
    return parseNumeric(text, &v) ? v : 0.0;
}

namespace {

// A non-negative number as decimal digits, taken from its 15-significant-digit text so
// that 0.075 is the 0.075 the clerk typed and not the binary number just below it.
struct DecimalText {
    std::string digits;  // significant digits, no leading zeros ("" for zero)
    int pointPos = 0;    // digits before the decimal point (may be negative or beyond the digits)

    static DecimalText of(double magnitude) {
        DecimalText d;
        if (magnitude == 0.0) return d;
        // "d.dddddddddddddde+XX", correctly rounded, as a grid column formats it row after row.
        char text[32];
        const auto written = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 14);
        const char *e = std::find(text, written.ptr, 'e');
        for (const char *c = text; c != e; ++c)
            if (*c != '.') d.digits += *c;
        int exponent = 0;
        const char *from = e + 1 + (e[1] == '+');
        std::from_chars(from, written.ptr, exponent);
        d.pointPos = exponent + 1;
        while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
        return d;
    }

    // The integer and fraction digits rounded half away from zero to the given number of
    // decimals. The integer text has no leading zeros ("" for zero).
    void rounded(int decimals, std::string *integer, std::string *fraction) const {
        // All digits with the point after `point` of them, long enough to hold every kept
        // decimal and the first dropped digit.
        std::string all = digits;
        int point = pointPos;
        if (point < 0) {
            all.insert(0, std::size_t(-point), '0');
            point = 0;
        }
        if (all.size() < std::size_t(point + decimals + 1)) all.resize(std::size_t(point + decimals + 1), '0');
        std::string run = all.substr(0, std::size_t(point + decimals));
        if (all[std::size_t(point + decimals)] >= '5') {
            int k = int(run.size()) - 1;
            while (k >= 0 && run[std::size_t(k)] == '9') run[std::size_t(k--)] = '0';
            if (k >= 0) ++run[std::size_t(k)];
            else run.insert(run.begin(), '1');
        }
        const std::size_t integerDigits = run.size() - std::size_t(decimals);
        *fraction = run.substr(integerDigits);
        const std::size_t firstDigit = std::min(run.find_first_not_of('0'), integerDigits);
        *integer = run.substr(firstDigit, integerDigits - firstDigit);
    }
};

struct Token {
    enum Kind { Literal, Zero, Hash, Point, Comma } kind;
    QString text;
};

bool isPlaceholder(const Token &t) { return t.kind == Token::Zero || t.kind == Token::Hash; }

// One section of a picture: its tokens, and what they ask of the number, read once when
// the picture is read.
struct Section {
    QVector<Token> tokens;
    int point = -1;             // the decimal point's token, -1 for none
    int intEnd = 0;             // tokens before the point
    QVector<int> intSlots;      // integer placeholders
    int minInt = 0;             // integer digits always shown
    bool grouping = false;      // thousands separators ("#,##0")
    int scale = 0;              // thousands divided out ("#,##0,")
    QVector<bool> commaIsLiteral;
    int decimals = 0;           // fraction placeholders
    int minFrac = 0;            // fraction digits always shown

    bool isEmpty() const { return tokens.isEmpty(); }

    void layOut() {
        for (int i = 0; i < tokens.size(); ++i)
            if (tokens[i].kind == Token::Point) { point = i; break; }
        intEnd = point < 0 ? int(tokens.size()) : point;
        bool seenZero = false;
        for (int i = 0; i < intEnd; ++i) {
            if (!isPlaceholder(tokens[i])) continue;
            intSlots.append(i);
            if (tokens[i].kind == Token::Zero) seenZero = true;
            if (seenZero) ++minInt;
        }
        commaIsLiteral = QVector<bool>(tokens.size(), false);
        for (int i = 0; i < tokens.size(); ++i) {
            if (tokens[i].kind != Token::Comma) continue;
            if (i > intEnd) { commaIsLiteral[i] = true; continue; }
            const bool placeholderAfter = !intSlots.isEmpty() && intSlots.last() > i;
            const bool placeholderBefore = !intSlots.isEmpty() && intSlots.first() < i;
            if (placeholderAfter) grouping = true;       // "#,##0": thousands separators
            else if (placeholderBefore) ++scale;         // "#,##0,": thousands
            else commaIsLiteral[i] = true;
        }
        if (point >= 0)
            for (int i = point + 1; i < tokens.size(); ++i)
                if (isPlaceholder(tokens[i])) {
                    ++decimals;
                    if (tokens[i].kind == Token::Zero) minFrac = decimals;
                }
    }
};

// Splits a picture into its sections (at ';') and tokens. Text in double quotes and a
// character after a backslash are literal; every other character that is not a
// placeholder ($, letters, blanks, parentheses...) is literal too.
QVector<Section> parsePicture(const QString &picture) {
    QVector<Section> sections(1);
    const int n = picture.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = picture[i];
        QVector<Token> &s = sections.last().tokens;
        if (c == QLatin1Char(';')) sections.append(Section());
        else if (c == QLatin1Char('0')) s.append({Token::Zero, c});
        else if (c == QLatin1Char('#')) s.append({Token::Hash, c});
        else if (c == QLatin1Char('.')) s.append({Token::Point, c});
        else if (c == QLatin1Char(',')) s.append({Token::Comma, c});
        else if (c == QLatin1Char('\\') && i + 1 < n) s.append({Token::Literal, picture[++i]});
        else if (c == QLatin1Char('"')) {
            const int close = picture.indexOf(QLatin1Char('"'), i + 1);
            const int end = close < 0 ? n : close;
            s.append({Token::Literal, picture.mid(i + 1, end - i - 1)});
            i = end;
        } else s.append({Token::Literal, c});
    }
    for (Section &section : sections) section.layOut();
    return sections;
}

// One section applied to a non-negative magnitude; `minus` puts a "-" right before the
// number. *roundsToZero tells whether the shown number is zero.
QString formatSection(double magnitude, const Section &section, bool minus, bool *roundsToZero) {
    DecimalText d = DecimalText::of(magnitude);
    d.pointPos -= 3 * section.scale;
    std::string integer, fraction;
    d.rounded(section.decimals, &integer, &fraction);
    *roundsToZero = integer.empty() && fraction.find_first_not_of('0') == std::string::npos;

    if (integer.size() < std::size_t(section.minInt)) integer.insert(0, std::size_t(section.minInt) - integer.size(), '0');
    while (fraction.size() > std::size_t(section.minFrac) && fraction.back() == '0') fraction.pop_back();
    if (section.grouping)
        for (int pos = int(integer.size()) - 3; pos > 0; pos -= 3) integer.insert(std::size_t(pos), 1, ',');

    // What each integer placeholder shows: digits right-aligned, surplus digits on the
    // leftmost one; with grouping the whole grouped number stands at the first one.
    const int slotCount = int(section.intSlots.size());
    const int len = int(integer.size());
    auto intText = [&](int k) -> QLatin1StringView {
        if (section.grouping) return k == 0 ? QLatin1StringView(integer.data(), len) : QLatin1StringView();
        if (k == 0 && len > slotCount) return QLatin1StringView(integer.data(), len - slotCount + 1);
        const int fromRight = slotCount - 1 - k;
        return fromRight < len ? QLatin1StringView(integer.data() + (len - 1 - fromRight), 1) : QLatin1StringView();
    };

    QString out;
    out.reserve(section.tokens.size() + len + 4);
    bool signPlaced = !minus;
    int intIndex = 0, fracIndex = 0;
    for (int i = 0; i < section.tokens.size(); ++i) {
        const Token &t = section.tokens[i];
        const bool numberPart = (isPlaceholder(t) || i == section.point);
        if (numberPart && !signPlaced) { out.append(QLatin1Char('-')); signPlaced = true; }
        if (i == section.point) {
            // Without integer placeholders the integer digits stand before the point.
            if (slotCount == 0) out.append(QLatin1StringView(integer.data(), len));
            out.append(QLatin1Char('.'));
        } else if (isPlaceholder(t) && i < section.intEnd) {
            out.append(intText(intIndex++));
        } else if (isPlaceholder(t)) {
            if (std::size_t(fracIndex) < fraction.size()) out.append(QLatin1Char(fraction[std::size_t(fracIndex)]));
            ++fracIndex;
        } else if (t.kind == Token::Comma) {
            if (section.commaIsLiteral[i]) out.append(t.text);
        } else {
            out.append(t.text);
        }
    }
    if (!signPlaced) out.prepend(QLatin1Char('-'));
    return out;
}

QString generalNumber(double value) {
    // A whole number (an ID, a count) is its digits; a grid of thousands of rows shows many.
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) return QString::number(qint64(value));
    if (!std::isfinite(value)) return QString::number(value, 'g', 15);
    // As printf's "%.15g", correctly rounded.
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    QString s = QString::fromLatin1(text, written.ptr - text);
    s.replace(QLatin1Char('e'), QLatin1Char('E'));
    return s;
}

bool sectionEmpty(const Section &s) { return s.isEmpty(); }

}  // namespace

QString Format(double value, const QString &picture) {
    if (std::isnan(value) || std::isinf(value)) return generalNumber(value);
    if (value == 0.0) value = 0.0;  // no negative zero
    if (picture.isEmpty()) return generalNumber(value);
    // A grid column or a report field formats row after row with one picture: it is read
    // once, while the pictures that follow are the same.
    thread_local QString lastPicture;
    thread_local QVector<Section> lastSections;
    const bool samePicture = (picture.constData() == lastPicture.constData() && picture.size() == lastPicture.size()) ||
                             picture == lastPicture;
    if (lastSections.isEmpty() || !samePicture) {
        lastSections = parsePicture(picture);
        lastPicture = picture;
    }
    const QVector<Section> &sections = lastSections;

    bool zero = false;
    if (value == 0.0 && sections.size() >= 3 && !sectionEmpty(sections[2]))
        return formatSection(0.0, sections[2], false, &zero);

    if (value < 0.0) {
        const bool ownSection = sections.size() >= 2 && !sectionEmpty(sections[1]);
        const Section &section = ownSection ? sections[1] : sections[0];
        if (sectionEmpty(section)) return generalNumber(value);
        const QString shown = formatSection(-value, section, !ownSection, &zero);
        // A negative amount too small to show is shown as the positive format shows it,
        // never as "-0.00" or "(0.00)".
        if (!zero) return shown;
        value = -value;
    }
    if (sectionEmpty(sections[0])) return generalNumber(value);
    return formatSection(value, sections[0], false, &zero);
}

QString FormatValue(const QVariant &value, const QString &picture) {
    if (!value.isValid() || value.isNull()) return QString();
    switch (value.typeId()) {
    case QMetaType::QString: {
        const QString text = value.toString();
        if (text.trimmed().isEmpty()) return QString();
        // A text that is not a number is shown as it is.
        double number = 0.0;
        return parseNumeric(text, &number) ? Format(number, picture) : text;
    }
    case QMetaType::Bool:
        return Format(value.toBool() ? -1.0 : 0.0, picture);
    case QMetaType::QDate:
        return ShortDate(value.toDate());
    case QMetaType::QDateTime:
        return ShortDate(value.toDateTime().date());
    default:
        break;
    }
    bool ok = false;
    const double v = value.toDouble(&ok);
    return ok ? Format(v, picture) : value.toString();
}

namespace {

// A date written digit by digit.
QString writeShortDate(const QDate &date) {
    char16_t text[24];
    int length = 0;
    auto put = [&](qint64 number) {
        if (number < 0) {
            text[length++] = u'-';
            number = -number;
        }
        char16_t digits[20];
        int count = 0;
        do {
            digits[count++] = char16_t(u'0' + number % 10);
            number /= 10;
        } while (number > 0);
        while (count > 0) text[length++] = digits[--count];
    };
    put(date.month());
    text[length++] = u'/';
    put(date.day());
    text[length++] = u'/';
    put(date.year());
    return QString(reinterpret_cast<const QChar *>(text), length);
}

}  // namespace

QString ShortDate(const QDate &date) {
    if (!date.isValid()) return QString();
    // A grid of a hundred thousand orders shows three dates a row, from a few thousand days:
    // the text of each day is written once and shared, for eleven years of days in a row.
    struct Written {
        qint64 day = std::numeric_limits<qint64>::min();
        QString text;
    };
    constexpr qint64 kDaysKept = 4096;
    thread_local std::vector<Written> written(kDaysKept);
    const qint64 day = date.toJulianDay();
    Written &slot = written[std::size_t(((day % kDaysKept) + kDaysKept) % kDaysKept)];
    if (slot.day != day) {
        slot.text = writeShortDate(date);
        slot.day = day;
    }
    return slot.text;
}

QDate ParseShortDate(const QString &text) {
    static const QRegularExpression us(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4}|\\d{2})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QString s = text.trimmed();
    QRegularExpressionMatch m = us.match(s);
    if (m.hasMatch()) {
        int year = m.captured(3).toInt();
        // Two-digit years: 00-29 are this century's, 30-99 the last one's.
        if (m.captured(3).size() == 2) year += year < 30 ? 2000 : 1900;
        return QDate(year, m.captured(1).toInt(), m.captured(2).toInt());
    }
    m = iso.match(s);
    if (m.hasMatch()) return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return QDate();
}

QString CutToLength(const QString &text, int length) {
    if (text.size() <= length) return text;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    characters.setPosition(length);
    if (!characters.isAtBoundary()) characters.toPreviousBoundary();
    return text.left(std::max<qsizetype>(characters.position(), 0));
}

}  // namespace Values
