#include "tests/support/GridKeys.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>

namespace GridKeys {

void typeInCell(Grid *grid, int row, int col, const QString &text, bool enter) {
    grid->setFocus(Qt::OtherFocusReason);
    grid->setCurrentIndex(grid->model()->index(row - 1, col));
    if (text.isEmpty()) return;
    QTest::keyClicks(grid, text.left(1));
    QWidget *editor = QApplication::focusWidget();
    if (!editor || editor == grid) return;  // the grid refused the edit
    QTest::keyClicks(editor, text.mid(1));
    if (!enter) return;
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor hands its text over once control returns to the event loop.
    QVERIFY(QTest::qWaitFor([grid] { return !grid->editing(); }));
}

void doubleClick(Grid *grid, int row) {
    if (row == 0) {
        QHeaderView *header = grid->horizontalHeader();
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {},
                           QPoint(header->sectionViewportPosition(0) + header->sectionSize(0) / 2, header->height() / 2));
        return;
    }
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, 0));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

void moveTo(Grid *grid, int row) {
    grid->setFocus(Qt::OtherFocusReason);
    if (grid->row() < 1) grid->setRow(1);
    while (grid->row() < row) QTest::keyClick(grid, Qt::Key_Down);
    while (grid->row() > row) QTest::keyClick(grid, Qt::Key_Up);
}

QStringList rowTexts(const Grid *grid, int row) {
    QStringList texts;
    for (int col = 0; col < grid->cols(); ++col) texts << grid->textMatrix(row, col);
    return texts;
}

QStringList rowShown(const Grid *grid, int row) {
    QStringList texts;
    for (int col = 0; col < grid->cols(); ++col) texts << grid->displayText(row, col);
    return texts;
}

}  // namespace GridKeys
