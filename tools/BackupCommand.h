#pragma once
// quelby-admin backup PLANT DEST [--force]
//
// Copies the plant file to DEST as it stands at one moment, while the application has
// windows open and saves running (the engine's online backup). DEST appears only when
// the copy is whole; an existing DEST is refused unless --force.

#include <QStringList>

// args are the words after "backup". Returns the exit code: 0 done, 1 the work failed
// (reported on stderr as "number: description"), 2 the command line was not understood.
int RunBackupCommand(const QStringList &args);

const char *BackupCommandUsage();
