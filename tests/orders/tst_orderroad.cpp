// The road of an order in the main frame, as a clerk goes it: Orders > Order Navigator,
// "Add New", the order typed from the keyboard for a demo customer, Enter on "Save and
// Close"; the paperwork prints; the navigator finds the order by its number and a
// double-click opens it again with its lines.

#include "app/MDI.h"
#include "data/Database.h"
#include "orders/frmOrderEntry.h"
#include "orders/frmOrderNavigator.h"
#include "tests/support/CaptureTarget.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/UiTest.h"
#include "widgets/Grid.h"
#include "widgets/NumberBox.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

using namespace UiTest;

namespace {

QString focused() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
void keys(const QString &text) { QTest::keyClicks(QApplication::focusWidget(), text); }
void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

template <class W>
W *openWindow(const MDI &mdi) {
    for (QMdiSubWindow *sub : mdi.workspace()->subWindowList())
        if (auto *window = qobject_cast<W *>(sub->widget())) return window;
    return nullptr;
}

}  // namespace

class tst_OrderRoad : public QObject {
    Q_OBJECT
private slots:
    void enterSavePrintFindReopen();
};

void tst_OrderRoad::enterSavePrintFindReopen() {
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    CaptureTarget capture;
    MDI mdi;
    show(&mdi);
    mdi.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&mdi));

    mdi.command("OrdNav")->trigger();
    auto *nav = openWindow<frmOrderNavigator>(mdi);
    QVERIFY(nav);
    click(child<QPushButton>(nav, "btnAddNew"));
    auto *entry = openWindow<frmOrderEntry>(mdi);
    QVERIFY(entry);

    // The header: customer by type-ahead, Tab, the order number.
    child<QComboBox>(entry, "cmbCustomer")->setFocus(Qt::OtherFocusReason);
    keys("mo");
    QCOMPARE(child<QComboBox>(entry, "cmbCustomer")->currentText(), QString("Mountain View Sofas"));
    press(Qt::Key_Tab);
    keys("MV-7001");

    // Two lines, Enter from field to field and Enter on Save.
    const struct {
        const char *line, *style, *qty, *price;
    } lines[] = {{"10", "s", "6", ""}, {"20", "r", "12", "70"}};
    for (const auto &l : lines) {
        child<QLineEdit>(entry, "txtLine")->setFocus(Qt::OtherFocusReason);
        child<QLineEdit>(entry, "txtLine")->selectAll();
        keys(l.line);
        press(Qt::Key_Return);
        fakes.clock.advanceMs(1000);
        keys(l.style);
        press(Qt::Key_Return);
        keys(l.qty);
        press(Qt::Key_Return);
        keys(l.price);
        press(Qt::Key_Return);
        QCOMPARE(focused(), QString("btnSaveItem"));
        press(Qt::Key_Return);
    }
    auto *items = child<Grid>(entry, "vsfgItems");
    QCOMPARE(items->rows(), 3);
    QCOMPARE(items->displayText(1, 3), QString("Summit-Sofa"));
    QCOMPARE(items->displayText(2, 3), QString("Ridge-Chair"));
    QCOMPARE(child<NumberBox>(entry, "lblTotal")->displayText(), QString("$2,154.00"));  // 6 x 219 + 12 x 70

    child<QPushButton>(entry, "btnSave")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Return);
    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('|')));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!openWindow<frmOrderEntry>(mdi));
    const QString id = db.scalar("SELECT ID FROM Orders WHERE OrderNumber = 'MV-7001'").toString();
    QVERIFY(!id.isEmpty());
    QCOMPARE(db.count("OrderItems", "OrderID = " + id), 2);

    // The paperwork printed once the order was stored: the office copy, then each
    // department's packet headed by its summary.
    QStringList printed;
    for (const CapturedDocument &d : capture.documents)
        if (!d.preview) printed << d.templateName + " " + d.text("txtDepartment") + d.text("txtRecipient");
    QVERIFY2(printed.size() >= 5, qPrintable(printed.join('|')));
    QVERIFY(printed.first().startsWith("crptOrder"));
    QVERIFY(printed.first().endsWith(" Office Manager"));
    QVERIFY(capture.documents.first().contains("MV-7001"));
    QCOMPARE(printed.filter("crptSummary"),
             QStringList({"crptSummary Saw Department", "crptSummary Fabrication Department",
                          "crptSummary Shipping Department"}));
    QCOMPARE(printed.last(), QString("crptLoadSheet "));

    // The navigator finds it by part of its number; a double-click opens it again.
    type(child<QLineEdit>(nav, "txtOrderNumber"), "7001");
    click(child<QPushButton>(nav, "btnFind"));
    auto *orders = child<Grid>(nav, "vsfgOrders");
    QCOMPARE(orders->rows(), 2);
    QCOMPARE(orders->textMatrix(1, 10), id);
    const QPoint at = orders->visualRect(orders->model()->index(0, 0)).center();
    QTest::mouseClick(orders->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(child<Grid>(nav, "vsfgItems")->rows(), 3);
    QTest::mouseDClick(orders->viewport(), Qt::LeftButton, {}, at);
    entry = openWindow<frmOrderEntry>(mdi);
    QVERIFY(entry);
    QCOMPARE(child<QLabel>(entry, "lblID")->text(), id);
    QCOMPARE(child<QLineEdit>(entry, "txtOrderNumber")->text(), QString("MV-7001"));
    QCOMPARE(child<Grid>(entry, "vsfgItems")->rows(), 3);
    QCOMPARE(child<Grid>(entry, "vsfgItems")->textMatrix(2, 4), QString("70"));
}

QTEST_MAIN(tst_OrderRoad)
#include "tst_orderroad.moc"
