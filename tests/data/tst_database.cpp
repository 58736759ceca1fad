// The data layer as every window relies on it: updatable sets, auto-numbers, fields by
// name, conversion of typed text, transactions, opening files.

#include "core/AppError.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/SqlText.h"
#include "tests/support/Fixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_Database : public QObject {
    Q_OBJECT

private:
    static int errorNumberOf(const std::function<void()> &f) {
        try {
            f();
        } catch (const AppError &e) {
            return e.number();
        }
        return 0;
    }

private slots:
    void updatableShapes_data();
    void updatableShapes();
    void newIdReadableAtOnceAndKept();
    void cancelledNewRowKeepsItsNumber();
    void twoConnectionsAppendingGetDistinctIds();
    void fieldsByNameAndOrigin();
    void nullsReadAsNull();
    void conversionOfTypedText_data();
    void conversionOfTypedText();
    void conversionErrorNamesColumnAndValue();
    void midnightIsWithinItsDay();
    void emptySetFlags();
    void editChangesOnlyCurrentRow();
    void executeStatements();
    void transactionRollsBackUnlessCommitted();
    void nestedTransactionJoinsOuter();
    void quotedNamesAreStoredAndFound();
    void openRefusesMissingOrForeignFiles();
};

void tst_Database::updatableShapes_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("updatable");
    QTest::newRow("whole table") << "SELECT * FROM Orders" << true;
    QTest::newRow("where") << "SELECT * FROM Customer WHERE Customer = 'Vedu'" << true;
    QTest::newRow("top 1") << "SELECT TOP 1 * FROM Orders WHERE ID = 1" << true;
    QTest::newRow("order by") << "select * from Style order by Name" << true;
    QTest::newRow("join") << "SELECT * FROM Orders LEFT JOIN OrderItems ON Orders.ID = OrderItems.OrderID" << false;
    QTest::newRow("comma join") << "SELECT * FROM Orders,Data" << false;
    QTest::newRow("columns") << "SELECT ID, Customer FROM Orders" << false;
    QTest::newRow("group") << "SELECT Customer, SUM(Total) AS T FROM Orders GROUP BY Customer" << false;
}

void tst_Database::updatableShapes() {
    QFETCH(QString, sql);
    QFETCH(bool, updatable);
    TestDatabase db;
    auto rs = AppDatabase().openRecordset(sql);
    QCOMPARE(rs->updatable(), updatable);
    if (!updatable) QCOMPARE(errorNumberOf([&] { rs->addNew(); }), ErrorNumber::NotUpdatable);
}

void tst_Database::newIdReadableAtOnceAndKept() {
    TestDatabase db;
    auto rs = AppDatabase().openRecordset("SELECT * FROM Orders");
    rs->addNew();
    const qlonglong first = rs->field("ID").toLongLong();
    QVERIFY(first > 0);
    rs->setField("OrderNumber", "PO-1");
    rs->update();
    rs->addNew();
    const qlonglong second = rs->field("id").toLongLong();
    rs->setField("OrderNumber", "PO-2");
    rs->update();
    QVERIFY(second > first);
    QCOMPARE(db.scalar(QString("SELECT OrderNumber FROM Orders WHERE ID = %1").arg(first)).toString(), QString("PO-1"));
    QCOMPARE(db.scalar(QString("SELECT OrderNumber FROM Orders WHERE ID = %1").arg(second)).toString(), QString("PO-2"));
}

void tst_Database::cancelledNewRowKeepsItsNumber() {
    TestDatabase db;
    qlonglong abandoned = 0;
    {
        auto rs = AppDatabase().openRecordset("SELECT * FROM Invoice");
        rs->addNew();
        abandoned = rs->field("ID").toLongLong();
    }
    auto rs = AppDatabase().openRecordset("SELECT * FROM Invoice");
    rs->addNew();
    const qlonglong next = rs->field("ID").toLongLong();
    rs->update();
    QVERIFY(next > abandoned);
    QCOMPARE(db.count("Invoice"), 1);
}

void tst_Database::twoConnectionsAppendingGetDistinctIds() {
    // A second copy of the application appending at the same moment.
    TestDatabase db;
    auto other = Database::open(db.path());
    auto mine = AppDatabase().openRecordset("SELECT * FROM Shipments");
    auto theirs = other->openRecordset("SELECT * FROM Shipments");
    mine->addNew();
    theirs->addNew();
    const qlonglong myId = mine->field("ID").toLongLong();
    const qlonglong theirId = theirs->field("ID").toLongLong();
    QVERIFY(myId != theirId);
    theirs->setField("OrderID", 2);
    theirs->update();
    mine->setField("OrderID", 1);
    mine->update();
    QCOMPARE(db.scalar(QString("SELECT OrderID FROM Shipments WHERE ID = %1").arg(myId)).toInt(), 1);
    QCOMPARE(db.scalar(QString("SELECT OrderID FROM Shipments WHERE ID = %1").arg(theirId)).toInt(), 2);
}

void tst_Database::fieldsByNameAndOrigin() {
    TestDatabase db;
    db.exec("INSERT INTO Style (Customer, Name, Type, Cost, Price, Status) VALUES ('Vedu', 'Chair', 'Arm', 1, 2, 'Active')");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (1, 'C1', 4)");
    db.exec("INSERT INTO StyleComponent (StyleID, ComponentID, Qty) VALUES (1, 'C2', 2)");
    auto rs = AppDatabase().openRecordset(
        "SELECT Style.ID, StyleComponent.ID, Name, Qty AS Pieces FROM Style LEFT JOIN StyleComponent ON Style.ID = "
        "StyleComponent.StyleID WHERE StyleComponent.ComponentID = 'C2'");
    QVERIFY(!rs->eof());
    QCOMPARE(rs->field("Style.ID").toInt(), 1);
    QCOMPARE(rs->field("StyleComponent.ID").toInt(), 2);
    QCOMPARE(rs->field("styleCOMPONENT.id").toInt(), 2);
    QCOMPARE(rs->field("NAME").toString(), QString("Chair"));
    QCOMPARE(rs->field("pieces").toDouble(), 2.0);
    QCOMPARE(errorNumberOf([&] { rs->field("Nope"); }), ErrorNumber::ItemNotFound);
}

void tst_Database::nullsReadAsNull() {
    TestDatabase db;
    db.exec("INSERT INTO Customer (Customer) VALUES ('Vedu')");
    auto rs = AppDatabase().openRecordset("SELECT * FROM Customer WHERE Customer = 'vedu'");
    QVERIFY(!rs->eof());
    QVERIFY(rs->field("Address1").isNull());
    QVERIFY(rs->field("DateAdded").isNull());
    QCOMPARE(rs->text("Address1"), QString());
    QCOMPARE(rs->text("Customer"), QString("Vedu"));
}

void tst_Database::conversionOfTypedText_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<QVariant>("read");
    QTest::newRow("money with sign and separators") << "Total" << QVariant("$1,234.50") << QVariant(1234.5);
    QTest::newRow("money in parentheses") << "Total" << QVariant("(5)") << QVariant(-5.0);
    QTest::newRow("money rounded to 4 decimals") << "Total" << QVariant(1.234567) << QVariant(1.2346);
    QTest::newRow("blanks around a number") << "Total" << QVariant(" 12 ") << QVariant(12.0);
    QTest::newRow("date text m/d/yyyy") << "OrderDate" << QVariant("12/9/2026") << QVariant(QDate(2026, 12, 9));
    QTest::newRow("date value") << "DueDate" << QVariant(QDate(2027, 1, 31)) << QVariant(QDate(2027, 1, 31));
    QTest::newRow("text kept exactly") << "OrderNumber" << QVariant("  PO 7 ") << QVariant("  PO 7 ");
    QTest::newRow("number into text") << "OrderNumber" << QVariant(42) << QVariant("42");
}

void tst_Database::conversionOfTypedText() {
    QFETCH(QString, column);
    QFETCH(QVariant, written);
    QFETCH(QVariant, read);
    TestDatabase db;
    auto rs = AppDatabase().openRecordset("SELECT * FROM Orders");
    rs->addNew();
    const qlonglong id = rs->field("ID").toLongLong();
    rs->setField(column, written);
    rs->update();
    auto back = AppDatabase().openRecordset(QString("SELECT * FROM Orders WHERE ID = %1").arg(id));
    QCOMPARE(back->field(column), read);
}

void tst_Database::conversionErrorNamesColumnAndValue() {
    TestDatabase db;
    auto rs = AppDatabase().openRecordset("SELECT * FROM Component");
    rs->addNew();
    rs->setField("ID", "C1");
    rs->setField("Test", "True");
    rs->setField("Arm", false);
    try {
        rs->setField("Thickness", "thick");
        QFAIL("text that is no number was accepted");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), ErrorNumber::ConversionError);
        QVERIFY(e.description().startsWith("Data type conversion error"));
        QVERIFY(e.description().contains("Thickness"));
        QVERIFY(e.description().contains("thick"));
    }
    QCOMPARE(errorNumberOf([&] { rs->setField("Width", ""); }), ErrorNumber::ConversionError);
    QCOMPARE(errorNumberOf([&] { rs->setField("Tie", "maybe"); }), ErrorNumber::ConversionError);
    rs->update();
    QCOMPARE(db.scalar("SELECT Test FROM Component WHERE Test = True AND Arm = False").toInt(), 1);
}

void tst_Database::midnightIsWithinItsDay() {
    TestDatabase db;
    auto rs = AppDatabase().openRecordset("SELECT * FROM Customer");
    for (const auto &[name, when] : {std::pair{"Midnight", QDateTime(QDate(2026, 12, 9), QTime(0, 0))},
                                     std::pair{"Morning", QDateTime(QDate(2026, 12, 9), QTime(8, 30))},
                                     std::pair{"Next day", QDateTime(QDate(2026, 12, 10), QTime(0, 0))}}) {
        rs->addNew();
        rs->setField("Customer", name);
        rs->setField("DateAdded", when);
        rs->update();
    }
    QCOMPARE(db.count("Customer", "DateAdded <= #12/9/2026#"), 1);
    QCOMPARE(db.count("Customer", "DateAdded >= #12/9/2026# AND DateAdded < #12/10/2026#"), 2);
    auto back = AppDatabase().openRecordset("SELECT * FROM Customer WHERE Customer = 'Morning'");
    QCOMPARE(back->field("DateAdded").toDateTime(), QDateTime(QDate(2026, 12, 9), QTime(8, 30)));
}

void tst_Database::emptySetFlags() {
    TestDatabase db;
    auto rs = AppDatabase().openRecordset("SELECT * FROM Orders");
    QVERIFY(rs->eof());
    QVERIFY(rs->bof());
    QCOMPARE(errorNumberOf([&] { rs->moveNext(); }), ErrorNumber::NoCurrentRecord);
    QCOMPARE(errorNumberOf([&] { rs->field("ID"); }), ErrorNumber::NoCurrentRecord);
    db.exec("INSERT INTO Orders (OrderNumber) VALUES ('A')");
    db.exec("INSERT INTO Orders (OrderNumber) VALUES ('B')");
    auto two = AppDatabase().openRecordset("SELECT * FROM Orders ORDER BY OrderNumber");
    QVERIFY(!two->eof());
    QVERIFY(!two->bof());
    QStringList seen;
    for (; !two->eof(); two->moveNext()) seen << two->text("OrderNumber");
    QCOMPARE(seen, QStringList({"A", "B"}));
}

void tst_Database::editChangesOnlyCurrentRow() {
    TestDatabase db;
    db.exec("INSERT INTO Orders (OrderNumber, Status) VALUES ('A', 'Open')");
    db.exec("INSERT INTO Orders (OrderNumber, Status) VALUES ('B', 'Open')");
    auto rs = AppDatabase().openRecordset("SELECT TOP 1 * FROM Orders WHERE OrderNumber = 'b'");
    rs->edit();
    rs->setField("Status", "Void");
    QCOMPARE(rs->text("Status"), QString("Void"));  // the row being edited reads back its new value
    rs->update();
    QCOMPARE(db.scalar("SELECT Status FROM Orders WHERE OrderNumber = 'A'").toString(), QString("Open"));
    QCOMPARE(db.scalar("SELECT Status FROM Orders WHERE OrderNumber = 'B'").toString(), QString("Void"));
    QCOMPARE(errorNumberOf([&] { rs->update(); }), ErrorNumber::UpdateWithoutEdit);
}

void tst_Database::executeStatements() {
    TestDatabase db;
    db.exec("INSERT INTO Orders (OrderNumber, Total) VALUES ('A', 10)");
    db.exec("INSERT INTO Orders (OrderNumber, Total) VALUES ('B', 20)");
    AppDatabase().execute("SELECT OrderNumber, Total INTO tmpTotals FROM Orders WHERE Total > 15");
    QCOMPARE(db.count("tmpTotals"), 1);
    // A table made this way compares text without regard to case, as every other does.
    QCOMPARE(db.count("tmpTotals", "OrderNumber = 'b'"), 1);
    QCOMPARE(db.scalar("SELECT Total FROM tmpTotals").toDouble(), 20.0);
    QVERIFY(errorNumberOf([] { AppDatabase().execute("SELECT OrderNumber INTO tmpTotals FROM Orders"); }) != 0);
    AppDatabase().execute("DROP TABLE tmpTotals");
    QVERIFY(errorNumberOf([] { AppDatabase().execute("DROP TABLE tmpTotals"); }) != 0);
    AppDatabase().execute("DELETE * FROM Orders WHERE OrderNumber = 'A'");
    QCOMPARE(db.count("Orders"), 1);
    AppDatabase().execute("UPDATE Orders SET Status = 'Closed' WHERE ID = 2");
    QCOMPARE(db.scalar("SELECT Status FROM Orders").toString(), QString("Closed"));
}

void tst_Database::transactionRollsBackUnlessCommitted() {
    TestDatabase db;
    try {
        Transaction tx(AppDatabase());
        AppDatabase().execute("INSERT INTO Orders (OrderNumber) VALUES ('lost')");
        throw AppError(ErrorNumber::ReservedError, "interrupted");
    } catch (const AppError &) {
    }
    QCOMPARE(db.count("Orders"), 0);
    {
        Transaction tx(AppDatabase());
        auto rs = AppDatabase().openRecordset("SELECT * FROM Orders");
        rs->addNew();
        rs->setField("OrderNumber", "kept");
        rs->update();
        tx.commit();
    }
    QCOMPARE(db.count("Orders", "OrderNumber = 'kept'"), 1);
}

void tst_Database::nestedTransactionJoinsOuter() {
    TestDatabase db;
    {
        Transaction outer(AppDatabase());
        {
            Transaction inner(AppDatabase());
            AppDatabase().execute("INSERT INTO Orders (OrderNumber) VALUES ('inner')");
            inner.commit();
        }
        // The outer transaction never commits: the inner write goes with it.
    }
    QCOMPARE(db.count("Orders"), 0);
}

void tst_Database::quotedNamesAreStoredAndFound() {
    TestDatabase db;
    const QString name = "O'Brien Furniture";
    auto rs = AppDatabase().openRecordset("SELECT * FROM Customer WHERE Customer = '" + SqlText::Escaped(name) + "'");
    QVERIFY(rs->eof());
    rs->addNew();
    rs->setField("Customer", name);
    rs->update();
    auto found = AppDatabase().openRecordset("SELECT * FROM Customer WHERE Customer = " + SqlText::Quoted("o'brien furniture"));
    QVERIFY(!found->eof());
    QCOMPARE(found->text("Customer"), name);
}

void tst_Database::openRefusesMissingOrForeignFiles() {
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing.db");
    QCOMPARE(errorNumberOf([&] { Database::open(missing); }), ErrorNumber::CouldNotFindFile);
    QVERIFY(!QFile::exists(missing));

    const QString foreign = dir.filePath("notes.db");
    QByteArray content("These are the plant's notes, not a database.\n");
    content = content.repeated(200);
    {
        QFile f(foreign);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QCOMPARE(errorNumberOf([&] { Database::open(foreign); }), ErrorNumber::UnrecognizedFormat);
    QFile f(foreign);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), content);
}

QTEST_GUILESS_MAIN(tst_Database)
#include "tst_database.moc"
