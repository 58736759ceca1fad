#include "app/Startup.h"

#include "core/AppError.h"
#include "app/Config.h"
#include "data/Database.h"
#include "app/DesktopSeams.h"
#include "app/MDI.h"
#include "app/DesktopPrintTarget.h"
#include "widgets/WidgetHelpers.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>
#include <memory>

namespace {

DesktopMessages g_desktopMessages;

// The lock that marks a running copy for this user on this machine.
QString instanceLockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("quelby.lock"));
}

int failStartup(const QString &report) {
    QTextStream(stderr) << report << Qt::endl;
    Seams::messages().tell(report, QStringLiteral("Quelby"));
    return 1;
}

}  // namespace

int Main(QApplication &app) {
    Seams::setMessages(&g_desktopMessages);
    const QStringList places = Config::ConfigPlaces(QCoreApplication::applicationDirPath());
    QString path;
    try {
        path = Config::ReadConfig(places);
    } catch (const AppError &error) {
        if (error.number() != ErrorNumber::FileNotFound) return failStartup(error.report());
        return failStartup(error.report() + QStringLiteral("\n\n") + Config::MissingConfigHelp(places));
    }
    if (AddressHoldsPassword(path))
        return failStartup(QStringLiteral("%1: config.txt holds the password of the plant's server. Quelby never keeps a "
                                          "password there: remove it, and give it to the server's client library instead, "
                                          "in the password file ~/.pgpass (or the file PGPASSFILE names).")
                               .arg(ErrorNumber::CannotOpenDatabase));
    try {
        SetAppDatabase(Database::open(path));
        if (const QString notice = AppDatabase().caseFoldingNotice(); !notice.isEmpty())
            Seams::messages().tell(notice, QStringLiteral("Quelby"));
    } catch (const AppError &error) {
        return failStartup(error.report());
    }

    QLockFile instanceLock(instanceLockPath());
    instanceLock.setStaleLockTime(0);  // a lock left by a copy that died is taken over
    if (!instanceLock.tryLock(0)) {
        Seams::messages().tell(QStringLiteral("This application is already running."),
                               QStringLiteral("Application Already Running"));
        return 0;
    }

    InstallDesktopPrintTarget();
    EnterPressesButtons();
    // The frame's size and position between runs, in the user's settings.
    QSettings placement(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quelby"), QStringLiteral("Quelby"));
    auto mainWindow = std::make_unique<MDI>();
    mainWindow->showFrame(&placement);
    const int code = app.exec();
    mainWindow.reset();
    SetAppDatabase(nullptr);
    return code;
}
