#include "data/PostgresDialect.h"

#include "data/Catalogue.h"
#include "data/JetDialect.h"
#include "data/JetTokens.h"
#include "data/KeptByText.h"

#include <QHash>
#include <QSet>

using namespace JetTokens;

namespace {

// Every name of the catalogue (tables, columns and indexes) by its folded spelling.
const QHash<QString, QString> &catalogueNames() {
    static const QHash<QString, QString> names = [] {
        QHash<QString, QString> all;
        for (const CatalogueIndex &index : Catalogue::indexes()) all.insert(index.name.toLower(), index.name);
        for (const CatalogueTable &table : Catalogue::tables()) {
            all.insert(table.name.toLower(), table.name);
            for (const CatalogueColumn &column : table.columns) all.insert(column.name.toLower(), column.name);
        }
        return all;
    }();
    return names;
}

QHash<QString, QString> &aliasSpellings() {
    static QHash<QString, QString> spellings;
    return spellings;
}

QString quoted(const QString &name) { return QLatin1Char('"') + QString(name).replace('"', QLatin1String("\"\"")) + QLatin1Char('"'); }

bool isKeyword(const Token &t) {
    static const QSet<QString> keywords = {
        "select", "from", "where", "and", "or", "not", "in", "is", "null", "like", "between", "order", "by",
        "group", "having", "as", "on", "inner", "left", "right", "outer", "join", "union", "all", "distinct",
        "insert", "into", "values", "update", "set", "delete", "create", "table", "drop", "exists", "asc",
        "desc", "case", "when", "then", "else", "end", "limit", "temp", "default", "alter", "column", "index"};
    return t.kind == Kind::Word && keywords.contains(t.text.toLower());
}

// Names: the catalogue's in its spelling, quoted; a word before '(' is a function unless
// it names the table of INSERT INTO t (...) or CREATE TABLE t (...).
void translateNames(QVector<Token> &tokens) {
    for (int i = 0; i < tokens.size(); ++i) {
        Token &t = tokens[i];
        if (t.kind == Kind::Bracket) {
            const QString name = t.text.mid(1, t.text.size() - 2);
            t.text = quoted(catalogueNames().value(name.toLower(), name.toLower()));
            continue;
        }
        if (t.kind != Kind::Word || isKeyword(t)) continue;
        const int after = nextSignificant(tokens, i + 1);
        const int before = previousSignificant(tokens, i - 1);
        const bool tableBefore = before >= 0 && (isWord(tokens.at(before), "INTO") || isWord(tokens.at(before), "TABLE"));
        if (after < tokens.size() && isPunct(tokens.at(after), '(') && !tableBefore) continue;
        const auto found = catalogueNames().constFind(t.text.toLower());
        if (found != catalogueNames().constEnd()) t.text = quoted(*found);
        else if (before >= 0 && isWord(tokens.at(before), "AS") && t.text != t.text.toLower())
            aliasSpellings().insert(t.text.toLower(), t.text);
    }
}

// Where the operand to the right of an operator at `from` ends (exclusive): at the first
// AND, OR, clause keyword, comparison, ',' , ')' or ';' outside parentheses.
int operandEnd(const QVector<Token> &tokens, int from) {
    int depth = 0;
    for (int i = from; i < tokens.size(); ++i) {
        const Token &t = tokens.at(i);
        if (isPunct(t, '(')) ++depth;
        else if (isPunct(t, ')') && depth-- == 0) return i;
        if (depth > 0) continue;
        if (isPunct(t, ',') || isPunct(t, ';') || isPunct(t, '=') || isPunct(t, '<') || isPunct(t, '>') ||
            t.text == QLatin1String("<>") || t.text == QLatin1String("<=") || t.text == QLatin1String(">="))
            return i;
        for (const char *word : {"AND", "OR", "ORDER", "GROUP", "HAVING", "UNION", "THEN", "ELSE", "WHEN", "END", "LIMIT"})
            if (isWord(t, word)) return i;
    }
    return tokens.size();
}

// Where the operand to the left of `last` (its last token) begins: a name with its table
// ("Orders.OrderNumber"), or a parenthesised expression with the function before it.
int operandStart(const QVector<Token> &tokens, int last) {
    int at = last;
    if (isPunct(tokens.at(at), ')')) {
        for (int depth = 0; at >= 0; --at) {
            if (isPunct(tokens.at(at), ')')) ++depth;
            else if (isPunct(tokens.at(at), '(') && --depth == 0) break;
        }
        const int function = previousSignificant(tokens, at - 1);
        return function >= 0 && tokens.at(function).kind == Kind::Word && !isKeyword(tokens.at(function)) ? function : at;
    }
    while (true) {
        const int dot = previousSignificant(tokens, at - 1);
        if (dot < 0 || !isPunct(tokens.at(dot), '.')) return at;
        const int name = previousSignificant(tokens, dot - 1);
        if (name < 0 || (tokens.at(name).kind != Kind::Word && tokens.at(name).kind != Kind::Bracket)) return at;
        at = name;
    }
}

// The plant's text compares in a collation the server's regular expressions do not take;
// the operand of a Like is read in one that folds case by the letters' own rules.
int collateForLike(QVector<Token> &tokens, int like, int before) {
    const int start = operandStart(tokens, before);
    tokens.insert(before + 1, {Kind::Word, QStringLiteral(" COLLATE quelby_text)")});
    tokens.insert(start, {Kind::Punct, QStringLiteral("(")});
    return like + 2;
}

void translateLike(QVector<Token> &tokens) {
    for (int i = 0; i < tokens.size(); ++i) {
        if (!isWord(tokens.at(i), "LIKE")) continue;
        int before = previousSignificant(tokens, i - 1);
        const bool negated = before >= 0 && isWord(tokens.at(before), "NOT");
        const int operandLast = previousSignificant(tokens, (negated ? before : i) - 1);
        if (operandLast < 0) syntaxError(join(tokens));
        i = collateForLike(tokens, i, operandLast);
        before = previousSignificant(tokens, i - 1);
        const int first = nextSignificant(tokens, i + 1);
        const int end = operandEnd(tokens, first);
        int last = end - 1;
        while (last > first && isBlank(tokens.at(last))) --last;
        QVector<Token> pattern;
        if (first == last && tokens.at(first).kind == Kind::String) {
            const QString text = tokens.at(first).text.mid(1, tokens.at(first).text.size() - 2).replace(QLatin1String("''"), QLatin1String("'"));
            pattern << Token{Kind::String, QLatin1Char('\'') + PostgresDialect::likeRegex(text).replace('\'', QLatin1String("''")) + QLatin1Char('\'')};
        } else {
            // Read once per run, not once per row, even where the server keeps one plan
            // for every pattern bound: a subquery of its own, run before the rows are read.
            pattern << Token{Kind::Punct, QStringLiteral("(")} << Token{Kind::Word, QStringLiteral("SELECT")}
                    << Token{Kind::Space, QStringLiteral(" ")} << Token{Kind::Word, QStringLiteral("pg_temp.quelby_like_regex")}
                    << Token{Kind::Punct, QStringLiteral("(")};
            pattern += tokens.mid(first, last - first + 1);
            pattern << Token{Kind::Punct, QStringLiteral(")")} << Token{Kind::Punct, QStringLiteral(")")};
        }
        tokens.remove(first, last - first + 1);
        for (int k = pattern.size() - 1; k >= 0; --k) tokens.insert(first, pattern.at(k));
        tokens[i] = {Kind::Punct, negated ? QStringLiteral("!~*") : QStringLiteral("~*")};
        if (negated) tokens.remove(before, i - before);
    }
}

// IIf(c, a, b) as CASE WHEN c THEN a ELSE b END; an IIf inside its arguments is met later.
void translateIIf(QVector<Token> &tokens) {
    for (int i = 0; i < tokens.size(); ++i) {
        if (!isWord(tokens.at(i), "IIF")) continue;
        const int open = nextSignificant(tokens, i + 1);
        if (open >= tokens.size() || !isPunct(tokens.at(open), '(')) continue;
        const int close = closingParenthesis(tokens, open);
        if (close >= tokens.size()) continue;
        QVector<int> commas;
        int depth = 0;
        for (int k = open + 1; k < close; ++k) {
            if (isPunct(tokens.at(k), '(')) ++depth;
            else if (isPunct(tokens.at(k), ')')) --depth;
            else if (depth == 0 && isPunct(tokens.at(k), ',')) commas << k;
        }
        if (commas.size() != 2) continue;
        const auto word = [](const char *w) { return Token{Kind::Word, QString::fromLatin1(w)}; };
        tokens[close] = word(" END");
        tokens[commas.at(1)] = word(" ELSE ");
        tokens[commas.at(0)] = word(" THEN ");
        tokens.remove(i, open - i + 1);
        tokens.insert(i, word("CASE WHEN "));
    }
}

// The server wants a name for a subquery in FROM.
void nameSubqueries(QVector<Token> &tokens) {
    int made = 0;
    for (int i = 0; i < tokens.size(); ++i) {
        if (!isPunct(tokens.at(i), '(')) continue;
        const int before = previousSignificant(tokens, i - 1);
        const int inside = nextSignificant(tokens, i + 1);
        if (before < 0 || !(isWord(tokens.at(before), "FROM") || isWord(tokens.at(before), "JOIN"))) continue;
        if (inside >= tokens.size() || !isWord(tokens.at(inside), "SELECT")) continue;
        const int close = closingParenthesis(tokens, i);
        if (close >= tokens.size()) continue;
        const int after = nextSignificant(tokens, close + 1);
        const bool named = after < tokens.size() &&
                           (isWord(tokens.at(after), "AS") || tokens.at(after).kind == Kind::Bracket ||
                            (tokens.at(after).kind == Kind::Word && !isKeyword(tokens.at(after)) &&
                             !isWord(tokens.at(after), "INNER") && !isWord(tokens.at(after), "LEFT")));
        if (!named) tokens.insert(close + 1, {Kind::Word, QStringLiteral(" AS quelby_sub%1").arg(++made)});
    }
}

void makeTablesTemporary(QVector<Token> &tokens) {
    const int create = nextSignificant(tokens, 0);
    const int table = nextSignificant(tokens, create + 1);
    if (table < tokens.size() && isWord(tokens.at(create), "CREATE") && isWord(tokens.at(table), "TABLE")) {
        const int name = nextSignificant(tokens, table + 1);
        const int as = nextSignificant(tokens, name + 1);
        if (as < tokens.size() && isWord(tokens.at(as), "AS")) tokens[create].text += QStringLiteral(" TEMP");
    }
}

QString translateTokens(const QString &jetSql) {
    QVector<Token> tokens = JetDialect::translatedTokens(jetSql);
    makeTablesTemporary(tokens);
    translateIIf(tokens);
    translateLike(tokens);
    nameSubqueries(tokens);
    translateNames(tokens);
    return join(tokens);
}

// One character of a pattern made literal in a regular expression.
QString literal(QChar c) {
    static const QString special = QStringLiteral("\\^$.|?*+()[]{}");
    return special.contains(c) ? QStringLiteral("\\") + c : QString(c);
}

}  // namespace

namespace PostgresDialect {

QString translate(const QString &jetSql) {
    static KeptByText<QString> cache(2000);
    if (const QString *found = cache.find(jetSql)) return *found;
    return cache.put(jetSql, translateTokens(jetSql));
}

QString quotedName(const QString &name) {
    const auto found = catalogueNames().constFind(name.toLower());
    return quoted(found != catalogueNames().constEnd() ? *found : name.toLower());
}

QString aliasSpelling(const QString &foldedName) { return aliasSpellings().value(foldedName, foldedName); }

// * any run, ? one character, # one digit, [list] [!list] with ranges; the rest literal.
QString likeRegex(const QString &pattern) {
    QString out = QStringLiteral("^");
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('*')) out += QStringLiteral(".*");
        else if (c == QLatin1Char('?')) out += QLatin1Char('.');
        else if (c == QLatin1Char('#')) out += QStringLiteral("[0-9]");
        else if (c != QLatin1Char('[')) out += literal(c);
        else {
            const int close = pattern.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0) {
                out += literal(c);  // an unclosed bracket stands for itself
                continue;
            }
            QString list = pattern.mid(i + 1, close - i - 1);
            i = close;
            if (list.isEmpty()) continue;  // [] matches nothing and takes no character
            QString set = QStringLiteral("[");
            if (list.size() > 1 && list.at(0) == QLatin1Char('!')) {
                set += QLatin1Char('^');
                list.remove(0, 1);
            }
            for (QChar m : list) set += (m == '\\' || m == '^' || m == '[' || m == ']') ? QStringLiteral("\\") + m : QString(m);
            out += set + QLatin1Char(']');
        }
    }
    return out + QLatin1Char('$');
}

QString likeRegexFunction() {
    return QStringLiteral(R"(CREATE OR REPLACE FUNCTION pg_temp.quelby_like_regex(pattern text) RETURNS text
LANGUAGE plpgsql IMMUTABLE AS $f$
DECLARE
  out text := '^'; i int := 1; n int := length(pattern); c text; close int; list text; m text; k int;
BEGIN
  IF pattern IS NULL THEN RETURN NULL; END IF;
  WHILE i <= n LOOP
    c := substr(pattern, i, 1);
    IF c = '*' THEN out := out || '.*';
    ELSIF c = '?' THEN out := out || '.';
    ELSIF c = '#' THEN out := out || '[0-9]';
    ELSIF c = '[' AND strpos(substr(pattern, i + 1), ']') > 0 THEN
      close := strpos(substr(pattern, i + 1), ']');
      list := substr(pattern, i + 1, close - 1);
      i := i + close;
      IF list <> '' THEN
        out := out || '[';
        IF length(list) > 1 AND left(list, 1) = '!' THEN out := out || '^'; list := substr(list, 2); END IF;
        FOR k IN 1 .. length(list) LOOP
          m := substr(list, k, 1);
          out := out || CASE WHEN m IN ('\', '^', '[', ']') THEN '\' || m ELSE m END;
        END LOOP;
        out := out || ']';
      END IF;
    ELSIF strpos('\^$.|?*+()[]{}', c) > 0 THEN out := out || '\' || c;
    ELSE out := out || c;
    END IF;
    i := i + 1;
  END LOOP;
  RETURN out || '$';
END $f$)");
}

QString numberedMarkers(const QString &sql, int *count) {
    QString out;
    out.reserve(sql.size() + 8);
    int n = 0;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const int start = i;
            for (++i; i < sql.size(); ++i) {
                if (sql.at(i) != c) continue;
                if (i + 1 < sql.size() && sql.at(i + 1) == c) ++i;
                else break;
            }
            out += QStringView(sql).mid(start, i - start + 1);
        } else if (c == QLatin1Char('?')) {
            out += QLatin1Char('$') + QString::number(++n);
        } else {
            out += c;
        }
    }
    *count = n;
    return out;
}

}  // namespace PostgresDialect
