// The grid of the order, shipment and navigator windows: rows counted with the header as
// row 0, texts and what they show, the one editable column worked with keys, and the
// signals the windows follow.

#include "core/AppError.h"
#include "core/Values.h"
#include "widgets/Grid.h"
#include "tests/support/UiTest.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A shipment grid as the shipment window fills it: item, ordered, previously shipped,
// this shipment, price each.
void fillShipment(Grid &grid) {
    grid.setRedraw(false);
    grid.clear();
    grid.setCols(5);
    grid.addItem({"Item Number", "Qty Ordered", "Prev. Shipped", "This Shipment", "Price Each"});
    grid.addItem({"1", "10", "2", "", "12.5"});
    grid.addItem({"2", "5", "", "", "1234.5"});
    grid.addItem({"3", "7", "7", "", ""});
    grid.setColAlignment(-1, Qt::AlignCenter);
    grid.setColFormat(4, "$#,###.##");
    grid.autoSize();
    grid.setRedraw(true);
}

// The shipment window's rule: only "This Shipment" is edited, and a text that is no
// number or more than remains becomes "0".
void shipmentRules(Grid &grid) {
    grid.setEditableCol(3);
    grid.setBeforeEdit([](int, int col) { return col == 3; });
    grid.setAfterEdit([&grid](int row, int col) {
        const QString typed = grid.textMatrix(row, col);
        const double remains = Values::Val(grid.textMatrix(row, 1)) - Values::Val(grid.textMatrix(row, 2));
        if (!Values::IsNumeric(typed) || Values::Val(typed) > remains) grid.setTextMatrix(row, col, "0");
    });
}

QString shown(Grid &grid, int row, int col) {
    return grid.model()->data(grid.model()->index(row - 1, col), Qt::DisplayRole).toString();
}

// Types into the current cell and ends the edit with Enter, as a clerk does.
void typeInCell(Grid &grid, const QString &text) {
    QTest::keyClicks(&grid, text.left(1));  // the first key opens the cell
    QWidget *editor = QApplication::focusWidget();
    QVERIFY(editor && editor != &grid);
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!grid.editing());
}

}  // namespace

class tst_Grid : public QObject {
    Q_OBJECT
private slots:
    void rowsCountTheHeader();
    void textsStayAsSetFormatsOnlyShow_data();
    void textsStayAsSetFormatsOnlyShow();
    void columnsCentredAndFitted();
    void removeItemMovesRowsUp();
    void outsideTheGridIsAnError();
    void editHookRewritesTypedQuantity_data();
    void editHookRewritesTypedQuantity();
    void editRefusedOutsideEditableColumn();
    void downArrowKeepsTheTypedQuantity();
    void currentRowAndDoubleClick();
    void bulkFillTellsTheViewOnce();
    void rowColour();
};

void tst_Grid::rowsCountTheHeader() {
    Grid grid;
    QCOMPARE(grid.rows(), 0);
    grid.setCols(3);
    grid.addItem({"Item Number", "Line", "Qty"});
    QCOMPARE(grid.rows(), 1);
    QCOMPARE(grid.model()->rowCount(), 0);  // the header is no data row
    QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QString("Line"));
    grid.addItem({"1", "A"});
    QCOMPARE(grid.rows(), 2);
    QCOMPARE(grid.textMatrix(1, 0), QString("1"));
    QCOMPARE(grid.textMatrix(1, 2), QString());  // missing cells are empty
    grid.setRows(4);
    QCOMPARE(grid.model()->rowCount(), 3);
    grid.setTextMatrix(3, 2, "12");
    QCOMPARE(shown(grid, 3, 2), QString("12"));
    grid.setRows(2);
    QCOMPARE(grid.rows(), 2);
    grid.setCols(2);
    QCOMPARE(grid.textMatrix(1, 1), QString("A"));  // narrowing keeps the left columns
    grid.clear();
    QCOMPARE(grid.rows(), 0);
    QCOMPARE(grid.cols(), 2);
    QVERIFY(grid.horizontalHeader()->isHidden());  // no header row, no header
}

void tst_Grid::textsStayAsSetFormatsOnlyShow_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("display");
    QTest::newRow("money") << "1234.5" << "$#,###.##" << "$1,234.5";
    QTest::newRow("rounded") << "1234.567" << "$#,###.##" << "$1,234.57";
    QTest::newRow("under one") << ".5" << "$#,###.##" << "$.5";
    QTest::newRow("zero") << "0" << "$#,###.##" << "$.";
    QTest::newRow("empty stays empty") << "" << "$#,###.##" << "";
    QTest::newRow("no number shows as typed") << "n/a" << "$#,###.##" << "n/a";
    QTest::newRow("no format") << "1234.5" << "" << "1234.5";
}

void tst_Grid::textsStayAsSetFormatsOnlyShow() {
    QFETCH(QString, text);
    QFETCH(QString, picture);
    QFETCH(QString, display);
    Grid grid;
    grid.setCols(2);
    grid.addItem({"Qty", "Price Each"});
    grid.addItem({"3", text});
    grid.setColFormat(1, picture);
    QCOMPARE(grid.displayText(1, 1), display);
    QCOMPARE(shown(grid, 1, 1), display);
    QCOMPARE(grid.textMatrix(1, 1), text);  // sums read the text, not the picture
    QCOMPARE(grid.displayText(0, 1), QString("Price Each"));
}

void tst_Grid::columnsCentredAndFitted() {
    Grid grid;
    fillShipment(grid);
    UiTest::show(&grid);
    for (int col = 0; col < grid.cols(); ++col) {
        QCOMPARE(grid.model()->data(grid.model()->index(0, col), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QCOMPARE(grid.model()->headerData(col, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        // Every text the column shows fits, the header's included.
        for (int row = 1; row < grid.rows(); ++row)
            QVERIFY(grid.columnWidth(col) > grid.fontMetrics().horizontalAdvance(grid.displayText(row, col)));
        QVERIFY(grid.columnWidth(col) >= grid.horizontalHeader()->sectionSizeHint(col));
    }
    // A longer text widens its column when the widths are fitted again.
    const int before = grid.columnWidth(4);
    grid.setTextMatrix(2, 4, "1234567.25");
    grid.autoSize();
    QVERIFY(grid.columnWidth(4) > before);
    QVERIFY(grid.columnWidth(4) > grid.fontMetrics().horizontalAdvance("$1,234,567.25"));
}

void tst_Grid::removeItemMovesRowsUp() {
    Grid grid;
    fillShipment(grid);
    grid.setRowColor(3, Qt::red);
    grid.removeItem(2);
    QCOMPARE(grid.rows(), 3);
    QCOMPARE(grid.model()->rowCount(), 2);
    QCOMPARE(grid.textMatrix(1, 0), QString("1"));
    QCOMPARE(grid.textMatrix(2, 0), QString("3"));
    QCOMPARE(shown(grid, 2, 0), QString("3"));
    // A row's colour moves up with it.
    QCOMPARE(grid.model()->data(grid.model()->index(1, 0), Qt::BackgroundRole).value<QColor>(), QColor(Qt::red));
    grid.removeItem(2);
    grid.addItem({"4", "1", "", "", "2"});
    QCOMPARE(grid.textMatrix(2, 0), QString("4"));
    QVERIFY(!grid.model()->data(grid.model()->index(1, 0), Qt::BackgroundRole).isValid());
}

void tst_Grid::outsideTheGridIsAnError() {
    Grid grid;
    fillShipment(grid);
    QVERIFY_THROWS_EXCEPTION(AppError, grid.textMatrix(4, 0));
    QVERIFY_THROWS_EXCEPTION(AppError, grid.textMatrix(1, 5));
    QVERIFY_THROWS_EXCEPTION(AppError, grid.setTextMatrix(-1, 0, "x"));
    QVERIFY_THROWS_EXCEPTION(AppError, grid.removeItem(4));
}

void tst_Grid::editHookRewritesTypedQuantity_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("what remains") << 1 << "8" << "8";
    QTest::newRow("more than remains") << 1 << "10" << "0";
    QTest::newRow("letters") << 1 << "ten" << "0";
    QTest::newRow("less than remains") << 2 << "3" << "3";
    QTest::newRow("nothing shipped before counts 0") << 2 << "5" << "5";
    QTest::newRow("line shipped in full") << 3 << "1" << "0";
}

void tst_Grid::editHookRewritesTypedQuantity() {
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Grid grid;
    fillShipment(grid);
    shipmentRules(grid);
    UiTest::show(&grid);
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(row - 1, 3));
    typeInCell(grid, typed);
    QCOMPARE(grid.textMatrix(row, 3), stored);
    QCOMPARE(shown(grid, row, 3), stored);

    // Enter on the cell opens it again; the old text is replaced by what is typed.
    QTest::keyClick(&grid, Qt::Key_Return);
    QVERIFY(grid.editing());
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    QTest::keyClicks(editor, "1");
    QTest::keyClick(editor, Qt::Key_Enter);
    QTRY_VERIFY(!grid.editing());
    QCOMPARE(grid.textMatrix(row, 3), row == 3 ? QString("0") : QString("1"));
}

void tst_Grid::editRefusedOutsideEditableColumn() {
    Grid grid;
    fillShipment(grid);
    shipmentRules(grid);
    int asked = 0;
    grid.setBeforeEdit([&asked](int row, int col) {
        ++asked;
        return row != 2;  // the window refuses this line
    });
    UiTest::show(&grid);
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(0, 1));
    QTest::keyClicks(&grid, "9");
    QTest::keyClick(&grid, Qt::Key_F2);
    QVERIFY(!grid.editing());
    QCOMPARE(grid.textMatrix(1, 1), QString("10"));
    QCOMPARE(asked, 0);  // only the editable column asks

    grid.setCurrentIndex(grid.model()->index(1, 3));
    QTest::keyClicks(&grid, "4");
    QCOMPARE(asked, 1);
    QVERIFY(!grid.editing());
    QCOMPARE(grid.textMatrix(2, 3), QString());

    grid.setCurrentIndex(grid.model()->index(0, 3));
    typeInCell(grid, "4");
    QCOMPARE(grid.textMatrix(1, 3), QString("4"));
    // Escape abandons an edit: the text stays as it was.
    QTest::keyClicks(&grid, "7");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!grid.editing());
    QCOMPARE(grid.textMatrix(1, 3), QString("4"));
}

void tst_Grid::downArrowKeepsTheTypedQuantity() {
    Grid grid;
    fillShipment(grid);
    shipmentRules(grid);
    UiTest::show(&grid);
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(0, 3));
    QTest::keyClicks(&grid, "9");  // more than the 8 that remain
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTRY_VERIFY(!grid.editing());
    QCOMPARE(grid.textMatrix(1, 3), QString("0"));
    QCOMPARE(grid.row(), 2);
    QCOMPARE(grid.currentIndex().column(), 3);
    typeInCell(grid, "5");
    QCOMPARE(grid.textMatrix(2, 3), QString("5"));
    // A save finishes the edit still open: the typed text counts, the rule applies.
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClicks(&grid, "8");
    QVERIFY(grid.editing());
    grid.finishEditing();
    QVERIFY(!grid.editing());
    QCOMPARE(grid.textMatrix(3, 3), QString("0"));  // line 3 has shipped in full
}

void tst_Grid::currentRowAndDoubleClick() {
    Grid grid;
    QSignalSpy moved(&grid, &Grid::currentRowChanged);
    QSignalSpy doubled(&grid, &Grid::rowDoubleClicked);
    fillShipment(grid);
    QCOMPARE(grid.row(), -1);
    UiTest::show(&grid);
    moved.clear();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(1, 0)).center());
    QCOMPARE(grid.row(), 2);
    QCOMPARE(moved.size(), 1);
    QCOMPARE(moved.takeFirst().at(0).toInt(), 2);
    QTest::keyClick(&grid, Qt::Key_Right);  // another column of the same row
    QCOMPARE(moved.size(), 0);
    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(moved.takeFirst().at(0).toInt(), 3);
    QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(moved.takeFirst().at(0).toInt(), 1);

    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(2, 1)).center());
    QCOMPARE(doubled.takeFirst().at(0).toInt(), 3);
    QTest::mouseDClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {},
                       QPoint(grid.horizontalHeader()->sectionPosition(1) + 5, 5));
    QCOMPARE(doubled.takeFirst().at(0).toInt(), 0);

    // Refilling and removing rows move nothing the windows follow.
    moved.clear();
    fillShipment(grid);
    grid.setRow(2);
    grid.removeItem(2);
    QCOMPARE(moved.size(), 1);  // setRow only
}

void tst_Grid::bulkFillTellsTheViewOnce() {
    Grid grid;
    grid.setCols(3);
    grid.addItem({"Order Number", "Customer", "Total"});
    UiTest::show(&grid);
    QSignalSpy inserted(grid.model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(grid.model(), &QAbstractItemModel::modelReset);
    grid.setRedraw(false);
    for (int i = 1; i <= 50000; ++i)
        grid.addItem({QString::number(i), "Acme Foam", QString::number(i * 1.25)});
    grid.setColFormat(2, "$#,###.##");
    grid.autoSize();
    QCOMPARE(grid.model()->rowCount(), 0);  // the view has seen nothing yet
    grid.setRedraw(true);
    QCOMPARE(inserted.size(), 0);
    QCOMPARE(reset.size(), 1);
    QCOMPARE(grid.model()->rowCount(), 50000);
    QCOMPARE(shown(grid, 50000, 2), QString("$62,500."));
    QVERIFY(grid.columnWidth(2) > grid.fontMetrics().horizontalAdvance("$62,500."));
}

void tst_Grid::rowColour() {
    Grid grid;
    fillShipment(grid);
    grid.setRowColor(2, QColor("#ffe0e0"));
    for (int col = 0; col < grid.cols(); ++col)
        QCOMPARE(grid.model()->data(grid.model()->index(1, col), Qt::BackgroundRole).value<QColor>(), QColor("#ffe0e0"));
    QVERIFY(!grid.model()->data(grid.model()->index(0, 0), Qt::BackgroundRole).isValid());
    grid.setRowColor(2, QColor());
    QVERIFY(!grid.model()->data(grid.model()->index(1, 0), Qt::BackgroundRole).isValid());
}

QTEST_MAIN(tst_Grid)
#include "tst_grid.moc"
