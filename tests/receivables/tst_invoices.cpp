// Invoicing driven as the office clerk drives it: a customer picked, orders moved with
// ">>" and "<<", freight, misc and memo typed, "Create Invoices" pressed; the rows stored,
// the invoice previewed and the window ready for the next customer are what is checked.

#include "receivables/frmInvoices.h"
#include "tests/support/ReceivablesPlant.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/OpenWindow.h"
#include "tests/support/UiTest.h"

#include <QDateEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

using namespace UiTest;

namespace {

struct Window : OpenWindow<frmInvoices> {
    QListWidget *list(const QString &name) const { return child<QListWidget>(w, name); }
    QDate date(const QString &name) const { return child<QDateEdit>(w, name)->date(); }
    QPlainTextEdit *memo() const { return child<QPlainTextEdit>(w, "txtMemo"); }

    QStringList entries(const QString &name) const {
        QStringList texts;
        for (int i = 0; i < list(name)->count(); ++i) texts << list(name)->item(i)->text();
        return texts;
    }
    // Clicks the entry, then the button that moves it.
    void move(const QString &listName, const QString &entry, const QString &button) const {
        QListWidget *l = list(listName);
        const auto found = l->findItems(entry, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(entry));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(found.first()).center());
        press(button);
    }
};

QStringList column(const TestDatabase &db, const QString &sql) {
    QStringList values;
    for (const auto &row : db.query(sql).rows) {
        QStringList cells;
        for (const QVariant &v : row) cells << v.toString();
        values << cells.join(QLatin1Char('|'));
    }
    return values;
}

}  // namespace

class tst_Invoices : public QObject {
    Q_OBJECT
private slots:
    void opensReadyForTheFirstInvoice();
    void createsTheInvoiceAndStartsOver();
    void noOrdersToInvoiceIsRefused();
    void anotherCustomerDiscardsBothLists();
    void memoHoldsAtMost250Characters();
    void cancelWritesNothing();
};

void tst_Invoices::opensReadyForTheFirstInvoice() {
    ReceivablesFixture plant;
    Window win;
    QCOMPARE(win.w->windowTitle(), QString("Invoicing"));
    // Customers of any status, by name; nothing picked.
    QComboBox *customers = win.combo("cmbCustomer");
    QCOMPARE(customers->count(), 3);
    QCOMPARE(customers->itemText(1), QString("O'Brien Furniture"));
    QCOMPARE(customers->currentIndex(), -1);
    QCOMPARE(win.date("dtInvoiceDate"), QDate(2026, 12, 9));
    QCOMPARE(win.date("dtDueDate"), QDate(2027, 1, 8));
    QCOMPARE(win.number("txtFreight")->text(), QString("0"));
    QCOMPARE(win.number("txtFreight")->displayText(), QString("$0.00"));
    QCOMPARE(win.number("txtMisc")->text(), QString("0"));
    QVERIFY(win.memo()->toPlainText().isEmpty());
    QVERIFY(win.entries("lstOrders").isEmpty());
    QCOMPARE(child<QPushButton>(win.w, "btnPrint")->text(), QString("Create Invoices"));
    QCOMPARE(win.w->minimumSize(), win.w->maximumSize());  // fixed border
}

void tst_Invoices::createsTheInvoiceAndStartsOver() {
    ReceivablesFixture plant;
    CaptureTarget capture;
    Window win;

    pick(win.combo("cmbCustomer"), "Acme Foam");
    // Every order not yet invoiced, by order number, whatever its status.
    QCOMPARE(win.entries("lstOrders"),
             (QStringList{"3 - PO-050 - 12/9/2026", "1 - PO-100 - 12/1/2026", "2 - PO-200 - 12/5/2026"}));
    win.move("lstOrders", "2 - PO-200 - 12/5/2026", "btnAdd");
    win.move("lstOrders", "1 - PO-100 - 12/1/2026", "btnAdd");
    win.move("lstToInvoice", "2 - PO-200 - 12/5/2026", "btnRemove");
    QCOMPARE(win.entries("lstToInvoice"), QStringList{"1 - PO-100 - 12/1/2026"});
    QCOMPARE(win.entries("lstOrders"), (QStringList{"3 - PO-050 - 12/9/2026", "2 - PO-200 - 12/5/2026"}));
    // Without a selection the buttons do nothing.
    win.press("btnAdd");
    QCOMPARE(win.entries("lstToInvoice").size(), 1);

    type(win.number("txtFreight"), "12.5");
    type(win.memo(), "Net 30");
    win.press("btnPrint");

    QCOMPARE(column(plant.db, "SELECT OrderID FROM OrdersInvoiced"), QStringList{"1"});
    QCOMPARE(column(plant.db, "SELECT ID, Customer, InvoiceDate, DueDate, Freight, Misc, MemoField, Subtotal, Total FROM Invoice"),
             QStringList{"1|Acme Foam|2026-12-09|2027-01-08|12.5|0|Net 30|400|412.5"});
    QCOMPARE(column(plant.db, "SELECT Invoice, OrderID FROM InvoiceOrders"), QStringList{"1|1"});

    // The new invoice is previewed at once.
    QCOMPARE(capture.templates(), QStringList{"crptInvoice"});
    QVERIFY(capture.documents.first().preview);
    QVERIFY(capture.documents.first().contains("Invoice Number | 1"));
    QVERIFY(capture.documents.first().contains("Total | $412.50"));

    // Back to the opening state, and the billed order is not offered again.
    QCOMPARE(win.combo("cmbCustomer")->currentIndex(), -1);
    QVERIFY(win.entries("lstOrders").isEmpty());
    QVERIFY(win.entries("lstToInvoice").isEmpty());
    QCOMPARE(win.number("txtFreight")->text(), QString("0"));
    QVERIFY(win.memo()->toPlainText().isEmpty());
    QVERIFY(!win.closed());
    pick(win.combo("cmbCustomer"), "Acme Foam");
    QCOMPARE(win.entries("lstOrders"), (QStringList{"3 - PO-050 - 12/9/2026", "2 - PO-200 - 12/5/2026"}));
    QVERIFY(plant.fakes.messages.shown.isEmpty());
    QCOMPARE(plant.fakes.cursor.depth, 0);
}

void tst_Invoices::noOrdersToInvoiceIsRefused() {
    ReceivablesFixture plant;
    CaptureTarget capture;
    Window win;
    pick(win.combo("cmbCustomer"), "Acme Foam");
    type(win.number("txtFreight"), "20");
    win.press("btnPrint");
    QCOMPARE(plant.fakes.messages.shown.size(), 1);
    QCOMPARE(plant.fakes.messages.shown.first().text, QString("No Invoices Selected."));
    QCOMPARE(plant.fakes.messages.shown.first().title, QString("No Invoices Selected"));
    QCOMPARE(plant.db.count("Invoice"), 0);
    QCOMPARE(plant.db.count("OrdersInvoiced"), 0);
    QVERIFY(capture.documents.isEmpty());
    // The clerk's work stays.
    QCOMPARE(win.combo("cmbCustomer")->currentText(), QString("Acme Foam"));
    QCOMPARE(win.entries("lstOrders").size(), 3);
}

void tst_Invoices::anotherCustomerDiscardsBothLists() {
    ReceivablesFixture plant;
    Window win;
    pick(win.combo("cmbCustomer"), "Acme Foam");
    win.move("lstOrders", "1 - PO-100 - 12/1/2026", "btnAdd");
    // A customer whose name holds a quote, no longer active, still has its order to bill.
    pick(win.combo("cmbCustomer"), "O'Brien Furniture");
    QCOMPARE(win.entries("lstOrders"), QStringList{"4 - OB-1 - 11/20/2026"});
    QVERIFY(win.entries("lstToInvoice").isEmpty());
    pick(win.combo("cmbCustomer"), "Zeta Chairs");
    QVERIFY(win.entries("lstOrders").isEmpty());
}

void tst_Invoices::memoHoldsAtMost250Characters() {
    ReceivablesFixture plant;
    Window win;
    type(win.memo(), QString(248, QLatin1Char('m')) + QStringLiteral("abcd"));
    QCOMPARE(win.memo()->toPlainText(), QString(248, QLatin1Char('m')) + QStringLiteral("ab"));
    win.memo()->insertPlainText(QString(300, QLatin1Char('x')));  // pasted
    QCOMPARE(win.memo()->toPlainText().size(), 250);
    // An emoji (two units) that would end at 251 is left out whole, not cut in half.
    win.memo()->setPlainText(QString(249, QLatin1Char('m')) + QStringLiteral("\U0001F600"));
    QCOMPARE(win.memo()->toPlainText(), QString(249, QLatin1Char('m')));
}

void tst_Invoices::cancelWritesNothing() {
    ReceivablesFixture plant;
    Window win;
    pick(win.combo("cmbCustomer"), "Acme Foam");
    win.move("lstOrders", "1 - PO-100 - 12/1/2026", "btnAdd");
    win.press("btnCancel");
    QVERIFY(win.closed());
    QCOMPARE(plant.db.count("Invoice"), 0);
    QCOMPARE(plant.db.count("OrdersInvoiced"), 0);
}

QTEST_MAIN(tst_Invoices)
#include "tst_invoices.moc"
