#pragma once
// The rows of a result set as the engine stored them, kept compactly: one small cell per
// field (a whole number, a real or where its text lies) in blocks of cells, and the texts
// one after another in blocks of bytes. A listing of 600,000 order lines is held in a few
// hundred blocks rather than millions of small allocations; blocks are never moved once
// filled, and a field becomes a QVariant only when it is read.

#include <QByteArray>
#include <QByteArrayView>
#include <QVariant>
#include <QVector>
#include <cstdint>
#include <memory>
#include <vector>

class RowStore {
public:
    enum class Type : std::uint8_t { Null, Whole, Real, Text, Bytes };
    struct Cell {
        union {
            qint64 whole;
            double real;
            const char *at;  // where a text starts, in a block of texts
        };
        quint32 size;        // a text's length in bytes (UTF-8)
        Type type;
    };

    explicit RowStore(int width = 0) : m_width(width) {}

    int width() const { return m_width; }
    int rowCount() const { return m_rowCount; }
    void clear();

    // A row is appended field by field, left to right, and closed by endRow(); every row
    // gives exactly width() fields.
    void appendNull() { push(Type::Null).whole = 0; }
    void appendWhole(qint64 value) { push(Type::Whole).whole = value; }
    void appendReal(double value) { push(Type::Real).real = value; }
    // UTF-8 text. A text equal to one of the last few kept in the same column is kept once.
    void appendText(const char *utf8, qsizetype size) { appendBytes(Type::Text, utf8, size); }
    void appendBlob(const char *data, qsizetype size) { appendBytes(Type::Bytes, data, size); }
    // A field read from elsewhere; its text's bytes are copied in.
    void appendCell(const Cell &cell) {
        if (cell.type == Type::Text || cell.type == Type::Bytes) appendBytes(cell.type, cell.at, cell.size);
        else push(cell.type).whole = cell.whole;
    }
    // A value as the engine stores it: null, whole number, real, text or bytes.
    void appendValue(const QVariant &value);
    void endRow() { ++m_rowCount; }
    void appendRow(const QVector<QVariant> &row);
    // Replaces a row's fields (an edited row); the old texts' bytes stay unused in the buffer.
    void replaceRow(int row, const QVector<QVariant> &values);

    const Cell &cell(int row, int column) const { return cellAt(std::size_t(row) * std::size_t(m_width) + std::size_t(column)); }
    static QByteArrayView bytes(const Cell &cell) { return QByteArrayView(cell.at, cell.size); }
    // The stored value of a field as a QVariant: qlonglong, double, QString, QByteArray or null.
    QVariant value(int row, int column) const { return valueOf(cell(row, column)); }
    static QVariant valueOf(const Cell &cell);
    QVector<QVariant> row(int row) const;

    static constexpr std::size_t kBlockBytes = 64 * 1024;

    // Where a store's blocks come from, and where they go when it closes. The first 2 MB of
    // a set are blocks kept by sets closed before; a larger set takes 2 MB slabs the kernel
    // may back with huge pages, one page fault for 512.
    class Blocks {
    public:
        Blocks() = default;
        ~Blocks() { release(); }
        Blocks(Blocks &&other) noexcept { *this = std::move(other); }
        Blocks &operator=(Blocks &&other) noexcept;
        void *take();
        void release();

    private:
        std::vector<void *> m_kept;   // blocks to give back to the spare ones
        std::vector<void *> m_slabs;  // slabs to free
        char *m_slabFree = nullptr;
        std::size_t m_slabBlocks = 0;  // blocks left in the last slab
    };

private:
    static constexpr std::size_t kCellsPerBlock = kBlockBytes / sizeof(Cell);

    const Cell &cellAt(std::size_t index) const { return m_cellBlocks[index / kCellsPerBlock][index % kCellsPerBlock]; }
    Cell &cellAt(std::size_t index) { return m_cellBlocks[index / kCellsPerBlock][index % kCellsPerBlock]; }
    Cell &push(Type type) {
        if (m_cellCount / kCellsPerBlock >= m_cellBlocks.size()) m_cellBlocks.push_back(static_cast<Cell *>(m_blocks.take()));
        Cell &c = cellAt(m_cellCount++);
        c.type = type;
        return c;
    }
    void appendBytes(Type type, const char *data, qsizetype size);
    const char *keepText(const char *data, std::size_t size);

    // The last texts kept in each column, tried before a new one is copied: a customer, a
    // style name, a status or a station comes back row after row.
    static constexpr int kRecent = 4;
    struct Recent {
        Cell cells[kRecent];
        int count = 0;
        int next = 0;
    };

    Blocks m_blocks;  // first, so the blocks outlive every pointer into them
    int m_width;
    int m_rowCount = 0;
    std::size_t m_cellCount = 0;
    std::vector<Cell *> m_cellBlocks;                  // blocks of kBlockBytes
    std::vector<char *> m_textBlocks;                  // blocks of kBlockBytes
    std::vector<std::unique_ptr<char[]>> m_longTexts;  // texts too long to share a block
    std::vector<Recent> m_recent;                      // by column
    char *m_textFree = nullptr;                        // the unused end of the last block of texts
    std::size_t m_textRoom = 0;
};
