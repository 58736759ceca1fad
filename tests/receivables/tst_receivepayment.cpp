// Receive Payment driven as the clerk drives it: an invoice picked, amounts typed and
// left with Tab, Save pressed; the balances shown, the Payments rows and the refusals
// are what is checked.

#include "receivables/frmReceivePayment.h"
#include "tests/support/ReceivablesPlant.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/OpenWindow.h"
#include "tests/support/UiTest.h"

#include <QApplication>
#include <QDateEdit>
#include <QTest>

using namespace UiTest;

namespace {

struct Window : OpenWindow<frmReceivePayment> {
    Window() {
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    // Types into an amount box and leaves it with Tab.
    void enter(const QString &box, const QString &text) const {
        type(number(box), text);
        QTest::keyClick(number(box), Qt::Key_Tab);
    }
    QString shown(const QString &box) const { return number(box)->displayText(); }
    QStringList amounts() const {
        return {number("txtInvoiceBalance")->text(), number("txtPaymentAmount")->text(),
                number("txtAdjustments")->text(), number("txtNewBalance")->text()};
    }
};

const QStringList kCleared = {"0", "0", "0", "0"};

QStringList payments(const TestDatabase &db) {
    QStringList rows;
    for (const auto &row : db.query("SELECT Invoice, Date, Amount, Adjustment FROM Payments WHERE Date = #12/9/2026#").rows)
        rows << QStringLiteral("%1|%2|%3|%4").arg(row[0].toString(), row[1].toString(), row[2].toString(), row[3].toString());
    return rows;
}

}  // namespace

class tst_ReceivePayment : public QObject {
    Q_OBJECT
private slots:
    void opensWithEveryInvoiceNewestFirst();
    void paymentIsSavedAndTheWindowStartsOver();
    void refusals_data();
    void refusals();
    void amountThatIsNoNumberBecomesZero();
    void amountTooLargeIsNamedAsTyped();
    void refundPreviewMatchesTheStoredBalance();
};

void tst_ReceivePayment::opensWithEveryInvoiceNewestFirst() {
    ReceivablesFixture plant(ReceivablesPlant::WithInvoices);
    Window win;
    QCOMPARE(win.w->windowTitle(), QString("Receive Payment"));
    QComboBox *invoices = win.combo("cmbInvoice");
    QCOMPARE(invoices->count(), 3);
    QCOMPARE(invoices->itemText(0), QString("3"));  // paid or not, newest first
    QCOMPARE(invoices->itemText(2), QString("1"));
    QCOMPARE(invoices->currentIndex(), -1);
    QCOMPARE(win.amounts(), kCleared);
    QCOMPARE(win.shown("txtNewBalance"), QString("$0.00"));
    QVERIFY(!win.number("txtInvoiceBalance")->isEnabled());
    QVERIFY(!win.number("txtNewBalance")->isEnabled());
    QCOMPARE(child<QDateEdit>(win.w, "dtDate")->date(), QDate(2026, 12, 9));
}

void tst_ReceivePayment::paymentIsSavedAndTheWindowStartsOver() {
    ReceivablesFixture plant(ReceivablesPlant::WithInvoices);
    Window win;
    // Invoice 1: total 412.50 less 400 paid and 2.50 adjusted.
    pick(win.combo("cmbInvoice"), "1");
    QCOMPARE(win.number("txtInvoiceBalance")->text(), QString("10"));
    QCOMPARE(win.shown("txtInvoiceBalance"), QString("$10.00"));
    QCOMPARE(win.number("txtNewBalance")->text(), QString("10.00"));

    pick(win.combo("cmbInvoice"), "3");
    QCOMPARE(win.number("txtInvoiceBalance")->text(), QString("275"));
    win.enter("txtPaymentAmount", "250");
    QCOMPARE(win.number("txtNewBalance")->text(), QString("25.00"));
    win.enter("txtAdjustments", "2.5");
    QCOMPARE(win.number("txtNewBalance")->text(), QString("22.50"));
    QCOMPARE(win.shown("txtNewBalance"), QString("$22.50"));
    win.press("btnSave");

    QCOMPARE(payments(plant.db), QStringList{"3|2026-12-09|250|2.5"});
    QVERIFY(plant.fakes.messages.shown.isEmpty());
    QCOMPARE(win.amounts(), kCleared);
    QCOMPARE(win.combo("cmbInvoice")->currentIndex(), -1);
    // Picked again, the invoice shows what the stored rows leave.
    pick(win.combo("cmbInvoice"), "3");
    QCOMPARE(win.number("txtInvoiceBalance")->text(), QString("22.5"));
}

void tst_ReceivePayment::refusals_data() {
    QTest::addColumn<QString>("invoice");
    QTest::addColumn<QString>("payment");
    QTest::addColumn<QString>("adjustment");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::newRow("no invoice") << "" << "50" << "0" << "You must select an invoice" << "No Invoice Selected";
    QTest::newRow("no amount") << "3" << "0" << "0" << "You must enter a payment or adjustment amount."
                               << "Invalid Payment/Adjustment Amount";
    QTest::newRow("amounts that are no numbers") << "3" << "fifty" << "none"
                                                 << "You must enter a payment or adjustment amount."
                                                 << "Invalid Payment/Adjustment Amount";
}

void tst_ReceivePayment::refusals() {
    QFETCH(QString, invoice);
    QFETCH(QString, payment);
    QFETCH(QString, adjustment);
    QFETCH(QString, text);
    QFETCH(QString, title);
    ReceivablesFixture plant(ReceivablesPlant::WithInvoices);
    Window win;
    if (!invoice.isEmpty()) pick(win.combo("cmbInvoice"), invoice);
    win.enter("txtPaymentAmount", payment);
    win.enter("txtAdjustments", adjustment);
    child<QDateEdit>(win.w, "dtDate")->setDate(QDate(2026, 12, 1));
    win.press("btnSave");
    QCOMPARE(plant.fakes.messages.shown.size(), 1);
    QCOMPARE(plant.fakes.messages.shown.first().text, text);
    QCOMPARE(plant.fakes.messages.shown.first().title, title);
    QCOMPARE(plant.db.count("Payments"), 2);
    // Refused like saved: amounts and invoice cleared, the date kept.
    QCOMPARE(win.amounts(), kCleared);
    QCOMPARE(win.combo("cmbInvoice")->currentIndex(), -1);
    QCOMPARE(child<QDateEdit>(win.w, "dtDate")->date(), QDate(2026, 12, 1));
}

void tst_ReceivePayment::amountThatIsNoNumberBecomesZero() {
    ReceivablesFixture plant(ReceivablesPlant::WithInvoices);
    Window win;
    pick(win.combo("cmbInvoice"), "3");
    win.enter("txtPaymentAmount", "75");
    win.enter("txtPaymentAmount", "75 dollars");
    QCOMPARE(win.number("txtPaymentAmount")->text(), QString("0"));
    QCOMPARE(win.number("txtNewBalance")->text(), QString("200.00"));  // left as it was
    // A zero typed otherwise than "0" is a zero payment, and is saved.
    win.enter("txtPaymentAmount", "0.00");
    win.press("btnSave");
    QCOMPARE(payments(plant.db), QStringList{"3|2026-12-09|0|0"});
}

void tst_ReceivePayment::amountTooLargeIsNamedAsTyped() {
    ReceivablesFixture plant(ReceivablesPlant::WithInvoices);
    Window win;
    pick(win.combo("cmbInvoice"), "3");
    win.enter("txtPaymentAmount", "1e400");
    win.press("btnSave");
    QCOMPARE(plant.fakes.messages.shown.size(), 1);
    QVERIFY2(plant.fakes.messages.shown.first().text.endsWith("column 'Amount' cannot hold the value '1e400'."),
             qPrintable(plant.fakes.messages.shown.first().text));
    QCOMPARE(plant.db.count("Payments"), 2);
}

void tst_ReceivePayment::refundPreviewMatchesTheStoredBalance() {
    ReceivablesFixture plant(ReceivablesPlant::WithInvoices);
    Window win;
    // Invoice 2 is paid in full; refunding 20 and writing off 5 leaves 15 owed.
    pick(win.combo("cmbInvoice"), "2");
    win.enter("txtPaymentAmount", "-20");
    win.enter("txtAdjustments", "5");
    QCOMPARE(win.number("txtNewBalance")->text(), QString("15.00"));
    win.press("btnSave");
    pick(win.combo("cmbInvoice"), "2");
    QCOMPARE(win.number("txtInvoiceBalance")->text(), QString("15"));
}

QTEST_MAIN(tst_ReceivePayment)
#include "tst_receivepayment.moc"
