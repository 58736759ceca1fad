#pragma once
// Tables as CSV files, one file per table named after it (Customer.csv): a header row of
// column names, then one line per row, fields separated by commas and quoted as RFC 4180
// quotes them (a field holding a comma, a quote or a line break is put between double
// quotes, a quote inside doubled). A field left empty without quotes is null; "" is an
// empty text. The plant's export writes UTF-8; a desktop engine's export may be in
// Windows-1252, which the reader detects (text that is not valid UTF-8) or is told.

#include "tools/SourceTable.h"

#include <QByteArray>
#include <QString>

enum class CsvEncoding { Detect, Utf8, Windows1252 };

namespace Csv {

// The encoding named on a command line ("utf-8", "windows-1252", "cp1252"); false when unknown.
bool encodingByName(const QString &name, CsvEncoding &encoding);
// The bytes of a file as text: UTF-8 (a byte-order mark dropped) or Windows-1252.
QString decode(const QByteArray &bytes, CsvEncoding encoding);

// Parses CSV text into a table named `name`: the first record is the header. Throws
// AppError naming the file and line where the quoting is broken.
SourceTable parse(const QString &text, const QString &name);
// Every *.csv file of a folder as a table named after the file, in name order. Throws
// AppError for a folder that does not exist or holds no CSV file.
SourceTables readFolder(const QString &dir, CsvEncoding encoding);

// One field as the file holds it: null as nothing, `quoted` texts always between quotes
// (so an empty text stays apart from null), others only when they need it.
QString field(const QString &value, bool quoted);
// Writes a table as `path`: the header, then the rows, each line ended by CR LF, in UTF-8.
// `quoted` tells, per column, which fields are texts.
void write(const QString &path, const QStringList &columns, const QVector<bool> &quoted,
           const QVector<QStringList> &rows);

}  // namespace Csv
