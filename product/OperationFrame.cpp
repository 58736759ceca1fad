#include "product/OperationFrame.h"

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
const QString kDimensionPicture = QStringLiteral("0.00");

}  // namespace

OperationFrame::OperationFrame(QWidget *parent) : QGroupBox(QStringLiteral("Operation"), parent) {
    setObjectName(QStringLiteral("fraOperation"));

    cmbStyle2 = named<QComboBox>(this, "cmbStyle2");
    cmbComponent2 = named<QComboBox>(this, "cmbComponent2");
    cmbOperation = named<QComboBox>(this, "cmbOperation");
    txtInstructions = named<QLineEdit>(this, "txtInstructions");
    txtThickness = named<NumberBox>(this, "txtThickness", kDimensionPicture);
    txtWidth = named<NumberBox>(this, "txtWidth", kDimensionPicture);
    txtLength = named<NumberBox>(this, "txtLength", kDimensionPicture);
    txtStyleComponentOperationID = named<QLineEdit>(this, "txtStyleComponentOperationID");
    txtStyleComponentOperationID->setVisible(false);
    btnOperationNew = named<QPushButton>(this, "btnOperationNew", QStringLiteral("New"));
    btnOperationsSave2 = named<QPushButton>(this, "btnOperationsSave2", QStringLiteral("Save"));
    btnDeleteOp = named<QPushButton>(this, "btnDeleteOp", QStringLiteral("Delete"));

    auto *grid = new QGridLayout(this);
    addRow(grid, QStringLiteral("Style:"), cmbStyle2, 3);
    addRow(grid, QStringLiteral("Component:"), cmbComponent2, 3);
    addRow(grid, QStringLiteral("Operations:"), cmbOperation, 3);
    addRow(grid, QStringLiteral("Instructions:"), txtInstructions, 3);
    addRow(grid, QStringLiteral("T/W/L:"), {txtThickness, txtWidth, txtLength});
    grid->addLayout(buttonRow({btnOperationNew, btnOperationsSave2, btnDeleteOp}), grid->rowCount(), 0, 1, 4);
    for (int c = 1; c <= 3; ++c) grid->setColumnStretch(c, 1);
    tabOrder({cmbStyle2, cmbComponent2, cmbOperation, txtInstructions, txtThickness, txtWidth, txtLength,
              btnOperationNew, btnOperationsSave2, btnDeleteOp});

    onPick(cmbStyle2, this, [this] { cmbStyle2_Click(); });
    onPick(cmbOperation, this, [this] { cmbOperation_Click(); });
    onClick(btnOperationNew, this, [this] { btnOperationNew_Click(); });
    onClick(btnOperationsSave2, this, [this] { btnOperationsSave2_Click(); });
    onClick(btnDeleteOp, this, [this] { btnDeleteOp_Click(); });
}

void OperationFrame::reset(ProductLists &lists) {
    {
        const QSignalBlocker blockComponent(cmbComponent2);
        cmbComponent2->clear();
    }
    ShowEntries(cmbStyle2, lists.styles());
    FillCombo(cmbOperation, ProductStore::StationNames(), QStringLiteral("Station"));
    txtStyleComponentOperationID->clear();
    txtInstructions->clear();
    txtThickness->setText(QStringLiteral("0"));
    txtWidth->setText(QStringLiteral("0"));
    txtLength->setText(QStringLiteral("0"));
}

void OperationFrame::loadOperation(const QVariant &operationId, const QVariant &styleId,
                                   const QVariant &styleComponentId, const QVariant &station,
                                   const QVariant &instructions, const QVariant &thickness,
                                   const QVariant &width, const QVariant &length) {
    // Selecting the style lists its components, and selecting the station looks the
    // operation up, as the user's picks would; the stored values are then shown.
    SelectById(cmbStyle2, styleId);
    SelectById(cmbComponent2, styleComponentId);
    SelectByText(cmbOperation, BoxText(station));
    txtInstructions->setText(BoxText(instructions));
    txtThickness->setText(BoxText(thickness));
    txtWidth->setText(BoxText(width));
    txtLength->setText(BoxText(length));
    txtStyleComponentOperationID->setText(BoxText(operationId));
}

// Picking a style lists its components, each entry carrying the style component's ID.
void OperationFrame::cmbStyle2_Click() {
    if (cmbStyle2->currentText().isEmpty()) return;
    const QSignalBlocker blockComponent(cmbComponent2);
    cmbComponent2->clear();
    auto rs = ProductStore::ComponentsOfStyle(SelectedId(cmbStyle2));
    for (; !rs->eof(); rs->moveNext())
        AddItem(cmbComponent2,
                rs->text(QStringLiteral("ComponentID")) + "-" + rs->text(QStringLiteral("Description")),
                rs->field(QStringLiteral("StyleComponent.ID")));
    rs->close();
    cmbComponent2->setCurrentIndex(-1);
}

// Picking a station looks up the operation of the picked style component at that station.
void OperationFrame::cmbOperation_Click() {
    if (cmbStyle2->currentText().isEmpty() || cmbComponent2->currentText().isEmpty() ||
        cmbOperation->currentText().isEmpty())
        return;
    auto rs = ProductStore::StyleOperationAt(SelectedId(cmbStyle2), SelectedId(cmbComponent2), cmbOperation->currentText());
    if (rs->eof()) {
        txtInstructions->clear();
        txtThickness->setText(QStringLiteral("0"));
        txtWidth->setText(QStringLiteral("0"));
        txtLength->setText(QStringLiteral("0"));
        txtStyleComponentOperationID->clear();
    } else {
        txtInstructions->setText(BoxText(rs->field(QStringLiteral("Instructions"))));
        txtThickness->setText(BoxText(rs->field(QStringLiteral("Thickness"))));
        txtWidth->setText(BoxText(rs->field(QStringLiteral("Width"))));
        txtLength->setText(BoxText(rs->field(QStringLiteral("Length"))));
        txtStyleComponentOperationID->setText(BoxText(rs->field(QStringLiteral("ID"))));
    }
    rs->close();
}

void OperationFrame::btnOperationNew_Click() {
    ClearFrame();
    txtStyleComponentOperationID->clear();
}

// Style, component and station unselected, instructions empty, dimensions zero.
void OperationFrame::ClearFrame() {
    for (QComboBox *combo : {cmbStyle2, cmbComponent2, cmbOperation}) {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(-1);
    }
    txtInstructions->clear();
    txtThickness->setText(QStringLiteral("0"));
    txtWidth->setText(QStringLiteral("0"));
    txtLength->setText(QStringLiteral("0"));
}

void OperationFrame::btnOperationsSave2_Click() {
    const QString station = cmbOperation->currentText();
    if (cmbStyle2->currentText().isEmpty() || cmbComponent2->currentText().isEmpty() || station.isEmpty()) {
        Seams::messages().tell(QStringLiteral("Not enouth information."), kInvalidTitle);
        return;
    }
    const struct {
        NumberBox *box;
        const char *message;
    } dimensions[] = {
        {txtThickness, "Thickness must be a number."},
        {txtWidth, "Width must be a number."},
        {txtLength, "Length must be a number."},
    };
    for (const auto &d : dimensions) {
        if (!Values::IsNumeric(d.box->text())) {
            Seams::messages().tell(QString::fromLatin1(d.message), kInvalidTitle);
            return;
        }
    }

    // A loaded operation is edited by its ID, even after other picks; one removed meanwhile
    // is saved as if nothing were loaded.
    ProductStore::SaveStyleOperation({txtStyleComponentOperationID->text(), SelectedId(cmbStyle2),
                                      SelectedId(cmbComponent2), station, txtInstructions->text(),
                                      txtThickness->text(), txtWidth->text(), txtLength->text()});

    ClearFrame();
    emit changed();
}

void OperationFrame::btnDeleteOp_Click() {
    if (txtStyleComponentOperationID->text().isEmpty()) return;  // nothing loaded, nothing to delete
    if (!Seams::messages().ask(QStringLiteral("Are you sure you want to delete the selected Operation?"),
                               QStringLiteral("Delete Confirmation")))
        return;
    ProductStore::DeleteStyleOperation(txtStyleComponentOperationID->text());
    emit changed();
}
