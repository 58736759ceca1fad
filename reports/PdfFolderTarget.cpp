#include "reports/PdfFolderTarget.h"

#include "core/AppError.h"
#include "reports/DocumentPainter.h"

#include <QDir>
#include <QRegularExpression>

PdfFolderTarget::PdfFolderTarget(QString folder) : m_folder(std::move(folder)) {}

void PdfFolderTarget::print(const Document &document, const QString &templateName) { write(document, templateName); }

void PdfFolderTarget::preview(const Document &document, const QString &templateName) { write(document, templateName); }

QString PdfFolderTarget::write(const Document &document, const QString &templateName) {
    QDir dir(m_folder);
    if (!dir.mkpath(QStringLiteral(".")))
        throw AppError(ErrorNumber::PathNotFound, QStringLiteral("Path not found: %1").arg(QDir::toNativeSeparators(m_folder)));
    static const QRegularExpression numbered(QStringLiteral("^(\\d+)-.*\\.pdf$"));
    int last = 0;
    for (const QString &name : dir.entryList({QStringLiteral("*.pdf")}, QDir::Files)) {
        const auto match = numbered.match(name);
        if (match.hasMatch()) last = std::max(last, match.captured(1).toInt());
    }
    const QString name = QStringLiteral("%1-%2.pdf").arg(last + 1, 4, 10, QLatin1Char('0')).arg(templateName);
    const QString path = dir.absoluteFilePath(name);
    WritePdf(document, path);
    m_written.append(path);
    return path;
}
