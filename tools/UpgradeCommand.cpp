#include "tools/UpgradeCommand.h"

#include "core/AppError.h"
#include "data/Database.h"

#include <cstdio>

namespace {

void write(FILE *stream, const QString &text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

}  // namespace

const char *UpgradeCommandUsage() {
    return "Usage: quelby-admin upgrade PATH\n"
           "\n"
           "Brings the plant database at PATH up to this build: names compare without regard to\n"
           "case for every letter (\"MÜLLER\" finds \"Müller\"), not only A-Z. The file's text keys\n"
           "are ordered anew once, in one transaction; a file already upgraded is left alone.\n"
           "When two names of a key would become one, nothing is changed and they are listed:\n"
           "rename all but one of each, then run upgrade again.\n";
}

int RunUpgradeCommand(const QStringList &args) {
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        write(stdout, QString::fromUtf8(UpgradeCommandUsage()));
        return 0;
    }
    if (args.size() != 1) {
        write(stderr, QStringLiteral("quelby-admin: upgrade takes one PATH.\n\n") + QString::fromUtf8(UpgradeCommandUsage()));
        return 2;
    }
    try {
        const auto db = Database::open(args.at(0));
        if (!db->caseFoldingNotice().isEmpty()) throw AppError(3022, db->caseFoldingNotice());
        write(stdout, db->caseFolding().rebuilt
                          ? QStringLiteral("%1: upgraded; names compare without regard to case for every letter.\n").arg(args.at(0))
                          : QStringLiteral("%1: already up to date.\n").arg(args.at(0)));
        return 0;
    } catch (const AppError &e) {
        write(stderr, e.report() + QLatin1Char('\n'));
        return 1;
    }
}
