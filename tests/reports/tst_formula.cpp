// Report formulas: arithmetic, text, comparisons, functions, empty values and how the
// results read on paper.

#include "core/AppError.h"
#include "reports/Formula.h"

#include <QDate>
#include <QTest>

using Formula::Expression;

namespace {

// One row of fields; aggregates are the layout's business and are not used here.
class RowFields : public Formula::Context {
public:
    explicit RowFields(QVariantMap fields) : m_fields(std::move(fields)) {}
    QVariant field(const QString &name) const override { return m_fields.value(name); }
    QVariant special(const QString &name) const override {
        return name == QLatin1String("PageNumber") ? QVariant(2) : QVariant(5);
    }
    QVariant namedFormula(const QString &) const override { return QStringLiteral("named"); }
    QVariant aggregate(const QString &function, const Expression &, const QString &scope,
                       const Expression &) const override {
        return function + QLatin1Char(':') + scope;
    }

private:
    QVariantMap m_fields;
};

QVariantMap sampleRow() {
    return {{"Qty", 3},
            {"Rate", 2.5},
            {"Zero", 0},
            {"Name", QStringLiteral("Foam")},
            {"Teams", QStringLiteral("2")},
            {"Arm", true},
            {"Tie", false},
            {"Due", QDate(2026, 12, 9)},
            {"Component.Width", 22.0},
            {"Empty", QVariant()}};
}

}  // namespace

class tst_formula : public QObject {
    Q_OBJECT

private slots:
    void evaluate_data();
    void evaluate();
    void syntaxErrors_data();
    void syntaxErrors();
    void displayText_data();
    void displayText();
    void references();
};

void tst_formula::evaluate_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("expected");  // as shown on paper

    QTest::newRow("precedence") << "1 + 2 * 3" << "7";
    QTest::newRow("parentheses") << "(1 + 2) * 3" << "9";
    QTest::newRow("fraction") << "10 / 4" << "2.5";
    QTest::newRow("unary minus") << "-{Qty} + 1" << "-2";
    QTest::newRow("fields multiply") << "{Qty} * {Rate}" << "7.5";
    QTest::newRow("plain field name") << "Qty * 2" << "6";
    QTest::newRow("dotted field name") << "{Component.Width} / 2" << "11";
    QTest::newRow("dotted plain name") << "Component.Width + 1" << "23";
    QTest::newRow("division by zero is empty") << "{Qty} / {Zero}" << "";
    QTest::newRow("division by a zero expression") << "10 / (5 - 5)" << "";
    QTest::newRow("empty division goes on empty") << "1 + {Qty} / 0" << "";
    QTest::newRow("empty field in arithmetic") << "{Empty} * 4" << "";
    QTest::newRow("text joined with plus") << "'Page ' + {Qty}" << "Page 3";
    QTest::newRow("text joined with ampersand") << "{Qty} & {Qty}" << "33";
    QTest::newRow("empty field joined") << "'[' + {Empty} + ']'" << "[]";
    QTest::newRow("double quotes") << "\"Team \" + 1" << "Team 1";
    QTest::newRow("doubled quote inside text") << "'O''Brien'" << "O'Brien";
    QTest::newRow("if true") << "if({Qty} > 2, 'big', 'small')" << "big";
    QTest::newRow("if false") << "if({Qty} > 3, 'big', 'small')" << "small";
    QTest::newRow("if on yes/no field") << "if({Arm}, 'arm', 'body')" << "arm";
    QTest::newRow("if on empty field") << "if({Empty}, 'set', 'unset')" << "unset";
    QTest::newRow("equal texts") << "{Name} = 'Foam'" << "Yes";
    QTest::newRow("texts compare exactly") << "{Name} = 'foam'" << "No";
    QTest::newRow("not equal") << "{Qty} <> 3" << "No";
    QTest::newRow("less or equal") << "{Qty} <= 3" << "Yes";
    QTest::newRow("numeric text against number") << "{Teams} > 1" << "Yes";
    QTest::newRow("comparison with empty is false") << "{Empty} = 0" << "No";
    QTest::newRow("and or not") << "({Qty} = 3 and not {Tie}) or {Zero} > 1" << "Yes";
    QTest::newRow("yes/no field") << "{Arm}" << "Yes";
    QTest::newRow("negated yes/no") << "not {Arm}" << "No";
    QTest::newRow("true literal") << "True" << "Yes";
    QTest::newRow("date plus days") << "{Due} + 1" << "12/10/2026";
    QTest::newRow("days between dates") << "{Due} - ({Due} - 30)" << "30";
    QTest::newRow("round half away from zero") << "round(2.5)" << "3";
    QTest::newRow("round negative half") << "round(-2.5)" << "-3";
    QTest::newRow("round to places") << "round(7.125, 1)" << "7.1";
    QTest::newRow("isnull of empty") << "isnull({Empty})" << "Yes";
    QTest::newRow("isnull of zero") << "isnull({Zero})" << "No";
    QTest::newRow("format picture") << "format(1234.5, '#,##0.00')" << "1,234.50";
    QTest::newRow("lines skip blanks") << "lines('55 Mill St', {Empty}, '', 'Unit 3')" << "55 Mill St\nUnit 3";
    QTest::newRow("page number") << "'Page ' + PageNumber + ' of ' + TotalPages" << "Page 2 of 5";
    QTest::newRow("named formula") << "{@Hours}" << "named";
    QTest::newRow("sum passes its scope") << "sum({Qty}, 'report')" << "sum:report";
    QTest::newRow("count without argument") << "count()" << "count:";
    QTest::newRow("function names ignore case") << "IF(1, 'a', 'b')" << "a";
}

void tst_formula::evaluate() {
    QFETCH(QString, formula);
    QFETCH(QString, expected);
    const Expression e = Expression::parse(formula);
    QCOMPARE(Formula::DisplayText(e.evaluate(RowFields(sampleRow()))), expected);
}

void tst_formula::syntaxErrors_data() {
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("fragment");  // part of the message
    QTest::newRow("ends too soon") << "1 +" << "ends too soon";
    QTest::newRow("unclosed brace") << "{Qty * 2" << "'{'";
    QTest::newRow("unclosed text") << "'abc" << "closing quote";
    QTest::newRow("unknown function") << "sqrt(4)" << "unknown function 'sqrt'";
    QTest::newRow("if needs three arguments") << "if(1, 2)" << "if takes 3 argument(s), not 2";
    QTest::newRow("two values side by side") << "1 2" << "unexpected '2'";
    QTest::newRow("stray character") << "{Qty} % 2" << "unexpected '%'";
    QTest::newRow("missing parenthesis") << "(1 + 2" << "expected ')'";
    QTest::newRow("empty") << "  " << "empty";
}

void tst_formula::syntaxErrors() {
    QFETCH(QString, formula);
    QFETCH(QString, fragment);
    try {
        Expression::parse(formula);
        QFAIL("the formula was accepted");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), ErrorNumber::ReportError);
        QVERIFY2(e.description().contains(fragment), qPrintable(e.description()));
        if (!formula.trimmed().isEmpty()) QVERIFY2(e.description().contains(formula), qPrintable(e.description()));
    }
}

void tst_formula::displayText_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("null") << QVariant() << "#,##0.00" << "";
    QTest::newRow("yes") << QVariant(true) << "" << "Yes";
    QTest::newRow("no") << QVariant(false) << "" << "No";
    QTest::newRow("yes/no with two texts") << QVariant(true) << "X;" << "X";
    QTest::newRow("no with two texts") << QVariant(false) << "X;" << "";
    QTest::newRow("date") << QVariant(QDate(2026, 1, 5)) << "" << "1/5/2026";
    QTest::newRow("date with a date format") << QVariant(QDate(2026, 1, 5)) << "MMM d, yyyy" << "Jan 5, 2026";
    QTest::newRow("date and time") << QVariant(QDateTime(QDate(2026, 1, 5), QTime(14, 30))) << "" << "1/5/2026";
    QTest::newRow("whole number") << QVariant(24.0) << "" << "24";
    QTest::newRow("fraction") << QVariant(80.375) << "" << "80.375";
    QTest::newRow("long integer") << QVariant(qlonglong(1234567)) << "" << "1234567";
    QTest::newRow("money picture") << QVariant(1234.5) << "$#,##0.00;($#,##0.00)" << "$1,234.50";
    QTest::newRow("negative money") << QVariant(-1234.5) << "$#,##0.00;($#,##0.00)" << "($1,234.50)";
    QTest::newRow("dimension picture") << QVariant(2.0) << "#,##0.000" << "2.000";
    QTest::newRow("text is left as it is") << QVariant(QStringLiteral("1228-54")) << "#,##0.00" << "1228-54";
}

void tst_formula::displayText() {
    QFETCH(QVariant, value);
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(Formula::DisplayText(value, format), expected);
}

void tst_formula::references() {
    const Expression e = Expression::parse(
        "if({Component.Arm}, sum({Qty} * Rate, 'report'), {@Hours}) + PageNumber + TotalPages");
    QCOMPARE(e.fieldNames(), (QStringList{"Component.Arm", "Qty", "Rate"}));
    QCOMPARE(e.formulaNames(), QStringList{"Hours"});
    QVERIFY(e.usesSpecial("TotalPages"));
    QVERIFY(!Expression::parse("{Qty} + 1").usesSpecial("TotalPages"));
}

QTEST_MAIN(tst_formula)
#include "tst_formula.moc"
