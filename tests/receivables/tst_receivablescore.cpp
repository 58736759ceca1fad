// Invoice creation and payments without a window: the rows written, the amounts, the
// refusals and the rollback of a half-done invoice.

#include "core/AppError.h"
#include "data/Database.h"
#include "receivables/Invoicing.h"
#include "receivables/Payments.h"
#include "tests/support/ReceivablesPlant.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"

#include <QTest>

namespace {

InvoiceRequest acmeInvoice(QVector<qint64> orders, const QString &freight = "0", const QString &misc = "0") {
    return {"Acme Foam", QDate(2026, 12, 9), QDate(2027, 1, 8), freight, misc, "Thank you", std::move(orders)};
}

// Table contents as "a|b|c" lines, for comparing whole tables.
QStringList rowsOf(const TestDatabase &db, const QString &sql) {
    QStringList lines;
    for (const auto &row : db.query(sql).rows) {
        QStringList cells;
        for (const QVariant &v : row) cells << (v.isNull() ? QStringLiteral("null") : v.toString());
        lines << cells.join(QLatin1Char('|'));
    }
    return lines;
}

}  // namespace

class tst_ReceivablesCore : public QObject {
    Q_OBJECT
private slots:
    void invoiceWritesAllThreeTables();
    void freightAndMisc_data();
    void freightAndMisc();
    void orderWithoutLinesAddsNothing();
    void failedWriteLeavesNoInvoice();
    void orderInvoicedTwiceIsRefused();
    void invoiceWithoutOrdersIsRefused();
    void balance_data();
    void balance();
    void newBalanceAgreesWithTheStoredRows_data();
    void newBalanceAgreesWithTheStoredRows();
    void paymentAppendsOneRow();
};

void tst_ReceivablesCore::invoiceWritesAllThreeTables() {
    ReceivablesFixture plant;
    const qint64 id = CreateInvoice(acmeInvoice({2, 1}, "12.5", "0"));
    QCOMPARE(id, qint64(1));
    QCOMPARE(rowsOf(plant.db, "SELECT OrderID FROM OrdersInvoiced"), (QStringList{"2", "1"}));
    QCOMPARE(rowsOf(plant.db, "SELECT ID, Customer, InvoiceDate, DueDate, Freight, Misc, MemoField, Subtotal, Total FROM Invoice"),
             QStringList{"1|Acme Foam|2026-12-09|2027-01-08|12.5|0|Thank you|670|682.5"});
    QCOMPARE(rowsOf(plant.db, "SELECT Invoice, OrderID FROM InvoiceOrders"), (QStringList{"1|2", "1|1"}));
    // The next invoice gets the next number.
    QCOMPARE(CreateInvoice(acmeInvoice({3})), qint64(2));
}

void tst_ReceivablesCore::freightAndMisc_data() {
    QTest::addColumn<QString>("freight");
    QTest::addColumn<QString>("misc");
    QTest::addColumn<double>("storedFreight");
    QTest::addColumn<double>("storedMisc");
    QTest::addColumn<double>("total");
    QTest::newRow("as the office types them") << "12.5" << "0" << 12.5 << 0.0 << 412.5;
    QTest::newRow("both empty") << "" << "" << 0.0 << 0.0 << 400.0;
    QTest::newRow("not numbers") << "abc" << "12 boxes" << 0.0 << 0.0 << 400.0;
    // Stored and added to the total as one value, thousands and parentheses included.
    QTest::newRow("money as displayed") << "$1,200.00" << "($5.00)" << 1200.0 << -5.0 << 1595.0;
}

void tst_ReceivablesCore::freightAndMisc() {
    QFETCH(QString, freight);
    QFETCH(QString, misc);
    QFETCH(double, storedFreight);
    QFETCH(double, storedMisc);
    QFETCH(double, total);
    ReceivablesFixture plant;
    const qint64 id = CreateInvoice(acmeInvoice({1}, freight, misc));
    const RowSet row = plant.db.query(QStringLiteral("SELECT Freight, Misc, Subtotal, Total FROM Invoice WHERE ID = %1").arg(id));
    QCOMPARE(row.rows.size(), 1);
    QCOMPARE(row.value(0, "Freight").toDouble(), storedFreight);
    QCOMPARE(row.value(0, "Misc").toDouble(), storedMisc);
    QCOMPARE(row.value(0, "Subtotal").toDouble(), 400.0);
    QCOMPARE(row.value(0, "Total").toDouble(), total);
}

void tst_ReceivablesCore::orderWithoutLinesAddsNothing() {
    ReceivablesFixture plant;
    QCOMPARE(OrderSubtotal(3), 0.0);
    const qint64 id = CreateInvoice(acmeInvoice({3, 2}, "0", "10"));
    QCOMPARE(rowsOf(plant.db, QStringLiteral("SELECT Subtotal, Total FROM Invoice WHERE ID = %1").arg(id)), QStringList{"270|280"});
    QCOMPARE(plant.db.count("InvoiceOrders"), 2);
}

void tst_ReceivablesCore::failedWriteLeavesNoInvoice() {
    ReceivablesFixture plant;
    // The last of the three writes fails: the orders stay uninvoiced and no invoice exists.
    plant.db.exec("DROP TABLE InvoiceOrders");
    QVERIFY_THROWS_EXCEPTION(AppError, CreateInvoice(acmeInvoice({1, 2})));
    QCOMPARE(plant.db.count("OrdersInvoiced"), 0);
    QCOMPARE(plant.db.count("Invoice"), 0);
}

void tst_ReceivablesCore::orderInvoicedTwiceIsRefused() {
    ReceivablesFixture plant;
    CreateInvoice(acmeInvoice({1}));
    // A second window (or office PC) still listing order 1 cannot bill it again.
    try {
        CreateInvoice(acmeInvoice({2, 1}));
        QFAIL("order 1 was billed twice");
    } catch (const AppError &e) {
        QCOMPARE(e.description(), QString("Order 1 has already been invoiced; pick the customer again."));
    }
    QCOMPARE(rowsOf(plant.db, "SELECT OrderID FROM OrdersInvoiced"), QStringList{"1"});
    QCOMPARE(plant.db.count("Invoice"), 1);
    QCOMPARE(plant.db.count("InvoiceOrders"), 1);
}

void tst_ReceivablesCore::invoiceWithoutOrdersIsRefused() {
    ReceivablesFixture plant;
    QVERIFY_THROWS_EXCEPTION(AppError, CreateInvoice(acmeInvoice({})));
    QCOMPARE(plant.db.count("Invoice"), 0);
}

void tst_ReceivablesCore::balance_data() {
    QTest::addColumn<qint64>("invoice");
    QTest::addColumn<double>("balance");
    QTest::newRow("paid and adjusted") << qint64(1) << 10.0;
    QTest::newRow("paid in full") << qint64(2) << 0.0;
    QTest::newRow("no payments") << qint64(3) << 275.0;
    QTest::newRow("no such invoice") << qint64(99) << 0.0;
}

void tst_ReceivablesCore::balance() {
    QFETCH(qint64, invoice);
    QFETCH(double, balance);
    ReceivablesFixture plant(ReceivablesPlant::WithInvoices);
    QCOMPARE(InvoiceBalance(invoice), balance);
}

void tst_ReceivablesCore::newBalanceAgreesWithTheStoredRows_data() {
    QTest::addColumn<QString>("payment");
    QTest::addColumn<QString>("adjustment");
    QTest::addColumn<double>("newBalance");  // invoice 1 has a balance of 10
    QTest::newRow("payment and adjustment") << "7.5" << "2.5" << 0.0;
    QTest::newRow("overpaid") << "12" << "0" << -2.0;
    QTest::newRow("a refund raises the balance") << "-10" << "0" << 20.0;
    QTest::newRow("adjustment outweighs the payment") << "5" << "-10" << 15.0;
    QTest::newRow("thousands separator") << "1,000" << "0" << -990.0;
    // Not rounded to the cent before it is subtracted: the stored row keeps the half cent.
    QTest::newRow("half a cent") << "0.005" << "0" << 9.995;
    QTest::newRow("zero typed as 0.00") << "0.00" << "0" << 10.0;
}

void tst_ReceivablesCore::newBalanceAgreesWithTheStoredRows() {
    QFETCH(QString, payment);
    QFETCH(QString, adjustment);
    QFETCH(double, newBalance);
    ReceivablesFixture plant(ReceivablesPlant::WithInvoices);
    QCOMPARE(NewBalance(InvoiceBalance(1), payment, adjustment), newBalance);
    RecordPayment(1, QDate(2026, 12, 9), payment, adjustment);
    QCOMPARE(InvoiceBalance(1), newBalance);
}

void tst_ReceivablesCore::paymentAppendsOneRow() {
    ReceivablesFixture plant(ReceivablesPlant::WithInvoices);
    RecordPayment(3, QDate(2026, 12, 8), "100", "0");
    RecordPayment(3, QDate(2026, 12, 9), "0", "-2.5");
    QCOMPARE(rowsOf(plant.db, "SELECT Invoice, Date, Amount, Adjustment FROM Payments WHERE Invoice = 3"),
             (QStringList{"3|2026-12-08|100|0", "3|2026-12-09|0|-2.5"}));
    QCOMPARE(plant.db.count("Payments"), 4);
}

QTEST_MAIN(tst_ReceivablesCore)
#include "tst_receivablescore.moc"
