#include "widgets/Grid.h"

#include "core/AppError.h"
#include "core/Handler.h"
#include "core/Values.h"
#include "widgets/FetchedRows.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QStyle>
#include <QTimer>
#include <vector>

namespace {
// A row or column that is not there: the error the plant's staff know for it.
[[noreturn]] void outOfRange() {
    constexpr int SubscriptOutOfRange = 9;
    throw AppError(SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
}

// The width each of `cols` columns needs for `count` rows of texts, textOf(i, col) giving
// them. Widths are summed from each character's advance, measured once per call: exact
// enough for fitting and quick over tens of thousands of rows.
template <class TextOf>
QVector<int> TextWidths(const QWidget *view, int cols, int count, TextOf textOf) {
    const QFontMetrics metrics = view->fontMetrics();
    int advance[256];
    for (int c = 0; c < 256; ++c) advance[c] = metrics.horizontalAdvance(QChar(c));
    auto widthOf = [&](const QString &text) {
        int width = 0;
        for (QChar ch : text) {
            if (ch.unicode() >= 256) return metrics.horizontalAdvance(text);
            width += advance[ch.unicode()];
        }
        return width;
    };
    const int padding = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 6;
    QVector<int> widths(cols, 0);
    for (int col = 0; col < cols; ++col) {
        int widest = 0;
        for (int i = 0; i < count; ++i) widest = std::max(widest, widthOf(textOf(i, col)));
        widths[col] = widest + padding;
    }
    return widths;
}

}  // namespace

// The cells of a grid, row 0 being the header. The view sees row 0 as the horizontal
// header and grid row r (r >= 1) as model row r - 1. While frozen, the cells change
// without telling the view, which goes on seeing the rows and columns it was last told
// of; thawing tells it everything in one reset.
//
// The data rows may instead be fetched rows (FetchedRows): the cells then hold the header
// alone, a data row's text is read from its block when asked for, and a text set on such a
// row is kept beside them. Any change to the rows themselves first reads every fetched row
// into the cells, so a grid filled either way answers alike.
class GridModel : public QAbstractTableModel {
public:
    explicit GridModel(Grid *grid) : QAbstractTableModel(grid), m_grid(grid) {}

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : m_viewRows;
    }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : m_viewCols;
    }

    const QString &cell(int row, int col) const { return m_cells[qsizetype(row) * m_cols + col]; }
    QString &cell(int row, int col) { return m_cells[qsizetype(row) * m_cols + col]; }
    // The text of a cell, a fetched row's read from its block (`painting`: a block that
    // cannot be read shows empty cells).
    QString text(int row, int col, bool painting = false) const {
        if (!m_fetched || row == 0) return cell(row, col);
        const auto edited = m_edits.constFind(editKey(row, col));
        if (edited != m_edits.constEnd()) return *edited;
        const QStringList cells = painting ? m_fetched->shownRow(row - 1) : m_fetched->row(row - 1);
        return cells.value(col);
    }
    bool holds(int row, int col) const { return row >= 0 && row < m_rows && col >= 0 && col < m_cols; }

    bool formatted(int col) const { return !m_formats[col].isEmpty(); }
    // A data cell's text as its column shows it.
    QString formattedText(int col, const QString &plain) const {
        const QString &picture = m_formats[col];
        return picture.isEmpty() || plain.isEmpty() ? plain : Values::FormatValue(plain, picture);
    }

    QString shown(int row, int col, bool painting = false) const {
        const QString plain = text(row, col, painting);
        return row == 0 ? plain : formattedText(col, plain);
    }

    QVariant data(const QModelIndex &index, int role) const override {
        const int row = index.row() + 1;
        const int col = index.column();
        if (!holds(row, col)) return QVariant();
        switch (role) {
        case Qt::DisplayRole:
            return shown(row, col, true);
        case Qt::EditRole:
            return text(row, col, true);
        case Qt::TextAlignmentRole:
            return int(m_alignments[col] | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            if (size_t(row) < m_colors.size() && m_colors[size_t(row)].isValid()) return m_colors[size_t(row)];
            return QVariant();
        default:
            return QVariant();
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || !holds(0, section)) return QVariant();
        if (role == Qt::DisplayRole) return cell(0, section);
        if (role == Qt::TextAlignmentRole) return int(m_alignments[section] | Qt::AlignVCenter);
        return QVariant();
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override {
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (index.column() == m_grid->editableCol()) flags |= Qt::ItemIsEditable;
        return flags;
    }

    // The clerk's text, stored when an edit ends; the after-edit hook follows.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override {
        if (role != Qt::EditRole || !holds(index.row() + 1, index.column())) return false;
        setCell(index.row() + 1, index.column(), value.toString());
        m_grid->cellEdited(index.row() + 1, index.column());
        return true;
    }

    void setCell(int row, int col, const QString &text) {
        if (m_fetched && row > 0) m_edits.insert(editKey(row, col), text);
        else cell(row, col) = text;
        if (m_frozen) return;
        if (row == 0) {
            if (col < m_viewCols) emit headerDataChanged(Qt::Horizontal, col, col);
        } else if (row <= m_viewRows && col < m_viewCols) {
            const QModelIndex at = index(row - 1, col);
            emit dataChanged(at, at);
        }
    }

    void append(QStringList &&cells) {
        readAll();
        const int count = std::min<int>(int(cells.size()), m_cols);
        if (count < cells.size()) cells.resize(count);
        m_cells.append(std::move(cells));
        m_cells.resize(m_cells.size() + (m_cols - count));
        grown(1);
    }

    void setRows(int rows) {
        if (rows <= 1 && m_fetched) dropFetched();
        readAll();
        if (rows < m_rows) {
            removeRange(rows, m_rows - rows);
        } else if (rows > m_rows) {
            const int added = rows - m_rows;
            m_cells.resize(qsizetype(rows) * m_cols);
            grown(added);
        }
    }

    void removeRange(int first, int count) {
        readAll();
        const bool header = first == 0;
        const bool tell = !m_frozen && !header;
        const int lastViewRow = std::min(first + count - 1, m_viewRows);
        if (tell && first <= m_viewRows) beginRemoveRows(QModelIndex(), first - 1, lastViewRow - 1);
        if (header && !m_frozen) beginResetModel();
        // Fetched rows dropped beforehand have no cells of their own.
        const qsizetype from = qsizetype(first) * m_cols;
        m_cells.remove(from, std::min(qsizetype(count) * m_cols, std::max<qsizetype>(0, m_cells.size() - from)));
        if (size_t(first) < m_colors.size())
            m_colors.erase(m_colors.begin() + first, m_colors.begin() + std::min<size_t>(m_colors.size(), size_t(first + count)));
        m_rows -= count;
        if (m_frozen) return;
        if (header) {
            m_viewRows = std::max(0, m_rows - 1);
            endResetModel();
        } else if (first <= m_viewRows) {
            m_viewRows -= lastViewRow - first + 1;
            endRemoveRows();
        }
    }

    void setCols(int cols) {
        if (cols == m_cols) return;
        readAll();
        if (!m_frozen) beginResetModel();
        QList<QString> cells(qsizetype(m_rows) * cols);
        const int kept = std::min(cols, m_cols);
        for (int r = 0; r < m_rows; ++r)
            for (int c = 0; c < kept; ++c) cells[qsizetype(r) * cols + c] = cell(r, c);
        m_cells.swap(cells);
        m_cols = cols;
        m_formats.resize(cols);
        m_alignments.resize(cols, Qt::AlignLeft);
        if (!m_frozen) endReset();
    }

    void clear() {
        if (!m_frozen) beginResetModel();
        m_cells.clear();
        m_colors.clear();
        m_rows = 0;
        dropFetched();
        if (!m_frozen) endReset();
    }

    void setFormat(int col, const QString &picture) {
        m_formats[col] = picture;
        columnChanged(col);
    }

    void setAlignment(int col, Qt::Alignment alignment) {
        m_alignments[col] = alignment;
        columnChanged(col);
    }

    void setColor(int row, const QColor &color) {
        if (m_colors.size() < size_t(m_rows)) m_colors.resize(size_t(m_rows));
        m_colors[size_t(row)] = color;
        if (!m_frozen && row <= m_viewRows && m_viewCols > 0)
            emit dataChanged(index(row - 1, 0), index(row - 1, m_viewCols - 1), {Qt::BackgroundRole});
    }

    // The grid's data rows become the fetched rows, below the header it has.
    void setFetched(std::unique_ptr<FetchedRows> rows) {
        setRows(1);
        m_fetched = std::move(rows);
        grown(m_fetched->count());
    }
    const FetchedRows *fetched() const { return m_fetched.get(); }

    bool frozen() const { return m_frozen; }
    void freeze() { m_frozen = true; }
    void thaw() {
        if (!m_frozen) return;
        beginResetModel();
        m_frozen = false;
        endReset();
    }

private:
    static qint64 editKey(int row, int col) { return (qint64(row) << 16) | col; }

    void dropFetched() {
        m_fetched.reset();
        m_edits.clear();
    }

    // Every fetched row read into the cells, before the rows themselves change.
    void readAll() {
        if (!m_fetched) return;
        QList<QString> cells(qsizetype(m_rows) * m_cols);
        for (int c = 0; c < m_cols; ++c) cells[c] = cell(0, c);
        for (int r = 1; r < m_rows; ++r)
            for (int c = 0; c < m_cols; ++c) cells[qsizetype(r) * m_cols + c] = text(r, c);
        m_cells.swap(cells);
        dropFetched();
    }

    // Rows added at the end: the view is told of the data rows among them.
    void grown(int added) {
        const int dataBefore = std::max(0, m_rows - 1);
        m_rows += added;
        const int dataAfter = std::max(0, m_rows - 1);
        if (m_frozen) return;
        if (dataBefore == 0 && m_viewCols > 0) emit headerDataChanged(Qt::Horizontal, 0, m_viewCols - 1);
        if (dataAfter > dataBefore) {
            beginInsertRows(QModelIndex(), dataBefore, dataAfter - 1);
            m_viewRows = dataAfter;
            endInsertRows();
        }
    }

    void columnChanged(int col) {
        if (m_frozen || col >= m_viewCols) return;
        emit headerDataChanged(Qt::Horizontal, col, col);
        if (m_viewRows > 0) emit dataChanged(index(0, col), index(m_viewRows - 1, col));
    }

    void endReset() {
        m_viewRows = std::max(0, m_rows - 1);
        m_viewCols = m_cols;
        endResetModel();
    }

    Grid *m_grid;
    int m_rows = 0;
    int m_cols = 0;
    // Row by row, m_cols cells each. A QList grows by reallocating its block in place, where
    // a vector would move every cell of a hundred thousand rows each time it grows.
    QList<QString> m_cells;
    QVector<QString> m_formats;
    std::vector<Qt::Alignment> m_alignments;
    std::vector<QColor> m_colors;  // per row; empty until a row is coloured
    int m_viewRows = 0;            // data rows and columns the view knows of
    int m_viewCols = 0;
    bool m_frozen = false;
    std::unique_ptr<FetchedRows> m_fetched;  // the data rows, when they are fetched
    QHash<qint64, QString> m_edits;          // texts set on fetched rows, by row and column
};

Grid::Grid(QWidget *parent) : QTableView(parent), m_model(new GridModel(this)) {
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    // Tab leaves the grid for the next control; the arrow keys move inside it.
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->hide();
    connect(horizontalHeader(), &QHeaderView::sectionDoubleClicked, this, [this](int) { emit rowDoubleClicked(0); });
}

Grid::~Grid() = default;

int Grid::rows() const { return m_model->rows(); }

int Grid::cols() const { return m_model->cols(); }

void Grid::setRows(int rows) {
    if (rows < 0) outOfRange();
    {
        const QScopedValueRollback<bool> quiet(m_quiet, true);
        m_model->setRows(rows);
    }
    horizontalHeader()->setVisible(this->rows() > 0);
}

void Grid::setCols(int cols) {
    if (cols < 0) outOfRange();
    m_model->setCols(cols);
}

void Grid::clear() { setRows(0); }

void Grid::addItem(QStringList cells) {
    m_model->append(std::move(cells));
    if (rows() == 1) horizontalHeader()->show();
}

void Grid::removeItem(int row) {
    if (row < 0 || row >= rows()) outOfRange();
    {
        const QScopedValueRollback<bool> quiet(m_quiet, true);
        m_model->removeRange(row, 1);
    }
    horizontalHeader()->setVisible(rows() > 0);
}

QString Grid::textMatrix(int row, int col) const {
    if (!m_model->holds(row, col)) outOfRange();
    return m_model->text(row, col);
}

void Grid::setTextMatrix(int row, int col, const QString &text) {
    if (!m_model->holds(row, col)) outOfRange();
    m_model->setCell(row, col, text);
}

QString Grid::displayText(int row, int col) const {
    if (!m_model->holds(row, col)) outOfRange();
    return m_model->shown(row, col);
}

void Grid::setColFormat(int col, const QString &picture) {
    if (col == -1) {
        for (int c = 0; c < cols(); ++c) m_model->setFormat(c, picture);
        return;
    }
    if (col < 0 || col >= cols()) outOfRange();
    m_model->setFormat(col, picture);
}

void Grid::setColAlignment(int col, Qt::Alignment alignment) {
    if (col == -1) {
        for (int c = 0; c < cols(); ++c) m_model->setAlignment(c, alignment);
        return;
    }
    if (col < 0 || col >= cols()) outOfRange();
    m_model->setAlignment(col, alignment);
}

void Grid::setRowColor(int row, const QColor &color) {
    if (row < 1 || row >= rows()) outOfRange();
    m_model->setColor(row, color);
}

void Grid::autoSize() {
    if (m_model->frozen()) {
        m_autoSizePending = true;  // sized once the view sees the rows
        return;
    }
    // Fetched rows are measured as their blocks are read: the first block now, the others
    // as they come into view, each widening the columns it needs wider.
    const bool fetched = m_model->fetched() != nullptr;
    m_widenOnRead = false;
    const int measured = fetched ? std::min(rows(), 1 + FetchedRows::kBlockRows) : rows();
    QVector<int> widths;
    if (fetched) {
        widths = TextWidths(this, cols(), std::max(0, measured - 1),
                            [this](int i, int col) { return m_model->shown(i + 1, col); });
    } else {
        QString shown;
        widths = TextWidths(this, cols(), std::max(0, measured - 1), [&](int i, int col) -> const QString & {
            if (!m_model->formatted(col)) return m_model->cell(i + 1, col);
            shown = m_model->shown(i + 1, col);
            return shown;
        });
    }
    for (int col = 0; col < cols(); ++col) {
        int width = widths[col];
        if (rows() > 0) width = std::max(width, horizontalHeader()->sectionSizeHint(col));
        horizontalHeader()->resizeSection(col, width);
    }
    m_widenOnRead = fetched;
}

void Grid::setFetchedRows(std::unique_ptr<FetchedRows> rows) {
    if (this->rows() < 1) outOfRange();  // the header comes first
    m_widenOnRead = false;
    rows->setOnRead([this](int, const QList<QStringList> &read) { widenFor(read); });
    {
        const QScopedValueRollback<bool> quiet(m_quiet, true);
        m_model->setFetched(std::move(rows));
    }
}

// A block read after the widths were fitted widens the columns it needs wider, once the
// view has finished painting.
void Grid::widenFor(const QList<QStringList> &read) {
    if (!m_widenOnRead) return;
    const QVector<int> widths = TextWidths(this, cols(), int(read.size()), [&](int i, int col) {
        return m_model->formattedText(col, read.at(i).value(col));
    });
    QTimer::singleShot(0, this, [this, widths] {
        if (!m_widenOnRead) return;
        for (int col = 0; col < std::min(cols(), int(widths.size())); ++col)
            if (widths[col] > columnWidth(col)) horizontalHeader()->resizeSection(col, widths[col]);
    });
}

void Grid::setRedraw(bool on) {
    if (!on) {
        m_model->freeze();
        return;
    }
    {
        const QScopedValueRollback<bool> quiet(m_quiet, true);
        m_model->thaw();
    }
    horizontalHeader()->setVisible(rows() > 0);
    if (m_autoSizePending) {
        m_autoSizePending = false;
        autoSize();
    }
}

int Grid::row() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : -1;
}

void Grid::setRow(int row) {
    if (row < 1 || row >= rows()) outOfRange();
    setCurrentIndex(m_model->index(row - 1, std::max(0, currentIndex().column())));
}

void Grid::setEditableCol(int col) { m_editableCol = col; }

void Grid::finishEditing() {
    if (!editing()) return;
    if (QWidget *editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

bool Grid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) {
    const bool starts = index.isValid() && index.column() == m_editableCol && state() != EditingState &&
                        (trigger == AllEditTriggers || (editTriggers() & trigger));
    if (!starts) return false;
    if (m_beforeEdit) {
        bool allowed = false;
        handler([&] { allowed = m_beforeEdit(index.row() + 1, index.column()); })();
        if (!allowed) return false;
    }
    return QTableView::edit(index, trigger, event);
}

void Grid::keyPressEvent(QKeyEvent *event) {
    // Enter on a cell of the editable column starts its edit, as F2 does.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && state() != EditingState && currentIndex().column() == m_editableCol &&
        edit(currentIndex(), EditKeyPressed, event))
        return;
    QTableView::keyPressEvent(event);
}

// Tabbing into a grid without a current row makes the first row current, so the clerk
// can go on with the keys. Any other arrival of the focus (the window activated again,
// a window above it closed) leaves the grid as it is: a refilled list shows no row as
// picked until the clerk picks one.
void Grid::focusInEvent(QFocusEvent *event) {
    const bool byTab = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (byTab || currentIndex().isValid()) {
        QTableView::focusInEvent(event);
        return;
    }
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void Grid::mouseDoubleClickEvent(QMouseEvent *event) {
    const QModelIndex at = indexAt(event->position().toPoint());
    emit rowDoubleClicked(at.isValid() ? at.row() + 1 : 0);
    QTableView::mouseDoubleClickEvent(event);
}

void Grid::cellEdited(int row, int col) {
    if (m_afterEdit) handler([&] { m_afterEdit(row, col); })();
}

void Grid::currentChanged(const QModelIndex &current, const QModelIndex &previous) {
    QTableView::currentChanged(current, previous);
    if (m_quiet || !current.isValid() || current.row() == previous.row()) return;
    emit currentRowChanged(current.row() + 1);
}
