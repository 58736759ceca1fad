#include "product/StyleTypeEntryTab.h"

#include "data/Recordset.h"
#include "product/ProductStore.h"
#include "widgets/FormLayout.h"
#include "widgets/Connectors.h"
#include "core/Seams.h"
#include "widgets/WidgetHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace FormLayout;

StyleTypeEntryTab::StyleTypeEntryTab(QWidget *parent) : QWidget(parent) {
    auto *intro = new QLabel(QStringLiteral("Types will define the category of the Style."), this);
    cmbTypeID = named<QComboBox>(this, "cmbTypeID");
    makeKeyCombo(cmbTypeID);
    txtTypeDescription = named<QLineEdit>(this, "txtTypeDescription");
    cmbTypeStatus = named<QComboBox>(this, "cmbTypeStatus");
    btnTypeSave = named<QPushButton>(this, "btnTypeSave", QStringLiteral("Save"));
    btnTypeExit = named<QPushButton>(this, "btnTypeExit", QStringLiteral("Exit"));

    QGridLayout *grid = labelledRows({
        {QStringLiteral("Type ID:"), cmbTypeID},
        {QStringLiteral("Description:"), txtTypeDescription},
        {QStringLiteral("Status:"), cmbTypeStatus},
    });
    keepWorkingWidth(grid);
    entryPage(this, intro, grid, buttonRow({btnTypeSave, btnTypeExit}));
    tabOrder({cmbTypeID, txtTypeDescription, cmbTypeStatus, btnTypeSave, btnTypeExit});

    onEdit(cmbTypeID, this, [this] { cmbTypeID_Change(); });
    onPick(cmbTypeID, this, [this] { cmbTypeID_Click(); });
    onClick(btnTypeSave, this, [this] { btnTypeSave_Click(); });
    onClick(btnTypeExit, this, [this] { emit exitRequested(); });
}

void StyleTypeEntryTab::reset() {
    txtTypeDescription->clear();
    FillList(cmbTypeStatus, {QStringLiteral("Active"), QStringLiteral("Inactive")});
    FillCombo(cmbTypeID, ProductStore::StyleTypeIds(), QStringLiteral("ID"));
}

void StyleTypeEntryTab::cmbTypeID_Change() { lookUp(); }

void StyleTypeEntryTab::cmbTypeID_Click() { lookUp(); }

void StyleTypeEntryTab::lookUp() {
    const QString id = cmbTypeID->currentText();
    if (id.isEmpty()) {
        txtTypeDescription->clear();
        cmbTypeStatus->setCurrentIndex(-1);
        return;
    }
    auto rs = ProductStore::StyleType(id);
    if (rs->eof()) {
        txtTypeDescription->clear();  // a new type: the ID text stays as typed
        cmbTypeStatus->setCurrentIndex(-1);
    } else {
        txtTypeDescription->setText(BoxText(rs->field(QStringLiteral("Description"))));
        SelectByText(cmbTypeStatus, rs->text(QStringLiteral("Status")));  // unknown status: no selection
    }
    rs->close();
}

void StyleTypeEntryTab::btnTypeSave_Click() {
    const QString id = cmbTypeID->currentText();
    if (id.isEmpty() || txtTypeDescription->text().isEmpty() || cmbTypeStatus->currentIndex() < 0) {
        Seams::messages().tell(QStringLiteral("You must enter an ID, Description, and Status for the Type."),
                               QStringLiteral("Invalid Information"));
        return;
    }
    ProductStore::SaveStyleType(id, txtTypeDescription->text(), cmbTypeStatus->currentText());

    cmbTypeID->setEditText(QString());
    txtTypeDescription->clear();
    cmbTypeStatus->setCurrentIndex(-1);
    emit changed();
}
