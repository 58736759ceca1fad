#include "product/ComponentFrame.h"

#include "data/Recordset.h"
#include "widgets/FormLayout.h"
#include "widgets/Connectors.h"
#include "core/Seams.h"
#include "core/Values.h"
#include "product/ProductStore.h"
#include "widgets/WidgetHelpers.h"
#include "product/ProductLists.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace FormLayout;

namespace {

const QString InvalidTitle = QStringLiteral("Invalid Information");

// Selects the component entry carrying the given component ID. Component IDs are keys
// the database compares without regard to case, so a link that names "ab-1" still finds
// the component stored as "AB-1".
void selectComponent(QComboBox *combo, const QVariant &componentId) {
    const QString wanted = componentId.toString();
    for (int i = 0; i < combo->count(); ++i) {
        if (QString::compare(combo->itemData(i).toString(), wanted, Qt::CaseInsensitive) == 0) {
            combo->setCurrentIndex(i);
            return;
        }
    }
    combo->setCurrentIndex(-1);
}

}  // namespace

ComponentFrame::ComponentFrame(QWidget *parent) : QGroupBox(QStringLiteral("Component"), parent) {
    cmbStyle = named<QComboBox>(this, "cmbStyle");
    cmbComponent = named<QComboBox>(this, "cmbComponent");
    txtQty = named<QLineEdit>(this, "txtQty");
    txtStyleComponentID = named<QLineEdit>(this, "txtStyleComponentID");
    txtStyleComponentID->setVisible(false);
    btnComponentNew = named<QPushButton>(this, "btnComponentNew", QStringLiteral("New"));
    cmbComponentSave2 = named<QPushButton>(this, "cmbComponentSave2", QStringLiteral("Save"));
    btnDeleteComponent = named<QPushButton>(this, "btnDeleteComponent", QStringLiteral("Delete"));

    QGridLayout *grid = labelledRows({
        {QStringLiteral("Style:"), cmbStyle},
        {QStringLiteral("Component:"), cmbComponent},
        {QStringLiteral("Qty:"), txtQty},
    });
    grid->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttonRow({btnComponentNew, cmbComponentSave2, btnDeleteComponent}));
    tabOrder({cmbStyle, cmbComponent, txtQty, btnComponentNew, cmbComponentSave2, btnDeleteComponent});

    // Picking a style runs nothing: the link is looked up when the component is picked.
    onPick(cmbComponent, this, [this] { cmbComponent_Click(); });
    onClick(btnComponentNew, this, [this] { btnComponentNew_Click(); });
    onClick(cmbComponentSave2, this, [this] { cmbComponentSave2_Click(); });
    onClick(btnDeleteComponent, this, [this] { btnDeleteComponent_Click(); });
}

void ComponentFrame::reset(ProductLists &lists) {
    ShowEntries(cmbStyle, lists.styles());
    ShowEntries(cmbComponent, lists.components());
    txtStyleComponentID->clear();
    txtQty->clear();
}

void ComponentFrame::loadLink(const QVariant &styleId, const QVariant &componentId, const QVariant &qty,
                              const QVariant &styleComponentId) {
    SelectById(cmbStyle, styleId);
    selectComponent(cmbComponent, componentId);  // runs the link lookup
    txtQty->setText(BoxText(qty));
    txtStyleComponentID->setText(BoxText(styleComponentId));
}

// A component was picked: the link of the picked style and this component is shown.
void ComponentFrame::cmbComponent_Click() {
    if (cmbStyle->currentIndex() < 0) return;
    auto rs = ProductStore::StyleComponentLink(SelectedId(cmbComponent), SelectedId(cmbStyle));
    if (rs->eof()) {
        txtQty->clear();
        txtStyleComponentID->clear();
    } else {
        txtQty->setText(BoxText(rs->field(QStringLiteral("Qty"))));
        txtStyleComponentID->setText(BoxText(rs->field(QStringLiteral("ID"))));
    }
    rs->close();
}

void ComponentFrame::btnComponentNew_Click() {
    cmbStyle->setCurrentIndex(-1);
    cmbComponent->setCurrentIndex(-1);
    txtQty->clear();
    txtStyleComponentID->clear();
}

void ComponentFrame::cmbComponentSave2_Click() {
    const QString qty = txtQty->text();
    if (cmbStyle->currentIndex() < 0 || cmbComponent->currentIndex() < 0 || qty.isEmpty()) {
        Seams::messages().tell(QStringLiteral("Not enouth information."), InvalidTitle);
        return;
    }
    // The quantity multiplies every ordered piece on the paperwork: refuse anything that
    // is not a number rather than store a guess.
    if (!Values::IsNumeric(qty)) {
        Seams::messages().tell(QStringLiteral("Qty must be a number."), InvalidTitle);
        txtQty->setFocus();
        return;
    }
    const QVariant styleId = SelectedId(cmbStyle);
    const QVariant componentId = SelectedId(cmbComponent);

    // The loaded link may have been removed meanwhile; then the pair is saved afresh.
    ProductStore::SaveStyleComponent(txtStyleComponentID->text(), componentId, styleId,
                                     {Values::NumericValue(qty), qty});

    cmbStyle->setCurrentIndex(-1);
    cmbComponent->setCurrentIndex(-1);
    txtQty->setText(QStringLiteral("0"));
    txtStyleComponentID->clear();
    emit changed();
}

void ComponentFrame::btnDeleteComponent_Click() {
    // Without a loaded link there is nothing to delete.
    const QString linkText = txtStyleComponentID->text();
    if (linkText.isEmpty()) return;
    if (!Seams::messages().ask(QStringLiteral("Are you sure you want to delete the selected Component?"),
                               QStringLiteral("Delete Confirmation")))
        return;
    ProductStore::DeleteStyleComponent(linkText);
    emit changed();
}
