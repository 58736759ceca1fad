#include "product/StyleEntryTab.h"

#include "data/RecordId.h"
#include "data/Recordset.h"
#include "product/ProductStore.h"
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
    auto rs = ProductStore::Style(styleId);
    if (!rs->eof()) showStyle(m_styleFrame, *rs, rs->field(QStringLiteral("ID")));
    rs->close();
}

void StyleEntryTab::loadStyleComponentRecord(const QVariant &styleComponentId) {
    const QString id = RecordId::Sql(styleComponentId);
    auto rs = ProductStore::StyleComponentRecord(id);
    if (!rs->eof()) {
        const QVariant styleId = rs->field(QStringLiteral("Style.ID"));
        showStyle(m_styleFrame, *rs, styleId);
        m_componentFrame->loadLink(styleId, rs->field(QStringLiteral("ComponentID")), rs->field(QStringLiteral("Qty")),
                                   id);
    }
    rs->close();
}

void StyleEntryTab::loadStyleOperationRecord(const QVariant &styleOperationId) {
    const QString id = RecordId::Sql(styleOperationId);
    auto rs = ProductStore::StyleOperationRecord(id);
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
