#include "data/JetDialect.h"

#include "core/AppError.h"
#include "data/JetTokens.h"
#include "data/KeptByText.h"

#include <QDate>
#include <QTime>
#include <QVarLengthArray>
#include <QVector>

#include <charconv>

namespace JetTokens {

[[noreturn]] void syntaxError(const QString &sql) {
    throw AppError(ErrorNumber::SyntaxError, QStringLiteral("Syntax error in query expression '%1'.").arg(sql));
}

}  // namespace JetTokens

namespace {

using namespace JetTokens;

[[noreturn]] void dateError(const QString &sql) {
    throw AppError(ErrorNumber::SyntaxError, QStringLiteral("Syntax error in date in query expression '%1'.").arg(sql));
}

bool isWordStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'); }
bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// ---------------------------------------------------------------------------------
// Date literals: the desktop engine reads #m/d/yyyy#, #m/d/yy#, #m-d-yyyy#, the ISO
// form #yyyy-mm-dd#, each optionally followed by a time h:mm[:ss] [AM|PM], and a time
// alone (which falls on the engine's day zero, 12/30/1899). The plant's dates are
// stored as ISO text, so the literal becomes 'yyyy-MM-dd' or 'yyyy-MM-dd HH:mm:ss'.

// Reads a run of digits at pos; -1 when there is none.
int readNumber(const QString &s, int &pos, int *digits = nullptr) {
    const int start = pos;
    int value = 0;
    while (pos < s.size() && isAsciiDigit(s.at(pos)) && pos - start < 9) {
        value = value * 10 + (s.at(pos).unicode() - '0');
        ++pos;
    }
    if (digits) *digits = pos - start;
    return pos == start ? -1 : value;
}

void skipBlanks(const QString &s, int &pos) {
    while (pos < s.size() && s.at(pos).isSpace()) ++pos;
}

bool parseTime(const QString &s, int &pos, QTime &time) {
    const int hour = readNumber(s, pos);
    if (hour < 0) return false;
    int minute = 0, second = 0;
    bool hasColon = false;
    if (pos < s.size() && s.at(pos) == QLatin1Char(':')) {
        hasColon = true;
        ++pos;
        minute = readNumber(s, pos);
        if (minute < 0) return false;
        if (pos < s.size() && s.at(pos) == QLatin1Char(':')) {
            ++pos;
            second = readNumber(s, pos);
            if (second < 0) return false;
        }
    }
    skipBlanks(s, pos);
    int h = hour;
    const QString rest = s.mid(pos).trimmed().toUpper();
    if (rest == QLatin1String("AM") || rest == QLatin1String("PM")) {
        if (hour < 1 || hour > 12) return false;
        h = hour % 12 + (rest == QLatin1String("PM") ? 12 : 0);
        pos = s.size();
    } else if (!hasColon) {
        return false;  // "14" alone is no time
    }
    if (h > 23 || minute > 59 || second > 59) return false;
    time = QTime(h, minute, second);
    return true;
}

// The ISO text of a date literal's content, or a null string when it is no date.
QString isoFromDateLiteral(const QString &content) {
    const QString s = content.trimmed();
    int pos = 0;
    QDate date;
    QTime time;
    bool hasDate = false;

    int digits = 0;
    const int first = readNumber(s, pos, &digits);
    if (first < 0) return {};
    if (pos < s.size() && (s.at(pos) == QLatin1Char('/') || s.at(pos) == QLatin1Char('-'))) {
        const QChar sep = s.at(pos++);
        const int second = readNumber(s, pos);
        if (second < 0 || pos >= s.size() || s.at(pos) != sep) return {};
        ++pos;
        int yearDigits = 0;
        const int third = readNumber(s, pos, &yearDigits);
        if (third < 0) return {};
        if (digits == 4) {
            date = QDate(first, second, third);  // yyyy-mm-dd
        } else {
            int year = third;
            if (yearDigits <= 2) year += third < 30 ? 2000 : 1900;
            else if (yearDigits != 4) return {};
            date = QDate(year, first, second);  // month/day/year
        }
        if (!date.isValid()) return {};
        hasDate = true;
        if (pos < s.size() && !s.at(pos).isSpace()) return {};
        skipBlanks(s, pos);
        if (pos < s.size() && !parseTime(s, pos, time)) return {};
    } else {
        pos = 0;  // a time alone
        if (!parseTime(s, pos, time)) return {};
    }
    if (pos != s.size()) return {};
    if (!hasDate) date = QDate(1899, 12, 30);
    // A date at midnight is the plain date, as the engine keeps it.
    if (!time.isValid() || time == QTime(0, 0)) return date.toString(QStringLiteral("yyyy-MM-dd"));
    return date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') + time.toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace

namespace JetTokens {

// ---------------------------------------------------------------------------------

QVector<Token> tokenize(const QString &sql) {
    QVector<Token> tokens;
    const int n = sql.size();
    int i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        const int start = i;
        if (c.isSpace()) {
            while (i < n && sql.at(i).isSpace()) ++i;
            tokens.append({Kind::Space, sql.mid(start, i - start)});
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            while (i < n && sql.at(i) != QLatin1Char('\n')) ++i;
            tokens.append({Kind::Comment, sql.mid(start, i - start)});
        } else if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            const int close = sql.indexOf(QLatin1String("*/"), i + 2);
            if (close < 0) syntaxError(sql);
            i = close + 2;
            tokens.append({Kind::Comment, sql.mid(start, i - start)});
        } else if (isWordStart(c)) {
            while (i < n && isWordChar(sql.at(i))) ++i;
            tokens.append({Kind::Word, sql.mid(start, i - start)});
        } else if (isAsciiDigit(c) || (c == QLatin1Char('.') && i + 1 < n && isAsciiDigit(sql.at(i + 1)))) {
            while (i < n && (isAsciiDigit(sql.at(i)) || sql.at(i) == QLatin1Char('.'))) ++i;
            if (i < n && (sql.at(i) == QLatin1Char('e') || sql.at(i) == QLatin1Char('E'))) {
                int j = i + 1;
                if (j < n && (sql.at(j) == QLatin1Char('+') || sql.at(j) == QLatin1Char('-'))) ++j;
                if (j < n && isAsciiDigit(sql.at(j))) {
                    i = j;
                    while (i < n && isAsciiDigit(sql.at(i))) ++i;
                }
            }
            const QString number = sql.mid(start, i - start);
            // A literal beyond a double would be stored as infinity (one too small for a
            // double is merely 0).
            const QByteArray digits = number.toLatin1();
            double value = 0;
            const auto read = std::from_chars(digits.constData(), digits.constData() + digits.size(), value);
            if (read.ec == std::errc::result_out_of_range && !digits.contains("e-") && !digits.contains("E-"))
                throw AppError(ErrorNumber::SyntaxError, QStringLiteral("Overflow in query expression '%1'.").arg(sql));
            tokens.append({Kind::Number, number});
        } else if (c == QLatin1Char('\'')) {
            ++i;
            for (;;) {
                if (i >= n) syntaxError(sql);
                if (sql.at(i) == QLatin1Char('\'')) {
                    if (i + 1 < n && sql.at(i + 1) == QLatin1Char('\'')) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            tokens.append({Kind::String, sql.mid(start, i - start)});
        } else if (c == QLatin1Char('"')) {
            // The desktop engine reads "..." as text as well; the plant's engines would take it for a
            // name, so it is rewritten between single quotes.
            QString value;
            ++i;
            for (;;) {
                if (i >= n) syntaxError(sql);
                if (sql.at(i) == QLatin1Char('"')) {
                    if (i + 1 < n && sql.at(i + 1) == QLatin1Char('"')) {
                        value += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += sql.at(i++);
            }
            value.replace(QLatin1Char('\''), QLatin1String("''"));
            tokens.append({Kind::String, QLatin1Char('\'') + value + QLatin1Char('\'')});
        } else if (c == QLatin1Char('[')) {
            const int close = sql.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0) syntaxError(sql);
            i = close + 1;
            tokens.append({Kind::Bracket, sql.mid(start, i - start)});
        } else if (c == QLatin1Char('#')) {
            const int close = sql.indexOf(QLatin1Char('#'), i + 1);
            if (close < 0) syntaxError(sql);
            const QString iso = isoFromDateLiteral(sql.mid(i + 1, close - i - 1));
            if (iso.isNull()) dateError(sql);
            i = close + 1;
            tokens.append({Kind::Date, QLatin1Char('\'') + iso + QLatin1Char('\'')});
        } else {
            // Two-character comparison operators stay one token.
            if (i + 1 < n) {
                const QChar d = sql.at(i + 1);
                if ((c == QLatin1Char('<') && (d == QLatin1Char('>') || d == QLatin1Char('='))) ||
                    (c == QLatin1Char('>') && d == QLatin1Char('=')) ||
                    (c == QLatin1Char('!') && d == QLatin1Char('='))) {
                    i += 2;
                    tokens.append({Kind::Punct, sql.mid(start, 2)});
                    continue;
                }
            }
            ++i;
            tokens.append({Kind::Punct, QString(c)});
        }
    }
    return tokens;
}

bool isWord(const Token &t, const char *keyword) {
    return t.kind == Kind::Word && t.text.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}
bool isPunct(const Token &t, char c) {
    return t.kind == Kind::Punct && t.text.size() == 1 && t.text.at(0) == QLatin1Char(c);
}

bool isBlank(const Token &t) { return t.kind == Kind::Space || t.kind == Kind::Comment; }

// Index of the next token from `from` that is neither blank nor a comment; tokens.size()
// when none.
int nextSignificant(const QVector<Token> &tokens, int from) {
    while (from < tokens.size() && isBlank(tokens.at(from))) ++from;
    return from;
}
int previousSignificant(const QVector<Token> &tokens, int from) {
    while (from >= 0 && isBlank(tokens.at(from))) --from;
    return from;
}

int closingParenthesis(const QVector<Token> &tokens, int open) {
    int depth = 0;
    for (int i = open; i < tokens.size(); ++i) {
        if (isPunct(tokens.at(i), '(')) ++depth;
        else if (isPunct(tokens.at(i), ')') && --depth == 0) return i;
    }
    return tokens.size();
}

QString join(const QVector<Token> &tokens) {
    QString out;
    for (const Token &t : tokens) out += t.text;
    return out;
}

}  // namespace JetTokens

namespace {

// True and False are the engine's yes/no literals; the plant's yes/no columns hold 1 and
// 0. A name such as Orders.True (after or before a dot) is left alone.
void translateYesNo(QVector<Token> &tokens) {
    for (int i = 0; i < tokens.size(); ++i) {
        Token &t = tokens[i];
        if (t.kind != Kind::Word) continue;
        const bool isTrue = isWord(t, "True");
        if (!isTrue && !isWord(t, "False")) continue;
        const int before = previousSignificant(tokens, i - 1);
        const int after = nextSignificant(tokens, i + 1);
        if (before >= 0 && isPunct(tokens.at(before), '.')) continue;
        if (after < tokens.size() && isPunct(tokens.at(after), '.')) continue;
        t = {Kind::Number, isTrue ? QStringLiteral("1") : QStringLiteral("0")};
    }
}

// DELETE * FROM t and DELETE t.* FROM t are DELETE FROM t.
void translateDelete(QVector<Token> &tokens) {
    const int del = nextSignificant(tokens, 0);
    if (del >= tokens.size() || !isWord(tokens.at(del), "DELETE")) return;
    int from = nextSignificant(tokens, del + 1);
    // The column list between DELETE and FROM: "*" or "name.*" only.
    if (from < tokens.size() && (tokens.at(from).kind == Kind::Word || tokens.at(from).kind == Kind::Bracket)) {
        const int dot = nextSignificant(tokens, from + 1);
        if (dot >= tokens.size() || !isPunct(tokens.at(dot), '.')) return;
        from = nextSignificant(tokens, dot + 1);
    }
    if (from >= tokens.size() || !isPunct(tokens.at(from), '*')) return;
    const int fromKeyword = nextSignificant(tokens, from + 1);
    if (fromKeyword >= tokens.size() || !isWord(tokens.at(fromKeyword), "FROM")) return;
    const Token gap = tokens.at(del + 1).kind == Kind::Space ? tokens.at(del + 1) : Token{Kind::Space, QStringLiteral(" ")};
    tokens.remove(del + 1, fromKeyword - del - 1);
    tokens.insert(del + 1, gap);
}

// The end of the SELECT that begins at `select`: the index of the token that closes it
// (the parenthesis around a subquery, a UNION, a semicolon) or tokens.size().
int endOfSelect(const QVector<Token> &tokens, int select, bool *atUnion) {
    int depth = 0;
    *atUnion = false;
    for (int i = select + 1; i < tokens.size(); ++i) {
        const Token &t = tokens.at(i);
        if (isPunct(t, '(')) {
            ++depth;
        } else if (isPunct(t, ')')) {
            if (depth == 0) return i;
            --depth;
        } else if (depth == 0 && isPunct(t, ';')) {
            return i;
        } else if (depth == 0 && isWord(t, "UNION")) {
            *atUnion = true;
            return i;
        }
    }
    return tokens.size();
}

// SELECT [DISTINCT] TOP n ... becomes SELECT [DISTINCT] ... LIMIT n, the LIMIT placed at
// the end of that same SELECT (so a TOP inside a subquery limits the subquery).
void translateTop(QVector<Token> &tokens, const QString &sql) {
    for (int select = 0; select < tokens.size(); ++select) {
        if (!isWord(tokens.at(select), "SELECT")) continue;
        int top = nextSignificant(tokens, select + 1);
        if (top < tokens.size() && (isWord(tokens.at(top), "DISTINCT") || isWord(tokens.at(top), "ALL") ||
                                    isWord(tokens.at(top), "DISTINCTROW")))
            top = nextSignificant(tokens, top + 1);
        if (top >= tokens.size() || !isWord(tokens.at(top), "TOP")) continue;
        const int count = nextSignificant(tokens, top + 1);
        if (count >= tokens.size() || tokens.at(count).kind != Kind::Number) syntaxError(sql);
        bool whole = false;
        const qlonglong limit = tokens.at(count).text.toLongLong(&whole);
        if (!whole || limit < 0) syntaxError(sql);
        const int afterCount = nextSignificant(tokens, count + 1);
        if (afterCount < tokens.size() && isWord(tokens.at(afterCount), "PERCENT"))
            throw AppError(ErrorNumber::SyntaxError,
                           QStringLiteral("TOP n PERCENT is not supported in query expression '%1'.").arg(sql));

        // Remove "TOP n" with the blanks after it; the blank before TOP stays.
        int removeEnd = count + 1;
        while (removeEnd < tokens.size() && tokens.at(removeEnd).kind == Kind::Space) ++removeEnd;
        if (removeEnd < tokens.size() && tokens.at(top - 1).kind != Kind::Space)
            tokens.insert(removeEnd, {Kind::Space, QStringLiteral(" ")});
        tokens.remove(top, removeEnd - top);

        bool atUnion = false;
        const int end = endOfSelect(tokens, select, &atUnion);
        int insertAt = end;  // before the blanks that precede the end
        while (insertAt - 1 > select && tokens.at(insertAt - 1).kind == Kind::Space) --insertAt;
        const Token limitTokens[] = {{Kind::Space, QStringLiteral(" ")},
                                     {Kind::Word, QStringLiteral("LIMIT")},
                                     {Kind::Space, QStringLiteral(" ")},
                                     {Kind::Number, QString::number(limit)}};
        if (atUnion) {
            // A LIMIT may not stand before UNION: the limited SELECT becomes a subquery.
            tokens.insert(insertAt, {Kind::Punct, QStringLiteral(")")});
            for (int k = 3; k >= 0; --k) tokens.insert(insertAt, limitTokens[k]);
            const Token head[] = {{Kind::Word, QStringLiteral("SELECT")}, {Kind::Space, QStringLiteral(" ")},
                                  {Kind::Punct, QStringLiteral("*")},     {Kind::Space, QStringLiteral(" ")},
                                  {Kind::Word, QStringLiteral("FROM")},   {Kind::Space, QStringLiteral(" ")},
                                  {Kind::Punct, QStringLiteral("(")}};
            for (int k = 6; k >= 0; --k) tokens.insert(select, head[k]);
            select += 7;
        } else {
            for (int k = 3; k >= 0; --k) tokens.insert(insertAt, limitTokens[k]);
        }
    }
}

// SELECT cols INTO t FROM ... becomes CREATE TABLE t AS SELECT cols FROM ...
void translateSelectInto(QVector<Token> &tokens, const QString &sql) {
    const int select = nextSignificant(tokens, 0);
    if (select >= tokens.size() || !isWord(tokens.at(select), "SELECT")) return;
    int depth = 0;
    for (int i = select + 1; i < tokens.size(); ++i) {
        const Token &t = tokens.at(i);
        if (isPunct(t, '(')) ++depth;
        else if (isPunct(t, ')')) --depth;
        if (depth != 0) continue;
        if (isWord(t, "FROM") || isPunct(t, ';')) return;
        if (!isWord(t, "INTO")) continue;
        const int name = nextSignificant(tokens, i + 1);
        if (name >= tokens.size() || (tokens.at(name).kind != Kind::Word && tokens.at(name).kind != Kind::Bracket) ||
            isWord(tokens.at(name), "FROM"))
            syntaxError(sql);
        const Token table = tokens.at(name);
        int removeFrom = i;  // with the blanks before INTO
        while (removeFrom - 1 > select && tokens.at(removeFrom - 1).kind == Kind::Space) --removeFrom;
        tokens.remove(removeFrom, name + 1 - removeFrom);
        const Token head[] = {{Kind::Word, QStringLiteral("CREATE")}, {Kind::Space, QStringLiteral(" ")},
                              {Kind::Word, QStringLiteral("TABLE")},  {Kind::Space, QStringLiteral(" ")},
                              table,                                  {Kind::Space, QStringLiteral(" ")},
                              {Kind::Word, QStringLiteral("AS")},     {Kind::Space, QStringLiteral(" ")}};
        for (int k = 7; k >= 0; --k) tokens.insert(select, head[k]);
        return;
    }
}

// The desktop engine joins texts with '&'; SQLite's '&' is a bitwise and, its join '||'.
void translateConcatenation(QVector<Token> &tokens) {
    for (Token &t : tokens)
        if (isPunct(t, '&')) t.text = QStringLiteral("||");
}

QString translateTokens(const QString &sql) { return join(JetDialect::translatedTokens(sql)); }

// ---------------------------------------------------------------------------------
// The shape of a statement, read from its significant tokens.

QString unbracketed(const Token &t) { return t.kind == Kind::Bracket ? t.text.mid(1, t.text.size() - 2) : t.text; }
bool isName(const Token &t) { return t.kind == Kind::Word || t.kind == Kind::Bracket; }

// The significant tokens up to the first ';', with their offsets in the text (exact up to
// the first date literal or double-quoted text, which tokenize() rewrites; nothing of the
// kind can stand before the '*' of an updatable set);
// sets *second when anything but blanks, comments and ';' follows it.
QVector<QPair<Token, int>> firstStatement(const QVector<Token> &tokens, bool *second) {
    QVector<QPair<Token, int>> words;
    *second = false;
    int offset = 0;
    bool ended = false;
    for (const Token &t : tokens) {
        const int at = offset;
        offset += t.text.size();
        if (isBlank(t)) continue;
        if (isPunct(t, ';')) {
            ended = true;
        } else if (ended) {
            *second = true;
            break;
        } else {
            words.append({t, at});
        }
    }
    return words;
}

// "SELECT [TOP n] * FROM t" followed by nothing, WHERE or ORDER BY.
void readUpdatable(const QVector<QPair<Token, int>> &w, JetDialect::StatementShape &shape) {
    int i = 0;
    auto at = [&](int k) -> const Token * { return k < w.size() ? &w.at(k).first : nullptr; };
    if (!at(i) || !isWord(*at(i), "SELECT")) return;
    ++i;
    if (at(i) && isWord(*at(i), "TOP")) {
        if (!at(i + 1) || at(i + 1)->kind != Kind::Number) return;
        i += 2;
    }
    if (!at(i) || !isPunct(*at(i), '*')) return;
    const int star = w.at(i).second;
    if (!at(i + 1) || !isWord(*at(i + 1), "FROM") || !at(i + 2) || !isName(*at(i + 2))) return;
    const Token *after = at(i + 3);
    if (after && !isWord(*after, "WHERE") && !(isWord(*after, "ORDER") && at(i + 4) && isWord(*at(i + 4), "BY")))
        return;
    shape.updatableTable = unbracketed(*at(i + 2));
    shape.starPosition = star;
}

// "SELECT ... INTO t" (INTO at the top level, before FROM) or "CREATE TABLE t AS SELECT".
void readMadeTable(const QVector<QPair<Token, int>> &w, JetDialect::StatementShape &shape) {
    if (w.size() >= 5 && isWord(w.at(0).first, "CREATE") && isWord(w.at(1).first, "TABLE") && isName(w.at(2).first) &&
        isWord(w.at(3).first, "AS") && isWord(w.at(4).first, "SELECT")) {
        shape.madeTable = unbracketed(w.at(2).first);
        return;
    }
    if (w.isEmpty() || !isWord(w.at(0).first, "SELECT")) return;
    int depth = 0;
    for (int i = 1; i + 1 < w.size(); ++i) {
        const Token &t = w.at(i).first;
        if (isPunct(t, '(')) ++depth;
        else if (isPunct(t, ')')) --depth;
        else if (depth == 0 && isWord(t, "FROM")) return;
        else if (depth == 0 && isWord(t, "INTO") && isName(w.at(i + 1).first)) {
            shape.madeTable = unbracketed(w.at(i + 1).first);
            return;
        }
    }
}

JetDialect::StatementShape readShape(const QString &sql) {
    JetDialect::StatementShape shape;
    const QVector<QPair<Token, int>> words = firstStatement(tokenize(sql), &shape.secondStatement);
    readUpdatable(words, shape);
    readMadeTable(words, shape);
    return shape;
}

// ---------------------------------------------------------------------------------
// Like patterns, compiled into single-character elements and runs ('*').

using PatternElement = JetDialect::LikePattern::Element;

QVector<PatternElement> compilePattern(const QString &pattern) {
    QVector<PatternElement> elements;
    const int n = pattern.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('*')) {
            // Consecutive stars are one run.
            if (elements.isEmpty() || elements.last().type != PatternElement::AnyRun)
                elements.append({PatternElement::AnyRun, {}, {}, false});
        } else if (c == QLatin1Char('?')) {
            elements.append({PatternElement::AnyOne, {}, {}, false});
        } else if (c == QLatin1Char('#')) {
            elements.append({PatternElement::Digit, {}, {}, false});
        } else if (c == QLatin1Char('[')) {
            const int close = pattern.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0) {
                // An unclosed bracket stands for itself.
                elements.append({PatternElement::Literal, c.toCaseFolded(), {}, false});
                continue;
            }
            QString list = pattern.mid(i + 1, close - i - 1);
            i = close;
            if (list.isEmpty()) continue;  // [] matches nothing, takes no character
            PatternElement set{PatternElement::Set, {}, {}, false};
            if (list.size() > 1 && list.at(0) == QLatin1Char('!')) {
                set.negated = true;
                list.remove(0, 1);
            }
            for (int k = 0; k < list.size(); ++k) {
                const QChar lo = list.at(k);
                if (k + 2 < list.size() && list.at(k + 1) == QLatin1Char('-')) {
                    set.ranges.append({lo, list.at(k + 2)});
                    k += 2;
                } else {
                    set.ranges.append({lo, lo});
                }
            }
            elements.append(set);
        } else {
            elements.append({PatternElement::Literal, c.toCaseFolded(), {}, false});
        }
    }
    return elements;
}

bool inRanges(const PatternElement &set, QChar c) {
    const QChar variants[] = {c, c.toLower(), c.toUpper()};
    for (const auto &range : set.ranges)
        for (QChar v : variants)
            if (v >= range.first && v <= range.second) return true;
    return false;
}

bool matchesOne(const PatternElement &e, QChar c) {
    switch (e.type) {
    case PatternElement::AnyOne: return true;
    case PatternElement::Digit: return isAsciiDigit(c);
    case PatternElement::Literal: return c.toCaseFolded() == e.ch;
    case PatternElement::Set: return inRanges(e, c) != e.negated;
    case PatternElement::AnyRun: break;
    }
    return false;
}

// Takes the values compared in a statement's filters out as bound values, in one pass over
// the characters (a lookup runs it on every call, so it builds no tokens): a number or a
// text after =, <>, <, >, <=, >= and a Like pattern, outside the select list of its SELECT.
class ComparedValueBinder {
public:
    explicit ComparedValueBinder(const QString &sql) : m_sql(sql), m_n(int(sql.size())) {}

    JetDialect::BoundValues run() {
        JetDialect::BoundValues bound;
        while (m_i < m_n) {
            const QChar c = m_sql.at(m_i);
            if (c.isSpace()) {
                ++m_i;
                continue;
            }
            if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
                readText(bound, c);
            } else if (c == QLatin1Char('[')) {
                skipPast(QLatin1Char(']'), false);
            } else if (c == QLatin1Char('#')) {
                skipPast(QLatin1Char('#'), false);
            } else if (startsWith("--")) {
                while (m_i < m_n && m_sql.at(m_i) != QLatin1Char('\n')) ++m_i;
            } else if (startsWith("/*")) {
                const int close = int(m_sql.indexOf(QLatin1String("*/"), m_i + 2));
                m_i = close < 0 ? m_n : close + 2;
            } else if (c == QLatin1Char('?')) {
                return {m_sql, {}};  // a marker of the text's own: its values are not ours to number
            } else if (isWordStart(c)) {
                if (readWord()) continue;  // Like: its pattern follows
            } else if (isAsciiDigit(c) || (c == QLatin1Char('.') && m_i + 1 < m_n && isAsciiDigit(m_sql.at(m_i + 1)))) {
                readNumber(bound);
            } else if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>')) {
                while (m_i < m_n && (m_sql.at(m_i) == QLatin1Char('=') || m_sql.at(m_i) == QLatin1Char('<') ||
                                     m_sql.at(m_i) == QLatin1Char('>')))
                    ++m_i;
                m_afterComparison = true;
                continue;
            } else {
                readPunctuation(c);
            }
            m_afterComparison = false;
        }
        if (bound.values.isEmpty()) return {m_sql, {}};
        bound.text += QStringView(m_sql).mid(m_copied);
        return bound;
    }

private:
    bool startsWith(const char *two) const {
        return m_i + 1 < m_n && m_sql.at(m_i) == QLatin1Char(two[0]) && m_sql.at(m_i + 1) == QLatin1Char(two[1]);
    }
    void skipPast(QChar close, bool doubled) {
        for (++m_i; m_i < m_n; ++m_i) {
            if (m_sql.at(m_i) != close) continue;
            if (doubled && m_i + 1 < m_n && m_sql.at(m_i + 1) == close) {
                ++m_i;
                continue;
            }
            break;
        }
        ++m_i;
    }
    // A subquery has a select list of its own; the text after it is back where it began.
    void readPunctuation(QChar c) {
        ++m_i;
        if (c == QLatin1Char('(')) {
            m_outer.append(m_inSelectList);
        } else if (c == QLatin1Char(')') && !m_outer.isEmpty()) {
            m_inSelectList = m_outer.last();
            m_outer.removeLast();
        }
    }
    // True after Like, whose pattern is bound as a compared value is.
    bool readWord() {
        const int start = m_i;
        while (m_i < m_n && isWordChar(m_sql.at(m_i))) ++m_i;
        const QStringView word = QStringView(m_sql).mid(start, m_i - start);
        auto is = [&word](QLatin1String keyword) {
            return word.size() == keyword.size() && word.compare(keyword, Qt::CaseInsensitive) == 0;
        };
        // Values in the select list name and shape the columns; only filters are bound.
        if (is(QLatin1String("SELECT"))) m_inSelectList = true;
        else if (is(QLatin1String("FROM")) || is(QLatin1String("INTO"))) m_inSelectList = false;
        else if (is(QLatin1String("LIKE"))) return m_afterComparison = true;
        return false;
    }
    // A text between single or double quotes; bound when compared, its doubled quotes single.
    void readText(JetDialect::BoundValues &bound, QChar quote) {
        const int start = m_i;
        skipPast(quote, true);
        if (!m_afterComparison || m_inSelectList || m_i > m_n) return;
        QString value = m_sql.mid(start + 1, m_i - start - 2);
        value.replace(QString(2, quote), QString(quote));
        bindAt(bound, start, value);
    }
    void readNumber(JetDialect::BoundValues &bound) {
        const int start = m_i;
        bool whole = true;
        while (m_i < m_n && (isAsciiDigit(m_sql.at(m_i)) || m_sql.at(m_i) == QLatin1Char('.'))) {
            if (m_sql.at(m_i) == QLatin1Char('.')) whole = false;
            ++m_i;
        }
        if (m_i < m_n && (m_sql.at(m_i) == QLatin1Char('e') || m_sql.at(m_i) == QLatin1Char('E'))) {
            whole = false;
            ++m_i;
            if (m_i < m_n && (m_sql.at(m_i) == QLatin1Char('+') || m_sql.at(m_i) == QLatin1Char('-'))) ++m_i;
            while (m_i < m_n && isAsciiDigit(m_sql.at(m_i))) ++m_i;
        }
        if (!m_afterComparison || m_inSelectList || (m_i < m_n && isWordChar(m_sql.at(m_i)))) return;
        const QByteArray digits = m_sql.mid(start, m_i - start).toLatin1();
        const char *first = digits.constData();
        const char *last = first + digits.size();
        qint64 number = 0;
        double real = 0;
        if (const auto read = std::from_chars(first, last, number); whole && read.ec == std::errc() && read.ptr == last)
            bindAt(bound, start, qlonglong(number));
        else if (const auto read = std::from_chars(first, last, real); read.ec == std::errc() && read.ptr == last)
            bindAt(bound, start, real);
        // otherwise left in the text, where the engine reads it as it always did
    }
    // The value that stood from `start` to here becomes a marker.
    void bindAt(JetDialect::BoundValues &bound, int start, const QVariant &value) {
        bound.text += QStringView(m_sql).mid(m_copied, start - m_copied);
        bound.text += QLatin1Char('?');
        bound.values << value;
        m_copied = m_i;
    }

    const QString &m_sql;
    const int m_n;
    int m_i = 0;
    int m_copied = 0;
    bool m_afterComparison = false;
    bool m_inSelectList = false;
    QVarLengthArray<bool, 8> m_outer;  // m_inSelectList outside each open parenthesis
};

// What is read from a statement's text is kept by the text, the texts used longest ago let
// go first.
template <typename T, typename Read>
T cachedByText(KeptByText<T> &cache, const QString &text, Read read) {
    if (const T *found = cache.find(text)) return *found;
    return cache.put(text, read(text));
}

}  // namespace

namespace JetDialect {

constexpr std::size_t kKeptTexts = 2000;

QString translate(const QString &jetSql) {
    static KeptByText<QString> cache(kKeptTexts);
    return cachedByText(cache, jetSql, translateTokens);
}

QVector<JetTokens::Token> translatedTokens(const QString &jetSql) {
    QVector<Token> tokens = tokenize(jetSql);
    translateYesNo(tokens);
    translateConcatenation(tokens);
    translateDelete(tokens);
    translateTop(tokens, jetSql);
    translateSelectInto(tokens, jetSql);
    return tokens;
}

AppError secondStatementError() {
    return AppError(3142, QStringLiteral("Characters found after end of SQL statement."));
}

StatementShape shapeOf(const QString &jetSql) {
    static KeptByText<StatementShape> cache(kKeptTexts);
    return cachedByText(cache, jetSql, readShape);
}

BoundValues bindComparedValues(const QString &jetSql) {
    return ComparedValueBinder(jetSql).run();
}

bool like(const QString &text, const QString &pattern) { return LikePattern(pattern).matches(text); }

LikePattern::LikePattern(const QString &pattern) : m_elements(compilePattern(pattern)) {}

bool LikePattern::matches(QStringView text) const {
    const QVector<PatternElement> &elements = m_elements;
    // Every element but '*' takes exactly one character, so the last '*' seen is the
    // only place to resume from: on a mismatch the '*' takes one more character. This
    // is at worst text length times pattern length steps, never exponential.
    const int n = text.size();
    const int m = elements.size();
    int t = 0, p = 0;
    int starElement = -1, starText = 0;
    while (t < n) {
        if (p < m && elements.at(p).type == PatternElement::AnyRun) {
            starElement = p++;
            starText = t;
        } else if (p < m && matchesOne(elements.at(p), text.at(t))) {
            ++p;
            ++t;
        } else if (starElement >= 0) {
            p = starElement + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < m && elements.at(p).type == PatternElement::AnyRun) ++p;
    return p == m;
}

}  // namespace JetDialect
