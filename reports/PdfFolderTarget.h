#pragma once
// A print target that writes every document, printed or previewed, as a PDF file into
// one folder, named with a running number and the template: 0007-crptBunListing.pdf.
// The numbering goes on from the highest number in the folder when the target writes
// its first document, and is then kept in memory. Each file is created only where no
// file of that name exists, so a file already there, or one another copy of the
// application has just written, is never overwritten: the number moves past it.

#include "reports/PrintTarget.h"

#include <QString>
#include <QStringList>

class PdfFolderTarget : public PrintTarget {
public:
    explicit PdfFolderTarget(QString folder);

    void print(const Document &document, const QString &templateName) override;
    void preview(const Document &document, const QString &templateName) override;

    // Writes the document and returns the file's path; the folder is created if needed.
    QString write(const Document &document, const QString &templateName);
    QString folder() const { return m_folder; }
    // The files this target has written, in order.
    QStringList writtenFiles() const { return m_written; }

private:
    QString m_folder;
    QStringList m_written;
    int m_next = 0;  // the number of the next file; 0 until the folder has been read
};
