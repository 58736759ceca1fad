#include "data/RowWriter.h"

#include "data/Database.h"

RowWriter::RowWriter(Database &db, const QString &sql) : m_rows(db.openRecordset(sql)) {}

RowWriter::~RowWriter() { m_rows->close(); }

bool RowWriter::found() const { return !m_rows->eof(); }

qint64 RowWriter::add(const RowFill &fill) {
    m_rows->addNew();
    return finish(true, fill);
}

qint64 RowWriter::write(const RowFill &fill) { return found() ? edit(fill) : add(fill); }

qint64 RowWriter::edit(const RowFill &fill) {
    m_rows->edit();
    return finish(false, fill);
}

qint64 RowWriter::finish(bool adding, const RowFill &fill) {
    fill(*m_rows, adding);
    const QString id = QStringLiteral("ID");
    const qint64 key = m_rows->hasField(id) ? m_rows->field(id).toLongLong() : 0;
    m_rows->update();
    return key;
}

qint64 WriteRow(Database &db, const QString &sql, const RowFill &fill) { return RowWriter(db, sql).write(fill); }

qint64 AppendRow(Database &db, const QString &sql, const RowFill &fill) { return RowWriter(db, sql).add(fill); }
