#include "product/OperationFrame.h"

#include "app/Database.h"
#include "app/Handler.h"
#include "app/NumberBox.h"
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

namespace {

const QString kInvalidTitle = QStringLiteral("Invalid Information");
const QString kDimensionPicture = QStringLiteral("0.00");

QString BareId(const QString &text) { return QString::number(text.trimmed().toLongLong()); }
QString BareId(const QVariant &id) { return BareId(id.toString()); }

}  // namespace

OperationFrame::OperationFrame(QWidget *parent) : QGroupBox(QStringLiteral("Operation"), parent) {
    setObjectName(QStringLiteral("fraOperation"));

    cmbStyle2 = new QComboBox(this);
    cmbStyle2->setObjectName(QStringLiteral("cmbStyle2"));
    cmbComponent2 = new QComboBox(this);
    cmbComponent2->setObjectName(QStringLiteral("cmbComponent2"));
    cmbOperation = new QComboBox(this);
    cmbOperation->setObjectName(QStringLiteral("cmbOperation"));
    txtInstructions = new QLineEdit(this);
    txtInstructions->setObjectName(QStringLiteral("txtInstructions"));
    txtThickness = new NumberBox(kDimensionPicture, this);
    txtThickness->setObjectName(QStringLiteral("txtThickness"));
    txtWidth = new NumberBox(kDimensionPicture, this);
    txtWidth->setObjectName(QStringLiteral("txtWidth"));
    txtLength = new NumberBox(kDimensionPicture, this);
    txtLength->setObjectName(QStringLiteral("txtLength"));
    txtStyleComponentOperationID = new QLineEdit(this);
    txtStyleComponentOperationID->setObjectName(QStringLiteral("txtStyleComponentOperationID"));
    txtStyleComponentOperationID->setVisible(false);
    btnOperationNew = new QPushButton(QStringLiteral("New"), this);
    btnOperationNew->setObjectName(QStringLiteral("btnOperationNew"));
    btnOperationsSave2 = new QPushButton(QStringLiteral("Save"), this);
    btnOperationsSave2->setObjectName(QStringLiteral("btnOperationsSave2"));
    btnDeleteOp = new QPushButton(QStringLiteral("Delete"), this);
    btnDeleteOp->setObjectName(QStringLiteral("btnDeleteOp"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Style:"), this), 0, 0);
    grid->addWidget(cmbStyle2, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Component:"), this), 1, 0);
    grid->addWidget(cmbComponent2, 1, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Operations:"), this), 2, 0);
    grid->addWidget(cmbOperation, 2, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Instructions:"), this), 3, 0);
    grid->addWidget(txtInstructions, 3, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("T/W/L:"), this), 4, 0);
    grid->addWidget(txtThickness, 4, 1);
    grid->addWidget(txtWidth, 4, 2);
    grid->addWidget(txtLength, 4, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOperationNew);
    buttons->addWidget(btnOperationsSave2);
    buttons->addWidget(btnDeleteOp);
    grid->addLayout(buttons, 5, 0, 1, 4);
    for (int c = 1; c <= 3; ++c) grid->setColumnStretch(c, 1);

    setTabOrder(cmbStyle2, cmbComponent2);
    setTabOrder(cmbComponent2, cmbOperation);
    setTabOrder(cmbOperation, txtInstructions);
    setTabOrder(txtInstructions, txtThickness);
    setTabOrder(txtThickness, txtWidth);
    setTabOrder(txtWidth, txtLength);
    setTabOrder(txtLength, btnOperationNew);
    setTabOrder(btnOperationNew, btnOperationsSave2);
    setTabOrder(btnOperationsSave2, btnDeleteOp);

    connect(cmbStyle2, &QComboBox::currentIndexChanged, this, handler([this] {
                if (cmbStyle2->currentIndex() >= 0) cmbStyle2_Click();
            }));
    connect(cmbOperation, &QComboBox::currentIndexChanged, this, handler([this] {
                if (cmbOperation->currentIndex() >= 0) cmbOperation_Click();
            }));
    connect(btnOperationNew, &QPushButton::clicked, this, handler([this] { btnOperationNew_Click(); }));
    connect(btnOperationsSave2, &QPushButton::clicked, this, handler([this] { btnOperationsSave2_Click(); }));
    connect(btnDeleteOp, &QPushButton::clicked, this, handler([this] { btnDeleteOp_Click(); }));
}

void OperationFrame::reset() {
    {
        const QSignalBlocker blockComponent(cmbComponent2);
        cmbComponent2->clear();
    }
    {
        // Every style as name-type, each entry carrying the style's ID.
        const QSignalBlocker blockStyle(cmbStyle2);
        cmbStyle2->clear();
        auto rs = AppDatabase().openRecordset(QStringLiteral("SELECT ID, Name, Type FROM Style ORDER BY Name"));
        for (; !rs->eof(); rs->moveNext())
            AddItem(cmbStyle2, rs->text(QStringLiteral("Name")) + "-" + rs->text(QStringLiteral("Type")),
                    rs->field(QStringLiteral("ID")));
        rs->close();
        cmbStyle2->setCurrentIndex(-1);
    }
    FillCombo(cmbOperation, QStringLiteral("SELECT Station FROM Operation ORDER BY Station"), QStringLiteral("Station"));
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
    auto rs = AppDatabase().openRecordset(
        "SELECT StyleComponent.ID,ComponentID,Description FROM StyleComponent LEFT JOIN Component ON "
        "StyleComponent.ComponentID = Component.ID WHERE StyleID = " +
        BareId(SelectedId(cmbStyle2)));
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
    auto rs = AppDatabase().openRecordset(
        "SELECT * FROM StyleOperation WHERE StyleID = " + BareId(SelectedId(cmbStyle2)) +
        " AND ComponentID = " + BareId(SelectedId(cmbComponent2)) + " AND OperationID = '" +
        SqlText::Escaped(cmbOperation->currentText()) + "'");
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

    const QString styleId = BareId(SelectedId(cmbStyle2));
    const QString styleComponentId = BareId(SelectedId(cmbComponent2));

    // A loaded operation is edited by its ID, even after other picks.
    std::unique_ptr<Recordset> rs;
    if (!txtStyleComponentOperationID->text().isEmpty()) {
        rs = AppDatabase().openRecordset("SELECT * FROM StyleOperation WHERE ID = " +
                                         BareId(txtStyleComponentOperationID->text()));
        if (rs->eof()) rs.reset();  // removed meanwhile: saved as if nothing were loaded
        else rs->edit();
    }
    if (!rs) {
        rs = AppDatabase().openRecordset("SELECT * FROM StyleOperation WHERE StyleID = " + styleId +
                                         " AND ComponentID = " + styleComponentId + " AND OperationID = '" +
                                         SqlText::Escaped(station) + "'");
        if (rs->eof()) rs->addNew();
        else rs->edit();
    }
    rs->setField(QStringLiteral("OperationID"), station);
    rs->setField(QStringLiteral("Instructions"), txtInstructions->text());
    rs->setField(QStringLiteral("Thickness"), txtThickness->text());
    rs->setField(QStringLiteral("Width"), txtWidth->text());
    rs->setField(QStringLiteral("Length"), txtLength->text());
    rs->setField(QStringLiteral("StyleID"), styleId);
    rs->setField(QStringLiteral("ComponentID"), styleComponentId);
    rs->update();
    rs->close();

    ClearFrame();
    emit changed();
}

void OperationFrame::btnDeleteOp_Click() {
    if (txtStyleComponentOperationID->text().isEmpty()) return;  // nothing loaded, nothing to delete
    if (!Seams::messages().ask(QStringLiteral("Are you sure you want to delete the selected Operation?"),
                               QStringLiteral("Delete Confirmation")))
        return;
    AppDatabase().execute("DELETE * FROM StyleOperation WHERE ID = " +
                          BareId(txtStyleComponentOperationID->text()));
    emit changed();
}
