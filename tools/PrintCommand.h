#pragma once
// quelby-admin print PATH BUILDER [ARGUMENTS...] --out DIR
//
// Opens the plant database at PATH as the application's connection, runs the named
// document builder (the same code the menus call) with the given text arguments and
// writes every document it prints or previews as a PDF into DIR. The written files are
// listed on standard output, one per line, in order.

#include <QStringList>

// args are the words after "print". Returns the exit code: 0 done, 1 the work failed
// (reported on stderr as "number: description"), 2 the command line was not understood.
// Needs a QGuiApplication (the documents are painted).
int RunPrintCommand(const QStringList &args);

// The usage text of the print command.
const char *PrintCommandUsage();
