#include "tools/PlantImport.h"

#include "core/AppError.h"
#include "data/Catalogue.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "tools/ValueText.h"

#include <QHash>
#include <QSet>

namespace {

// A column that names a row of another table: a row whose link names no row there is
// not brought across. These are the links by which the plant's records belong to one
// another; a link left empty (null) is allowed.
struct Link {
    const char *table;
    const char *column;
    const char *parent;  // the parent's key is its catalogue key column
};

constexpr Link kLinks[] = {
    {"StyleComponent", "StyleID", "Style"},   {"StyleOperation", "StyleID", "Style"},
    {"StyleOperation", "ComponentID", "StyleComponent"},
    {"OrderItems", "OrderID", "Orders"},      {"OrderItems", "StyleID", "Style"},
    {"Shipments", "OrderID", "Orders"},       {"ShipmentItems", "ShipmentID", "Shipments"},
    {"ShipmentItems", "OrderID", "Orders"},   {"InvoiceOrders", "Invoice", "Invoice"},
    {"InvoiceOrders", "OrderID", "Orders"},   {"OrdersInvoiced", "OrderID", "Orders"},
    {"Payments", "Invoice", "Invoice"},
};

// The columns that tell the rows of a table apart and must not repeat: the catalogue key,
// and for the order lines the order with the line's number.
QStringList identityColumns(const CatalogueTable &table) {
    for (const CatalogueColumn &c : table.columns)
        if (c.key) return {c.name};
    if (table.name == QLatin1String("OrderItems")) return {QStringLiteral("OrderID"), QStringLiteral("ItemNumber")};
    return {};
}

const CatalogueColumn *keyColumn(const CatalogueTable &table) {
    for (const CatalogueColumn &c : table.columns)
        if (c.key) return &c;
    return nullptr;
}

// Keys compare as the plant compares them: texts without regard to case.
QString keyText(const QVariant &stored) { return stored.toString().toCaseFolded(); }

const SourceTable *sourceTable(const SourceTables &source, const QString &name) {
    for (const SourceTable &t : source)
        if (t.name.compare(name, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

// A row of the source as it came, and its place there (1 for the first row).
struct SourceRow {
    const QStringList &fields;
    int number;
};

class Checker {
public:
    Checker(const SourceTables &source, const ImportProgress &progress) : m_source(source), m_progress(progress) {}

    ImportCheck run() {
        for (const SourceTable &t : m_source)
            if (!Catalogue::table(t.name))
                m_check.notices << QStringLiteral("%1: not a table of the plant; skipped (%2).").arg(t.name, RowCount(t.rows.size()));
        for (const CatalogueTable &table : Catalogue::tables()) m_check.tables << convertTable(table);
        return m_check;
    }

private:
    ConvertedTable convertTable(const CatalogueTable &table) {
        ConvertedTable out;
        out.table = &table;
        out.count.table = table.name;
        const SourceTable *source = sourceTable(m_source, table.name);
        if (!source) {
            m_check.notices << QStringLiteral("%1: not in the source; left empty.").arg(table.name);
            m_keyed.insert(table.name);  // known to have no rows
            report(out);
            return out;
        }
        m_sourceColumns.clear();
        mapColumns(table, *source, out);
        m_identity.clear();
        for (const QString &name : identityColumns(table)) m_identity << m_sourceColumns.value(table.column(name)->name, -1);
        const CatalogueColumn *key = keyColumn(table);
        if (key && m_sourceColumns.contains(key->name)) m_keyed.insert(table.name);
        else if (key && key->kind == ColumnKind::AutoNumber)
            m_check.notices << QStringLiteral("%1: the source has no column %2; its rows get new numbers.").arg(table.name, key->name);
        QSet<QString> seen;
        for (int n = 0; n < source->rows.size(); ++n) convertRow(table, out, source->rows.at(n), n + 1, seen);
        out.count.read = source->rows.size();
        out.count.skipped = out.count.read - out.rows.size();
        report(out);
        return out;
    }

    void mapColumns(const CatalogueTable &table, const SourceTable &source, ConvertedTable &out) {
        for (int i = 0; i < source.columns.size(); ++i) {
            const CatalogueColumn *c = table.column(source.columns.at(i));
            if (!c) {
                m_check.notices << QStringLiteral("%1: column %2 is not a plant column; skipped.").arg(table.name, source.columns.at(i));
                continue;
            }
            if (m_sourceColumns.contains(c->name)) {
                m_check.notices << QStringLiteral("%1: column %2 comes twice; the second is skipped.").arg(table.name, c->name);
                continue;
            }
            m_sourceColumns.insert(c->name, i);
            out.columns << int(c - table.columns.constData());
        }
        for (const CatalogueColumn &c : table.columns)
            if (!m_sourceColumns.contains(c.name))
                m_check.notices << QStringLiteral("%1: the source has no column %2; left empty.").arg(table.name, c.name);
    }

    // How a bad row is named: by its key as the source wrote it, or by its place.
    QString identity(const CatalogueTable &table, const QStringList &fields, int number) const {
        const QStringList names = identityColumns(table);
        QStringList parts;
        for (int i = 0; i < names.size(); ++i) {
            const int at = m_identity.value(i, -1);
            if (at < 0) return QStringLiteral("row %1").arg(number);
            parts << QStringLiteral("%1 %2").arg(names.at(i), fields.at(at));
        }
        return parts.isEmpty() ? QStringLiteral("row %1").arg(number) : parts.join(QStringLiteral(", "));
    }

    // Reports a row that is not brought across, naming it only then: most rows are good.
    void bad(const CatalogueTable &table, const SourceRow &row, const QString &column, const QString &why) {
        const QString who = identity(table, row.fields, row.number);
        const QString value = row.fields.at(m_sourceColumns.value(column));
        m_check.badRows << QStringLiteral("%1, %2, column %3, value '%4': %5").arg(table.name, who, column, value, why);
    }

    void convertRow(const CatalogueTable &table, ConvertedTable &out, const QStringList &fields, int number,
                    QSet<QString> &seen) {
        const SourceRow source{fields, number};
        QVector<QVariant> row;
        bool ok = true;
        for (const int index : out.columns) {
            const CatalogueColumn &c = table.columns.at(index);
            const QString &text = fields.at(m_sourceColumns.value(c.name));
            QString why;
            QVariant value = ValueText::read(c.kind, text, why);
            if (why.isEmpty()) {
                try {
                    value = StoredValue(c.kind, c.name, value);
                } catch (const AppError &e) {
                    why = e.description();
                }
            }
            if (!why.isEmpty()) {
                bad(table, source, c.name, why);
                ok = false;
            }
            row << value;
        }
        if (ok) ok = keyHolds(table, out, row, source, seen) && linksHold(table, out, row, source);
        if (!ok) return;
        out.rows << row;
        if (const CatalogueColumn *key = keyColumn(table); key && m_sourceColumns.contains(key->name))
            m_keys[table.name].insert(keyText(row.at(columnAt(out, table, key->name))));
    }

    static int columnAt(const ConvertedTable &out, const CatalogueTable &table, const QString &name) {
        return out.columns.indexOf(int(table.column(name) - table.columns.constData()));
    }

    bool keyHolds(const CatalogueTable &table, const ConvertedTable &out, const QVector<QVariant> &row,
                  const SourceRow &source, QSet<QString> &seen) {
        const QStringList names = identityColumns(table);
        QStringList key;
        for (const QString &name : names) {
            const int at = columnAt(out, table, name);
            if (at < 0) return true;  // new numbers are given; nothing to repeat
            const QVariant &value = row.at(at);
            if (value.isNull() || value.toString().isEmpty()) {
                bad(table, source, name, QStringLiteral("the key is empty"));
                return false;
            }
            key << keyText(value);
        }
        if (key.isEmpty()) return true;
        const QString joined = key.join(QChar(0x1f));
        if (seen.contains(joined)) {
            bad(table, source, names.last(), QStringLiteral("a second row with the same key"));
            return false;
        }
        seen.insert(joined);
        return true;
    }

    bool linksHold(const CatalogueTable &table, const ConvertedTable &out, const QVector<QVariant> &row,
                   const SourceRow &source) {
        for (const Link &link : kLinks) {
            if (table.name != QLatin1String(link.table)) continue;
            const QString parent = QString::fromLatin1(link.parent);
            const int at = columnAt(out, table, QString::fromLatin1(link.column));
            if (at < 0 || row.at(at).isNull() || !m_keyed.contains(parent)) continue;
            if (m_keys.value(parent).contains(keyText(row.at(at)))) continue;
            const CatalogueTable *parentTable = Catalogue::table(parent);
            bad(table, source, QString::fromLatin1(link.column),
                QStringLiteral("no %1 row has %2 %3").arg(parent, keyColumn(*parentTable)->name, row.at(at).toString()));
            return false;
        }
        return true;
    }

    void report(const ConvertedTable &out) {
        if (!m_progress) return;
        m_progress(QStringLiteral("checked %1: %2 read, %3 bad").arg(out.count.table, RowCount(out.count.read)).arg(out.count.read - out.rows.size()));
    }

    const SourceTables &m_source;
    const ImportProgress &m_progress;
    ImportCheck m_check;
    QHash<QString, int> m_sourceColumns;          // catalogue column name -> field of the source row
    QVector<int> m_identity;                      // fields of the identity columns, -1 where absent
    QSet<QString> m_keyed;                        // tables whose keys are known
    QHash<QString, QSet<QString>> m_keys;         // the keys of the rows accepted so far
};

void writeTable(Database &db, ConvertedTable &converted, const ImportProgress &progress) {
    const CatalogueTable &table = *converted.table;
    if (converted.rows.isEmpty()) return;
    Engine &engine = db.engine();
    QStringList names;
    QStringList marks;
    for (const int index : converted.columns) {
        names << engine.quoteName(table.columns.at(index).name);
        marks << QStringLiteral("?");
    }
    auto insert = engine.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                     .arg(engine.quoteName(table.name), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    const CatalogueColumn *number = table.autoNumber();
    const int numberAt = number ? converted.columns.indexOf(int(number - table.columns.constData())) : -1;
    qint64 highest = 0;
    for (const QVector<QVariant> &row : converted.rows) {
        for (int i = 0; i < row.size(); ++i) insert->bind(i + 1, row.at(i));
        insert->step();
        insert->reset();
        if (numberAt >= 0) highest = qMax(highest, row.at(numberAt).toLongLong());
        ++converted.count.written;
    }
    if (numberAt >= 0) engine.keepAutoNumberPast(table.name, number->name, highest);
    if (progress) progress(QStringLiteral("wrote %1: %2").arg(table.name, RowCount(converted.count.written)));
}

}  // namespace

namespace PlantImport {

ImportCheck check(const SourceTables &source, const ImportProgress &progress) {
    return Checker(source, progress).run();
}

QStringList tablesWithRows(Database &db) {
    Engine &engine = db.engine();
    QStringList filled;
    for (const CatalogueTable &table : Catalogue::tables()) {
        auto count = engine.prepare(QStringLiteral("SELECT COUNT(*) FROM %1").arg(engine.quoteName(table.name)));
        if (count->step() && count->value(0).toLongLong() > 0) filled << table.name;
    }
    return filled;
}

void write(Database &db, ImportCheck &check, const ImportProgress &progress) {
    Transaction tx(db);
    for (ConvertedTable &table : check.tables) writeTable(db, table, progress);
    tx.commit();
}

}  // namespace PlantImport
