#pragma once
// quelby-admin paperwork PATH ORDER_ID --out DIR
//
// Prints the whole paperwork of one order, the same eighteen calls in the same order as
// saving the order prints them, as PDF files into DIR, and lists the files written.

#include <QStringList>

// args are the words after "paperwork". Returns the exit code: 0 done, 1 the work failed
// (reported on stderr as "number: description"), 2 the command line was not understood.
// Needs a QGuiApplication (the documents are painted).
int RunPaperworkCommand(const QStringList &args);

const char *PaperworkCommandUsage();
