// Value helpers: leading-number reading, the numeric test, picture formats and
// month/day/year dates, against the desktop platform's documented behaviour.

#include "core/Values.h"

#include <QTest>

using namespace Values;

class tst_values : public QObject {
    Q_OBJECT

private slots:
    void val_data();
    void val();
    void isNumeric_data();
    void isNumeric();
    void format_data();
    void format();
    void formatValue_data();
    void formatValue();
    void shortDate_data();
    void shortDate();
    void parseShortDate_data();
    void parseShortDate();
    void shortDateRoundTrip();
};

void tst_values::val_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("blanks anywhere") << " 2 45 7" << 2457.0;
    QTest::newRow("comma stops") << "1,200" << 1.0;
    QTest::newRow("currency sign stops") << "$5" << 0.0;
    QTest::newRow("second point stops") << "12.5.3" << 12.5;
    QTest::newRow("minus") << "-3" << -3.0;
    QTest::newRow("plus") << "+4" << 4.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("exponent E") << "1e3" << 1000.0;
    QTest::newRow("exponent D and junk") << "12D3abc" << 12000.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("tabs and line feeds") << "\t1\n2" << 12.0;
    QTest::newRow("blank after sign") << "- 3" << -3.0;
    QTest::newRow("exponent without digits") << "1.5e" << 1.5;
    QTest::newRow("negative exponent") << "25D-2" << 0.25;
    QTest::newRow("trailing point") << "12." << 12.0;
    QTest::newRow("number then words") << "45 Help" << 45.0;
    QTest::newRow("beyond a double") << "1e400" << qInf();
    QTest::newRow("below the smallest double") << "1e-400" << 0.0;
    QTest::newRow("seventy digits") << QString(70, QLatin1Char('1')) << 1.1111111111111111e69;
}

void tst_values::val() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(Val(text), expected);
}

void tst_values::isNumeric_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("value");
    QTest::newRow("thousands") << "1,200" << true << 1200.0;
    QTest::newRow("currency") << "$5" << true << 5.0;
    QTest::newRow("surrounding blanks") << " 12 " << true << 12.0;
    QTest::newRow("exponent") << "1e3" << true << 1000.0;
    QTest::newRow("trailing minus") << "12-" << true << -12.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("number then words") << "45 Help" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("parentheses") << "($1,234.50)" << true << -1234.5;
    QTest::newRow("currency after sign") << "-$5.25" << true << -5.25;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("trailing point") << "5." << true << 5.0;
    QTest::newRow("D exponent") << "2D2" << true << 200.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("two signs") << "-5-" << false << 0.0;
    QTest::newRow("sign and parentheses") << "(-5)" << false << 0.0;
    QTest::newRow("unclosed parenthesis") << "(5" << false << 0.0;
    QTest::newRow("comma after point") << "1.2,3" << false << 0.0;
    QTest::newRow("double comma") << "1,,2" << false << 0.0;
    QTest::newRow("exponent without digits") << "1e" << false << 0.0;
    QTest::newRow("currency alone") << "$" << false << 0.0;
    QTest::newRow("blanks only") << "   " << false << 0.0;
}

void tst_values::isNumeric() {
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(double, value);
    QCOMPARE(IsNumeric(text), numeric);
    QCOMPARE(NumericValue(text), value);
}

void tst_values::format_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("expected");

    // The documented table: six values by six pictures.
    const QString grid = QStringLiteral("$#,###.##");
    const QString box = QStringLiteral("$#,##0.00;($#,##0.00)");
    const QString balance = QStringLiteral("#,##0.00");
    const QString whole = QStringLiteral("#,##0");
    const QString zero = QStringLiteral("0");
    const QString two = QStringLiteral("0.00");
    const QList<double> values = {0, 0.5, 1234.5, 1234.567, -1234.5, 1000000};
    const QList<QStringList> table = {
        {"$.", "$0.00", "0.00", "0", "0", "0.00"},
        {"$.5", "$0.50", "0.50", "1", "1", "0.50"},
        {"$1,234.5", "$1,234.50", "1,234.50", "1,235", "1235", "1234.50"},
        {"$1,234.57", "$1,234.57", "1,234.57", "1,235", "1235", "1234.57"},
        {"$-1,234.5", "($1,234.50)", "-1,234.50", "-1,235", "-1235", "-1234.50"},
        {"$1,000,000.", "$1,000,000.00", "1,000,000.00", "1,000,000", "1000000", "1000000.00"},
    };
    const QStringList pictures = {grid, box, balance, whole, zero, two};
    for (int r = 0; r < values.size(); ++r)
        for (int c = 0; c < pictures.size(); ++c)
            QTest::addRow("%s with %s", qPrintable(QString::number(values[r], 'g', 15)), qPrintable(pictures[c])) << values[r] << pictures[c] << table[r][c];

    // Rounding half away from zero on the decimal text.
    QTest::newRow("0.075 two decimals") << 0.075 << two << "0.08";
    QTest::newRow("0.075 money grid") << 0.075 << grid << "$.08";
    QTest::newRow("1.005 two decimals") << 1.005 << two << "1.01";
    QTest::newRow("2.5 whole") << 2.5 << zero << "3";
    QTest::newRow("-2.5 whole") << -2.5 << zero << "-3";
    QTest::newRow("-0.075 money box") << -0.075 << box << "($0.08)";
    QTest::newRow("carry into thousands") << 999.995 << balance << "1,000.00";
    QTest::newRow("carry to a new digit") << 9.96 << "0.0" << "10.0";
    QTest::newRow("fifteen digits") << 123456789012.345 << balance << "123,456,789,012.35";
    QTest::newRow("large") << 1e15 << whole << "1,000,000,000,000,000";
    QTest::newRow("tiny") << 1e-10 << two << "0.00";

    // Negative amounts.
    QTest::newRow("negative under one, money grid") << -0.5 << grid << "$-.5";
    QTest::newRow("negative rounding to zero, box") << -0.004 << box << "$0.00";
    QTest::newRow("negative rounding to zero, balance") << -0.004 << balance << "0.00";
    QTest::newRow("empty negative section") << -5.0 << "0;" << "-5";

    // Placeholders and literals.
    QTest::newRow("optional decimals kept") << 1.25 << "0.0#" << "1.25";
    QTest::newRow("optional decimal dropped") << 1.5 << "0.0#" << "1.5";
    QTest::newRow("leading zeros") << 5.0 << "000" << "005";
    QTest::newRow("hash only, under one") << 0.4 << "#" << "";
    QTest::newRow("interleaved literal") << 5551234.0 << "000-0000" << "555-1234";
    QTest::newRow("surplus digits") << 1234567.0 << "00" << "1234567";
    QTest::newRow("thousands scaling") << 1234567.0 << "#,##0," << "1,235";
    QTest::newRow("quoted literal") << 5.0 << "0\" pcs\"" << "5 pcs";
    QTest::newRow("backslash literal") << 5.0 << "\\#0" << "#5";
    QTest::newRow("zero section") << 0.0 << "0;(0);\"nil\"" << "nil";
    QTest::newRow("zero section not for positive") << 3.0 << "0;(0);\"nil\"" << "3";
    QTest::newRow("no integer placeholder") << 12.5 << ".00" << "12.50";
    QTest::newRow("trailing text") << 3.0 << "0 each" << "3 each";
    QTest::newRow("empty picture") << 1234.5 << "" << "1234.5";
    QTest::newRow("negative zero") << -0.0 << two << "0.00";
    QTest::newRow("empty picture, whole number") << -42.0 << "" << "-42";
    QTest::newRow("empty picture, negative zero") << -0.0 << "" << "0";
    QTest::newRow("empty picture, fifteen digits") << 123456789012345.0 << "" << "123456789012345";
    QTest::newRow("empty picture, beyond fifteen digits") << 1e15 << "" << "1E+15";
    QTest::newRow("picture after another") << 1234.5 << "0.0" << "1234.5";
    QTest::newRow("empty picture, fifteen significant digits") << 0.1 + 0.2 << "" << "0.3";
    QTest::newRow("empty picture, small") << -1e-7 << "" << "-1E-07";
    QTest::newRow("empty picture, long fraction") << 123456.789012345678 << "" << "123456.789012346";
}

void tst_values::format() {
    QFETCH(double, value);
    QFETCH(QString, picture);
    QFETCH(QString, expected);
    QCOMPARE(Format(value, picture), expected);
}

void tst_values::formatValue_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("expected");
    QTest::newRow("null") << QVariant() << "#,##0.00" << "";
    QTest::newRow("empty text") << QVariant(QString()) << "#,##0.00" << "";
    QTest::newRow("numeric text") << QVariant(QStringLiteral("1,200")) << "#,##0.00" << "1,200.00";
    QTest::newRow("other text as it is") << QVariant(QStringLiteral("n/a")) << "#,##0.00" << "n/a";
    QTest::newRow("integer") << QVariant(5) << "0.00" << "5.00";
    QTest::newRow("money") << QVariant(1234.5) << "$#,###.##" << "$1,234.5";
    QTest::newRow("yes") << QVariant(true) << "0" << "-1";
    QTest::newRow("date") << QVariant(QDate(2026, 12, 9)) << "0" << "12/9/2026";
    QTest::newRow("exponent text") << QVariant(QStringLiteral("1.5E3")) << "#,##0.00" << "1,500.00";
    QTest::newRow("rounds up a digit") << QVariant(QStringLiteral("999.995")) << "$#,##0.00" << "$1,000.00";
    QTest::newRow("scaled by thousands") << QVariant(QStringLiteral("1234567")) << "#,##0," << "1,235";
    QTest::newRow("digits on one placeholder") << QVariant(QStringLiteral("-98765.4")) << "#.0" << "-98765.4";
    QTest::newRow("negative to nothing") << QVariant(QStringLiteral("-0.004")) << "0.00;(0.00)" << "0.00";
}

void tst_values::formatValue() {
    QFETCH(QVariant, value);
    QFETCH(QString, picture);
    QFETCH(QString, expected);
    QCOMPARE(FormatValue(value, picture), expected);
}

void tst_values::shortDate_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no leading zeros") << QDate(2026, 12, 9) << "12/9/2026";
    QTest::newRow("single digits") << QDate(2004, 7, 2) << "7/2/2004";
    QTest::newRow("invalid") << QDate() << "";
    QTest::newRow("year of one digit") << QDate(5, 1, 31) << "1/31/5";
    // Texts are kept by day; a day 4,096 days on falls where the first one was kept.
    QTest::newRow("a day") << QDate(2016, 3, 1) << "3/1/2016";
    QTest::newRow("4,096 days on") << QDate(2016, 3, 1).addDays(4096) << "5/19/2027";
    QTest::newRow("the day again") << QDate(2016, 3, 1) << "3/1/2016";
}

void tst_values::shortDate() {
    QFETCH(QDate, date);
    QFETCH(QString, expected);
    QCOMPARE(ShortDate(date), expected);
}

void tst_values::parseShortDate_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected");
    QTest::newRow("month first") << "12/9/2026" << QDate(2026, 12, 9);
    QTest::newRow("leading zeros") << "03/04/2025" << QDate(2025, 3, 4);
    QTest::newRow("blanks around") << " 3/4/2025 " << QDate(2025, 3, 4);
    QTest::newRow("two-digit year, this century") << "7/20/04" << QDate(2004, 7, 20);
    QTest::newRow("two-digit year, last century") << "1/2/30" << QDate(1930, 1, 2);
    QTest::newRow("iso") << "2026-12-09" << QDate(2026, 12, 9);
    QTest::newRow("no such day") << "2/30/2026" << QDate();
    QTest::newRow("month 13") << "13/1/2026" << QDate();
    QTest::newRow("three-digit year") << "1/2/202" << QDate();
    QTest::newRow("words") << "tomorrow" << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void tst_values::parseShortDate() {
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    QCOMPARE(ParseShortDate(text), expected);
}

void tst_values::shortDateRoundTrip() {
    // Every day of a leap year reads back as the day it was written from.
    for (QDate d(2024, 1, 1); d.year() == 2024; d = d.addDays(1))
        QCOMPARE(ParseShortDate(ShortDate(d)), d);
}

QTEST_APPLESS_MAIN(tst_values)
#include "tst_values.moc"
