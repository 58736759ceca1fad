#include "tools/CsvFile.h"

#include "core/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five codes it leaves unused
// read as the control characters Latin-1 has there.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(const QByteArray &bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        text[i] = (b >= 0x80 && b < 0xA0) ? QChar(kWindows1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

bool isUtf8(const QByteArray &bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// Reads CSV text record by record. A record is a list of fields; a field is null when it
// was empty and unquoted.
class Parser {
public:
    Parser(const QString &text, const QString &name) : m_text(text), m_name(name) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    int line() const { return m_line; }

    QStringList record() {
        QStringList fields;
        for (;;) {
            fields << field();
            if (atEnd()) break;
            const QChar c = m_text.at(m_pos);
            if (c == QLatin1Char(',')) {
                ++m_pos;
                continue;
            }
            endOfLine();
            break;
        }
        return fields;
    }

private:
    QString field() {
        if (atEnd() || m_text.at(m_pos) != QLatin1Char('"')) return bare();
        const int opened = m_line;
        ++m_pos;
        QString value(QLatin1String(""));
        for (;;) {
            if (atEnd()) fail(opened, QStringLiteral("a quoted field is never closed"));
            const QChar c = m_text.at(m_pos++);
            if (c == QLatin1Char('\n')) ++m_line;
            if (c != QLatin1Char('"')) {
                value += c;
            } else if (!atEnd() && m_text.at(m_pos) == QLatin1Char('"')) {
                value += c;
                ++m_pos;
            } else {
                break;
            }
        }
        if (!atEnd() && !isSeparator(m_text.at(m_pos)))
            fail(m_line, QStringLiteral("text follows the closing quote of a field"));
        return value;
    }

    QString bare() {
        const qsizetype start = m_pos;
        while (!atEnd() && !isSeparator(m_text.at(m_pos))) {
            if (m_text.at(m_pos) == QLatin1Char('"')) fail(m_line, QStringLiteral("a quote inside an unquoted field"));
            ++m_pos;
        }
        if (m_pos == start) return QString();
        return m_text.mid(start, m_pos - start);
    }

    void endOfLine() {
        if (m_text.at(m_pos) == QLatin1Char('\r')) ++m_pos;
        if (!atEnd() && m_text.at(m_pos) == QLatin1Char('\n')) ++m_pos;
        ++m_line;
    }

    static bool isSeparator(QChar c) {
        return c == QLatin1Char(',') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
    }

    [[noreturn]] void fail(int line, const QString &what) const {
        throw AppError(ErrorNumber::UnrecognizedFormat,
                       QStringLiteral("%1.csv, line %2: %3.").arg(m_name).arg(line).arg(what));
    }

    const QString &m_text;
    QString m_name;
    qsizetype m_pos = 0;
    int m_line = 1;
};

bool needsQuotes(const QString &value) {
    for (const QChar c : value)
        if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            return true;
    return value.isEmpty();
}

}  // namespace

namespace Csv {

bool encodingByName(const QString &name, CsvEncoding &encoding) {
    const QString n = name.toLower();
    if (n == QLatin1String("utf-8") || n == QLatin1String("utf8")) encoding = CsvEncoding::Utf8;
    else if (n == QLatin1String("windows-1252") || n == QLatin1String("cp1252")) encoding = CsvEncoding::Windows1252;
    else return false;
    return true;
}

QString decode(const QByteArray &bytes, CsvEncoding encoding) {
    if (encoding == CsvEncoding::Detect) encoding = isUtf8(bytes) ? CsvEncoding::Utf8 : CsvEncoding::Windows1252;
    if (encoding == CsvEncoding::Windows1252) return fromWindows1252(bytes);
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return text;
}

SourceTable parse(const QString &text, const QString &name) {
    SourceTable table;
    table.name = name;
    Parser parser(text, name);
    if (parser.atEnd()) return table;
    table.columns = parser.record();
    for (QString &column : table.columns) column = column.trimmed();
    while (!parser.atEnd()) {
        const int line = parser.line();
        QStringList fields = parser.record();
        if (fields.size() == 1 && fields.first().isNull()) continue;  // a blank line
        if (fields.size() != table.columns.size())
            throw AppError(ErrorNumber::UnrecognizedFormat,
                           QStringLiteral("%1.csv, line %2: %3 fields where the header names %4 columns.")
                               .arg(name).arg(line).arg(fields.size()).arg(table.columns.size()));
        table.rows << fields;
    }
    return table;
}

SourceTables readFolder(const QString &dir, CsvEncoding encoding) {
    const QDir folder(dir);
    if (!folder.exists())
        throw AppError(ErrorNumber::PathNotFound, QStringLiteral("The folder '%1' does not exist.").arg(dir));
    const QFileInfoList files = folder.entryInfoList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    if (files.isEmpty())
        throw AppError(ErrorNumber::FileNotFound, QStringLiteral("The folder '%1' holds no CSV file.").arg(dir));
    SourceTables tables;
    for (const QFileInfo &info : files) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            throw AppError(ErrorNumber::FileNotFound, QStringLiteral("Cannot read '%1'.").arg(info.filePath()));
        tables << parse(decode(file.readAll(), encoding), info.completeBaseName());
    }
    return tables;
}

QString field(const QString &value, bool quoted) {
    if (value.isNull()) return QString(QLatin1String(""));
    if (!quoted && !needsQuotes(value)) return value;
    return QLatin1Char('"') + QString(value).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

void write(const QString &path, const QStringList &columns, const QVector<bool> &quoted,
           const QVector<QStringList> &rows) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(ErrorNumber::PathNotFound, QStringLiteral("Cannot write '%1'.").arg(path));
    QStringList header;
    for (const QString &column : columns) header << field(column, false);
    file.write((header.join(QLatin1Char(',')) + QLatin1String("\r\n")).toUtf8());
    for (const QStringList &row : rows) {
        QStringList fields;
        for (int i = 0; i < row.size(); ++i) fields << field(row.at(i), quoted.value(i));
        file.write((fields.join(QLatin1Char(',')) + QLatin1String("\r\n")).toUtf8());
    }
    if (!file.commit()) throw AppError(ErrorNumber::PathNotFound, QStringLiteral("Cannot write '%1'.").arg(path));
}

}  // namespace Csv
