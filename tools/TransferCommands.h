#pragma once
// quelby-admin import SOURCE TARGET [--skip-bad-rows] [--encoding ENC]
// quelby-admin export PLANT DIR
//
// Moves a plant's records in from a desktop-database file or a folder of CSV files, and
// out again as CSV files. Each reads its own arguments and --help and reports its own
// errors: the exit code is 0 done, 1 the work failed (stderr "number: description"),
// 2 the command line was not understood.

#include <QStringList>

int RunImportCommand(const QStringList &args);
const char *ImportCommandUsage();

int RunExportCommand(const QStringList &args);
const char *ExportCommandUsage();

// quelby-admin copy FROM TO: a whole plant between engines.
int RunCopyCommand(const QStringList &args);
const char *CopyCommandUsage();
const char *ExportCommandUsage();
