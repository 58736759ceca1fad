#include "product/StyleTree.h"

#include "data/Database.h"
#include "core/Handler.h"
#include "core/Seams.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalBlocker>

namespace {

// One row per style, style component and operation, in the order the tree shows them.
const QString kTreeQuery = QStringLiteral(
    "SELECT Customer,Style.ID AS StyleID,Name,Type,Style.Status AS Status,StyleComponent.ID AS "
    "ComponentID,StyleComponent.ComponentID AS Component,Component.Description AS Description,Qty,"
    "StyleOperation.ID AS OperationID,StyleOperation.OperationID AS Operation,Instructions FROM (((Style "
    "LEFT JOIN StyleComponent ON Style.ID = StyleComponent.StyleID) LEFT JOIN StyleOperation ON "
    "StyleComponent.StyleID = StyleOperation.StyleID AND StyleComponent.ID = StyleOperation.ComponentID) "
    "LEFT JOIN Component ON StyleComponent.ComponentID = Component.ID) ORDER BY "
    "Customer,Style.Name,Style.Type,StyleComponent.ComponentID,StyleOperation.OperationID");

}  // namespace

StyleTree::StyleTree(QWidget *parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("StyleTree"));
    setColumnCount(1);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);

    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { emitNode(item); });
}

QTreeWidgetItem *StyleTree::addNode(QTreeWidgetItem *parent, const QString &key, const QString &text, int level,
                                    const QVariant &recordId) {
    // A key seen before names the same record (rows of one node need not be adjacent when
    // a style has the same component linked twice): the node is reused, never repeated.
    if (QTreeWidgetItem *existing = m_nodes.value(key)) return existing;
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem;
    item->setText(0, text);
    item->setData(0, KeyRole, key);
    item->setData(0, LevelRole, level);
    item->setData(0, RecordIdRole, recordId);
    m_nodes.insert(key, item);
    return item;
}

void StyleTree::refresh() {
    BusyCursor busy;
    const QSignalBlocker blockTree(this);
    setUpdatesEnabled(false);
    clear();
    m_nodes.clear();

    // The nodes are built detached and placed in the tree at the end, in one insertion.
    QTreeWidgetItem *root = addNode(nullptr, QStringLiteral("Root"), QStringLiteral("Styles"), RootLevel, QVariant());
    try {
        QTreeWidgetItem *customerNode = nullptr;
        QTreeWidgetItem *styleNode = nullptr;
        QTreeWidgetItem *componentNode = nullptr;
        bool first = true;
        QString prevCustomer, prevComponent;
        QVariant prevStyleId;

        auto rs = AppDatabase().openRecordset(kTreeQuery);
        for (; !rs->eof(); rs->moveNext()) {
            const QString customer = rs->text(QStringLiteral("Customer"));
            const QString styleText = rs->text(QStringLiteral("Name")) + "-" + rs->text(QStringLiteral("Type"));
            // A style without components carries no component ID: keep the previous one,
            // so that no component node is started for it.
            QString componentId = rs->text(QStringLiteral("ComponentID"));
            if (componentId.isEmpty()) componentId = prevComponent;

            // A new style node starts with every new style, told by its ID: two styles of
            // one customer can read alike ("Arm"/"Left-Seat" and "Arm-Left"/"Seat").
            const QVariant styleId = rs->field(QStringLiteral("StyleID"));
            if (first || customer != prevCustomer)
                customerNode = addNode(root, "Cust:" + customer, customer, CustomerLevel, customer);
            if (first || customer != prevCustomer || styleId != prevStyleId)
                styleNode = addNode(customerNode, "Style:" + styleId.toString(), styleText, StyleLevel, styleId);
            if (componentId != prevComponent) {
                const QString text = "(" + rs->text(QStringLiteral("Qty")) + ") - " +
                                     rs->text(QStringLiteral("Component")) + "-" +
                                     rs->text(QStringLiteral("Description"));
                componentNode = addNode(styleNode, "Comp-" + componentId, text, ComponentLevel,
                                        rs->field(QStringLiteral("ComponentID")));
            }
            const QVariant operationId = rs->field(QStringLiteral("OperationID"));
            if (!operationId.isNull() && !operationId.toString().isEmpty() && componentNode) {
                const QString text = rs->text(QStringLiteral("Operation")) + " - (" +
                                     rs->text(QStringLiteral("Instructions")) + ")";
                addNode(componentNode, "Oper-" + operationId.toString(), text, OperationLevel, operationId);
            }

            prevCustomer = customer;
            prevStyleId = styleId;
            prevComponent = componentId;
            first = false;
        }
        rs->close();
    } catch (...) {
        // What was read so far is still shown; the failure is reported by the caller.
        addTopLevelItem(root);
        root->setExpanded(true);
        setUpdatesEnabled(true);
        throw;
    }
    addTopLevelItem(root);
    root->setExpanded(true);
    setUpdatesEnabled(true);
}

void StyleTree::emitNode(QTreeWidgetItem *item) {
    if (!item) return;
    emit nodeClicked(item->data(0, LevelRole).toInt(), item->data(0, RecordIdRole));
}

// Moving to a node with the keyboard loads it as a click does; Enter or Space on the
// current node loads it again.
void StyleTree::keyPressEvent(QKeyEvent *event) {
    QTreeWidgetItem *before = currentItem();
    QTreeWidget::keyPressEvent(event);
    QTreeWidgetItem *after = currentItem();
    if (after && after != before) {
        emitNode(after);
    } else if (after && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                         event->key() == Qt::Key_Space)) {
        emitNode(after);
        event->accept();
    }
}
