#include "core/AppFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppFolders {

QString OutputFolder(const QString &name) { return OutputFolder(QCoreApplication::applicationDirPath(), name); }

QString OutputFolder(const QString &applicationFolder, const QString &name) {
    const QFileInfo beside(QDir(applicationFolder).filePath(name));
    const QFileInfo folder(applicationFolder);
    // A folder already there is used when it can be written; otherwise it must be made.
    const bool writable = beside.exists() ? beside.isDir() && beside.isWritable() : folder.isDir() && folder.isWritable();
    if (writable) return beside.filePath();
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) documents = QDir::homePath();
    return QDir(documents).filePath(QStringLiteral("Quelby/") + name);
}

}  // namespace AppFolders
