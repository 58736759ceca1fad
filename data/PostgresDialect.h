#pragma once
// The desktop engine's SQL for the PostgreSQL server, from the same tokens as for SQLite
// (JetDialect::translatedTokens), then:
//   names of the plant's tables and columns   -> "Quoted" in the catalogue's own spelling
//                                                 (the server keeps names as created);
//                                                 other names fold to lower case, as the
//                                                 server folds unquoted names
//   x Like 'pattern'                           -> x ~* '^regex$' (case ignored for every
//                                                 letter); a pattern that is no literal
//                                                 goes through (SELECT
//                                                 pg_temp.quelby_like_regex(p)),
//                                                 read once a run, not once a row
//   x Not Like p                               -> x !~* ...
//   IIf(c, a, b)                               -> CASE WHEN c THEN a ELSE b END
//   FROM (SELECT ...) without a name           -> FROM (SELECT ...) AS quelby_sub1
//   CREATE TABLE t AS SELECT (SELECT ... INTO) -> CREATE TEMP TABLE t AS SELECT: the
//                                                 production summary's own tables are
//                                                 private to each connection
// Date literals stay ISO text, which the server reads as a date where a date column is
// compared; the plant's yes/no columns hold 1 and 0 as on SQLite.

#include <QString>

namespace PostgresDialect {

QString translate(const QString &jetSql);
// A table or column name as the server's SQL spells it (see above).
QString quotedName(const QString &name);
// The spelling a result column of the given (folded) name was given in the statements
// translated so far: an alias keeps its case as written ("TotalQty", not "totalqty").
QString aliasSpelling(const QString &foldedName);
// The Like pattern of the desktop engine as an anchored regular expression of the server.
QString likeRegex(const QString &pattern);
// The function that does likeRegex() on the server, for a pattern known only when the
// statement runs; made in each connection's own schema.
QString likeRegexFunction();
// '?' markers outside literals and names numbered as the server reads them ($1, $2 ...);
// *count gets how many there were.
QString numberedMarkers(const QString &sql, int *count);

}  // namespace PostgresDialect
