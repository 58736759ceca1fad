#pragma once
// Every failure of a database statement, the report engine or the printer is thrown as
// an AppError carrying a number and a description; the handler wrapper (Handler.h)
// reports it as "number: description" and returns to the window.

#include <QString>
#include <stdexcept>

class AppError : public std::runtime_error {
public:
    AppError(int number, const QString &description)
        : std::runtime_error(description.toStdString()), m_number(number), m_description(description) {}

    int number() const { return m_number; }
    QString description() const { return m_description; }
    // "number: description", as the user sees it.
    QString report() const { return QString::number(m_number) + QStringLiteral(": ") + m_description; }

private:
    int m_number;
    QString m_description;
};

// Error numbers used across the application. Where the plant's staff already know a
// number from their desktop tools (62 for a file read past its end), it is that one.
namespace ErrorNumber {
constexpr int OutOfMemory = 7;
constexpr int FileNotFound = 53;
constexpr int InputPastEndOfFile = 62;
constexpr int PathNotFound = 76;
constexpr int PathFileAccessError = 75;  // an existing file refused (permissions, a folder of that name)
constexpr int TypeMismatch = 13;
constexpr int ReservedError = 3000;
constexpr int CannotOpenDatabase = 3049;
constexpr int NoCurrentRecord = 3021;
constexpr int CouldNotFindFile = 3024;
constexpr int ItemNotFound = 3265;
constexpr int NotUpdatable = 3027;
constexpr int NotSupported = 3251;
constexpr int UpdateWithoutEdit = 3020;
constexpr int TableExists = 3010;
constexpr int NoSuchTable = 3078;
constexpr int SyntaxError = 3075;
constexpr int UnrecognizedFormat = 3343;
constexpr int ConversionError = 3421;
constexpr int DatabaseBusy = 3260;
constexpr int ReportError = 20500;
constexpr int PrinterError = 20501;
}  // namespace ErrorNumber
