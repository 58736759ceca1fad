// The desktop engine's SQL as the windows write it, translated for SQLite and for the
// PostgreSQL server, and the engine's Like matching on both.

#include "core/AppError.h"
#include "data/JetDialect.h"
#include "data/PostgresDialect.h"

#include <QtTest>

class TestDialect : public QObject {
    Q_OBJECT

private slots:
    void translates_data();
    void translates();
    void rejects_data();
    void rejects();
    void like_data();
    void like();
    void likeAsServerRegex_data() { like_data(); }
    void likeAsServerRegex();
    void translatesForServer_data();
    void translatesForServer();
    void likeWithManyRunsOnLongText();
    void bindsComparedNumbers_data();
    void bindsComparedNumbers();
};

void TestDialect::translates_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");

    // Date literals become ISO text, the form dates are stored in.
    QTest::newRow("order navigator date range")
        << "SELECT * FROM Orders WHERE Orders.OrderDate >= #1/5/2004# AND Orders.OrderDate <= #12/31/2004#"
        << "SELECT * FROM Orders WHERE Orders.OrderDate >= '2004-01-05' AND Orders.OrderDate <= '2004-12-31'";
    QTest::newRow("date with hours and minutes") << "WHERE DateAdded >= #12/9/2026 14:30#"
                                                 << "WHERE DateAdded >= '2026-12-09 14:30:00'";
    QTest::newRow("date with seconds, afternoon") << "WHERE DateAdded < #12/9/2026 2:30:15 PM#"
                                                  << "WHERE DateAdded < '2026-12-09 14:30:15'";
    QTest::newRow("texts joined") << "SELECT Name & ' ' & Type FROM Style WHERE Note = 'a & b'"
                                  << "SELECT Name || ' ' || Type FROM Style WHERE Note = 'a & b'";
    QTest::newRow("date just after midnight") << "x = #1/2/2003 12:05 am#" << "x = '2003-01-02 00:05:00'";
    QTest::newRow("date at noon") << "x = #1/2/2003 12:00 PM#" << "x = '2003-01-02 12:00:00'";
    QTest::newRow("date at midnight is the plain date") << "x = #1/1/2000 0:00#" << "x = '2000-01-01'";
    QTest::newRow("ISO date") << "x = #2026-12-09#" << "x = '2026-12-09'";
    QTest::newRow("month-day-year with dashes") << "x = #12-9-2026#" << "x = '2026-12-09'";
    QTest::newRow("two-digit year, this century") << "x = #3/4/05#" << "x = '2005-03-04'";
    QTest::newRow("two-digit year, last century") << "x = #3/4/85#" << "x = '1985-03-04'";
    QTest::newRow("leap day") << "x = #2/29/2004#" << "x = '2004-02-29'";
    QTest::newRow("blanks inside the signs") << "x = # 7/20/2004 #" << "x = '2004-07-20'";
    QTest::newRow("date against an operator") << "OrderDate>=#1/1/2004#AND 1=1" << "OrderDate>='2004-01-01'AND 1=1";
    QTest::newRow("time alone falls on day zero") << "x = #14:30#" << "x = '1899-12-30 14:30:00'";

    // TOP n becomes LIMIT n at the end of its own SELECT.
    QTest::newRow("new shipment row") << "SELECT TOP 1 *  FROM Shipments" << "SELECT *  FROM Shipments LIMIT 1";
    QTest::newRow("new payment row") << "SELECT TOP 1 * FROM Payments" << "SELECT * FROM Payments LIMIT 1";
    QTest::newRow("top before a semicolon and blanks") << "SELECT TOP 5 ID FROM Orders ORDER BY ID DESC ;"
                                                       << "SELECT ID FROM Orders ORDER BY ID DESC LIMIT 5 ;";
    QTest::newRow("top with trailing blank") << "SELECT TOP 2 ID FROM Orders " << "SELECT ID FROM Orders LIMIT 2 ";
    QTest::newRow("distinct top") << "SELECT DISTINCT TOP 3 Name FROM Style ORDER BY Name"
                                  << "SELECT DISTINCT Name FROM Style ORDER BY Name LIMIT 3";
    QTest::newRow("lower case, blanks kept") << "select   top 2   *   from   x" << "select   *   from   x LIMIT 2";
    QTest::newRow("top inside a subquery")
        << "SELECT * FROM Orders WHERE ID IN (SELECT TOP 2 OrderID FROM OrderItems ORDER BY Qty DESC) ORDER BY ID"
        << "SELECT * FROM Orders WHERE ID IN (SELECT OrderID FROM OrderItems ORDER BY Qty DESC LIMIT 2) ORDER BY ID";
    QTest::newRow("top outside and inside")
        << "SELECT TOP 1 ID FROM Orders WHERE ID NOT IN (SELECT TOP 3 OrderID FROM OrdersInvoiced) ORDER BY ID"
        << "SELECT ID FROM Orders WHERE ID NOT IN (SELECT OrderID FROM OrdersInvoiced LIMIT 3) ORDER BY ID LIMIT 1";
    QTest::newRow("top with a subquery in the select list")
        << "SELECT TOP 1 ID,(SELECT SUM(Amount) FROM Payments WHERE Invoice = Invoice.ID) AS Paid FROM Invoice"
        << "SELECT ID,(SELECT SUM(Amount) FROM Payments WHERE Invoice = Invoice.ID) AS Paid FROM Invoice LIMIT 1";
    QTest::newRow("top before union") << "SELECT TOP 1 ID FROM Orders UNION SELECT ID FROM Invoice"
                                      << "SELECT * FROM (SELECT ID FROM Orders LIMIT 1) UNION SELECT ID FROM Invoice";
    QTest::newRow("top directly before star") << "SELECT TOP 1* FROM x" << "SELECT * FROM x LIMIT 1";

    // SELECT ... INTO makes a table.
    QTest::newRow("glue line stations table")
        << "SELECT Station,NonArmPerHour As Rate Into tmpGlueLineMain From Operation, Data Where ReportType = 'Glue Line'"
        << "CREATE TABLE tmpGlueLineMain AS SELECT Station,NonArmPerHour As Rate From Operation, Data Where ReportType = "
           "'Glue Line'";
    QTest::newRow("select into a bracketed name") << "SELECT ID INTO [tmp Ids] FROM Orders"
                                                  << "CREATE TABLE [tmp Ids] AS SELECT ID FROM Orders";
    QTest::newRow("select into with a subquery before it")
        << "SELECT (SELECT MAX(ID) FROM Invoice) AS Last INTO tmpLast FROM Data"
        << "CREATE TABLE tmpLast AS SELECT (SELECT MAX(ID) FROM Invoice) AS Last FROM Data";
    QTest::newRow("select into with top") << "SELECT TOP 2 ID INTO tmpTwo FROM Orders ORDER BY ID"
                                          << "CREATE TABLE tmpTwo AS SELECT ID FROM Orders ORDER BY ID LIMIT 2";
    QTest::newRow("insert into stays") << "INSERT INTO OrdersInvoiced (OrderID) SELECT ID FROM Orders"
                                       << "INSERT INTO OrdersInvoiced (OrderID) SELECT ID FROM Orders";

    // DELETE * FROM is DELETE FROM.
    QTest::newRow("style component delete") << "DELETE * FROM StyleComponent WHERE ID = 7"
                                            << "DELETE FROM StyleComponent WHERE ID = 7";
    QTest::newRow("delete table star") << "DELETE Orders.* FROM Orders WHERE ID = 3" << "DELETE FROM Orders WHERE ID = 3";
    QTest::newRow("delete star lower case") << "delete *from x" << "delete from x";
    QTest::newRow("shipment lines delete") << "DELETE FROM ShipmentItems WHERE ShipmentID = 12"
                                           << "DELETE FROM ShipmentItems WHERE ShipmentID = 12";

    // Yes/no literals.
    QTest::newRow("true and false") << "WHERE Component.Test = True AND Bun.OffAll = false"
                                    << "WHERE Component.Test = 1 AND Bun.OffAll = 0";
    QTest::newRow("true against an operator") << "WHERE Arm=TRUE" << "WHERE Arm=1";

    // Literal texts and bracketed names are never touched.
    QTest::newRow("date inside a string") << "SELECT * FROM Orders WHERE OrderNumber = '#1/1/2000#'"
                                          << "SELECT * FROM Orders WHERE OrderNumber = '#1/1/2000#'";
    QTest::newRow("delete inside a string") << "SELECT * FROM Customer WHERE Customer = 'DELETE * FROM x'"
                                            << "SELECT * FROM Customer WHERE Customer = 'DELETE * FROM x'";
    QTest::newRow("true inside a string") << "SELECT * FROM Customer WHERE Customer = 'True'"
                                          << "SELECT * FROM Customer WHERE Customer = 'True'";
    QTest::newRow("top and into inside a string") << "SELECT * FROM Style WHERE Name = 'SELECT TOP 1 a INTO b'"
                                                  << "SELECT * FROM Style WHERE Name = 'SELECT TOP 1 a INTO b'";
    QTest::newRow("true in brackets") << "SELECT [True] FROM x" << "SELECT [True] FROM x";
    QTest::newRow("true as a column after a dot") << "SELECT t.True FROM t" << "SELECT t.True FROM t";
    QTest::newRow("doubled quotes inside a string") << "WHERE Customer = 'O''Brien #1 True'"
                                                    << "WHERE Customer = 'O''Brien #1 True'";
    QTest::newRow("double-quoted text becomes single-quoted") << "WHERE Name = \"O'Brien \"\"Big\"\"\""
                                                              << "WHERE Name = 'O''Brien \"Big\"'";

    // Everything else passes as written.
    const char *const asWritten[] = {
        "SELECT OrderItems.OrderID,ItemNumber,OrderItems.Qty AS Ordered,SUM(ShipmentItems.qty) As Shipped From "
        "(OrderItems LEFT JOIN ShipmentItems ON OrderItems.OrderID = ShipmentItems.OrderID AND OrderItems.ItemNumber = "
        "ShipmentItems.OrderLineItem) WHERE OrderItems.OrderID = 4 Group By OrderItems.OrderID, ItemNumber,OrderItems.qty ",
        "SELECT Invoice.Customer,Invoice.ID,(SELECT SUM(Amount) + SUm(Adjustment) FROM Payments WHERE Invoice = "
        "Invoice.ID) AS Paid FROM Invoice ORDER BY Invoice.Customer,Invoice.ID",
        "SELECT ID,OrderNumber, OrderDate FROM Orders WHERE Customer = 'Acme' AND ID NOT IN (SELECT OrderID FROM "
        "OrdersInvoiced) ORDER BY Orders.OrderNumber",
        "SELECT Orders.ID,Total,LaborCostPerHour FROM Orders,Data WHERE Orders.ID = 3",
        "SELECT OrderID,ItemNumber FROM OrderItems LEFT JOIN Style ON OrderItems.StyleID = Style.ID WHERE ORDERID = 3",
        "Where [Operation].[ReportType] = 'Glue Line' AND Orders.ID = 3 Group By StyleOperation.OperationID",
        "SELECT * FROM Orders WHERE Orders.OrderNumber Like '*12*' ORDER BY Orders.Customer, Orders.OrderNumber",
        "SELECT ID FROM Invoice ORDER BY ID DESC",
        "SELECT DISTINCT Name FROM Style WHERE Customer = 'Acme' ORDER BY Name",
        "SELECT Amount, Adjustment FROM Payments WHERE Invoice =5",
        "DROP TABLE tmpGlueLineMain",
        "UPDATE Orders SET Status = 'Closed' WHERE ID = 9",
        "SELECT a FROM t WHERE x <> 1 AND y <= 2.5 AND z >= .5e3",
        "",
    };
    for (const char *sql : asWritten) {
        const QString text = QString::fromUtf8(sql);
        QTest::newRow(qPrintable(QStringLiteral("as written: ") + text.left(48))) << text << text;
    }
}

void TestDialect::translates() {
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(JetDialect::translate(jet), sqlite);
    // A second translation of the same text (from the cache) is the same.
    QCOMPARE(JetDialect::translate(jet), sqlite);
}

void TestDialect::rejects_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("message");

    const QString plain = QStringLiteral("Syntax error in query expression '");
    const QString date = QStringLiteral("Syntax error in date in query expression '");
    QTest::newRow("name with an unescaped quote") << "SELECT * FROM Customer WHERE Customer = 'O'Brien'" << plain;
    QTest::newRow("unterminated string") << "SELECT * FROM Customer WHERE Customer = 'Acme" << plain;
    QTest::newRow("unterminated double-quoted text") << "SELECT * FROM Customer WHERE Customer = \"Acme" << plain;
    QTest::newRow("unterminated bracket") << "SELECT [Name FROM Style" << plain;
    QTest::newRow("unterminated date") << "SELECT * FROM Orders WHERE OrderDate >= #1/1/2004" << plain;
    QTest::newRow("month thirteen") << "SELECT * FROM Orders WHERE OrderDate >= #13/1/2004#" << date;
    QTest::newRow("no February 30") << "SELECT * FROM Orders WHERE OrderDate >= #2/30/2004#" << date;
    QTest::newRow("no leap day in 2003") << "SELECT * FROM Orders WHERE OrderDate >= #2/29/2003#" << date;
    QTest::newRow("words between the signs") << "SELECT * FROM Orders WHERE OrderDate >= #today#" << date;
    QTest::newRow("empty date") << "SELECT * FROM Orders WHERE OrderDate >= ##" << date;
    QTest::newRow("hour 25") << "SELECT * FROM Orders WHERE OrderDate >= #1/1/2004 25:00#" << date;
    QTest::newRow("13 PM") << "SELECT * FROM Orders WHERE OrderDate >= #1/1/2004 13:00 PM#" << date;
    QTest::newRow("three-digit year") << "SELECT * FROM Orders WHERE OrderDate >= #1/1/204#" << date;
    QTest::newRow("top without a count") << "SELECT TOP * FROM Orders" << plain;
    QTest::newRow("top with a fraction") << "SELECT TOP 1.5 * FROM Orders" << plain;
    QTest::newRow("select into without a name") << "SELECT ID INTO FROM Orders" << plain;
    QTest::newRow("number beyond a double") << "UPDATE Orders SET Total = 1e400 WHERE ID = 1"
                                            << "Overflow in query expression '";
    QTest::newRow("unterminated comment") << "DELETE FROM Orders /* WHERE ID = 1" << plain;
    QTest::newRow("top percent") << "SELECT TOP 10 PERCENT * FROM Orders"
                                 << "TOP n PERCENT is not supported in query expression '";
}

void TestDialect::rejects() {
    QFETCH(QString, jet);
    QFETCH(QString, message);
    for (int attempt = 0; attempt < 2; ++attempt) {  // a failure is never cached as a translation
        try {
            const QString translated = JetDialect::translate(jet);
            QFAIL(qPrintable(QStringLiteral("translated to: ") + translated));
        } catch (const AppError &e) {
            QCOMPARE(e.number(), ErrorNumber::SyntaxError);
            QCOMPARE(e.description(), message + jet + QStringLiteral("'."));
        }
    }
}

void TestDialect::like_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");

    // The engine's own examples.
    QTest::newRow("# is one digit") << "a0a" << "a#a" << true;
    QTest::newRow("# is only one digit") << "a10a" << "a#a" << false;
    QTest::newRow("# is no letter") << "aba" << "a#a" << false;
    QTest::newRow("[*] is a star") << "a*a" << "a[*]a" << true;
    QTest::newRow("[*] is no wildcard") << "aXa" << "a[*]a" << false;
    QTest::newRow("case ignored around stars") << "AABB" << "*ab*" << true;

    // Order-number searches.
    QTest::newRow("text anywhere") << "PO-1234" << "*12*" << true;
    QTest::newRow("text alone") << "12" << "*12*" << true;
    QTest::newRow("text split") << "1-2" << "*12*" << false;
    QTest::newRow("empty search matches all") << "PO-1234" << "**" << true;
    QTest::newRow("empty text, star") << "" << "*" << true;
    QTest::newRow("empty text, empty pattern") << "" << "" << true;
    QTest::newRow("empty text, one character") << "" << "?" << false;
    QTest::newRow("text, empty pattern") << "abc" << "" << false;

    QTest::newRow("? one character") << "abc" << "a?c" << true;
    QTest::newRow("? not zero characters") << "ac" << "a?c" << false;
    QTest::newRow("whole text must match") << "abcd" << "abc" << false;
    QTest::newRow("prefix") << "Smithers" << "smith*" << true;
    QTest::newRow("suffix") << "Blacksmith" << "*SMITH" << true;
    QTest::newRow("star resumes later") << "abxbyd" << "a*b?d" << true;
    QTest::newRow("star finds nothing") << "abcbd" << "a*b?d" << false;
    QTest::newRow("several runs") << "aXbXc" << "a*b*c" << true;
    QTest::newRow("runs out of order") << "aXcXb" << "a*b*c" << false;

    QTest::newRow("percent is ordinary") << "50%" << "50%" << true;
    QTest::newRow("percent is no wildcard") << "500" << "50%" << false;
    QTest::newRow("underscore is ordinary") << "a_c" << "a_c" << true;
    QTest::newRow("underscore is no wildcard") << "abc" << "a_c" << false;

    QTest::newRow("list") << "b" << "[abc]" << true;
    QTest::newRow("list, not listed") << "x" << "[abc]" << false;
    QTest::newRow("range") << "q" << "[a-z]" << true;
    QTest::newRow("range ignores case") << "Q" << "[a-z]" << true;
    QTest::newRow("upper range ignores case") << "q" << "[A-Z]" << true;
    QTest::newRow("range of digits") << "3" << "[0-5]" << true;
    QTest::newRow("outside the range of digits") << "7" << "[0-5]" << false;
    QTest::newRow("not in range") << "7" << "[!a-z]" << true;
    QTest::newRow("in the excluded range") << "m" << "[!a-z]" << false;
    QTest::newRow("excluded range ignores case") << "M" << "[!a-z]" << false;
    QTest::newRow("two ranges") << "K" << "[a-cj-l]" << true;
    QTest::newRow("dash at the end is listed") << "-" << "[a-]" << true;
    QTest::newRow("dash alone") << "a-b" << "a[-]b" << true;
    QTest::newRow("[[] is a bracket") << "a[b" << "a[[]b" << true;
    QTest::newRow("[?] is a question mark") << "a?" << "a[?]" << true;
    QTest::newRow("[?] is no wildcard") << "ab" << "a[?]" << false;
    QTest::newRow("[#] is a number sign") << "No#5" << "No[#]#" << true;
    QTest::newRow("closing bracket is ordinary") << "a]" << "a]" << true;
    QTest::newRow("empty list takes nothing") << "ab" << "a[]b" << true;
    QTest::newRow("exclamation alone is listed") << "a!b" << "a[!]b" << true;
    QTest::newRow("unclosed bracket stands for itself") << "a[b" << "a[b" << true;
    QTest::newRow("accented letters ignore case") << QStringLiteral("\u00e9clair") << QStringLiteral("\u00c9*") << true;
    QTest::newRow("list then star") << "B-200" << "[ab]-*" << true;
}

void TestDialect::like() {
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(JetDialect::like(text, pattern), matches);
}

// The server matches Like by a regular expression made from the pattern: every row of
// the engine's own examples holds there too.
void TestDialect::likeAsServerRegex() {
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    const QRegularExpression regex(PostgresDialect::likeRegex(pattern),
                                   QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QVERIFY2(regex.isValid(), qPrintable(PostgresDialect::likeRegex(pattern)));
    QCOMPARE(regex.match(text).hasMatch(), matches);
}

void TestDialect::translatesForServer_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("server");
    QTest::newRow("names in the catalogue's spelling") << "SELECT orderid, [Customer] FROM orderitems o, Orders"
                                                       << "SELECT \"OrderID\", \"Customer\" FROM \"OrderItems\" o, \"Orders\"";
    QTest::newRow("INSERT INTO t (...)") << "INSERT INTO Bun (ID) VALUES ('B1')" << "INSERT INTO \"Bun\" (\"ID\") VALUES ('B1')";
    QTest::newRow("functions stay") << "SELECT Count(*), Sum(Qty) AS TotalQty FROM OrderItems"
                                    << "SELECT Count(*), Sum(\"Qty\") AS TotalQty FROM \"OrderItems\"";
    QTest::newRow("Like") << "SELECT * FROM Orders WHERE Orders.OrderNumber Like 'A*#'"
                          << "SELECT * FROM \"Orders\" WHERE (\"Orders\".\"OrderNumber\" COLLATE quelby_text) ~* '^A.*[0-9]$'";
    QTest::newRow("Not Like, quote in the pattern") << "SELECT ID FROM Customer WHERE Customer Not Like 'O''B*'"
                                                    << "SELECT \"ID\" FROM \"Customer\" WHERE (\"Customer\" COLLATE quelby_text) !~* '^O''B.*$'";
    QTest::newRow("Like of a joined pattern") << "SELECT ID FROM Orders WHERE Status Like 'O' & '*'"
                                              << "SELECT \"ID\" FROM \"Orders\" WHERE (\"Status\" COLLATE quelby_text) ~* "
                                                 "(SELECT pg_temp.quelby_like_regex('O' || '*'))";
    QTest::newRow("IIf") << "SELECT IIf(Qty > 1, 'many', IIf(Qty = 1, 'one', 'none')) FROM OrderItems"
                         << "SELECT CASE WHEN \"Qty\" > 1 THEN  'many' ELSE  CASE WHEN \"Qty\" = 1 THEN  'one' ELSE  'none' END END "
                            "FROM \"OrderItems\"";
    QTest::newRow("subquery named") << "SELECT COUNT(*) FROM (SELECT Invoice FROM InvoiceOrders GROUP BY Invoice)"
                                    << "SELECT COUNT(*) FROM (SELECT \"Invoice\" FROM \"InvoiceOrders\" GROUP BY \"Invoice\") AS quelby_sub1";
    QTest::newRow("SELECT INTO a private table") << "SELECT Customer INTO tmpSummary FROM Customer"
                                                 << "CREATE TEMP TABLE tmpSummary AS SELECT \"Customer\" FROM \"Customer\"";
    QTest::newRow("dates, TOP, True") << "SELECT TOP 2 * FROM Bun WHERE OffAll = True AND #3/5/2024# < Now"
                                      << "SELECT * FROM \"Bun\" WHERE \"OffAll\" = 1 AND '2024-03-05' < Now LIMIT 2";
}

void TestDialect::translatesForServer() {
    QFETCH(QString, jet);
    QFETCH(QString, server);
    QCOMPARE(PostgresDialect::translate(jet), server);
}

void TestDialect::likeWithManyRunsOnLongText() {
    // A matcher that tries every split of the text between the stars never finishes
    // these; the engine's matcher must answer.
    const QString text(20000, QLatin1Char('a'));
    const QString pattern = QStringLiteral("*a").repeated(40) + QStringLiteral("*b");
    QVERIFY(!JetDialect::like(text, pattern));
    QVERIFY(JetDialect::like(text + QLatin1Char('b'), pattern));
    QVERIFY(JetDialect::like(text + QLatin1Char('B'), pattern));
}

// Numbers and texts compared in filters become bound values; everything else stays in the text.
void TestDialect::bindsComparedNumbers_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariantList>("values");
    QTest::newRow("lookup") << "SELECT * FROM Orders WHERE ID=7" << "SELECT * FROM Orders WHERE ID=?" << QVariantList{7LL};
    QTest::newRow("two and a decimal") << "SELECT * FROM OrderItems WHERE OrderID = 12 AND Qty >= 2.5"
                                       << "SELECT * FROM OrderItems WHERE OrderID = ? AND Qty >= ?" << QVariantList{12LL, 2.5};
    QTest::newRow("not equal") << "DELETE FROM Style WHERE ID <> 3" << "DELETE FROM Style WHERE ID <> ?" << QVariantList{3LL};
    QTest::newRow("set clause") << "UPDATE Orders SET Total = 0 WHERE ID = 4" << "UPDATE Orders SET Total = ? WHERE ID = ?"
                                << QVariantList{0LL, 4LL};
    QTest::newRow("beyond a whole number") << "SELECT * FROM Orders WHERE ID < 99999999999999999999"
                                           << "SELECT * FROM Orders WHERE ID < ?" << QVariantList{1e20};
    QTest::newRow("in the select list") << "SELECT ID = 1 AS First FROM Orders" << "SELECT ID = 1 AS First FROM Orders" << QVariantList{};
    QTest::newRow("quoted") << "SELECT * FROM Orders WHERE OrderNumber = '12' AND Customer = \"a=\"\"1\""
                            << "SELECT * FROM Orders WHERE OrderNumber = ? AND Customer = ?" << QVariantList{"12", "a=\"1"};
    QTest::newRow("quote doubled, Like") << "SELECT * FROM Customer WHERE Customer = 'O''Brien' OR Customer Not Like '*?[#]'"
                                         << "SELECT * FROM Customer WHERE Customer = ? OR Customer Not Like ?"
                                         << QVariantList{"O'Brien", "*?[#]"};
    QTest::newRow("texts not compared") << "INSERT INTO Bun (ID, Grade) VALUES ('B=1', 'x') "
                                        << "INSERT INTO Bun (ID, Grade) VALUES ('B=1', 'x') " << QVariantList{};
    QTest::newRow("after a subquery in the select list")
        << "SELECT (SELECT Count(*) FROM Orders WHERE Status = 'Open') AS n, IIf(Days = 30, 'a', 'b') AS t FROM Customer "
           "WHERE Terms <> ''"
        << "SELECT (SELECT Count(*) FROM Orders WHERE Status = ?) AS n, IIf(Days = 30, 'a', 'b') AS t FROM Customer "
           "WHERE Terms <> ?"
        << QVariantList{"Open", ""};
    QTest::newRow("bracketed and dated") << "SELECT * FROM [T=1] WHERE OrderDate = #1/2/2024#"
                                         << "SELECT * FROM [T=1] WHERE OrderDate = #1/2/2024#" << QVariantList{};
    QTest::newRow("negative and top") << "SELECT TOP 5 * FROM Orders WHERE Total > -5" << "SELECT TOP 5 * FROM Orders WHERE Total > -5"
                                      << QVariantList{};
    QTest::newRow("a marker of its own") << "SELECT * FROM Orders WHERE ID = 1 AND Customer = ?"
                                         << "SELECT * FROM Orders WHERE ID = 1 AND Customer = ?" << QVariantList{};
    QTest::newRow("subquery filter") << "SELECT * FROM Orders WHERE ID IN (SELECT OrderID FROM OrderItems WHERE StyleID = 9)"
                                     << "SELECT * FROM Orders WHERE ID IN (SELECT OrderID FROM OrderItems WHERE StyleID = ?)"
                                     << QVariantList{9LL};
}

void TestDialect::bindsComparedNumbers() {
    QFETCH(QString, sql);
    QFETCH(QString, text);
    QFETCH(QVariantList, values);
    const JetDialect::BoundValues bound = JetDialect::bindComparedValues(sql);
    QCOMPARE(bound.text, text);
    QCOMPARE(QVariantList(bound.values.begin(), bound.values.end()), values);
}

QTEST_GUILESS_MAIN(TestDialect)
#include "tst_dialect.moc"
