#pragma once
// quelby-admin upgrade PATH
//
// Brings a plant file made by an earlier build up to this one: names compared without
// regard to case for every letter, not only A-Z (its text keys ordered anew once, in a
// transaction). Opening the file in Quelby does the same; this does it explicitly and says
// what it did, or names the names that must be renamed first.

#include <QStringList>

// args are the words after "upgrade". Returns the exit code: 0 done (or nothing to do),
// 1 the work failed or names collide (reported on stderr as "number: description"),
// 2 the command line was not understood.
int RunUpgradeCommand(const QStringList &args);

const char *UpgradeCommandUsage();
