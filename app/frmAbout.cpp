#include "app/frmAbout.h"

#include "core/Handler.h"
#include "core/Seams.h"
#include "masterdata/MasterStore.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QSysInfo>

frmAbout::frmAbout(QWidget *parent) : ChildWindow(parent) {
    setWindowTitle(QStringLiteral("About Quelby"));
    lblTitle = new QLabel(QStringLiteral("Quelby"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(titleFont.pointSize() * 2);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion = new QLabel(QStringLiteral("Version 1.2 7/20/04"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblMaker = new QLabel(QStringLiteral("Order management for foam fabrication plants\nby the Quelby developers"), this);
    lblMaker->setObjectName(QStringLiteral("lblMaker"));
    // The plant this copy works on, as config.txt named it.
    lblDatabase = new QLabel(QStringLiteral("Plant database: ") + QDir::toNativeSeparators(MasterStore::PlantPath()), this);
    lblDatabase->setObjectName(QStringLiteral("lblDatabase"));
    lblDatabase->setTextInteractionFlags(Qt::TextSelectableByMouse);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    btnSysInfo->setObjectName(QStringLiteral("btnSysInfo"));

    auto *layout = new QGridLayout(this);
    layout->addWidget(lblTitle, 0, 0, 1, 2);
    layout->addWidget(lblVersion, 1, 0, 1, 2);
    layout->addWidget(lblMaker, 2, 0, 1, 2);
    layout->addWidget(lblDatabase, 3, 0, 1, 2);
    layout->addWidget(btnOK, 4, 1);
    layout->addWidget(btnSysInfo, 5, 1);
    layout->setColumnStretch(0, 1);

    connect(btnOK, &QPushButton::clicked, this, handler([this] { unload(); }));
    connect(btnSysInfo, &QPushButton::clicked, this, handler([this] { btnSysInfo_Click(); }));
    setFixedSize(sizeHint());
}

QString frmAbout::systemFacts() {
    return QStringLiteral("Operating system: %1\nQt: %2\nDatabase engine: %3")
        .arg(QSysInfo::prettyProductName(), QString::fromLatin1(qVersion()), MasterStore::EngineVersion());
}

void frmAbout::btnSysInfo_Click() {
    // The desktop's own system-information tool where one is installed.
    for (const char *tool : {"kinfocenter", "hardinfo", "gnome-system-monitor", "xfce4-taskmanager"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
        if (!program.isEmpty() && QProcess::startDetached(program, {})) return;
    }
    Seams::messages().tell(systemFacts(), QStringLiteral("System Information"));
}
