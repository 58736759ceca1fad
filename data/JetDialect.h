#pragma once
// Translation of the desktop engine's (Jet) SQL dialect into SQLite, on a token stream:
// string literals and bracketed names are never touched.
//
//   #m/d/yyyy# and #m/d/yyyy hh:mm[:ss]#   -> 'yyyy-MM-dd' / 'yyyy-MM-dd HH:mm:ss'
//   SELECT [DISTINCT] TOP n ...            -> SELECT ... LIMIT n
//   SELECT cols INTO t FROM ...            -> CREATE TABLE t AS SELECT cols FROM ...
//   DELETE * FROM t                        -> DELETE FROM t
//   True / False                           -> 1 / 0
// Like keeps its text: the data layer registers a Jet-style like() with SQLite.

#include <QString>

namespace JetDialect {

// Translates one statement. Throws AppError (SyntaxError) on an unterminated literal.
QString toSqlite(const QString &jetSql);

// Jet Like matching: '*' any run, '?' one character, '#' one digit, '[abc]', '[a-z]',
// '[!a-z]'; case is ignored. '%' and '_' are ordinary characters.
bool like(const QString &text, const QString &pattern);

}  // namespace JetDialect
