#include "app/Config.h"

#include "core/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QStandardPaths>
#include <QStringDecoder>

namespace Config {

namespace {


// The file's text: UTF-8 when it is valid UTF-8 (a byte-order mark is dropped),
// otherwise the 8-bit text an older editor writes.
QString decode(const QByteArray &bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) text = QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return text;
}

class SequentialInput {
public:
    explicit SequentialInput(const QString &text) : m_text(text) {}

    QString next() {
        const int n = m_text.size();
        while (m_pos < n && isBlank(m_text[m_pos])) ++m_pos;
        if (m_pos >= n) throw AppError(ErrorNumber::InputPastEndOfFile, QStringLiteral("Input past end of file"));

        QString value;
        if (m_text[m_pos] == QLatin1Char('"')) {
            const int close = m_text.indexOf(QLatin1Char('"'), m_pos + 1);
            const int end = close < 0 ? n : close;
            value = m_text.mid(m_pos + 1, end - m_pos - 1);
            m_pos = close < 0 ? n : close + 1;
            // Skip what follows the closing quote up to the separator; a new quote
            // begins the next value and stays for it.
            while (m_pos < n && !isSeparator(m_text[m_pos]) && m_text[m_pos] != QLatin1Char('"')) ++m_pos;
        } else {
            const int start = m_pos;
            while (m_pos < n && !isSeparator(m_text[m_pos])) ++m_pos;
            value = m_text.mid(start, m_pos - start);
            while (!value.isEmpty() && isBlank(value.back())) value.chop(1);
        }
        consumeSeparator();
        return value;
    }

private:
    static bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
    static bool isSeparator(QChar c) {
        return c == QLatin1Char(',') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
    }
    void consumeSeparator() {
        const int n = m_text.size();
        if (m_pos >= n) return;
        const QChar c = m_text[m_pos];
        if (c == QLatin1Char(',') || c == QLatin1Char('\n')) {
            ++m_pos;
        } else if (c == QLatin1Char('\r')) {
            ++m_pos;
            if (m_pos < n && m_text[m_pos] == QLatin1Char('\n')) ++m_pos;
        }
    }

    QString m_text;
    int m_pos = 0;
};

}  // namespace

QStringList ReadValues(QIODevice &device, int count) {
    SequentialInput input(decode(device.readAll()));
    QStringList values;
    for (int i = 0; i < count; ++i) values << input.next();
    return values;
}

QStringList ReadValues(const QString &filePath, int count) {
    QFile file(filePath);
    if (!file.exists()) throw AppError(ErrorNumber::FileNotFound, QStringLiteral("File not found"));
    if (QFileInfo(filePath).isDir() || !file.open(QIODevice::ReadOnly))
        throw AppError(ErrorNumber::PathFileAccessError, QStringLiteral("Path/File access error"));
    return ReadValues(file, count);
}

QString ReadConfig(const QString &applicationFolder) {
    // The folder and the file name are joined as text.
    return ReadValues(applicationFolder + QStringLiteral("/config.txt"), 3).at(2);
}

QStringList ConfigPlaces(const QString &applicationFolder) {
    QStringList places{applicationFolder + QStringLiteral("/config.txt")};
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!user.isEmpty()) places << user + QStringLiteral("/config.txt");
#ifndef Q_OS_WIN
    places << QStringLiteral("/etc/quelby/config.txt");
#endif
    return places;
}

QString ReadConfig(const QStringList &places) {
    for (const QString &place : places)
        if (QFileInfo::exists(place)) return ReadValues(place, 3).at(2);
    throw AppError(ErrorNumber::FileNotFound, QStringLiteral("File not found"));
}

QString MissingConfigHelp(const QStringList &places) {
    QString text = QStringLiteral("Quelby looked for config.txt in:\n");
    for (const QString &place : places) text += QStringLiteral("  ") + QDir::toNativeSeparators(place) + QLatin1Char('\n');
    text += QStringLiteral(
        "\nTo try Quelby on a demo plant, make one with\n"
        "  quelby-admin demo ~/plant.db\n"
        "and write a config.txt in one of these places holding three values, the third the plant's file:\n"
        "  Quelby configuration\n"
        "  Database,\"/home/you/plant.db\"");
    return text;
}

}  // namespace Config
