// Order Entry driven as a clerk drives it, from the keyboard where the clerk would: the
// customer picked by type-ahead, lines entered with Enter from field to field, "Save and
// Close". What is checked are the grid as shown, the messages, and the stored rows.

#include "data/Database.h"
#include "core/AppError.h"
#include "orders/frmOrderEntry.h"
#include "reports/PrintTarget.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/OpenWindow.h"
#include "tests/support/UiTest.h"
#include "widgets/Grid.h"

#include <QApplication>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace UiTest;

namespace {

struct Entry : OpenWindow<frmOrderEntry> {
    Entry() {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    Grid *grid() const { return child<Grid>(w, "vsfgItems"); }
    QString label(const QString &name) const { return child<QLabel>(w, name)->text(); }
    QString box(const QString &name) const { return child<QLineEdit>(w, name)->text(); }
    // Saves the line with a mouse click on Save: the button takes the focus first, so
    // the box left works out the extended price.
    void saveLine() const { QTest::mouseClick(child<QPushButton>(w, "btnSaveItem"), Qt::LeftButton); }
    // Clicks a line of the grid.
    void clickLine(int row) const {
        const QPoint at = grid()->visualRect(grid()->model()->index(row - 1, 1)).center();
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, at);
    }

    // The grid's lines, one text per row: its seven cells joined by "|".
    QStringList lines() const {
        QStringList out;
        for (int row = 1; row < grid()->rows(); ++row) {
            QStringList cells;
            for (int col = 0; col < 7; ++col) cells << grid()->textMatrix(row, col);
            out << cells.join('|');
        }
        return out;
    }
};

QString focused() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
void keys(const QString &text) { QTest::keyClicks(QApplication::focusWidget(), text); }
void enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

// Types a line as the clerk does: Line, Enter, the style's first letters, Enter, the
// quantity, Enter, the price (nothing typed keeps the style's price), Enter, and Enter
// again on Save.
void enterLine(Entry &win, FakeClock &clock, const QString &line, const QString &style, const QString &qty,
               const QString &price = QString()) {
    win.line("txtLine")->setFocus(Qt::OtherFocusReason);
    win.line("txtLine")->selectAll();
    keys(line);
    enter();
    QCOMPARE(focused(), QString("cmbStyle"));
    clock.advanceMs(1000);  // a fresh type-ahead search
    keys(style);
    enter();
    QCOMPARE(focused(), QString("txtQty"));
    keys(qty);
    enter();
    QCOMPARE(focused(), QString("txtPriceEach"));
    if (!price.isEmpty()) keys(price);
    enter();
    QCOMPARE(focused(), QString("btnSaveItem"));
    enter();
}

QString styleId(const TestDatabase &db, const QString &customer, const QString &name, const QString &type) {
    return db.scalar(QString("SELECT ID FROM Style WHERE Customer = '%1' AND Name = '%2' AND Type = '%3'")
                         .arg(customer, name, type))
        .toString();
}

// A stored order of Hickory Comfort Seating with an ID beyond 32767, three lines, the
// second of them shipped.
void storeOrder(const TestDatabase &db, const QString &customer = "Hickory Comfort Seating") {
    db.exec("INSERT INTO Orders (ID, OrderNumber, Customer, OrderDate, DueDate, Status, ShipTo, ShipToAddress1, "
            "ShipToCity, ShipToState, ShipToZip, Total, DateAdded) VALUES (40000, 'HC-88', '" + customer +
            "', #11/2/2026#, #11/20/2026#, 'Open', 'Side Door', '9 Back Lane', 'Conover', 'NC', '28613', 311, #11/2/2026#)");
    const QString sofa = styleId(db, "Hickory Comfort Seating", "Madison", "Sofa");
    db.exec("INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES "
            "(40000, 1, 'L1', 1, " + sofa + ", 189, 189)");
    db.exec("INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES "
            "(40000, 2, 'L2', 2, " + sofa + ", 50, 100)");
    db.exec("INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) VALUES "
            "(40000, 4, 'L4', 1, " + styleId(db, "Hickory Comfort Seating", "Heritage", "Recliner") + ", 22, 22)");
    db.exec("INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) VALUES (1, 40000, 2, 1)");
}

// Picks a customer and types an order number, ready for lines.
void newOrder(Entry &win, const QString &customer, const QString &number) {
    pick(win.combo("cmbCustomer"), customer);
    type(win.line("txtOrderNumber"), number);
}

// A printer that fails on the first document.
class FailingPrinter : public PrintTarget {
public:
    FailingPrinter() : m_previous(&Reports::printTarget()) { Reports::setPrintTarget(this); }
    ~FailingPrinter() override { Reports::setPrintTarget(m_previous); }
    void print(const Document &, const QString &) override {
        throw AppError(ErrorNumber::PrinterError, "The printer is out of paper.");
    }
    void preview(const Document &, const QString &) override {}

private:
    PrintTarget *m_previous;
};

// Each printed document as "template label", the label being the department or the
// recipient it is made out to.
QStringList printed(const CaptureTarget &capture) {
    QStringList out;
    for (const CapturedDocument &d : capture.documents) {
        QString label = d.text("txtDepartment");
        if (label.isEmpty()) label = d.text("txtRecipient");
        out << (d.preview ? "preview " : "") + d.templateName + (label.isEmpty() ? "" : " " + label);
    }
    return out;
}

}  // namespace

class tst_OrderEntry : public QObject {
    Q_OBJECT
    std::unique_ptr<CaptureTarget> m_capture;  // every saved order prints its paperwork here
private slots:
    void init() { m_capture = std::make_unique<CaptureTarget>(); }
    void cleanup() { m_capture.reset(); }
    void opensEmpty();
    void keyboardEntryAndSaveAndClose();
    void choosingACustomerCopiesShipToAndStyles();
    void itemNumbersKeepGapsAndReuseTheLast();
    void extendedPriceAndTotal();
    void lineNeedsStyleQuantityAndPrice_data();
    void lineNeedsStyleQuantityAndPrice();
    void saveNeedsCustomerNumberAndALine_data();
    void saveNeedsCustomerNumberAndALine();
    void duplicateNumberAsks_data();
    void duplicateNumberAsks();
    void statusButtons_data();
    void statusButtons();
    void openOrderLoadsIt();
    void openedOrderOfAnInactiveCustomer();
    void openOrderOfNoOrderChangesNothing();
    void shippedLineCannotBeDeleted();
    void unreadableQuantityKeepsTheWindow();
    void printingFailsAfterTheOrderIsStored();
};

void tst_OrderEntry::opensEmpty() {
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    Entry win;
    QCOMPARE(win.w->windowTitle(), QString("Order Entry"));
    QCOMPARE(win.w->size(), QSize(587, 461));
    QCOMPARE(win.w->minimumSize(), win.w->maximumSize());
    QComboBox *customers = win.combo("cmbCustomer");
    QStringList listed;
    for (int i = 0; i < customers->count(); ++i) listed << customers->itemText(i);
    QCOMPARE(listed, QStringList({"Hickory Comfort Seating", "Lakeside Upholstery", "Mountain View Sofas",
                                  "O'Brien Furniture", "Vedu", "Vedu Interiors"}));
    QCOMPARE(customers->currentIndex(), -1);
    QCOMPARE(child<QDateEdit>(win.w, "dtOrderDate")->date(), fakes.clock.today());
    QCOMPARE(child<QDateEdit>(win.w, "dtDueDate")->date(), fakes.clock.today());
    QCOMPARE(win.number("lblTotal")->text(), QString("0"));
    QCOMPARE(win.number("lblTotal")->displayText(), QString("$0.00"));
    QCOMPARE(win.label("lblStatus"), QString());
    QCOMPARE(win.label("lblID"), QString());
    QCOMPARE(win.grid()->rows(), 1);
    QCOMPARE(win.grid()->cols(), 7);
    QCOMPARE(win.grid()->textMatrix(0, 6), QString("Style ID"));
    QVERIFY(fakes.messages.shown.isEmpty());
}

void tst_OrderEntry::keyboardEntryAndSaveAndClose() {
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    const int ordersBefore = db.count("Orders");
    Entry win;
    win.combo("cmbCustomer")->setFocus(Qt::OtherFocusReason);
    keys("ve");
    QCOMPARE(win.combo("cmbCustomer")->currentText(), QString("Vedu"));
    QCOMPARE(win.box("txtShipTo"), QString("Vedu Receiving"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(focused(), QString("txtOrderNumber"));
    keys("PO-5150");
    // Tab leaves a date box at once, not after its month, day and year.
    for (const char *next : {"dtOrderDate", "dtDueDate", "txtShipTo"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focused(), QString(next));
    }

    enterLine(win, fakes.clock, "A1", "me", "10");
    const QString chair = styleId(db, "Vedu", "Metro", "Chair");
    QCOMPARE(win.lines(), QStringList({"1|A1|10|Metro-Chair|89.95|899.5|" + chair}));
    QCOMPARE(focused(), QString("txtLine"));
    QCOMPARE(win.grid()->displayText(1, 4), QString("$89.95"));
    QCOMPARE(win.grid()->displayText(1, 5), QString("$899.5"));

    enterLine(win, fakes.clock, "A2", "a", "4", "100");
    const QString sectional = styleId(db, "Vedu", "Avalon", "Sectional");
    QCOMPARE(win.lines(), QStringList({"1|A1|10|Metro-Chair|89.95|899.5|" + chair,
                                       "2|A2|4|Avalon-Sectional|100|400|" + sectional}));
    QCOMPARE(win.number("lblTotal")->text(), QString("1299.5"));

    child<QPushButton>(win.w, "btnSave")->setFocus(Qt::TabFocusReason);
    enter();
    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('|')));
    QVERIFY(win.closed());
    QCOMPARE(db.count("Orders"), ordersBefore + 1);
    const RowSet order = db.query("SELECT * FROM Orders WHERE OrderNumber = 'PO-5150'");
    QCOMPARE(order.rows.size(), 1);
    QCOMPARE(order.value(0, "Customer").toString(), QString("Vedu"));
    QCOMPARE(order.value(0, "Status").toString(), QString("Open"));
    QCOMPARE(order.value(0, "Total").toDouble(), 1299.5);
    QCOMPARE(order.value(0, "ShipTo").toString(), QString("Vedu Receiving"));
    QCOMPARE(order.value(0, "OrderDate").toDate(), fakes.clock.today());
    const QString id = order.value(0, "ID").toString();
    QCOMPARE(db.query("SELECT ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt FROM OrderItems WHERE OrderID = " + id +
                      " ORDER BY ItemNumber")
                 .rows,
             (QVector<QVector<QVariant>>{{1, "A1", 10.0, chair.toLongLong(), 89.95, 899.5},
                                         {2, "A2", 4.0, sectional.toLongLong(), 100.0, 400.0}}));

    // The paperwork of the stored order: the office copy first, then the three
    // departments' packets each headed by its summary, the load sheet last.
    const QStringList docs = printed(*m_capture);
    QVERIFY2(docs.size() > 4, qPrintable(docs.join('|')));
    QVERIFY2(docs.first().startsWith("crptOrder") && docs.first().endsWith(" Office Manager"), qPrintable(docs.first()));
    const CapturedDocument &office = m_capture->documents.first();
    QVERIFY(office.contains("P.O. PO-5150 | Order ID " + id));
    QVERIFY(office.contains("A1 | 1 | " + chair + " | Metro-Chair | 10 | $89.95 | $899.50"));
    QVERIFY(office.contains("A2 | 2 | " + sectional + " | Avalon-Sectional | 4 | $100.00 | $400.00"));
    QCOMPARE(docs.filter("crptSummary"),
             QStringList({"crptSummary Saw Department", "crptSummary Fabrication Department",
                          "crptSummary Shipping Department"}));
    QCOMPARE(docs.last(), QString("crptLoadSheet"));
    QVERIFY(docs.filter("preview").isEmpty());
}

void tst_OrderEntry::choosingACustomerCopiesShipToAndStyles() {
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    Entry win;
    type(win.line("txtShipTo"), "typed over");
    pick(win.combo("cmbCustomer"), "Hickory Comfort Seating");
    QCOMPARE(win.box("txtShipTo"), QString("Hickory Comfort Seating - Plant 2"));
    QCOMPARE(win.box("txtAddress2"), QString("Dock 4"));
    QCOMPARE(win.box("txtFax"), QString("828-555-0151"));
    pick(win.combo("cmbCustomer"), "O'Brien Furniture");
    QCOMPARE(win.box("txtShipTo"), QString("O'Brien Furniture Warehouse"));
    QCOMPARE(win.box("txtAddress2"), QString());
    QCOMPARE(win.box("txtFax"), QString());  // a Null fax empties the box
    QComboBox *styles = win.combo("cmbStyle");
    QStringList listed;
    for (int i = 0; i < styles->count(); ++i) listed << styles->itemText(i);
    QCOMPARE(listed, QStringList({"Galway-Recliner", "Kinsale-Chair", "Kinsale-Sofa"}));
    QCOMPARE(styles->currentIndex(), -1);
    QCOMPARE(win.number("txtPriceEach")->text(), QString());

    // Choosing a style offers its price; a typed price is kept for the line.
    pick(styles, "Kinsale-Sofa");
    QCOMPARE(win.number("txtPriceEach")->text(), QString("198"));
    type(win.number("txtPriceEach"), "150");
    type(win.line("txtQty"), "2");
    win.saveLine();
    QCOMPARE(win.grid()->textMatrix(1, 4), QString("150"));
    QCOMPARE(win.grid()->textMatrix(1, 5), QString("300"));
}

void tst_OrderEntry::itemNumbersKeepGapsAndReuseTheLast() {
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    Entry win;
    newOrder(win, "Vedu", "PO-1");
    // The style stays chosen for the next line with its price emptied; typing the same
    // style again offers its price again.
    for (const char *line : {"a", "b"}) enterLine(win, fakes.clock, line, "me", "1", "5");
    enterLine(win, fakes.clock, "c", "me", "1");
    QCOMPARE(win.grid()->textMatrix(3, 4), QString("89.95"));
    auto items = [&win] {
        QStringList numbers;
        for (int row = 1; row < win.grid()->rows(); ++row) numbers << win.grid()->textMatrix(row, 0) + win.grid()->textMatrix(row, 1);
        return numbers.join(' ');
    };
    QCOMPARE(items(), QString("1a 2b 3c"));

    // A click on the header loads nothing.
    QHeaderView *header = win.grid()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 4, 4));
    QCOMPARE(win.label("lblItem"), QString());
    QCOMPARE(win.box("txtLine"), QString("c"));

    // Line 2 loaded and deleted: the others keep their numbers; a new line gets 4.
    win.grid()->setRow(2);
    QCOMPARE(win.label("lblItem"), QString("2"));
    QCOMPARE(win.box("txtLine"), QString("b"));
    QCOMPARE(focused(), QString("txtQty"));
    fakes.messages.answers.enqueue(true);
    win.press("btnDeleteItem");
    QCOMPARE(fakes.messages.shown.last().text, QString("Are you sure you want to delete Line Item 2?"));
    QCOMPARE(fakes.messages.shown.last().title, QString("Delete Confirmation"));
    QCOMPARE(items(), QString("1a 3c"));
    QCOMPARE(win.label("lblItem"), QString());
    QCOMPARE(win.combo("cmbStyle")->currentIndex(), -1);
    QCOMPARE(focused(), QString("txtLine"));
    enterLine(win, fakes.clock, "d", "me", "1", "5");
    QCOMPARE(items(), QString("1a 3c 4d"));

    // Changing line 3 changes the row showing 3. It is the current row since the delete:
    // a click loads it all the same.
    QCOMPARE(win.grid()->row(), 2);
    win.clickLine(2);
    QCOMPARE(win.label("lblItem"), QString("3"));
    type(win.line("txtQty"), "7");
    win.saveLine();
    QCOMPARE(win.grid()->textMatrix(2, 2), QString("7"));
    QCOMPARE(focused(), QString("txtQty"));
    QCOMPARE(items(), QString("1a 3c 4d"));

    // The last line deleted: its number is given again. Declining changes nothing.
    win.grid()->setRow(3);
    fakes.messages.answers.enqueue(false);
    win.press("btnDeleteItem");
    QCOMPARE(items(), QString("1a 3c 4d"));
    fakes.messages.answers.enqueue(true);
    win.press("btnDeleteItem");
    enterLine(win, fakes.clock, "e", "me", "1", "5");
    QCOMPARE(items(), QString("1a 3c 4e"));
}

void tst_OrderEntry::extendedPriceAndTotal() {
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    Entry win;
    newOrder(win, "Vedu", "PO-2");
    pick(win.combo("cmbStyle"), "Metro-Sofa");
    type(win.line("txtQty"), "10");
    type(win.number("txtPriceEach"), "2.5");
    win.line("txtLine")->setFocus(Qt::TabFocusReason);  // leaving the price works it out
    QCOMPARE(win.number("lblPriceExt")->text(), QString("25"));
    QCOMPARE(win.number("lblPriceExt")->displayText(), QString("$25.00"));
    type(win.line("txtQty"), "1,200");  // read as far as it is a number: 1
    win.line("txtLine")->setFocus(Qt::TabFocusReason);
    QCOMPARE(win.number("lblPriceExt")->text(), QString("2.5"));
    win.saveLine();
    enterLine(win, fakes.clock, "x", "me", "3", "12.50");
    QCOMPARE(win.number("lblTotal")->text(), QString("40"));
    QCOMPARE(win.number("lblTotal")->displayText(), QString("$40.00"));
    win.grid()->setRow(1);
    fakes.messages.answers.enqueue(true);
    win.press("btnDeleteItem");
    QCOMPARE(win.number("lblTotal")->text(), QString("37.5"));
}

void tst_OrderEntry::lineNeedsStyleQuantityAndPrice_data() {
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("qty");
    QTest::addColumn<QString>("price");
    QTest::newRow("no style") << "" << "1" << "5";
    QTest::newRow("no quantity") << "Metro-Sofa" << "" << "5";
    QTest::newRow("no price") << "Metro-Sofa" << "1" << "";
}

void tst_OrderEntry::lineNeedsStyleQuantityAndPrice() {
    QFETCH(QString, style);
    QFETCH(QString, qty);
    QFETCH(QString, price);
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    Entry win;
    newOrder(win, "Vedu", "PO-3");
    if (!style.isEmpty()) pick(win.combo("cmbStyle"), style);
    type(win.line("txtQty"), qty);
    win.number("txtPriceEach")->setText(price);
    win.saveLine();
    QCOMPARE(fakes.messages.texts(), QStringList({"You must enter a Style, Quantity, and Price before saving."}));
    QCOMPARE(fakes.messages.shown.first().title, QString("Not Enough Information"));
    QCOMPARE(win.grid()->rows(), 1);
}

void tst_OrderEntry::saveNeedsCustomerNumberAndALine_data() {
    QTest::addColumn<QString>("customer");
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("withLine");
    QTest::newRow("nothing") << "" << "" << false;
    QTest::newRow("no lines") << "Vedu" << "PO-4" << false;
    QTest::newRow("no order number") << "Vedu" << "" << true;
}

void tst_OrderEntry::saveNeedsCustomerNumberAndALine() {
    QFETCH(QString, customer);
    QFETCH(QString, number);
    QFETCH(bool, withLine);
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    const int orders = db.count("Orders");
    Entry win;
    if (!customer.isEmpty()) pick(win.combo("cmbCustomer"), customer);
    type(win.line("txtOrderNumber"), number);
    if (withLine) enterLine(win, fakes.clock, "a", "me", "1");
    win.press("btnSave");
    QCOMPARE(fakes.messages.texts(),
             QStringList({"Customer, Order Number, and atleast one item must be entered before saving Order."}));
    QCOMPARE(fakes.messages.shown.first().title, QString("Required Fields"));
    QVERIFY(!win.closed());
    QCOMPARE(db.count("Orders"), orders);
    QVERIFY(m_capture->documents.isEmpty());
}

void tst_OrderEntry::duplicateNumberAsks_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("No saves nothing") << false;
    QTest::newRow("Yes stores a second order") << true;
}

void tst_OrderEntry::duplicateNumberAsks() {
    QFETCH(bool, yes);
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    storeOrder(db);
    const int orders = db.count("Orders");
    Entry win;
    newOrder(win, "Hickory Comfort Seating", "hc-88");
    enterLine(win, fakes.clock, "a", "he", "1");
    fakes.messages.answers.enqueue(yes);
    win.press("btnSave");
    QCOMPARE(fakes.messages.texts(),
             QStringList({"Order Number hc-88 already exists for Hickory Comfort Seating. This will not overwrite the "
                          "previous Order. Are you sure you want two Orders with the same number?"}));
    QCOMPARE(fakes.messages.shown.first().title, QString("Order Number Exists"));
    QCOMPARE(win.closed(), yes);
    QCOMPARE(db.count("Orders"), orders + (yes ? 1 : 0));
    QCOMPARE(db.count("Orders", "OrderNumber = 'HC-88'"), yes ? 2 : 1);
    QCOMPARE(db.count("OrderItems", "OrderID = 40000"), 3);
}

void tst_OrderEntry::statusButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("status");
    QTest::newRow("close") << "btnClose" << "Are you sure you want to close this order?" << "Close Order Confirmations" << "Closed";
    QTest::newRow("open") << "btnOpenOrder" << "Are you sure you want to open this order?" << "Open Order Confirmations" << "Open";
    QTest::newRow("void") << "btnVoidOrder" << "Are you sure you want to void this order?" << "Void Order Confirmations" << "Void";
}

// The buttons change the status label only; the opened order is stored with it when
// saved, and a new order is always stored Open.
void tst_OrderEntry::statusButtons() {
    QFETCH(QString, button);
    QFETCH(QString, question);
    QFETCH(QString, title);
    QFETCH(QString, status);
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    storeOrder(db);
    db.exec("UPDATE Orders SET Status = 'Pending' WHERE ID = 40000");
    Entry win;
    win.w->OpenOrder(40000);
    fakes.messages.answers.enqueue(false);
    win.press(button);
    QCOMPARE(win.label("lblStatus"), QString("Pending"));
    fakes.messages.answers.enqueue(true);
    win.press(button);
    QCOMPARE(win.label("lblStatus"), status);
    QCOMPARE(fakes.messages.shown.last().text, question);
    QCOMPARE(fakes.messages.shown.last().title, title);
    QCOMPARE(db.scalar("SELECT Status FROM Orders WHERE ID = 40000").toString(), QString("Pending"));
    win.press("btnSave");
    QCOMPARE(db.scalar("SELECT Status FROM Orders WHERE ID = 40000").toString(), status);

    Entry fresh;
    newOrder(fresh, "Vedu", "PO-9");
    enterLine(fresh, fakes.clock, "a", "me", "1");
    fakes.messages.answers.enqueue(true);
    fresh.press(button);
    fresh.press("btnSave");
    QCOMPARE(db.scalar("SELECT Status FROM Orders WHERE OrderNumber = 'PO-9'").toString(), QString("Open"));
}

void tst_OrderEntry::openOrderLoadsIt() {
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    storeOrder(db);
    Entry win;
    win.w->OpenOrder(40000);  // beyond the 16-bit IDs of old
    QCOMPARE(win.combo("cmbCustomer")->currentText(), QString("Hickory Comfort Seating"));
    QCOMPARE(win.box("txtOrderNumber"), QString("HC-88"));
    QCOMPARE(child<QDateEdit>(win.w, "dtOrderDate")->date(), QDate(2026, 11, 2));
    QCOMPARE(child<QDateEdit>(win.w, "dtDueDate")->date(), QDate(2026, 11, 20));
    QCOMPARE(win.label("lblStatus"), QString("Open"));
    QCOMPARE(win.label("lblID"), QString("40000"));
    QCOMPARE(win.box("txtShipTo"), QString("Side Door"));  // the order's own, not the customer's
    QCOMPARE(win.box("txtAddress2"), QString());
    QCOMPARE(win.number("lblTotal")->text(), QString("311"));
    for (const char *name : {"cmbCustomer", "txtOrderNumber", "dtOrderDate", "dtDueDate"})
        QVERIFY2(!child<QWidget>(win.w, name)->isEnabled(), name);
    const QString sofa = styleId(db, "Hickory Comfort Seating", "Madison", "Sofa");
    const QString recliner = styleId(db, "Hickory Comfort Seating", "Heritage", "Recliner");
    QCOMPARE(win.lines(), QStringList({"1|L1|1|Madison-Sofa|189|189|" + sofa, "2|L2|2|Madison-Sofa|50|100|" + sofa,
                                       "4|L4|1|Heritage-Recliner|22|22|" + recliner}));

    // The recliner is no longer offered, yet its line loads and saves with its style.
    win.grid()->setRow(3);
    QCOMPARE(win.combo("cmbStyle")->currentText(), QString("Heritage-Recliner"));
    QCOMPARE(win.number("txtPriceEach")->text(), QString("22"));
    type(win.line("txtQty"), "3");
    win.saveLine();
    QCOMPARE(win.lines().last(), QString("4|L4|3|Heritage-Recliner|22|66|" + recliner));
    win.press("btnSave");  // under its own number: no question
    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('|')));
    QCOMPARE(db.count("Orders", "OrderNumber = 'HC-88'"), 1);
    QCOMPARE(db.scalar("SELECT Total FROM Orders WHERE ID = 40000").toDouble(), 355.0);
    QCOMPARE(db.scalar("SELECT Qty FROM OrderItems WHERE OrderID = 40000 AND ItemNumber = 4").toDouble(), 3.0);
    QCOMPARE(db.scalar("SELECT DateAdded FROM Orders WHERE ID = 40000").toDate(), fakes.clock.today());
}

void tst_OrderEntry::openedOrderOfAnInactiveCustomer() {
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    storeOrder(db, "Catawba Valley Chairs");
    Entry win;
    win.w->OpenOrder(40000);
    QCOMPARE(win.combo("cmbCustomer")->currentText(), QString("Catawba Valley Chairs"));
    QCOMPARE(win.box("txtShipTo"), QString("Side Door"));
    win.press("btnSave");
    QCOMPARE(db.scalar("SELECT Customer FROM Orders WHERE ID = 40000").toString(), QString("Catawba Valley Chairs"));
}

void tst_OrderEntry::openOrderOfNoOrderChangesNothing() {
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    Entry win;
    pick(win.combo("cmbCustomer"), "Vedu");
    win.w->OpenOrder(0);
    QCOMPARE(win.combo("cmbCustomer")->currentText(), QString("Vedu"));
    QVERIFY(win.combo("cmbCustomer")->isEnabled());
    QCOMPARE(win.label("lblID"), QString());
}

void tst_OrderEntry::shippedLineCannotBeDeleted() {
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    storeOrder(db);
    Entry win;
    win.w->OpenOrder(40000);
    win.grid()->setRow(2);
    win.press("btnDeleteItem");
    QCOMPARE(fakes.messages.texts(), QStringList({"Shipments exists for this Line Item. It cannot be deleted."}));
    QCOMPARE(win.grid()->rows(), 4);
    win.press("btnSave");
    QCOMPARE(db.count("OrderItems", "OrderID = 40000 AND ItemNumber = 2"), 1);
}

void tst_OrderEntry::unreadableQuantityKeepsTheWindow() {
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    const int orders = db.count("Orders");
    Entry win;
    newOrder(win, "Vedu", "PO-77");
    enterLine(win, fakes.clock, "a", "me", "2");
    enterLine(win, fakes.clock, "b", "me", "ten", "5");
    win.press("btnSave");
    QCOMPARE(fakes.messages.shown.size(), 1);
    QVERIFY2(fakes.messages.shown.first().text.contains("Line Item 2: Qty \"ten\""),
             qPrintable(fakes.messages.shown.first().text));
    QVERIFY(!win.closed());
    QCOMPARE(db.count("Orders"), orders);
    QVERIFY(m_capture->documents.isEmpty());
    QCOMPARE(win.label("lblID"), QString());
    QCOMPARE(win.box("txtOrderNumber"), QString("PO-77"));
    QCOMPARE(win.grid()->textMatrix(2, 2), QString("ten"));

    // Mended, the order saves whole, once.
    win.grid()->setRow(2);
    type(win.line("txtQty"), "10");
    win.saveLine();
    win.press("btnSave");
    QVERIFY(win.closed());
    QCOMPARE(db.count("Orders"), orders + 1);
    QCOMPARE(db.count("OrderItems", "OrderID = (SELECT ID FROM Orders WHERE OrderNumber = 'PO-77')"), 2);
    QVERIFY(printed(*m_capture).first().startsWith("crptOrder"));
}

// Printing starts once the order is stored: a printer failing on the first document
// leaves the header with all its lines, and the window open for another try.
void tst_OrderEntry::printingFailsAfterTheOrderIsStored() {
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    Entry win;
    newOrder(win, "Vedu", "PO-88");
    enterLine(win, fakes.clock, "a", "me", "2");
    enterLine(win, fakes.clock, "b", "av", "1");
    {
        FailingPrinter printer;
        win.press("btnSave");
    }
    QCOMPARE(fakes.messages.texts(), QStringList({"20501: The printer is out of paper."}));
    QVERIFY(!win.closed());
    const QString id = db.scalar("SELECT ID FROM Orders WHERE OrderNumber = 'PO-88'").toString();
    QCOMPARE(win.label("lblID"), id);
    QCOMPARE(db.count("OrderItems", "OrderID = " + id), 2);

    // Saving again stores the same order, not a second one, and prints the whole set.
    win.press("btnSave");
    QVERIFY(win.closed());
    QCOMPARE(db.count("Orders", "OrderNumber = 'PO-88'"), 1);
    QVERIFY(printed(*m_capture).first().startsWith("crptOrder"));
    QCOMPARE(printed(*m_capture).last(), QString("crptLoadSheet"));
}

QTEST_MAIN(tst_OrderEntry)
#include "tst_orderentry.moc"
