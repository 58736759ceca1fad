#pragma once
// The report formulas: a small recursive-descent language for computed cells, group keys
// and the derived figures of the plant's documents.
//
//   {Table.Column}  {Column}  Column     a field of the current row (plain names may be dotted)
//   {@Name}                              a named formula of the same template
//   12  1.5  "text"  'text'  True False  literals (a quote inside text is doubled)
//   + - * /  &                           arithmetic; + joins when either side is text, & always joins
//   = <> < > <= >=  and or not           comparisons and logic
//   if(c, a, b)                          a when c holds, else b
//   sum(x) count(x) count() min(x) max(x)  over the enclosing group (detail and group
//                                        bands) or the whole report (other bands); a second
//                                        argument "report" or a group's name picks the range
//   sumOnce(x, key)                      x summed over the same range, once for each value
//                                        of key (its first row): a piece listed on several
//                                        rows counts once; a third argument picks the range
//   first(x)                             x on the first row of that range (a group footer
//                                        naming its group as its header did)
//   round(x, n)  isnull(x)  format(x, "#,##0.00")
//   lines(a, b, ...)                     the non-blank values, one per line (address blocks)
//   PageNumber TotalPages PrintDate RecordNumber
//   InRepeatedGroupHeader                True in a group header repeated on a continuation page
//
// Division by zero gives an empty (null) value; arithmetic with an empty value is empty.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace Formula {

struct Node;
class Expression;

// What an expression reads while it is evaluated: the row, the page, the report.
class Context {
public:
    virtual ~Context() = default;
    virtual QVariant field(const QString &name) const = 0;
    // PageNumber, TotalPages, PrintDate, RecordNumber, InRepeatedGroupHeader.
    virtual QVariant special(const QString &name) const = 0;
    virtual QVariant namedFormula(const QString &name) const = 0;
    // function: "sum", "count", "min", "max", "first" or "sumonce"; argument may be empty
    // (count()); scope is empty for the enclosing range, else "report" or a group name; key
    // is sumonce's key (empty for the others).
    virtual QVariant aggregate(const QString &function, const Expression &argument, const QString &scope,
                               const Expression &key) const = 0;
};

class Expression {
public:
    Expression() = default;
    // Parses a formula; a syntax error throws AppError(ReportError) naming the formula.
    static Expression parse(const QString &text);
    // An expression reading one field.
    static Expression field(const QString &name);

    bool isEmpty() const { return !m_root; }
    QString text() const { return m_text; }
    QVariant evaluate(const Context &context) const;

    // The fields, named formulas and specials the expression reads (aggregate arguments
    // included), for the template check.
    QStringList fieldNames() const;
    QStringList formulaNames() const;
    bool usesSpecial(const QString &name) const;
    // Identity of the expression, for caching aggregate results.
    const void *id() const { return m_root.get(); }

private:
    explicit Expression(std::shared_ptr<const Node> root, QString text)
        : m_root(std::move(root)), m_text(std::move(text)) {}
    friend struct Node;
    friend class Parser;
    std::shared_ptr<const Node> m_root;
    QString m_text;
};

// Numbers, texts, dates and yes/no values as the documents show them: null as "", yes/no
// as Yes/No (or the two texts of a "Y;N" format), dates as m/d/yyyy (or a date format
// such as "MMM d, yyyy"), numbers plainly or with a picture ("#,##0.00").
QString DisplayText(const QVariant &value, const QString &format = QString());

// A value read as a number (yes/no as -1/0, numeric text by its value); false when it
// is null or not a number.
bool ToNumber(const QVariant &value, double *number);

// A value read as a condition: yes, a number other than 0, a text other than "" and
// "false"; empty is false.
bool IsTrue(const QVariant &value);

}  // namespace Formula
