// The road of a demo order through shipping, from the main frame's menus: shipped in
// part, then in full with "Ship All" (the order closes), both shipments found in the
// navigator, the first opened from there and lowered (the order opens again).

#include "app/MDI.h"
#include "shipping/frmShipmentEntry.h"
#include "shipping/frmShipmentNavigator.h"
#include "tests/support/GridKeys.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/UiTest.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QPointer>
#include <QtTest>

using namespace GridKeys;
using namespace UiTest;

namespace {

const QString kCustomer = QStringLiteral("O'Brien Furniture");
const QString kOrderNumber = QStringLiteral("OB-2291");  // the demo's open order: 5 recliners, 3 sofas

QString orderStatus(const TestDatabase &db) {
    return db.scalar("SELECT Status FROM Orders WHERE OrderNumber = '" + kOrderNumber + "'").toString();
}

// Opens Shipment Entry from the menu and shows the demo order in it.
frmShipmentEntry *enterShipment(MDI &mdi) {
    mdi.command("ShipmentEntry")->trigger();
    auto *entry = mdi.findChild<frmShipmentEntry *>();
    if (!entry) return nullptr;
    pick(child<QComboBox>(entry, "cmbCustomer"), kCustomer);
    QComboBox *orders = child<QComboBox>(entry, "cmbOrder");
    for (int i = 0; i < orders->count(); ++i)
        if (orders->itemText(i).startsWith(kOrderNumber + " - ")) pick(orders, orders->itemText(i));
    return entry;
}

}  // namespace

class tst_ShippingRoad : public QObject {
    Q_OBJECT
private slots:
    void demoOrderShippedInTwoAndReopened();
};

void tst_ShippingRoad::demoOrderShippedInTwoAndReopened() {
    TestDatabase db(TestDatabase::Demo);
    ScopedFakes fakes;
    MDI mdi;
    UiTest::show(&mdi);
    QCOMPARE(orderStatus(db), QString("Open"));
    const int before = db.count("Shipments");

    // Two recliners go out first.
    QPointer<frmShipmentEntry> entry = enterShipment(mdi);
    QVERIFY(entry);
    Grid *grid = child<Grid>(entry, "vsfgItems");
    QCOMPARE(grid->rows(), 3);
    typeInCell(grid, 1, 3, "2");
    click(child<QPushButton>(entry, "btnSave"));
    QTRY_VERIFY(!entry);
    QCOMPARE(orderStatus(db), QString("Open"));

    // The rest with Ship All: the order closes.
    entry = enterShipment(mdi);
    QVERIFY(entry);
    grid = child<Grid>(entry, "vsfgItems");
    QCOMPARE(rowTexts(grid, 1).mid(0, 3), (QStringList{"1", "5", "2"}));
    click(child<QPushButton>(entry, "btnShipAll"));
    QCOMPARE(grid->textMatrix(1, 3), QString("3"));
    QCOMPARE(grid->textMatrix(2, 3), QString("3"));
    click(child<QPushButton>(entry, "btnSave"));
    QTRY_VERIFY(!entry);
    QCOMPARE(orderStatus(db), QString("Closed"));
    QCOMPARE(db.count("Shipments"), before + 2);

    // The navigator opens in the frame's top left corner and finds both shipments.
    mdi.command("ShipmentNav")->trigger();
    auto *nav = mdi.findChild<frmShipmentNavigator *>();
    QVERIFY(nav);
    auto *frame = qobject_cast<QMdiSubWindow *>(nav->parentWidget());
    QVERIFY(frame);
    const QSize area = mdi.workspace()->viewport()->size();
    QTRY_COMPARE(frame->geometry(), QRect(0, 0, qRound(area.width() * 0.9), qRound(area.height() * 0.9)));
    type(child<QLineEdit>(nav, "txtOrderNumber"), "2291");
    click(child<QPushButton>(nav, "btnFind"));
    Grid *shipments = child<Grid>(nav, "vsfgShipments");
    QCOMPARE(shipments->rows(), 3);
    const qint64 first = db.scalar("SELECT MIN(ID) FROM Shipments WHERE ID > " + QString::number(before)).toLongLong();
    int firstRow = shipments->textMatrix(1, 2) == QString::number(first) ? 1 : 2;
    QCOMPARE(shipments->textMatrix(firstRow, 2), QString::number(first));

    // The first shipment opened from the navigator, one recliner fewer: open again.
    doubleClick(shipments, firstRow);
    entry = mdi.findChild<frmShipmentEntry *>();
    QVERIFY(entry);
    QCOMPARE(child<QLineEdit>(entry, "txtID")->text(), QString::number(first));
    grid = child<Grid>(entry, "vsfgItems");
    QCOMPARE(rowTexts(grid, 1).mid(0, 4), (QStringList{"1", "5", "3", "2"}));
    typeInCell(grid, 1, 3, "1");
    click(child<QPushButton>(entry, "btnSave"));
    QTRY_VERIFY(!entry);
    QCOMPARE(orderStatus(db), QString("Open"));
    QCOMPARE(db.count("Shipments"), before + 2);

    // The navigator still lists both shipments after its refresh.
    QCOMPARE(shipments->rows(), 3);
    QVERIFY2(fakes.messages.shown.isEmpty(), qPrintable(fakes.messages.texts().join('|')));
}

QTEST_MAIN(tst_ShippingRoad)
#include "tst_shippingroad.moc"
