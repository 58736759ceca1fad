// The bare side on a plant's server: libpq, each statement prepared once (PQprepare, its
// '?' markers numbered as the server reads them), run with PQexecPrepared and every column
// read with PQgetvalue, the whole result fetched as the engine fetches it.

#include "bench/BareSide.h"
#include "data/PostgresDialect.h"

#include <QSet>
#include <QString>
#include <QVariant>
#include <QVector>
#include <cstdio>
#include <cstdlib>
#include <libpq-fe.h>

namespace {

// The server's type numbers of the columns the engine hands out as numbers.
enum : Oid { kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701, kNumeric = 1700 };

bool isWhole(Oid type) { return type == kBool || type == kInt2 || type == kInt4 || type == kInt8; }
bool isReal(Oid type) { return type == kFloat4 || type == kFloat8 || type == kNumeric; }

// One column of one row: the pointer alone; a number parsed or a text made a QString; or
// the QVariant of either.
qint64 valueOf(const PGresult *result, int row, int column, Oid type, BareReading reading) {
    if (PQgetisnull(result, row, column)) return reading == BareReading::Variants ? !QVariant().isNull() : 0;
    const char *text = PQgetvalue(result, row, column);
    const int size = PQgetlength(result, row, column);
    if (reading == BareReading::Pointers) return size > 0 && text != nullptr;
    if (type == kBool) return !QVariant(qlonglong(text[0] == 't')).isNull();
    if (isWhole(type)) {
        const qlonglong whole = std::strtoll(text, nullptr, 10);
        return reading == BareReading::Variants ? !QVariant(whole).isNull() : whole != 0;
    }
    if (isReal(type)) {
        const double real = std::strtod(text, nullptr);
        return reading == BareReading::Variants ? !QVariant(real).isNull() : real != 0;
    }
    const QString string = QString::fromUtf8(text, size);
    return reading == BareReading::Variants ? !QVariant(string).isNull() : !string.isEmpty();
}

PGresult *checked(PGconn *conn, PGresult *result, const QByteArray &sql) {
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        std::fprintf(stderr, "%s: %s\n", PQerrorMessage(conn), sql.constData());
        std::exit(1);
    }
    return result;
}

class PostgresStatement : public BareStatement {
public:
    PostgresStatement(PGconn *conn, QByteArray name, QByteArray sql) : m_conn(conn), m_name(std::move(name)), m_sql(std::move(sql)) {}

    qint64 run(BareReading reading, const QVariantList &values) override {
        QVector<QByteArray> texts;
        QVector<const char *> params;
        for (const QVariant &value : values) texts << value.toString().toUtf8();
        for (const QByteArray &text : texts) params << text.constData();
        PGresult *result = checked(m_conn,
                                   PQexecPrepared(m_conn, m_name.constData(), int(params.size()), params.constData(), nullptr,
                                                  nullptr, 0),
                                   m_sql);
        qint64 seen = 0;
        const int rows = PQntuples(result);
        const int columns = PQnfields(result);
        QVector<Oid> types;
        for (int c = 0; c < columns; ++c) types << PQftype(result, c);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) seen += valueOf(result, r, c, types.at(c), reading);
        PQclear(result);
        return seen;
    }

private:
    PGconn *m_conn;
    QByteArray m_name;
    QByteArray m_sql;
};

class PostgresConnection : public BareConnection {
public:
    explicit PostgresConnection(const QByteArray &address) : m_conn(PQconnectdb(address.constData())) {
        if (PQstatus(m_conn) != CONNECTION_OK) {
            std::fprintf(stderr, "%s", PQerrorMessage(m_conn));
            std::exit(1);
        }
        // Dates read as the engine reads them; the engine's Like goes through its own
        // function where a pattern is no literal.
        PQclear(checked(m_conn, PQexec(m_conn, "SET DateStyle = ISO, MDY"), "SET DateStyle"));
        PQclear(checked(m_conn, PQexec(m_conn, PostgresDialect::likeRegexFunction().toUtf8().constData()), "Like"));
    }
    ~PostgresConnection() override { PQfinish(m_conn); }

    const char *library() const override { return "libpq"; }
    std::unique_ptr<BareStatement> prepare(const QByteArray &nativeSql) override {
        int markers = 0;
        const QByteArray sql = PostgresDialect::numberedMarkers(QString::fromUtf8(nativeSql), &markers).toUtf8();
        const QByteArray name = "bare" + QByteArray::number(++m_prepared);
        PQclear(checked(m_conn, PQprepare(m_conn, name.constData(), sql.constData(), markers, nullptr), sql));
        return std::make_unique<PostgresStatement>(m_conn, name, sql);
    }
    void begin() override { PQclear(checked(m_conn, PQexec(m_conn, "BEGIN"), "BEGIN")); }
    void rollback() override { PQclear(checked(m_conn, PQexec(m_conn, "ROLLBACK"), "ROLLBACK")); }
    void makeScratchTables(const QVector<QByteArray> &creates) override {
        for (const QByteArray &create : creates) {
            if (m_made.contains(create)) continue;
            PQclear(checked(m_conn, PQexec(m_conn, create.constData()), create));
            m_made << create;
        }
    }
    std::optional<QStringList> fullScans(const QByteArray &) override { return std::nullopt; }

private:
    PGconn *m_conn;
    int m_prepared = 0;
    QSet<QByteArray> m_made;
};

}  // namespace

std::unique_ptr<BareConnection> OpenBarePostgres(const QByteArray &address) {
    return std::make_unique<PostgresConnection>(address);
}
