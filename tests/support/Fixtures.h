#pragma once
// A fresh database in a temporary folder, opened as the application's connection
// (AppDatabase), empty or holding the demo plant.

#include "data/RowSet.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariant>

class TestDatabase {
public:
    enum Content { Empty, Demo };
    explicit TestDatabase(Content content = Empty);
    ~TestDatabase();

    QString path() const { return m_path; }
    QString folder() const { return m_dir.path(); }

    // Runs a statement of the desktop engine's dialect through the data layer.
    RowSet query(const QString &jetSql) const;
    void exec(const QString &jetSql) const;
    // The first column of the first row of a query (null when it returns no row).
    QVariant scalar(const QString &jetSql) const;
    int count(const QString &table, const QString &where = QString()) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
};
