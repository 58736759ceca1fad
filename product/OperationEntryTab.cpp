#include "product/OperationEntryTab.h"

#include "data/Recordset.h"
#include "product/ProductStore.h"
#include "widgets/FormLayout.h"
#include "widgets/Connectors.h"
#include "core/Seams.h"
#include "core/Values.h"
#include "widgets/WidgetHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

using namespace FormLayout;

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

    cmbStationName = named<QComboBox>(this, "cmbStationName");
    makeKeyCombo(cmbStationName);  // station names are typed freely
    cmbReportName = named<QComboBox>(this, "cmbReportName");
    txtTeams = named<QLineEdit>(this, "txtTeams");
    cmbOperationStatus = named<QComboBox>(this, "cmbOperationStatus");
    btnOperationSave = named<QPushButton>(this, "btnOperationSave", QStringLiteral("Save"));
    btnOperationExit = named<QPushButton>(this, "btnOperationExit", QStringLiteral("Exit"));

    QGridLayout *grid = labelledRows({
        {QStringLiteral("Station Name:"), cmbStationName},
        {QStringLiteral("Report Type:"), cmbReportName},
        {QStringLiteral("Teams:"), txtTeams},
        {QStringLiteral("Status:"), cmbOperationStatus},
    });
    grid->setColumnStretch(1, 1);

    // The entry keeps a form's width on the wide tab.
    auto *formRow = new QHBoxLayout;
    formRow->addLayout(grid, 1);
    formRow->addStretch(1);

    entryPage(this, explanation, formRow, buttonRow({btnOperationSave, btnOperationExit}));
    tabOrder({cmbStationName, cmbReportName, txtTeams, cmbOperationStatus, btnOperationSave, btnOperationExit});

    onEdit(cmbStationName, this, [this] { cmbStationName_Change(); });
    onPick(cmbStationName, this, [this] { cmbStationName_Click(); });
    onClick(btnOperationSave, this, [this] { btnOperationSave_Click(); });
    onClick(btnOperationExit, this, [this] { emit exitRequested(); });
}

void OperationEntryTab::reset() {
    FillList(cmbReportName, kReportTypes);
    FillList(cmbOperationStatus, {QStringLiteral("Active"), QStringLiteral("Inactive")});
    txtTeams->setText(QStringLiteral("1"));
    FillCombo(cmbStationName, ProductStore::Stations(), QStringLiteral("Station"));
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
    auto rs = ProductStore::Station(station);
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

    ProductStore::SaveStation(station, cmbReportName->currentText(), txtTeams->text(), cmbOperationStatus->currentText());

    {
        const QSignalBlocker blockStation(cmbStationName);
        cmbStationName->setCurrentIndex(-1);
        cmbStationName->setEditText(QString());
    }
    ClearTab();
    emit changed();
}
