#pragma once
// Reading config.txt, the file that names the plant's database (beside the executable, or
// in the user's or the machine's configuration folder).
// The file is read value by value as a desktop BASIC's sequential input reads it:
//
// - values are separated by commas or line ends (CR, LF or CR LF); blanks and tabs
//   before a value are skipped;
// - a value that begins with a double quote runs to the next double quote, which may lie
//   on a later line; the quotes are removed and commas inside belong to the value.
//   Whatever follows the closing quote up to the next comma or line end is skipped; a
//   further double quote there starts the next value ("1,2""X" is 1,2 and X);
// - an unquoted value runs to the next comma or line end, trailing blanks and tabs
//   removed;
// - an empty value between two commas, or an empty line, is an empty value;
// - asking for a value when nothing but blanks is left is "Input past end of file".

#include <QString>
#include <QStringList>

class QIODevice;

namespace Config {

// Reads the first `count` values from an open device (or a file). Throws
// AppError(InputPastEndOfFile, "Input past end of file") when the input holds fewer,
// and AppError(FileNotFound, "File not found") when the file does not exist.
QStringList ReadValues(QIODevice &device, int count);
QStringList ReadValues(const QString &filePath, int count);

// The database path: the third value of applicationFolder + "/config.txt". The first
// two values must be present but mean nothing; anything after the third is not read.
QString ReadConfig(const QString &applicationFolder);

// The places config.txt is looked for, in order: beside the executable (a copy of its
// own folder), the user's configuration folder (~/.config/Quelby on Linux), then
// /etc/quelby for every user of the machine (not on Windows).
QStringList ConfigPlaces(const QString &applicationFolder);
// The database path from the first of `places` that exists; AppError(FileNotFound,
// "File not found") when none does.
QString ReadConfig(const QStringList &places);
// Said after "53: File not found" at start-up: every place looked, and how to make a demo
// plant and the file that names it.
QString MissingConfigHelp(const QStringList &places);

}  // namespace Config
