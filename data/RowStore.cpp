#include "data/RowStore.h"

#include "core/AppError.h"
#include "core/Platform.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <limits>
#include <utility>

namespace {

// Blocks given back by sets closed, kept for the next set of this thread: a long listing
// read again reuses memory already mapped instead of faulting fresh pages in. At most
// 64 MB is kept.
constexpr std::size_t kSpareBlocks = 1024;

struct SpareBlocks {
    std::vector<void *> blocks;
    ~SpareBlocks();
};
thread_local SpareBlocks spare;
thread_local bool spareGone = false;  // a set closed after the thread's end frees its blocks

SpareBlocks::~SpareBlocks() {
    spareGone = true;
    for (void *block : blocks) ::operator delete(block);
}

constexpr std::size_t kSlabBytes = 2 * 1024 * 1024;
constexpr std::size_t kKeptPerSet = kSlabBytes / RowStore::kBlockBytes;

void *spareOrNew() {
    if (spareGone || spare.blocks.empty()) return ::operator new(RowStore::kBlockBytes);
    void *block = spare.blocks.back();
    spare.blocks.pop_back();
    return block;
}

}  // namespace

void *RowStore::Blocks::take() {
    if (m_kept.size() < kKeptPerSet) {
        m_kept.push_back(spareOrNew());
        return m_kept.back();
    }
    if (m_slabBlocks == 0) {
        void *slab = Platform::allocateLargeBlock(kSlabBytes);
        m_slabs.push_back(slab);
        m_slabFree = static_cast<char *>(slab);
        m_slabBlocks = kSlabBytes / kBlockBytes;
    }
    void *block = m_slabFree;
    m_slabFree += kBlockBytes;
    --m_slabBlocks;
    return block;
}

void RowStore::Blocks::release() {
    for (void *block : m_kept) {
        if (!spareGone && spare.blocks.size() < kSpareBlocks) spare.blocks.push_back(block);
        else ::operator delete(block);
    }
    for (void *slab : m_slabs) Platform::freeLargeBlock(slab, kSlabBytes);
    m_kept.clear();
    m_slabs.clear();
    m_slabFree = nullptr;
    m_slabBlocks = 0;
}

RowStore::Blocks &RowStore::Blocks::operator=(Blocks &&other) noexcept {
    if (this != &other) {
        release();
        m_kept = std::exchange(other.m_kept, {});
        m_slabs = std::exchange(other.m_slabs, {});
        m_slabFree = std::exchange(other.m_slabFree, nullptr);
        m_slabBlocks = std::exchange(other.m_slabBlocks, 0);
    }
    return *this;
}

void RowStore::clear() {
    m_cellBlocks.clear();
    m_textBlocks.clear();
    m_blocks.release();
    m_recent.clear();
    m_longTexts.clear();
    m_textFree = nullptr;
    m_textRoom = 0;
    m_cellCount = 0;
    m_rowCount = 0;
}

void RowStore::appendBytes(Type type, const char *data, qsizetype size) {
    if (size > qsizetype(std::numeric_limits<quint32>::max()))
        throw AppError(ErrorNumber::OutOfMemory, QStringLiteral("Out of memory: a field of the result set is too large."));
    // Listings repeat a customer, a status or a station row after row: a text equal to one
    // of the last kept in its column points at the same bytes.
    Recent *recent = nullptr;
    if (m_width) {
        if (m_recent.empty()) m_recent.resize(std::size_t(m_width));
        recent = &m_recent[m_cellCount % std::size_t(m_width)];
        for (int i = 0; i < recent->count; ++i) {
            const Cell &kept = recent->cells[i];
            if (kept.type == type && kept.size == quint32(size) && (size == 0 || std::memcmp(kept.at, data, std::size_t(size)) == 0)) {
                push(type) = kept;
                return;
            }
        }
    }
    const char *kept = keepText(data, std::size_t(size));
    Cell &c = push(type);
    c.at = kept;
    c.size = quint32(size);
    if (recent) {
        recent->cells[recent->next] = c;
        recent->next = (recent->next + 1) % kRecent;
        recent->count = std::min(recent->count + 1, kRecent);
    }
}

const char *RowStore::keepText(const char *data, std::size_t size) {
    static const char empty[1] = {0};
    if (size == 0) return empty;  // an empty text, never a null one
    if (size > m_textRoom) {
        // A text longer than a quarter block gets memory of its own; the open block stays open.
        if (size > kBlockBytes / 4) {
            m_longTexts.emplace_back(new char[size]);
            char *own = m_longTexts.back().get();
            std::memcpy(own, data, size);
            return own;
        }
        m_textBlocks.push_back(static_cast<char *>(m_blocks.take()));
        m_textFree = m_textBlocks.back();
        m_textRoom = kBlockBytes;
    }
    char *at = m_textFree;
    if (size) std::memcpy(at, data, size);
    m_textFree += size;
    m_textRoom -= size;
    return at;
}

void RowStore::appendValue(const QVariant &value) {
    if (!value.isValid() || value.isNull()) return appendNull();
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::Bool: return appendWhole(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float: return appendReal(value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return appendBlob(bytes.constData(), bytes.size());
    }
    default: {
        const QByteArray utf8 = value.toString().toUtf8();
        return appendText(utf8.constData(), utf8.size());
    }
    }
}

void RowStore::appendRow(const QVector<QVariant> &row) {
    for (const QVariant &value : row) appendValue(value);
    endRow();
}

void RowStore::replaceRow(int row, const QVector<QVariant> &values) {
    // The new cells are appended as one more row and moved into place; the row's old texts
    // stay unused in their block.
    const std::size_t first = std::size_t(row) * std::size_t(m_width);
    const std::size_t appended = m_cellCount;
    for (const QVariant &value : values) appendValue(value);
    for (std::size_t i = 0; i < std::size_t(m_width); ++i) cellAt(first + i) = cellAt(appended + i);
    m_cellCount = appended;
}

QVariant RowStore::valueOf(const Cell &c) {
    switch (c.type) {
    case Type::Null: return QVariant();
    case Type::Whole: return QVariant(qlonglong(c.whole));
    case Type::Real: return QVariant(c.real);
    case Type::Text: return QVariant(QString::fromUtf8(bytes(c)));
    case Type::Bytes: return QVariant(bytes(c).toByteArray());
    }
    return QVariant();
}

QVector<QVariant> RowStore::row(int row) const {
    QVector<QVariant> values;
    values.reserve(m_width);
    for (int i = 0; i < m_width; ++i) values << value(row, i);
    return values;
}
