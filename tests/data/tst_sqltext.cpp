// Typed values placed into SQL text: quotes doubled so names such as O'Brien are stored
// and found, wildcards bracketed in Like fragments, dates as the engine's literals, and
// record IDs read one way wherever they reach a statement.

#include "core/AppError.h"
#include "data/JetDialect.h"
#include "data/RecordId.h"
#include "data/SqlText.h"

#include <QtTest>

class TestSqlText : public QObject {
    Q_OBJECT

private slots:
    void quoting_data();
    void quoting();
    void likeFragment_data();
    void likeFragment();
    void dateLiteral_data();
    void dateLiteral();
    void recordId_data();
    void recordId();
};

void TestSqlText::quoting_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("escaped");

    QTest::newRow("plain name") << "Acme Foam" << "Acme Foam";
    QTest::newRow("apostrophe") << "O'Brien" << "O''Brien";
    QTest::newRow("apostrophes at both ends") << "'quoted'" << "''quoted''";
    QTest::newRow("two together") << "a''b" << "a''''b";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("wildcards stay for equality") << "No. #5 * [x]" << "No. #5 * [x]";
    QTest::newRow("double quote stays") << "12\" cushion" << "12\" cushion";
}

void TestSqlText::quoting() {
    QFETCH(QString, typed);
    QFETCH(QString, escaped);
    QCOMPARE(SqlText::Escaped(typed), escaped);
    QCOMPARE(SqlText::Quoted(typed), QLatin1Char('\'') + escaped + QLatin1Char('\''));

    // The lookup a window builds reads as one literal: the translator passes it whole.
    const QString lookup = QStringLiteral("SELECT * FROM Customer WHERE Customer = ") + SqlText::Quoted(typed);
    QCOMPARE(JetDialect::translate(lookup), lookup);
}

void TestSqlText::likeFragment_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<QString>("orderNumber");
    QTest::addColumn<bool>("found");

    QTest::newRow("plain digits") << "12" << "12" << "PO-1234" << true;
    QTest::newRow("star typed") << "A*B" << "A[*]B" << "xxA*Byy" << true;
    QTest::newRow("star typed is no wildcard") << "A*B" << "A[*]B" << "xxAzzByy" << false;
    QTest::newRow("question mark typed") << "5?" << "5[?]" << "Rush 5?" << true;
    QTest::newRow("question mark is no wildcard") << "5?" << "5[?]" << "Rush 56" << false;
    QTest::newRow("number sign typed") << "#7" << "[#]7" << "Lot #7" << true;
    QTest::newRow("number sign is no digit") << "#7" << "[#]7" << "Lot 77" << false;
    QTest::newRow("bracket typed") << "[A]" << "[[]A]" << "Job [A] 4" << true;
    QTest::newRow("bracket is no list") << "[A]" << "[[]A]" << "Job A 4" << false;
    QTest::newRow("percent and underscore stay") << "5%_" << "5%_" << "Promo 5%_x" << true;
    QTest::newRow("case ignored") << "po" << "po" << "PO-1" << true;
}

void TestSqlText::likeFragment() {
    QFETCH(QString, typed);
    QFETCH(QString, fragment);
    QFETCH(QString, orderNumber);
    QFETCH(bool, found);
    QCOMPARE(SqlText::LikeFragment(typed), fragment);
    QCOMPARE(JetDialect::like(orderNumber, QLatin1Char('*') + SqlText::LikeFragment(typed) + QLatin1Char('*')), found);
}

void TestSqlText::dateLiteral_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("literal");
    QTest::addColumn<QString>("stored");

    QTest::newRow("single-digit month and day") << QDate(2004, 7, 2) << "#7/2/2004#" << "'2004-07-02'";
    QTest::newRow("December") << QDate(2026, 12, 9) << "#12/9/2026#" << "'2026-12-09'";
    QTest::newRow("leap day") << QDate(2024, 2, 29) << "#2/29/2024#" << "'2024-02-29'";
    QTest::newRow("last day of the year") << QDate(1999, 12, 31) << "#12/31/1999#" << "'1999-12-31'";
    QTest::newRow("no date compares as nothing") << QDate() << "Null" << "Null";
}

void TestSqlText::dateLiteral() {
    QFETCH(QDate, date);
    QFETCH(QString, literal);
    QFETCH(QString, stored);
    QCOMPARE(SqlText::DateLiteral(date), literal);
    QCOMPARE(JetDialect::translate(QStringLiteral("WHERE Shipments.Date >= ") + SqlText::DateLiteral(date)),
             QStringLiteral("WHERE Shipments.Date >= ") + stored);
}

void TestSqlText::recordId_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("placed");  // "" where the text is no ID

    QTest::newRow("an ID") << "1200" << "1200";
    QTest::newRow("blanks around") << " 42 " << "42";
    QTest::newRow("leading zeros") << "007" << "7";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("a condition") << "7 OR 1=1" << "";
    QTest::newRow("a quote") << "1'" << "";
    QTest::newRow("a decimal") << "1.5" << "";
    QTest::newRow("a sign") << "-3" << "";
    QTest::newRow("past the range") << "99999999999999999999" << "";
}

void TestSqlText::recordId() {
    QFETCH(QString, text);
    QFETCH(QString, placed);
    // A text that is no ID places 0, which finds no row, or is refused where an ID is required.
    QCOMPARE(RecordId::Sql(text), placed.isEmpty() ? QStringLiteral("0") : placed);
    if (!placed.isEmpty()) {
        QCOMPARE(QString::number(RecordId::Require(text, QStringLiteral("an order"))), placed);
        return;
    }
    try {
        RecordId::Require(text, QStringLiteral("an order"));
        QFAIL("a text that is no ID was taken");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), 13);
        QVERIFY(e.description().contains(QStringLiteral("'") + text + QStringLiteral("'")));
    }
}

QTEST_GUILESS_MAIN(TestSqlText)
#include "tst_sqltext.moc"
