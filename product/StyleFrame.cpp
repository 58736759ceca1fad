#include "product/StyleFrame.h"

#include "data/Recordset.h"
#include "product/ProductStore.h"
#include "widgets/FormLayout.h"
#include "widgets/Connectors.h"
#include "widgets/NumberBox.h"
#include "core/Seams.h"
#include "core/Values.h"
#include "widgets/WidgetHelpers.h"
#include "product/ProductLists.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

using namespace FormLayout;

namespace {

const QString kInvalidTitle = QStringLiteral("Invalid Information");
const QString kMoneyPicture = QStringLiteral("$#,##0.00;($#,##0.00)");

}  // namespace

StyleFrame::StyleFrame(QWidget *parent) : QGroupBox(QStringLiteral("Style"), parent) {
    setObjectName(QStringLiteral("fraStyle"));

    cmbCustomer = named<QComboBox>(this, "cmbCustomer");
    cmbStyleName = named<QComboBox>(this, "cmbStyleName");
    makeKeyCombo(cmbStyleName);  // the name is typed freely
    cmbType = named<QComboBox>(this, "cmbType");
    txtCost = named<NumberBox>(this, "txtCost", kMoneyPicture);
    txtPrice = named<NumberBox>(this, "txtPrice", kMoneyPicture);
    txtStyleNameID = named<QLineEdit>(this, "txtStyleNameID");
    txtStyleNameID->setVisible(false);
    btnStyleNew = named<QPushButton>(this, "btnStyleNew", QStringLiteral("New"));
    btnStyleSave = named<QPushButton>(this, "btnStyleSave", QStringLiteral("Save"));
    btnStyleInactivate = named<QPushButton>(this, "btnStyleInactivate", QStringLiteral("Inactivate"));

    auto *grid = new QGridLayout(this);
    addRow(grid, QStringLiteral("Customer:"), cmbCustomer, 2);
    addRow(grid, QStringLiteral("Name:"), cmbStyleName, 2);
    addRow(grid, QStringLiteral("Type:"), cmbType, 2);
    addRow(grid, QStringLiteral("Cost/Price:"), {txtCost, txtPrice});
    grid->addLayout(buttonRow({btnStyleNew, btnStyleSave, btnStyleInactivate}), grid->rowCount(), 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    tabOrder({cmbCustomer, cmbStyleName, cmbType, txtCost, txtPrice, btnStyleNew, btnStyleSave, btnStyleInactivate});

    onPick(cmbCustomer, this, [this] { cmbCustomer_Click(); });
    onPick(cmbType, this, [this] { cmbType_Click(); });
    onClick(btnStyleNew, this, [this] { btnStyleNew_Click(); });
    onClick(btnStyleSave, this, [this] { btnStyleSave_Click(); });
    onClick(btnStyleInactivate, this, [this] { btnStyleInactivate_Click(); });
}

void StyleFrame::reset() {
    {
        const QSignalBlocker blockName(cmbStyleName);
        cmbStyleName->clear();
        cmbStyleName->setEditText(QString());
    }
    ShowEntries(cmbCustomer, ReadColumn(ProductStore::CustomerNames(), QStringLiteral("Customer")));
    FillCombo(cmbType, ProductStore::StyleTypeIds(), QStringLiteral("ID"));
    txtStyleNameID->clear();
    txtCost->setText(QStringLiteral("0"));
    txtPrice->setText(QStringLiteral("0"));
}

void StyleFrame::loadStyle(const QVariant &styleId, const QVariant &customer, const QVariant &name,
                           const QVariant &type, const QVariant &cost, const QVariant &price) {
    // Selecting the customer fills the name list and empties the name box, as a pick does;
    // the type is selected after the name, so its lookup sees the whole style.
    SelectByText(cmbCustomer, BoxText(customer));
    cmbStyleName->setEditText(BoxText(name));
    SelectByText(cmbType, BoxText(type));
    txtCost->setText(BoxText(cost));
    txtPrice->setText(BoxText(price));
    txtStyleNameID->setText(BoxText(styleId));
}

// Picking a customer lists that customer's style names, each once.
void StyleFrame::cmbCustomer_Click() {
    const QString customer = cmbCustomer->currentText();
    if (customer.isEmpty()) return;
    const QSignalBlocker blockName(cmbStyleName);
    FillCombo(cmbStyleName, ProductStore::StyleNames(customer), QStringLiteral("Name"));
    cmbStyleName->setEditText(QString());
}

// Picking a type looks up the style of this customer, name and type.
void StyleFrame::cmbType_Click() {
    const QString name = cmbStyleName->currentText();
    const QString type = cmbType->currentText();
    const QString customer = cmbCustomer->currentText();
    if (name.isEmpty() || type.isEmpty() || customer.isEmpty()) return;

    auto rs = ProductStore::StyleNamed(customer, name, type);
    if (rs->eof()) {
        txtCost->setText(QStringLiteral("0.0"));
        txtPrice->setText(QStringLiteral("0.0"));
        txtStyleNameID->clear();
    } else {
        txtCost->setText(BoxText(rs->field(QStringLiteral("Cost"))));
        txtPrice->setText(BoxText(rs->field(QStringLiteral("Price"))));
        txtStyleNameID->setText(BoxText(rs->field(QStringLiteral("ID"))));
    }
    rs->close();
}

void StyleFrame::btnStyleNew_Click() { ClearFrame(); }

// Unloads the style and empties the entry; the name list stays as it is.
void StyleFrame::ClearFrame() {
    {
        const QSignalBlocker blockCustomer(cmbCustomer);
        cmbCustomer->setCurrentIndex(-1);
    }
    {
        const QSignalBlocker blockName(cmbStyleName);
        cmbStyleName->setCurrentIndex(-1);
        cmbStyleName->setEditText(QString());
    }
    txtStyleNameID->clear();
    {
        const QSignalBlocker blockType(cmbType);
        cmbType->setCurrentIndex(-1);
    }
    txtCost->setText(QStringLiteral("0"));
    txtPrice->setText(QStringLiteral("0"));
}

void StyleFrame::btnStyleSave_Click() {
    const QString customer = cmbCustomer->currentText();
    const QString name = cmbStyleName->currentText();
    const QString type = cmbType->currentText();
    if (customer.isEmpty() || name.isEmpty() || type.isEmpty()) {
        Seams::messages().tell(QStringLiteral("Not enouth information."), kInvalidTitle);
        return;
    }
    if (!Values::IsNumeric(txtCost->text())) {
        Seams::messages().tell(QStringLiteral("Cost must be a number."), kInvalidTitle);
        return;
    }
    if (!Values::IsNumeric(txtPrice->text())) {
        Seams::messages().tell(QStringLiteral("Price must be a number."), kInvalidTitle);
        return;
    }

    ProductStore::SaveStyle({txtStyleNameID->text(), customer, name, type, txtCost->text(), txtPrice->text()});

    ClearFrame();
    emit changed();
}

// Takes the loaded style off the customer's order lists; a later save makes it active again.
void StyleFrame::btnStyleInactivate_Click() {
    if (txtStyleNameID->text().isEmpty()) return;
    if (!Seams::messages().ask(QStringLiteral("Are you sure you want to inactivate the selected Style?"),
                               QStringLiteral("Inactivate Confirmation")))
        return;
    ProductStore::InactivateStyle(txtStyleNameID->text());
    ClearFrame();
    emit changed();
}
