#include "product/VariablesTab.h"

#include "app/Database.h"
#include "app/Handler.h"
#include "app/NumberBox.h"
#include "app/Seams.h"
#include "app/Values.h"
#include "app/WidgetHelpers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString DataRowSql = QStringLiteral("SELECT * FROM Data WHERE ID = 'Data'");
}

VariablesTab::VariablesTab(QWidget *parent) : QWidget(parent) {
    auto *intro = new QLabel(QStringLiteral("Enter Variables to be used throughout the software."), this);
    txtLaborCostPerHour = new NumberBox(QStringLiteral("#,##0.00"), this);
    txtNonArmsPerHour = new NumberBox(QStringLiteral("#,##0"), this);
    txtSLNonArmsPerHour = new NumberBox(QStringLiteral("#,##0"), this);
    txtLaborPercent = new NumberBox(QStringLiteral("#,##0.00"), this);
    btnVariableSave = new QPushButton(QStringLiteral("Save"), this);
    btnVariableExit = new QPushButton(QStringLiteral("Exit"), this);

    txtLaborCostPerHour->setObjectName(QStringLiteral("txtLaborCostPerHour"));
    txtNonArmsPerHour->setObjectName(QStringLiteral("txtNonArmsPerHour"));
    txtSLNonArmsPerHour->setObjectName(QStringLiteral("txtSLNonArmsPerHour"));
    txtLaborPercent->setObjectName(QStringLiteral("txtLaborPercent"));
    btnVariableSave->setObjectName(QStringLiteral("btnVariableSave"));
    btnVariableExit->setObjectName(QStringLiteral("btnVariableExit"));

    auto *grid = new QGridLayout;
    const QList<QPair<QString, QWidget *>> rows = {
        {QStringLiteral("Labor Cost / Hour:"), txtLaborCostPerHour},
        {QStringLiteral("Glueline Non-Arms / Hour:"), txtNonArmsPerHour},
        {QStringLiteral("Sprayline Non-Arms / Hour:"), txtSLNonArmsPerHour},
        {QStringLiteral("Labor Percent:"), txtLaborPercent},
    };
    for (int r = 0; r < rows.size(); ++r) {
        auto *label = new QLabel(rows[r].first, this);
        label->setBuddy(rows[r].second);
        grid->addWidget(label, r, 0);
        grid->addWidget(rows[r].second, r, 1);
    }
    // The boxes keep a working width; the room to their right stays empty.
    grid->setColumnMinimumWidth(1, 260);
    grid->setColumnStretch(2, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnVariableSave);
    buttons->addWidget(btnVariableExit);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    setTabOrder(txtLaborCostPerHour, txtNonArmsPerHour);
    setTabOrder(txtNonArmsPerHour, txtSLNonArmsPerHour);
    setTabOrder(txtSLNonArmsPerHour, txtLaborPercent);
    setTabOrder(txtLaborPercent, btnVariableSave);
    setTabOrder(btnVariableSave, btnVariableExit);

    connect(btnVariableSave, &QPushButton::clicked, this, handler([this] { btnVariableSave_Click(); }));
    connect(btnVariableExit, &QPushButton::clicked, this, [this] { emit exitRequested(); });
}

void VariablesTab::reset() {
    auto rs = AppDatabase().openRecordset(DataRowSql);
    if (!rs->eof()) {
        // A null figure shows as an empty box.
        txtLaborCostPerHour->setText(BoxText(rs->field(QStringLiteral("LaborCostPerHour"))));
        txtNonArmsPerHour->setText(BoxText(rs->field(QStringLiteral("NonArmPerHour"))));
        txtSLNonArmsPerHour->setText(BoxText(rs->field(QStringLiteral("SprayLineNonArmPerHour"))));
        txtLaborPercent->setText(BoxText(rs->field(QStringLiteral("LaborPercent"))));
    }
    rs->close();
}

void VariablesTab::btnVariableSave_Click() {
    const QString title = QStringLiteral("Invalid Information");
    if (!Values::IsNumeric(txtLaborCostPerHour->text()) || !Values::IsNumeric(txtNonArmsPerHour->text())) {
        Seams::messages().tell(
            QStringLiteral("You must enter a Labor Cost Per Hour and Non-Arms Per Hour before saving."), title);
        return;
    }
    // The spray line rate and the labour percentage may be left empty (stored as 0), but
    // a text that is not a number is refused rather than stored as a figure nobody typed.
    struct Figure {
        const char *name;
        NumberBox *box;
        double value = 0;
    };
    Figure optional[] = {{"Sprayline Non-Arms / Hour", txtSLNonArmsPerHour}, {"Labor Percent", txtLaborPercent}};
    for (Figure &f : optional) {
        const QString text = f.box->text();
        if (text.trimmed().isEmpty()) continue;
        if (!Values::IsNumeric(text)) {
            Seams::messages().tell(QLatin1String(f.name) + QStringLiteral(" must be a number."), title);
            f.box->setFocus();
            return;
        }
        f.value = Values::NumericValue(text);
    }

    auto rs = AppDatabase().openRecordset(DataRowSql);
    if (rs->eof())
        rs->addNew();
    else
        rs->edit();
    rs->setField(QStringLiteral("ID"), QStringLiteral("Data"));
    rs->setField(QStringLiteral("LaborCostPerHour"), Values::NumericValue(txtLaborCostPerHour->text()));
    rs->setField(QStringLiteral("NonArmPerHour"), Values::NumericValue(txtNonArmsPerHour->text()));
    rs->setField(QStringLiteral("SprayLineNonArmPerHour"), optional[0].value);
    rs->setField(QStringLiteral("LaborPercent"), optional[1].value);
    rs->update();
    rs->close();
    emit changed();
}
