// The lists of every order and shipment read their rows as they come into view. On a plant
// of more orders than such a list holds rows at once, each list shows, through the grid's
// and the drop-down list's own answers, the same rows in the same order as its search
// read whole, and the row the clerk moves to last still shows its lines.

#include "data/Database.h"
#include "orders/OrderSearch.h"
#include "orders/frmOrderNavigator.h"
#include "orders/frmSawMgrReports.h"
#include "shipping/ShipmentSearch.h"
#include "shipping/frmShipmentNavigator.h"
#include "tests/support/Fakes.h"
#include "tests/support/Fixtures.h"
#include "tests/support/OpenWindow.h"
#include "tools/DemoPlant.h"
#include "widgets/AutoCompleteCombo.h"
#include "widgets/Grid.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QTest>
#include <algorithm>
#include <memory>

using namespace UiTest;

namespace {

constexpr int kOrders = 1500;  // over ten blocks of rows

QString keyed(const QString &customer, const QString &number, const QString &id) {
    return customer + QLatin1Char('|') + number + QLatin1Char('|') + id;
}

// Rows of one customer and number put in ID order: a search sorted by customer and
// number alone leaves their order to the engine, and the lists show them so.
QStringList tiesById(QStringList rows) {
    auto group = [](const QString &row) { return row.section(QLatin1Char('|'), 0, 1); };
    for (qsizetype first = 0; first < rows.size();) {
        qsizetype end = first + 1;
        while (end < rows.size() && group(rows[end]) == group(rows[first])) ++end;
        std::sort(rows.begin() + first, rows.begin() + end, [](const QString &a, const QString &b) {
            return a.section(QLatin1Char('|'), 2).toLongLong() < b.section(QLatin1Char('|'), 2).toLongLong();
        });
        first = end;
    }
    return rows;
}

// "Customer|Number|ID" of every row of the search read whole, by the names of its columns.
QStringList fullRead(const TestDatabase &db, const QString &sql, const QStringList &columns) {
    const RowSet read = db.query(sql);
    QStringList rows;
    for (int r = 0; r < read.rows.size(); ++r)
        rows << keyed(read.value(r, columns[0]).toString(), read.value(r, columns[1]).toString(),
                      read.value(r, columns[2]).toString());
    return tiesById(rows);
}

// The same of every data row of a grid, by its columns, as the grid answers for them.
QStringList gridRows(Grid *grid, const QVector<int> &columns) {
    QStringList rows;
    for (int r = 1; r < grid->rows(); ++r)
        rows << keyed(grid->textMatrix(r, columns[0]), grid->textMatrix(r, columns[1]), grid->textMatrix(r, columns[2]));
    return rows;
}

}  // namespace

class TestFetchedLists : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void navigatorShowsTheFullRead_data();
    void navigatorShowsTheFullRead();
    void orderSelectionShowsEveryOrder();

private:
    std::unique_ptr<ScopedFakes> m_fakes;
    std::unique_ptr<TestDatabase> m_db;
    QString busiestCustomer() const;
};

QString TestFetchedLists::busiestCustomer() const {
    const RowSet open = m_db->query("SELECT Orders.Customer FROM Orders INNER JOIN Customer ON Orders.Customer = "
                                    "Customer.Customer WHERE Customer.Status = 'Active' AND Orders.Status = 'Open'");
    QHash<QString, int> counts;
    for (const QVector<QVariant> &row : open.rows) ++counts[row[0].toString()];
    QString busiest;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (busiest.isEmpty() || it.value() > counts.value(busiest)) busiest = it.key();
    return busiest;
}

void TestFetchedLists::initTestCase() {
    m_fakes = std::make_unique<ScopedFakes>();
    m_db = std::make_unique<TestDatabase>();
    DemoPlant::populateLarge(AppDatabase(), 30, kOrders);
    // A second order of the customer and number of a shipped one, shipped between that
    // order's shipments: the lists show the shipments of both by ID.
    const RowSet first = m_db->query("SELECT TOP 1 Orders.ID, Customer, OrderNumber FROM Orders INNER JOIN Shipments "
                                     "ON Shipments.OrderID = Orders.ID ORDER BY Orders.ID");
    const QString firstId = first.value(0, "ID").toString();
    const QString twinId = QString::number(m_db->scalar("SELECT MAX(ID) FROM Orders").toLongLong() + 1);
    m_db->exec("INSERT INTO Orders (ID, Customer, OrderNumber, Status, OrderDate) SELECT " + twinId +
               ", Customer, OrderNumber, Status, OrderDate FROM Orders WHERE ID = " + firstId);
    qint64 shipment = m_db->scalar("SELECT MAX(ID) FROM Shipments").toLongLong();
    for (const QString &order : {firstId, twinId, firstId})
        m_db->exec(QString("INSERT INTO Shipments (ID, OrderID, Date) VALUES (%1, %2, #12/1/2026#)").arg(++shipment).arg(order));
}

void TestFetchedLists::cleanupTestCase() {
    m_db.reset();
    m_fakes.reset();
}

void TestFetchedLists::navigatorShowsTheFullRead_data() {
    QTest::addColumn<bool>("orders");  // the order navigator, else the shipment navigator
    QTest::addColumn<bool>("customer");  // the active customer with the most open orders
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("lastYear");
    QTest::newRow("orders, every order") << true << false << "" << "" << false;
    QTest::newRow("orders, one customer's open orders") << true << true << "Open" << "" << false;
    QTest::newRow("orders, number holding 1") << true << false << "" << "1" << false;
    QTest::newRow("orders, the last year's") << true << false << "" << "" << true;
    QTest::newRow("shipments, every shipment") << false << false << "" << "" << false;
    QTest::newRow("shipments, number holding 2, the last year's") << false << false << "" << "2" << true;
}

void TestFetchedLists::navigatorShowsTheFullRead() {
    QFETCH(bool, orders);
    QFETCH(bool, customer);
    QFETCH(QString, status);
    QFETCH(QString, number);
    QFETCH(bool, lastYear);
    std::unique_ptr<QWidget> nav(orders ? static_cast<QWidget *>(new frmOrderNavigator)
                                        : static_cast<QWidget *>(new frmShipmentNavigator));
    show(nav.get());
    const QDate today = m_fakes->clock.today();
    const QString name = customer ? busiestCustomer() : QString();
    if (customer) pick(child<QComboBox>(nav.get(), "cmbCustomer"), name);
    if (!status.isEmpty()) pick(child<QComboBox>(nav.get(), "cmbStatus"), status);
    type(child<QLineEdit>(nav.get(), "txtOrderNumber"), number);
    child<QCheckBox>(nav.get(), orders ? "chkOrderDate" : "chkShipDate")->setChecked(lastYear);
    child<QDateEdit>(nav.get(), "dtStartDate")->setDate(today.addYears(-1));
    click(child<QPushButton>(nav.get(), "btnFind"));

    Grid *grid = child<Grid>(nav.get(), orders ? "vsfgOrders" : "vsfgShipments");
    grid->scrollToBottom();
    QCoreApplication::processEvents();
    QStringList expected;
    if (orders) {
        const QString sql = OrderSearchSql({name, status, lastYear, today.addYears(-1), today, number});
        expected = fullRead(*m_db, sql, {"Customer", "OrderNumber", "ID"});
        QCOMPARE(gridRows(grid, {1, 0, 10}), expected);
    } else {
        const QString sql = ShipmentSearchSql({name, lastYear, today.addYears(-1), today, number});
        expected = fullRead(*m_db, sql, {"Orders.Customer", "Orders.OrderNumber", "Shipments.ID"});
        QCOMPARE(gridRows(grid, {0, 1, 2}), expected);
    }
    QVERIFY(expected.size() > 2);

    // The last row, long out of the blocks held, shows its lines when the clerk moves to it.
    const int last = grid->rows() - 1;
    grid->setRow(last);
    const QString id = grid->textMatrix(last, orders ? 10 : 2);
    const int lines = orders ? m_db->count("OrderItems", "OrderID = " + id) : m_db->count("ShipmentItems", "ShipmentID = " + id);
    QCOMPARE(child<Grid>(nav.get(), "vsfgItems")->rows(), 1 + lines);
}

void TestFetchedLists::orderSelectionShowsEveryOrder() {
    OpenWindow<frmSawMgrReports> w;
    QComboBox *list = w.combo("cmbOrder");
    const QStringList expected =
        fullRead(*m_db, "SELECT ID,Customer,OrderNumber FROM Orders ORDER BY Customer,OrderNumber",
                 {"Customer", "OrderNumber", "ID"});
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) {
        const QString text = list->itemText(i);
        shown << keyed(text.section(QStringLiteral(" - "), 0, 0), text.section(QStringLiteral(" - "), 1),
                       list->itemData(i).toString());
    }
    QCOMPARE(shown, expected);
    QCOMPARE(shown.size(), kOrders + 1);

    // Typing the start of an entry far down the list picks the first entry that begins so.
    const QString late = list->itemText(list->count() * 4 / 5);
    const QString prefix = late.left(late.indexOf(QStringLiteral(" - ")) + 4).toLower();
    ResetAutoComplete();
    list->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(list, prefix);
    int first = 0;
    while (!list->itemText(first).startsWith(prefix, Qt::CaseInsensitive)) ++first;
    QCOMPARE(list->currentIndex(), first);
}

QTEST_MAIN(TestFetchedLists)
#include "tst_fetchedlists.moc"
