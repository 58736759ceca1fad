#include "product/ComponentEntryTab.h"

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
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace FormLayout;

namespace {

const QString InvalidTitle = QStringLiteral("Invalid Information");

QString selectedText(const QComboBox *combo) {
    return combo->currentIndex() < 0 ? QString() : combo->currentText();
}

void selectYesNo(QComboBox *combo, const QVariant &flag) {
    // A null flag counts as false, so it shows "No".
    SelectByText(combo, flag.toBool() ? QStringLiteral("Yes") : QStringLiteral("No"));
}

}  // namespace

ComponentEntryTab::ComponentEntryTab(ProductLists *lists, QWidget *parent) : QWidget(parent), m_lists(lists) {
    auto *intro = new QLabel(
        QStringLiteral("Components will define the parts that make up the style and have operations performed on them."),
        this);
    intro->setWordWrap(true);

    const QString size = QStringLiteral("#,##0.00");
    cmbComponentID = named<QComboBox>(this, "cmbComponentID");
    makeKeyCombo(cmbComponentID);
    txtComponentDescription = named<QLineEdit>(this, "txtComponentDescription");
    txtComponentThickness = named<NumberBox>(this, "txtComponentThickness", size);
    txtComponentWidth = named<NumberBox>(this, "txtComponentWidth", size);
    txtComponentLength = named<NumberBox>(this, "txtComponentLength", size);
    cmbCutStyle = named<QComboBox>(this, "cmbCutStyle");
    cmbTest = named<QComboBox>(this, "cmbTest");
    txtTestRange = named<QLineEdit>(this, "txtTestRange");
    txtComponentTopped = named<QLineEdit>(this, "txtComponentTopped");
    cmbPrintShipping = named<QComboBox>(this, "cmbPrintShipping");
    cmbArm = named<QComboBox>(this, "cmbArm");
    cmbTie = named<QComboBox>(this, "cmbTie");
    cmbComponentBun = named<QComboBox>(this, "cmbComponentBun");
    // Number boxes select their whole text on focus, so typing replaces the value.
    txtRailsPerBun = named<NumberBox>(this, "txtRailsPerBun", QStringLiteral("0"));
    txtPiecesPerRail = named<NumberBox>(this, "txtPiecesPerRail", QStringLiteral("0"));
    cmbComponentStatus = named<QComboBox>(this, "cmbComponentStatus");
    btnComponentSave = named<QPushButton>(this, "btnComponentSave", QStringLiteral("Save"));
    btnComponentExit = named<QPushButton>(this, "btnComponentExit", QStringLiteral("Exit"));

    // Labels and controls in the order the columns are saved, which is also the tab order.
    QGridLayout *grid = labelledRows({
        {QStringLiteral("ID:"), cmbComponentID},
        {QStringLiteral("Description:"), txtComponentDescription},
        {QStringLiteral("Thickness:"), txtComponentThickness},
        {QStringLiteral("Width:"), txtComponentWidth},
        {QStringLiteral("Length:"), txtComponentLength},
        {QStringLiteral("Cut-style:"), cmbCutStyle},
        {QStringLiteral("Test:"), cmbTest},
        {QStringLiteral("Test Range:"), txtTestRange},
        {QStringLiteral("Topped:"), txtComponentTopped},
        {QStringLiteral("Print on Shipment:"), cmbPrintShipping},
        {QStringLiteral("Arm:"), cmbArm},
        {QStringLiteral("Tie:"), cmbTie},
        {QStringLiteral("Bun ID:"), cmbComponentBun},
        {QStringLiteral("Rails Per Bun:"), txtRailsPerBun},
        {QStringLiteral("Pieces Per Rail/Roll:"), txtPiecesPerRail},
        {QStringLiteral("Status:"), cmbComponentStatus},
    });
    keepWorkingWidth(grid);
    entryPage(this, intro, grid, buttonRow({btnComponentSave, btnComponentExit}));
    tabOrder({cmbComponentID, txtComponentDescription, txtComponentThickness, txtComponentWidth, txtComponentLength,
              cmbCutStyle, cmbTest, txtTestRange, txtComponentTopped, cmbPrintShipping, cmbArm, cmbTie,
              cmbComponentBun, txtRailsPerBun, txtPiecesPerRail, cmbComponentStatus, btnComponentSave,
              btnComponentExit});

    onEdit(cmbComponentID, this, [this] { cmbComponentID_Change(); });
    onPick(cmbComponentID, this, [this] { cmbComponentID_Click(); });
    onClick(btnComponentSave, this, [this] { btnComponentSave_Click(); });
    onClick(btnComponentExit, this, [this] { emit exitRequested(); });
}

void ComponentEntryTab::reset() {
    const QStringList yesNo = {QStringLiteral("Yes"), QStringLiteral("No")};
    FillList(cmbTest, yesNo);
    FillList(cmbPrintShipping, yesNo);
    FillList(cmbArm, yesNo);
    FillList(cmbTie, yesNo);
    FillList(cmbComponentStatus, {QStringLiteral("Active"), QStringLiteral("Inactive")});
    FillList(cmbCutStyle, {QStringLiteral("Straight Cut"), QStringLiteral("Pattern Cut")});
    // Both lists are left without a selection and the ID text empty, without a lookup.
    FillCombo(cmbComponentBun, ProductStore::ActiveBunIds(), QStringLiteral("ID"));
    ShowEntries(cmbComponentID, m_lists->componentIds());
    clearTab();
}

void ComponentEntryTab::cmbComponentID_Change() { lookUp(); }

void ComponentEntryTab::cmbComponentID_Click() { lookUp(); }

void ComponentEntryTab::clearTab() {
    txtComponentDescription->clear();
    txtComponentThickness->setText(QString());
    txtComponentWidth->setText(QString());
    txtComponentLength->setText(QString());
    txtTestRange->clear();
    txtComponentTopped->clear();
    for (QComboBox *list : {cmbCutStyle, cmbTest, cmbPrintShipping, cmbArm, cmbTie, cmbComponentBun, cmbComponentStatus})
        list->setCurrentIndex(-1);
    txtRailsPerBun->setText(QStringLiteral("0"));
    txtPiecesPerRail->setText(QStringLiteral("0"));
}

void ComponentEntryTab::lookUp() {
    const QString id = cmbComponentID->currentText();
    if (id.isEmpty()) {
        clearTab();
        return;
    }
    auto rs = ProductStore::Component(id);
    if (rs->eof()) {
        clearTab();  // the ID text stays as typed: this is a new component
    } else {
        txtComponentDescription->setText(BoxText(rs->field(QStringLiteral("Description"))));
        txtComponentThickness->setText(BoxText(rs->field(QStringLiteral("Thickness"))));
        txtComponentWidth->setText(BoxText(rs->field(QStringLiteral("Width"))));
        txtComponentLength->setText(BoxText(rs->field(QStringLiteral("Length"))));
        txtTestRange->setText(BoxText(rs->field(QStringLiteral("TestRange"))));
        txtComponentTopped->setText(BoxText(rs->field(QStringLiteral("Topped"))));
        // A stored cut style, bun or status that is not in its list shows no selection.
        SelectByText(cmbCutStyle, rs->text(QStringLiteral("CutStyle")));
        SelectByText(cmbComponentStatus, rs->text(QStringLiteral("Status")));
        selectYesNo(cmbTest, rs->field(QStringLiteral("Test")));
        selectYesNo(cmbPrintShipping, rs->field(QStringLiteral("PrintOnShipping")));
        selectYesNo(cmbArm, rs->field(QStringLiteral("Arm")));
        selectYesNo(cmbTie, rs->field(QStringLiteral("Tie")));
        const QString bun = rs->text(QStringLiteral("BunID"));
        if (bun.isEmpty())
            cmbComponentBun->setCurrentIndex(-1);
        else
            SelectByText(cmbComponentBun, bun);
        const QVariant rails = rs->field(QStringLiteral("RailsPerBun"));
        const QVariant pieces = rs->field(QStringLiteral("PiecesPerRail"));
        txtRailsPerBun->setText(rails.isNull() ? QStringLiteral("0") : BoxText(rails));
        txtPiecesPerRail->setText(pieces.isNull() ? QStringLiteral("0") : BoxText(pieces));
    }
    rs->close();
}

void ComponentEntryTab::btnComponentSave_Click() {
    const QString id = cmbComponentID->currentText();
    if (id.isEmpty() || txtComponentDescription->text().isEmpty() || cmbCutStyle->currentIndex() < 0 ||
        cmbTest->currentIndex() < 0 || cmbPrintShipping->currentIndex() < 0 || cmbArm->currentIndex() < 0 ||
        cmbComponentStatus->currentIndex() < 0) {
        Seams::messages().tell(
            QStringLiteral("You must enter an ID,Description,Test,Print Info,Arm Info, and Status for the Component."),
            InvalidTitle);
        return;
    }

    // The dimensions are optional: an empty box stores 0. Anything else must be a number,
    // so that a slip of the keyboard never reaches the cutting tickets.
    struct Dimension {
        const char *name;
        NumberBox *box;
        double value = 0;
    };
    Dimension dimensions[] = {{"Thickness", txtComponentThickness},
                              {"Width", txtComponentWidth},
                              {"Length", txtComponentLength}};
    for (Dimension &d : dimensions) {
        const QString text = d.box->text();
        if (text.trimmed().isEmpty()) continue;
        if (!Values::IsNumeric(text)) {
            Seams::messages().tell(QLatin1String(d.name) + QStringLiteral(" must be a number."), InvalidTitle);
            d.box->setFocus();
            return;
        }
        d.value = Values::NumericValue(text);
    }

    ProductStore::ComponentRow row;
    row.id = id;
    row.description = txtComponentDescription->text();
    row.thickness = {dimensions[0].value, dimensions[0].box->text()};
    row.width = {dimensions[1].value, dimensions[1].box->text()};
    row.length = {dimensions[2].value, dimensions[2].box->text()};
    row.cutStyle = cmbCutStyle->currentText();
    row.test = cmbTest->currentText() == QLatin1String("Yes");
    row.testRange = txtTestRange->text();
    row.topped = txtComponentTopped->text();
    row.printOnShipping = cmbPrintShipping->currentText() == QLatin1String("Yes");
    row.arm = cmbArm->currentText() == QLatin1String("Yes");
    row.tie = selectedText(cmbTie) == QLatin1String("Yes");
    row.bunId = selectedText(cmbComponentBun);
    row.railsPerBun = {Values::Val(txtRailsPerBun->text()), txtRailsPerBun->text()};
    row.piecesPerRail = {Values::Val(txtPiecesPerRail->text()), txtPiecesPerRail->text()};
    row.status = cmbComponentStatus->currentText();
    ProductStore::SaveComponent(row);

    clearTab();
    cmbComponentID->setEditText(QString());
    emit changed();
}
