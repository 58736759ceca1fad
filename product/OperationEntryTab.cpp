#include "product/OperationEntryTab.h"

#include "app/Database.h"
#include "app/Handler.h"
#include "app/Seams.h"
#include "app/Values.h"
#include "app/WidgetHelpers.h"
#include "data/SqlText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// The work tickets a station's work can be printed on, in list order.
const QStringList kReportTypes = {
    QStringLiteral("Band Saw"),    QStringLiteral("Bullet Noser"), QStringLiteral("CNC"),
    QStringLiteral("CNC Stencil"), QStringLiteral("Fiber Table"),  QStringLiteral("Glue Line"),
    QStringLiteral("Spray Line"),  QStringLiteral("Glue/Spray Line Supply"),
    QStringLiteral("Top Out Saw"), QStringLiteral("Vertical Slitter"),
};

}  // namespace

OperationEntryTab::OperationEntryTab(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("OperationEntryTab"));

    auto *explanation =
        new QLabel(QStringLiteral("Operations will define which reports the style information is displayed on."), this);
    explanation->setWordWrap(true);

    cmbStationName = new QComboBox(this);
    cmbStationName->setObjectName(QStringLiteral("cmbStationName"));
    cmbStationName->setEditable(true);
    // Station names are typed freely: no completion, and Enter never adds the text to the list.
    cmbStationName->setCompleter(nullptr);
    cmbStationName->setInsertPolicy(QComboBox::NoInsert);
    cmbReportName = new QComboBox(this);
    cmbReportName->setObjectName(QStringLiteral("cmbReportName"));
    txtTeams = new QLineEdit(this);
    txtTeams->setObjectName(QStringLiteral("txtTeams"));
    cmbOperationStatus = new QComboBox(this);
    cmbOperationStatus->setObjectName(QStringLiteral("cmbOperationStatus"));
    btnOperationSave = new QPushButton(QStringLiteral("Save"), this);
    btnOperationSave->setObjectName(QStringLiteral("btnOperationSave"));
    btnOperationExit = new QPushButton(QStringLiteral("Exit"), this);
    btnOperationExit->setObjectName(QStringLiteral("btnOperationExit"));

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Station Name:"), this), 0, 0);
    grid->addWidget(cmbStationName, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Report Type:"), this), 1, 0);
    grid->addWidget(cmbReportName, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Teams:"), this), 2, 0);
    grid->addWidget(txtTeams, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Status:"), this), 3, 0);
    grid->addWidget(cmbOperationStatus, 3, 1);
    grid->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOperationSave);
    buttons->addWidget(btnOperationExit);

    // The entry keeps a form's width on the wide tab.
    auto *formRow = new QHBoxLayout;
    formRow->addLayout(grid, 1);
    formRow->addStretch(1);

    auto *column = new QVBoxLayout(this);
    column->addWidget(explanation);
    column->addLayout(formRow);
    column->addStretch();
    column->addLayout(buttons);

    setTabOrder(cmbStationName, cmbReportName);
    setTabOrder(cmbReportName, txtTeams);
    setTabOrder(txtTeams, cmbOperationStatus);
    setTabOrder(cmbOperationStatus, btnOperationSave);
    setTabOrder(btnOperationSave, btnOperationExit);

    connect(cmbStationName, &QComboBox::editTextChanged, this, handler([this] { cmbStationName_Change(); }));
    connect(cmbStationName, &QComboBox::currentIndexChanged, this, handler([this] {
                if (cmbStationName->currentIndex() >= 0) cmbStationName_Click();
            }));
    connect(btnOperationSave, &QPushButton::clicked, this, handler([this] { btnOperationSave_Click(); }));
    connect(btnOperationExit, &QPushButton::clicked, this, [this] { emit exitRequested(); });
}

void OperationEntryTab::reset() {
    {
        const QSignalBlocker blockReport(cmbReportName);
        cmbReportName->clear();
        cmbReportName->addItems(kReportTypes);
        cmbReportName->setCurrentIndex(-1);
    }
    {
        const QSignalBlocker blockStatus(cmbOperationStatus);
        cmbOperationStatus->clear();
        cmbOperationStatus->addItems({QStringLiteral("Active"), QStringLiteral("Inactive")});
        cmbOperationStatus->setCurrentIndex(-1);
    }
    txtTeams->setText(QStringLiteral("1"));
    FillCombo(cmbStationName, QStringLiteral("SELECT * FROM Operation ORDER BY Station"), QStringLiteral("Station"));
}

void OperationEntryTab::cmbStationName_Change() { StationLookup(); }
void OperationEntryTab::cmbStationName_Click() { StationLookup(); }

// Shows the stored station whose name is in the box, or an empty tab for a new name.
void OperationEntryTab::StationLookup() {
    const QString station = cmbStationName->currentText();
    if (station.isEmpty()) {
        ClearTab();
        return;
    }
    auto rs = AppDatabase().openRecordset("SELECT * FROM Operation WHERE Station = '" +
                                          SqlText::Escaped(station) + "'");
    if (rs->eof()) {
        ClearTab();
    } else {
        SelectByText(cmbReportName, rs->text(QStringLiteral("ReportType")));
        txtTeams->setText(BoxText(rs->field(QStringLiteral("Teams"))));
        SelectByText(cmbOperationStatus, rs->text(QStringLiteral("Status")));
    }
    rs->close();
}

// Report type and status unselected, one team; the station text stays as typed.
void OperationEntryTab::ClearTab() {
    cmbReportName->setCurrentIndex(-1);
    txtTeams->setText(QStringLiteral("1"));
    cmbOperationStatus->setCurrentIndex(-1);
}

void OperationEntryTab::btnOperationSave_Click() {
    const QString station = cmbStationName->currentText();
    if (station.isEmpty() || cmbReportName->currentText().isEmpty() ||
        cmbOperationStatus->currentText().isEmpty() || !Values::IsNumeric(txtTeams->text())) {
        Seams::messages().tell(
            QStringLiteral("You must enter a Station Name, Report Name, Number of Teams, and Status for the Operation."),
            QStringLiteral("Invalid Information"));
        return;
    }

    auto rs = AppDatabase().openRecordset("SELECT * FROM Operation WHERE Station = '" +
                                          SqlText::Escaped(station) + "'");
    if (rs->eof()) rs->addNew();
    else rs->edit();
    rs->setField(QStringLiteral("Station"), station);
    rs->setField(QStringLiteral("ReportType"), cmbReportName->currentText());
    rs->setField(QStringLiteral("Teams"), txtTeams->text());
    rs->setField(QStringLiteral("Status"), cmbOperationStatus->currentText());
    rs->update();
    rs->close();

    {
        const QSignalBlocker blockStation(cmbStationName);
        cmbStationName->setCurrentIndex(-1);
        cmbStationName->setEditText(QString());
    }
    ClearTab();
    emit changed();
}
