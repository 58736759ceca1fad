#include "app/Startup.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quelby"));
    // The icon and desktop entry the package installs (quelby.svg, quelby.desktop).
    QApplication::setDesktopFileName(QStringLiteral("quelby"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("quelby")));
    return Main(app);
}
