#pragma once
// quelby-admin print PATH BUILDER [ARGUMENTS...] --out DIR
//
// Opens the plant database at PATH as the application's connection, runs the named
// document builder (the same code the menus call) with the given text arguments and
// writes every document it prints or previews as a PDF into DIR. The written files are
// listed on standard output, one per line, in order.

#include <QString>
#include <QStringList>
#include <functional>

// args are the words after "print". Returns the exit code: 0 done, 1 the work failed
// (reported on stderr as "number: description"), 2 the command line was not understood.
// Needs a QGuiApplication (the documents are painted).
int RunPrintCommand(const QStringList &args);

// The usage text of the print command.
const char *PrintCommandUsage();

// ---- Shared by the commands that write documents as PDF files -------------------------

// The words of such a command: the positional ones and the folder after --out.
struct PdfCommandLine {
    QStringList positional;
    QString out;
};
// Reads the words of the command named `command`, which takes from `fewest` to `most`
// positional words (most -1: no limit) and --out DIR. With --help it prints the usage;
// words it cannot run are reported with the usage. Returns the exit code to end with
// then (0 or 2), or -1 when the command can go on with `line`.
int ReadPdfCommandLine(const QStringList &args, const char *command, const char *usage, int fewest, int most,
                       PdfCommandLine &line);

// Opens the database at path as the application's connection and runs work with every
// printed or previewed document written as a PDF into the folder out; then lists the
// files written on standard output. Returns the exit code: 0 done, 1 the work failed
// (reported on stderr as "number: description").
int RunIntoPdfFolder(const QString &path, const QString &out, const std::function<void()> &work);

// Writes a line to the error stream.
void WriteError(const QString &text);
