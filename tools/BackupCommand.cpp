#include "tools/BackupCommand.h"

#include "core/AppError.h"
#include "data/Database.h"
#include "tools/PrintCommand.h"

#include <cstdio>

namespace {
constexpr int ExitDone = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;
}  // namespace

const char *BackupCommandUsage() {
    return "Usage: quelby-admin backup PLANT DEST [--force]\n"
           "\n"
           "Copies the plant database PLANT to the new file DEST as it stands at one moment.\n"
           "The application may stay open and go on saving meanwhile. DEST appears only when\n"
           "the copy is whole, and opens as a plant of its own. An existing DEST is refused\n"
           "unless --force is given; the plant's own file is always refused.\n";
}

int RunBackupCommand(const QStringList &args) {
    QStringList files;
    bool force = false;
    for (const QString &arg : args) {
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            std::fputs(BackupCommandUsage(), stdout);
            return ExitDone;
        }
        if (arg == QLatin1String("--force")) force = true;
        else files << arg;
    }
    if (files.size() != 2) {
        WriteError(QStringLiteral("backup: give the plant and the file to copy it to"));
        WriteError(QString::fromLatin1(BackupCommandUsage()));
        return ExitUsage;
    }
    try {
        auto plant = Database::open(files.at(0));
        plant->backup(files.at(1), force);
    } catch (const AppError &e) {
        if (e.number() == ErrorNumber::TableExists && !force)
            WriteError(e.report() + QStringLiteral(" Give --force to replace it."));
        else
            WriteError(e.report());
        return ExitFailure;
    } catch (const std::exception &e) {
        WriteError(QStringLiteral("%1: %2").arg(ErrorNumber::ReservedError).arg(QString::fromLocal8Bit(e.what())));
        return ExitFailure;
    }
    return ExitDone;
}
