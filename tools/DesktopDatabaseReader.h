#pragma once
// Reads the tables of a desktop-database file (.mdb of either generation, .accdb) through
// libmdb, without the desktop engine. Every user table comes out as a SourceTable, each
// value in the text libmdb's own formatting gives it, as mdb-export prints it:
//   - currency with exactly four decimals ("18.0000"), made by libmdb from the stored
//     whole number of ten-thousandths, never through a double;
//   - date/time as "yyyy-MM-dd HH:mm:ss";
//   - yes/no as "1" or "0";
//   - long, integer and byte as whole numbers, single and double in libmdb's text;
//   - text and memo in UTF-8, as libmdb converts them from the file's code page.
// Columns holding OLE objects or other binary data are left out (the plant keeps none).

#include "tools/SourceTable.h"

#include <QString>

namespace DesktopDatabase {

// True for a path ending in .mdb or .accdb (any case).
bool isDesktopDatabase(const QString &path);
// Every user table of the file, in the file's catalogue order. Throws AppError when the
// file cannot be opened or read.
SourceTables read(const QString &path);

}  // namespace DesktopDatabase
