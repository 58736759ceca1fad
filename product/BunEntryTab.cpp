#include "product/BunEntryTab.h"

#include "data/Recordset.h"
#include "product/ProductStore.h"
#include "widgets/FormLayout.h"
#include "widgets/Connectors.h"
#include "widgets/NumberBox.h"
#include "core/Seams.h"
#include "core/Values.h"
#include "widgets/WidgetHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace FormLayout;

namespace {

// Width and length never block a save: a text that is not a number stores 0.
Values::TypedNumber sizeValue(const QString &text) {
    return {Values::IsNumeric(text) ? Values::NumericValue(text) : 0.0, text};
}

}  // namespace

BunEntryTab::BunEntryTab(QWidget *parent) : QWidget(parent) {
    cmbBunID = named<QComboBox>(this, "cmbBunID");
    makeKeyCombo(cmbBunID);
    chkOffAll = named<QCheckBox>(this, "chkOffAll", QStringLiteral("\"Off All\""));
    txtBunWidth = named<NumberBox>(this, "txtBunWidth", QStringLiteral("#,##0.00"));
    txtBunLength = named<NumberBox>(this, "txtBunLength", QStringLiteral("#,##0.00"));
    txtBunGrade = named<QLineEdit>(this, "txtBunGrade");
    cmbBunVendor = named<QComboBox>(this, "cmbBunVendor");
    cmbBunStatus = named<QComboBox>(this, "cmbBunStatus");
    btnBunSave = named<QPushButton>(this, "btnBunSave", QStringLiteral("Save"));
    btnBunExit = named<QPushButton>(this, "btnBunExit", QStringLiteral("Exit"));

    auto *grid = new QGridLayout;
    addRow(grid, QStringLiteral("Bun ID:"), cmbBunID);
    grid->addWidget(chkOffAll, grid->rowCount(), 1);
    addRow(grid, QStringLiteral("Width:"), txtBunWidth);
    addRow(grid, QStringLiteral("Length:"), txtBunLength);
    addRow(grid, QStringLiteral("Grade:"), txtBunGrade);
    addRow(grid, QStringLiteral("Vendor:"), cmbBunVendor);
    addRow(grid, QStringLiteral("Status:"), cmbBunStatus);
    grid->addWidget(new QLabel(this), grid->rowCount(), 1);  // the tab's label without text
    keepWorkingWidth(grid);
    entryPage(this, nullptr, grid, buttonRow({btnBunSave, btnBunExit}));
    tabOrder({cmbBunID, chkOffAll, txtBunWidth, txtBunLength, txtBunGrade, cmbBunVendor, cmbBunStatus, btnBunSave,
              btnBunExit});

    onEdit(cmbBunID, this, [this] { cmbBunID_Change(); });
    onPick(cmbBunID, this, [this] { cmbBunID_Click(); });
    onClick(btnBunSave, this, [this] { btnBunSave_Click(); });
    onClick(btnBunExit, this, [this] { emit exitRequested(); });
}

void BunEntryTab::reset() {
    FillList(cmbBunStatus, {QStringLiteral("Active"), QStringLiteral("Inactive")});
    FillCombo(cmbBunID, ProductStore::BunIds(), QStringLiteral("ID"));
    FillCombo(cmbBunVendor, ProductStore::VendorNames(), QStringLiteral("Vendor"));
    // The ID text is empty, so the tab shows what an empty lookup shows.
    clearTab();
}

void BunEntryTab::cmbBunID_Change() { lookUp(); }

void BunEntryTab::cmbBunID_Click() { lookUp(); }

void BunEntryTab::clearTab() {
    chkOffAll->setChecked(false);
    txtBunWidth->setText(QString());
    txtBunLength->setText(QString());
    txtBunGrade->clear();
    cmbBunVendor->setCurrentIndex(-1);
    cmbBunStatus->setCurrentIndex(-1);
}

void BunEntryTab::lookUp() {
    const QString id = cmbBunID->currentText();
    if (id.isEmpty()) {
        clearTab();
        return;
    }
    auto rs = ProductStore::Bun(id);
    if (rs->eof()) {
        clearTab();  // a new bun: the ID text stays as typed
    } else {
        chkOffAll->setChecked(rs->field(QStringLiteral("OffAll")).toBool());
        txtBunWidth->setText(BoxText(rs->field(QStringLiteral("Width"))));
        txtBunLength->setText(BoxText(rs->field(QStringLiteral("Length"))));
        txtBunGrade->setText(BoxText(rs->field(QStringLiteral("Grade"))));
        // A vendor or status no longer in its list shows no selection.
        const QString vendor = rs->text(QStringLiteral("Vendor"));
        if (vendor.isEmpty())
            cmbBunVendor->setCurrentIndex(-1);
        else
            SelectByText(cmbBunVendor, vendor);
        SelectByText(cmbBunStatus, rs->text(QStringLiteral("Status")));
    }
    rs->close();
}

void BunEntryTab::btnBunSave_Click() {
    const QString id = cmbBunID->currentText();
    if (id.isEmpty() || cmbBunStatus->currentIndex() < 0) {
        Seams::messages().tell(QStringLiteral("You must enter an ID and Status for the Bun."),
                               QStringLiteral("Invalid Information"));
        return;
    }
    ProductStore::SaveBun({id, chkOffAll->isChecked(), sizeValue(txtBunWidth->text()), sizeValue(txtBunLength->text()),
                           txtBunGrade->text(),
                           cmbBunVendor->currentIndex() < 0 ? QString() : cmbBunVendor->currentText(),
                           cmbBunStatus->currentText()});

    cmbBunID->setEditText(QString());  // runs the lookup, which clears the tab
    clearTab();
    emit changed();
}
