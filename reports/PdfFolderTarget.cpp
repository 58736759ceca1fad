#include "reports/PdfFolderTarget.h"

#include "core/AppError.h"
#include "reports/DocumentPainter.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

PdfFolderTarget::PdfFolderTarget(QString folder) : m_folder(std::move(folder)) {}

void PdfFolderTarget::print(const Document &document, const QString &templateName) { write(document, templateName); }

void PdfFolderTarget::preview(const Document &document, const QString &templateName) { write(document, templateName); }

namespace {

// The highest running number among the folder's documents (0 when there is none).
int highestNumber(const QDir &dir) {
    static const QRegularExpression numbered(QStringLiteral("^(\\d+)-.*\\.pdf$"));
    int last = 0;
    for (const QString &name : dir.entryList({QStringLiteral("*.pdf")}, QDir::Files)) {
        const auto match = numbered.match(name);
        if (match.hasMatch()) last = std::max(last, match.captured(1).toInt());
    }
    return last;
}

AppError cannotWrite(const QString &path) {
    return AppError(ErrorNumber::PathNotFound, QStringLiteral("Cannot write the file %1").arg(QDir::toNativeSeparators(path)));
}

}  // namespace

QString PdfFolderTarget::write(const Document &document, const QString &templateName) {
    QDir dir(m_folder);
    if (!dir.mkpath(QStringLiteral(".")))
        throw AppError(ErrorNumber::PathNotFound, QStringLiteral("Path not found: %1").arg(QDir::toNativeSeparators(m_folder)));
    if (m_next == 0) m_next = highestNumber(dir) + 1;
    // Claim the first free name from the next number on: the empty file created here
    // belongs to this target alone until the document is written into it.
    QString path;
    for (;; ++m_next) {
        path = dir.absoluteFilePath(QStringLiteral("%1-%2.pdf").arg(m_next, 4, 10, QLatin1Char('0')).arg(templateName));
        QFile claim(path);
        if (claim.open(QIODevice::WriteOnly | QIODevice::NewOnly)) break;
        if (!claim.exists()) throw cannotWrite(path);
    }
    ++m_next;
    try {
        WritePdf(document, path);
    } catch (...) {
        QFile::remove(path);
        throw;
    }
    m_written.append(path);
    return path;
}
