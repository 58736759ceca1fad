#pragma once
// The grid of the order, shipment and navigator windows: text cells by row and column,
// with the first row as the header. Row 0 is the header once the grid has any row; data
// rows count from 1, as the plant's windows number them. Each column may carry a picture
// format ("$#,###.##") and an alignment, which change what is shown, never the text.
//
// Filling is fast with tens of thousands of rows: between setRedraw(false) and
// setRedraw(true) rows are appended without any per-row work of the view.
//
//   grid->setRedraw(false);
//   grid->clear();
//   grid->setCols(3);
//   grid->addItem({"Item Number", "Qty", "Price Each"});
//   for (...) grid->addItem({number, qty, price});
//   grid->setColAlignment(-1, Qt::AlignCenter);
//   grid->setColFormat(2, "$#,###.##");
//   grid->autoSize();
//   grid->setRedraw(true);
//
// A grid listing every row of a large table takes its data rows as FetchedRows instead
// of adding them: it knows their count and reads their cells in blocks as they come into
// view, and answers rows(), textMatrix and the rest as if they had been added.
//
//   grid->addItem({"Order Number", ...});  // the header
//   grid->setFetchedRows(std::make_unique<FetchedRows>(keys, fetch));
//
// One column may be made editable; a before-edit hook may refuse an edit and an
// after-edit hook may rewrite the value the clerk typed.

#include <QColor>
#include <QStringList>
#include <QTableView>
#include <functional>
#include <memory>

class FetchedRows;
class GridModel;

class Grid : public QTableView {
    Q_OBJECT
public:
    explicit Grid(QWidget *parent = nullptr);
    ~Grid() override;

    // Rows, the header row included (0 for an empty grid without header).
    int rows() const;
    int cols() const;
    // Grows with empty rows or drops rows from the end.
    void setRows(int rows);
    // Grows with empty columns or drops columns from the right.
    void setCols(int cols);
    // No rows at all, not even the header; the columns and their formats stay.
    void clear();
    // Appends a row from its cell texts (the first row added is the header). Missing
    // cells are empty, surplus ones are dropped.
    void addItem(QStringList cells);
    // Replaces the data rows below the header with rows read as they come into view. Any
    // later change to the rows (addItem, setRows, removeItem, setCols) reads them all first.
    void setFetchedRows(std::unique_ptr<FetchedRows> rows);
    // Removes a row; the rows below move up one place.
    void removeItem(int row);

    // The text of a cell as set or typed, without its format.
    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString &text);
    // The text a cell shows: its text through the column's picture format.
    QString displayText(int row, int col) const;

    // The picture format of a column's data cells; a text that is no number shows as it
    // is. Column -1 sets every column.
    void setColFormat(int col, const QString &picture);
    // The alignment of a column, header and cells alike (always centred vertically).
    // Column -1 sets every column.
    void setColAlignment(int col, Qt::Alignment alignment);
    // The background of a data row (an invalid colour restores the plain background).
    void setRowColor(int row, const QColor &color);

    // Fits every column's width to the widest text it shows, header included; fetched rows
    // widen the columns as their blocks are read.
    void autoSize();
    // While redraw is off the view does no per-row work; turning it on shows everything
    // at once.
    void setRedraw(bool on);

    // The current data row (1 and up), or -1 when there is none.
    int row() const;
    // Makes a data row current, as a click on it would (currentRowChanged is emitted).
    void setRow(int row);

    // True while the clerk is typing into a cell.
    bool editing() const { return state() == EditingState; }
    // Ends the clerk's edit as Enter would: the typed text is stored and the after-edit
    // hook runs. A save reads the cells after this, so a value still being typed counts.
    void finishEditing();

    // The one column the clerk may edit (-1: none, the default).
    void setEditableCol(int col);
    int editableCol() const { return m_editableCol; }
    // Runs before an edit of a cell of the editable column starts; returning false
    // refuses the edit.
    void setBeforeEdit(std::function<bool(int row, int col)> hook) { m_beforeEdit = std::move(hook); }
    // Runs after the clerk's text has been stored in the cell; it may rewrite the cell.
    void setAfterEdit(std::function<void(int row, int col)> hook) { m_afterEdit = std::move(hook); }

signals:
    // The clerk moved to another data row (by mouse, keys or setRow). Filling, emptying
    // and removing rows emit nothing.
    void currentRowChanged(int row);
    // A double-click: the data row under the pointer, or 0 on the header or below the rows.
    void rowDoubleClicked(int row);

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    friend class GridModel;
    void cellEdited(int row, int col);
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void widenFor(const QList<QStringList> &read);

    GridModel *m_model;
    int m_editableCol = -1;
    bool m_quiet = false;  // set while rows are filled or removed
    bool m_autoSizePending = false;
    bool m_widenOnRead = false;  // fetched rows fitted: each block read widens the columns
    std::function<bool(int, int)> m_beforeEdit;
    std::function<void(int, int)> m_afterEdit;
};
