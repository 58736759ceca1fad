#include "product/StyleTree.h"

#include "core/Handler.h"
#include "core/Seams.h"
#include "data/Recordset.h"
#include "product/ProductStore.h"

#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSet>
#include <QSignalBlocker>

namespace {

// A node of the tree: its level, its text and the ID of the record it stands for. The
// key and the level are answered from these, so a node holds no more than its text.
class StyleNode : public QTreeWidgetItem {
public:
    StyleNode(int level, const QString &text, qint64 id)
        : QTreeWidgetItem(QTreeWidgetItem::UserType), m_level(level), m_id(id), m_text(text) {}

    qint64 id() const { return m_id; }

    // A style whose components have not been read yet shows that it can be opened.
    bool awaitsComponents() const { return m_awaitsComponents; }
    void setAwaitsComponents(bool awaits) {
        m_awaitsComponents = awaits;
        setChildIndicatorPolicy(awaits ? ShowIndicator : DontShowIndicatorWhenChildless);
    }

    QVariant data(int column, int role) const override {
        if (column == 0) {
            switch (role) {
            case Qt::DisplayRole:
            case Qt::EditRole: return m_text;
            case StyleTree::KeyRole: return key();
            case StyleTree::LevelRole: return m_level;
            case StyleTree::RecordIdRole: return recordId();
            default: break;
            }
        }
        return QTreeWidgetItem::data(column, role);
    }

private:
    QString key() const {
        switch (m_level) {
        case StyleTree::RootLevel: return QStringLiteral("Root");
        case StyleTree::CustomerLevel: return QStringLiteral("Cust:") + m_text;
        case StyleTree::StyleLevel: return QStringLiteral("Style:") + QString::number(m_id);
        case StyleTree::ComponentLevel: return QStringLiteral("Comp-") + QString::number(m_id);
        default: return QStringLiteral("Oper-") + QString::number(m_id);
        }
    }
    QVariant recordId() const {
        if (m_level == StyleTree::RootLevel) return QVariant();
        if (m_level == StyleTree::CustomerLevel) return m_text;
        return m_id;
    }

    int m_level;
    qint64 m_id;
    QString m_text;
    bool m_awaitsComponents = false;
};

StyleNode *AddNode(QTreeWidgetItem *parent, int level, const QString &text, qint64 id = 0) {
    auto *node = new StyleNode(level, text, id);
    parent->addChild(node);
    return node;
}

QSet<qint64> StylesWithComponents() {
    QSet<qint64> styles;
    auto rs = ProductStore::StylesWithComponents();
    for (; !rs->eof(); rs->moveNext()) styles.insert(rs->field(QStringLiteral("StyleID")).toLongLong());
    rs->close();
    return styles;
}

// Every customer that has styles, once, in order, and its styles under it. Each style
// has its own node: two styles of one customer may read alike ("Arm"/"Left-Seat" and
// "Arm-Left"/"Seat").
void AddCustomersAndStyles(QTreeWidgetItem *root) {
    const QSet<qint64> withComponents = StylesWithComponents();
    QHash<QString, StyleNode *> customers;
    auto rs = ProductStore::StylesForTree();
    for (; !rs->eof(); rs->moveNext()) {
        const QString customer = rs->text(QStringLiteral("Customer"));
        StyleNode *&customerNode = customers[customer];
        if (!customerNode) customerNode = AddNode(root, StyleTree::CustomerLevel, customer);
        const qint64 styleId = rs->field(QStringLiteral("ID")).toLongLong();
        StyleNode *style = AddNode(customerNode, StyleTree::StyleLevel,
                                   rs->text(QStringLiteral("Name")) + "-" + rs->text(QStringLiteral("Type")), styleId);
        if (withComponents.contains(styleId)) style->setAwaitsComponents(true);
    }
    rs->close();
}

// A style's components: "(" Qty ") - " component ID "-" description (a missing component
// leaves the description empty); under each its operations: station " - (" instructions
// ")". An operation shows only under a component of its own style.
void AddComponents(StyleNode *style) {
    style->setAwaitsComponents(false);
    QHash<qint64, StyleNode *> links;
    auto components = ProductStore::TreeComponents(style->id());
    for (; !components->eof(); components->moveNext()) {
        const qint64 linkId = components->field(QStringLiteral("LinkID")).toLongLong();
        links.insert(linkId, AddNode(style, StyleTree::ComponentLevel,
                                     "(" + components->text(QStringLiteral("Qty")) + ") - " +
                                         components->text(QStringLiteral("Component")) + "-" +
                                         components->text(QStringLiteral("Description")),
                                     linkId));
    }
    components->close();
    auto operations = ProductStore::TreeOperations(style->id());
    for (; !operations->eof(); operations->moveNext()) {
        const QVariant linkId = operations->field(QStringLiteral("ComponentID"));
        if (StyleNode *link = linkId.isNull() ? nullptr : links.value(linkId.toLongLong()))
            AddNode(link, StyleTree::OperationLevel,
                    operations->text(QStringLiteral("OperationID")) + " - (" +
                        operations->text(QStringLiteral("Instructions")) + ")",
                    operations->field(QStringLiteral("ID")).toLongLong());
    }
    operations->close();
}

}  // namespace

StyleTree::StyleTree(QWidget *parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("StyleTree"));
    setColumnCount(1);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The column is as wide as the rows in sight need, not the thousand rows around them.
    header()->setResizeContentsPrecision(0);
    header()->setStretchLastSection(false);

    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { emitNode(item); });
    connect(this, &QTreeWidget::itemExpanded, this, [](QTreeWidgetItem *item) {
        auto *node = dynamic_cast<StyleNode *>(item);
        if (node && node->awaitsComponents()) handler([node] { AddComponents(node); })();
    });
}

void StyleTree::refresh() {
    BusyCursor busy;
    const QSignalBlocker blockTree(this);
    setUpdatesEnabled(false);
    clear();

    // The nodes are built detached and placed in the tree at the end, in one insertion.
    // After a failure what was built is still shown; the failure is reported by the caller.
    auto *root = new StyleNode(RootLevel, QStringLiteral("Styles"), 0);
    const auto place = [this, root] {
        addTopLevelItem(root);
        root->setExpanded(true);
        setUpdatesEnabled(true);
    };
    try {
        AddCustomersAndStyles(root);
    } catch (...) {
        place();
        throw;
    }
    place();
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
