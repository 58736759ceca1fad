#pragma once
// The desktop engine's (Jet) SQL dialect, read on a token stream: string literals,
// bracketed names and comments are never touched.
//
// translate() turns a statement into the SQL the plant's engines read:
//   #m/d/yyyy# and #m/d/yyyy hh:mm[:ss]#   -> 'yyyy-MM-dd' / 'yyyy-MM-dd HH:mm:ss'
//   SELECT [DISTINCT] TOP n ...            -> SELECT ... LIMIT n
//   SELECT cols INTO t FROM ...            -> CREATE TABLE t AS SELECT cols FROM ...
//   DELETE * FROM t                        -> DELETE FROM t
//   True / False                           -> 1 / 0
//   a & b (texts joined)                   -> a || b (a null part makes the whole null)
// Like keeps its text: SQLite serves the desktop engine's Like as like(); the server's
// translation (PostgresDialect) goes on from these tokens.
//
// shapeOf() tells the data layer what a statement is: whether a second statement
// follows it, whether it opens an updatable set, and which table a SELECT ... INTO makes.

#include "core/AppError.h"
#include "data/JetTokens.h"

#include <QString>
#include <QVariant>
#include <QVector>

namespace JetDialect {

// Translates one statement. Throws AppError (SyntaxError) on an unterminated literal.
QString translate(const QString &jetSql);
// The same translation as tokens, for an engine whose SQL needs more after it.
QVector<JetTokens::Token> translatedTokens(const QString &jetSql);

struct StatementShape {
    // Something other than blanks, comments and semicolons follows the first top-level
    // ';': a second statement.
    bool secondStatement = false;
    // "SELECT [TOP n] * FROM t [WHERE ...] [ORDER BY ...]", the one shape that gives an
    // updatable set: t (without brackets); "" for every other statement.
    QString updatableTable;
    // Where the '*' of an updatable set stands in the text (-1 when not updatable).
    int starPosition = -1;
    // The table made by "SELECT ... INTO t" or "CREATE TABLE t AS SELECT"; "" otherwise.
    QString madeTable;
};

// The error for a second statement after the first (3142): the data layer runs one
// statement per call and never drops the rest without a word.
AppError secondStatementError();

// Reads the shape of one statement. Throws AppError (SyntaxError) as translate() does.
StatementShape shapeOf(const QString &jetSql);

// A statement with the numbers and texts it compares in its filters (after =, <>, <, >, <=
// or >=, and the pattern after Like, outside the select list) taken out as bound values:
// "SELECT * FROM Customer WHERE Customer='O''Brien' AND Days>30" becomes "SELECT * FROM
// Customer WHERE Customer=? AND Days>?" with "O'Brien" and 30, so that statements differ
// only by their shape and every lookup by an ID or a name runs one prepared statement.
// Each engine compares a bound value exactly as the literal it stood for (the column's
// comparison without case, a number against a text column, a Like pattern's wildcards).
// Date literals (#...#) stay in the text, as does a text with a '?' of its own outside
// literals, left whole.
struct BoundValues {
    QString text;
    QVector<QVariant> values;
};
BoundValues bindComparedValues(const QString &jetSql);

// Jet Like matching: '*' any run, '?' one character, '#' one digit, '[abc]', '[a-z]',
// '[!a-z]'; case is ignored. '%' and '_' are ordinary characters.
bool like(const QString &text, const QString &pattern);

// A Like pattern read once, for matching it against many texts (a search down 100,000
// order numbers reads its pattern once, not once per order).
class LikePattern {
public:
    explicit LikePattern(const QString &pattern);
    bool matches(QStringView text) const;

    struct Element {
        enum Type { AnyRun, AnyOne, Digit, Literal, Set } type;
        QChar ch;                             // Literal (case-folded)
        QVector<QPair<QChar, QChar>> ranges;  // Set: single characters are ranges of one
        bool negated = false;
    };

private:
    QVector<Element> m_elements;
};

}  // namespace JetDialect
