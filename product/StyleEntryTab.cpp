#include "product/StyleEntryTab.h"

#include "data/Database.h"
#include "widgets/FormLayout.h"
#include "product/ComponentFrame.h"
#include "product/OperationFrame.h"
#include "product/ProductLists.h"
#include "product/StyleFrame.h"
#include "product/StyleTree.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace FormLayout;

namespace {

QString BareId(const QVariant &id) { return QString::number(id.toString().trimmed().toLongLong()); }

// Shows the style of a row (its customer, name, type, cost and price) in the Style frame.
void showStyle(StyleFrame *frame, const Recordset &rs, const QVariant &styleId) {
    frame->loadStyle(styleId, rs.field(QStringLiteral("Customer")), rs.field(QStringLiteral("Name")),
                     rs.field(QStringLiteral("Type")), rs.field(QStringLiteral("Cost")),
                     rs.field(QStringLiteral("Price")));
}

}  // namespace

StyleEntryTab::StyleEntryTab(ProductLists *lists, QWidget *parent) : QWidget(parent), m_lists(lists) {
    setObjectName(QStringLiteral("StyleEntryTab"));

    m_styleFrame = new StyleFrame(this);
    m_componentFrame = new ComponentFrame(this);
    m_operationFrame = new OperationFrame(this);
    m_styleTree = new StyleTree(this);
    btnStyleExit = named<QPushButton>(this, "btnStyleExit", QStringLiteral("Exit"));

    auto *frames = new QVBoxLayout;
    frames->addWidget(m_styleFrame);
    frames->addWidget(m_componentFrame);
    frames->addWidget(m_operationFrame);
    frames->addStretch();

    auto *right = new QVBoxLayout;
    right->addWidget(m_styleTree, 1);
    right->addLayout(buttonRow({btnStyleExit}));

    auto *row = new QHBoxLayout(this);
    row->addLayout(frames, 1);
    row->addLayout(right, 1);

    tabOrder({m_styleFrame, m_componentFrame, m_operationFrame, m_styleTree, btnStyleExit});

    connect(m_styleFrame, &StyleFrame::changed, this, &StyleEntryTab::changed);
    connect(m_componentFrame, &ComponentFrame::changed, this, &StyleEntryTab::changed);
    connect(m_operationFrame, &OperationFrame::changed, this, &StyleEntryTab::changed);
    connect(btnStyleExit, &QPushButton::clicked, this, &StyleEntryTab::exitRequested);
}

void StyleEntryTab::reset() {
    m_styleFrame->reset();
    m_componentFrame->reset(*m_lists);
    m_operationFrame->reset(*m_lists);
}

void StyleEntryTab::loadNode(int level, const QVariant &recordId) {
    switch (level) {
    case StyleTree::StyleLevel: loadStyleRecord(recordId); break;
    case StyleTree::ComponentLevel: loadStyleComponentRecord(recordId); break;
    case StyleTree::OperationLevel: loadStyleOperationRecord(recordId); break;
    default: break;  // the root and the customers load nothing
    }
}

void StyleEntryTab::loadStyleRecord(const QVariant &styleId) {
    auto rs = AppDatabase().openRecordset("SELECT * FROM Style WHERE ID = " + BareId(styleId));
    if (!rs->eof()) showStyle(m_styleFrame, *rs, rs->field(QStringLiteral("ID")));
    rs->close();
}

void StyleEntryTab::loadStyleComponentRecord(const QVariant &styleComponentId) {
    const QString id = BareId(styleComponentId);
    auto rs = AppDatabase().openRecordset(
        "SELECT ComponentID,Description,Qty,Style.ID,Name,Customer,Type,Cost,Price FROM ((StyleComponent LEFT "
        "JOIN Style ON StyleComponent.StyleID = Style.ID) LEFT JOIN Component ON StyleComponent.ComponentID = "
        "Component.ID) WHERE StyleComponent.ID = " +
        id);
    if (!rs->eof()) {
        const QVariant styleId = rs->field(QStringLiteral("Style.ID"));
        showStyle(m_styleFrame, *rs, styleId);
        m_componentFrame->loadLink(styleId, rs->field(QStringLiteral("ComponentID")), rs->field(QStringLiteral("Qty")),
                                   id);
    }
    rs->close();
}

void StyleEntryTab::loadStyleOperationRecord(const QVariant &styleOperationId) {
    const QString id = BareId(styleOperationId);
    auto rs = AppDatabase().openRecordset(
        "SELECT OperationID,Instructions,StyleOperation.Thickness,StyleOperation.Width,StyleOperation.Length,"
        "StyleComponent.ID,StyleComponent.ComponentID,Description,Qty,Style.ID,Name,Customer,Type,Cost,Price FROM "
        "(((StyleOperation LEFT JOIN StyleComponent ON StyleOperation.ComponentID = StyleComponent.ID) LEFT JOIN "
        "Style ON StyleOperation.StyleID = Style.ID) LEFT JOIN Component ON StyleComponent.ComponentID = "
        "Component.ID) WHERE StyleOperation.ID = " +
        id);
    if (!rs->eof()) {
        const QVariant styleId = rs->field(QStringLiteral("Style.ID"));
        const QVariant styleComponentId = rs->field(QStringLiteral("StyleComponent.ID"));
        showStyle(m_styleFrame, *rs, styleId);
        m_componentFrame->loadLink(styleId, rs->field(QStringLiteral("StyleComponent.ComponentID")),
                                   rs->field(QStringLiteral("Qty")), styleComponentId);
        m_operationFrame->loadOperation(id, styleId, styleComponentId, rs->field(QStringLiteral("OperationID")),
                                        rs->field(QStringLiteral("Instructions")),
                                        rs->field(QStringLiteral("StyleOperation.Thickness")),
                                        rs->field(QStringLiteral("StyleOperation.Width")),
                                        rs->field(QStringLiteral("StyleOperation.Length")));
    }
    rs->close();
}
