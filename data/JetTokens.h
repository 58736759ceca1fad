#pragma once
// The token stream every translation of the desktop engine's SQL works on. A statement
// is cut into tokens whose texts, joined again, give back the statement exactly; a
// translation only replaces, removes or inserts whole tokens, so everything it does not
// touch keeps its spelling, case and blanks. String literals, bracketed names and
// comments are single tokens, so no translation ever reaches inside them.

#include <QString>
#include <QVector>

namespace JetTokens {

enum class Kind {
    Space,    // blanks, tabs, line ends
    Comment,  // -- to the end of the line, or /* ... */
    Word,     // a name or keyword
    Number,   // 12, 1.5, 1e3
    String,   // '...' with '' inside (a "..." literal is rewritten to this form)
    Bracket,  // [a name]
    Date,     // #...# (translated to a String when tokenised)
    Punct,    // everything else: ( ) , . * = <> <= >= ; + - / ...
};

struct Token {
    Kind kind;
    QString text;
};

// Cuts a statement into tokens; date literals become ISO text literals. Throws AppError
// (SyntaxError) on an unterminated literal, name or comment, or a date that is no date.
QVector<Token> tokenize(const QString &sql);
QString join(const QVector<Token> &tokens);

[[noreturn]] void syntaxError(const QString &sql);
bool isWord(const Token &t, const char *keyword);
bool isPunct(const Token &t, char c);
bool isBlank(const Token &t);
// Index of the next (previous) token from `from` that is neither blank nor a comment;
// tokens.size() (-1) when none.
int nextSignificant(const QVector<Token> &tokens, int from);
int previousSignificant(const QVector<Token> &tokens, int from);
// The index of the ')' that closes the '(' at `open`, or tokens.size().
int closingParenthesis(const QVector<Token> &tokens, int open);

}  // namespace JetTokens
