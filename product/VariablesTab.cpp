#include "product/VariablesTab.h"

#include "data/Recordset.h"
#include "product/ProductStore.h"
#include "widgets/FormLayout.h"
#include "widgets/Connectors.h"
#include "widgets/NumberBox.h"
#include "core/Seams.h"
#include "core/Values.h"
#include "widgets/WidgetHelpers.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

using namespace FormLayout;

VariablesTab::VariablesTab(QWidget *parent) : QWidget(parent) {
    auto *intro = new QLabel(QStringLiteral("Enter Variables to be used throughout the software."), this);
    txtLaborCostPerHour = named<NumberBox>(this, "txtLaborCostPerHour", QStringLiteral("#,##0.00"));
    txtNonArmsPerHour = named<NumberBox>(this, "txtNonArmsPerHour", QStringLiteral("#,##0"));
    txtSLNonArmsPerHour = named<NumberBox>(this, "txtSLNonArmsPerHour", QStringLiteral("#,##0"));
    txtLaborPercent = named<NumberBox>(this, "txtLaborPercent", QStringLiteral("#,##0.00"));
    btnVariableSave = named<QPushButton>(this, "btnVariableSave", QStringLiteral("Save"));
    btnVariableExit = named<QPushButton>(this, "btnVariableExit", QStringLiteral("Exit"));

    QGridLayout *grid = labelledRows({
        {QStringLiteral("Labor Cost / Hour:"), txtLaborCostPerHour},
        {QStringLiteral("Glueline Non-Arms / Hour:"), txtNonArmsPerHour},
        {QStringLiteral("Sprayline Non-Arms / Hour:"), txtSLNonArmsPerHour},
        {QStringLiteral("Labor Percent:"), txtLaborPercent},
    });
    keepWorkingWidth(grid);
    entryPage(this, intro, grid, buttonRow({btnVariableSave, btnVariableExit}));
    tabOrder({txtLaborCostPerHour, txtNonArmsPerHour, txtSLNonArmsPerHour, txtLaborPercent, btnVariableSave,
              btnVariableExit});

    onClick(btnVariableSave, this, [this] { btnVariableSave_Click(); });
    onClick(btnVariableExit, this, [this] { emit exitRequested(); });
}

void VariablesTab::reset() {
    auto rs = ProductStore::Variables();
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

    auto typed = [](NumberBox *box, double value) { return Values::TypedNumber{value, box->text()}; };
    ProductStore::SaveVariables({typed(txtLaborCostPerHour, Values::NumericValue(txtLaborCostPerHour->text())),
                                 typed(txtNonArmsPerHour, Values::NumericValue(txtNonArmsPerHour->text())),
                                 typed(optional[0].box, optional[0].value), typed(optional[1].box, optional[1].value)});
    emit changed();
}
