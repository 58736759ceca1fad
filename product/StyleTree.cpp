#include "product/StyleTree.h"

#include "data/Database.h"
#include "core/Seams.h"

#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStringBuilder>
#include <QVector>
#include <algorithm>

namespace {

// Every style in the order the tree shows them: by customer, name and type.
const QString kStylesQuery = QStringLiteral("SELECT ID, Customer, Name, Type FROM Style ORDER BY Customer, Name, Type, ID");
// Every style component, every component's description and every style operation. The
// order of the components under a style and of the operations under a component is made
// here: sorting all of them in the database cost more than reading them.
const QString kLinksQuery = QStringLiteral("SELECT ID, StyleID, ComponentID, Qty FROM StyleComponent");
const QString kDescriptionsQuery = QStringLiteral("SELECT ID, Description FROM Component");
const QString kStepsQuery = QStringLiteral("SELECT ID, StyleID, ComponentID, OperationID, Instructions FROM StyleOperation");

constexpr qint64 kNoId = -1;

qint64 IdOf(const QVariant &value) { return value.isNull() ? kNoId : value.toLongLong(); }

// A node of the tree: its level, its text and the ID of the record it stands for. The
// key and the level are answered from these, so a node holds no more than its text.
class StyleNode : public QTreeWidgetItem {
public:
    StyleNode(int level, const QString &text, qint64 id)
        : QTreeWidgetItem(QTreeWidgetItem::UserType), m_level(level), m_id(id), m_text(text) {}

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
};

StyleNode *AddNode(QTreeWidgetItem *parent, int level, const QString &text, qint64 id = 0) {
    auto *node = new StyleNode(level, text, id);
    parent->addChild(node);
    return node;
}

// Text keys (component IDs, stations) compare as the database compares them: letter case
// is ignored, for A to Z only.
char16_t FoldCase(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c; }

// Steps through the rows of a query, reading the columns by position as the database
// stores them: the tree reads tens of thousands of rows each time it is built, which a
// Recordset would first copy whole.
class RowStream {
public:
    explicit RowStream(const QString &sql)
        : m_native(AppDatabase().engine().translate(sql)), m_statement(AppDatabase().takeStatement(m_native)) {}
    ~RowStream() { AppDatabase().giveBack(m_native, std::move(m_statement)); }
    RowStream(const RowStream &) = delete;
    RowStream &operator=(const RowStream &) = delete;

    bool next() { return m_statement->step(); }
    qint64 id(int column) const { return IdOf(m_statement->value(column)); }
    QString text(int column) const { return m_statement->value(column).toString(); }
    // A number as a Recordset field shows it. Quantities repeat: each is written once.
    QString number(int column) {
        const QVariant raw = m_statement->value(column);
        bool ok = false;
        const double value = raw.toDouble(&ok);
        if (!ok) return raw.toString();
        auto written = m_numbers.constFind(value);
        if (written == m_numbers.constEnd()) written = m_numbers.insert(value, QVariant(value).toString());
        return *written;
    }

private:
    QString m_native;
    std::unique_ptr<Statement> m_statement;
    QHash<double, QString> m_numbers;
};

// A style component under its style, or a style operation under its style component.
struct Leaf {
    qint64 id;
    qint64 parentId;  // the style's ID for a component, the style component's ID for an operation
    qint64 styleId;
    QString order;    // the component's ID, or the station
    QString text;
};

int CompareIgnoringCase(const QString &a, const QString &b) {
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = FoldCase(a.at(i).unicode());
        const char16_t y = FoldCase(b.at(i).unicode());
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// A component ID as the database matches it: letter case ignored, A to Z.
struct ComponentKey {
    QString id;
    friend bool operator==(const ComponentKey &a, const ComponentKey &b) {
        return a.id.size() == b.id.size() && CompareIgnoringCase(a.id, b.id) == 0;
    }
    friend size_t qHash(const ComponentKey &key, size_t seed = 0) {
        size_t hash = 0;
        for (QChar c : key.id) hash = hash * 31 + FoldCase(c.unicode());
        return qHash(quint64(hash), seed);
    }
};

// Leaves grouped by parent, each group by component ID or station, then by record ID.
void SortLeaves(QVector<Leaf> &leaves) {
    std::sort(leaves.begin(), leaves.end(), [](const Leaf &a, const Leaf &b) {
        if (a.parentId != b.parentId) return a.parentId < b.parentId;
        const int order = CompareIgnoringCase(a.order, b.order);
        return order != 0 ? order < 0 : a.id < b.id;
    });
}

// Where each parent's group starts.
QHash<qint64, int> FirstOfEachParent(const QVector<Leaf> &leaves) {
    QHash<qint64, int> first;
    first.reserve(leaves.size());
    for (int i = leaves.size() - 1; i >= 0; --i) first.insert(leaves.at(i).parentId, i);
    return first;
}

QHash<ComponentKey, QString> ReadDescriptions() {
    QHash<ComponentKey, QString> descriptions;
    RowStream rows(kDescriptionsQuery);
    while (rows.next()) descriptions.insert({rows.text(0)}, rows.text(1));
    return descriptions;
}

// Style components: "(" Qty ") - " component ID "-" description; a missing component
// leaves the description empty.
QVector<Leaf> ReadLinks() {
    const QHash<ComponentKey, QString> descriptions = ReadDescriptions();
    QVector<Leaf> links;
    RowStream rows(kLinksQuery);  // ID, StyleID, ComponentID, Qty
    while (rows.next()) {
        const qint64 styleId = rows.id(1);
        const QString component = rows.text(2);
        links.append({rows.id(0), styleId, styleId, component,
                      u'(' % rows.number(3) % u") - " % component % u'-' % descriptions.value({component})});
    }
    SortLeaves(links);
    return links;
}

// Style operations: station " - (" instructions ")".
QVector<Leaf> ReadSteps() {
    QVector<Leaf> steps;
    RowStream rows(kStepsQuery);  // ID, StyleID, ComponentID, OperationID, Instructions
    while (rows.next()) {
        const QString station = rows.text(3);
        steps.append({rows.id(0), rows.id(2), rows.id(1), station, station % u" - (" % rows.text(4) % u')'});
    }
    SortLeaves(steps);
    return steps;
}

// Builds every customer, style, style component and operation under the root. An
// operation shows under its style component only when both name the same style.
void BuildTree(QTreeWidgetItem *root) {
    const QVector<Leaf> links = ReadLinks();
    const QVector<Leaf> steps = ReadSteps();
    const QHash<qint64, int> firstLink = FirstOfEachParent(links);
    const QHash<qint64, int> firstStep = FirstOfEachParent(steps);
    QHash<QString, StyleNode *> customers;

    RowStream rows(kStylesQuery);  // ID, Customer, Name, Type
    while (rows.next()) {
        const QString customer = rows.text(1);
        StyleNode *&customerNode = customers[customer];
        if (!customerNode) customerNode = AddNode(root, StyleTree::CustomerLevel, customer);
        // Each style has its own node: two styles of one customer may read alike
        // ("Arm"/"Left-Seat" and "Arm-Left"/"Seat").
        const qint64 styleId = rows.id(0);
        StyleNode *styleNode = AddNode(customerNode, StyleTree::StyleLevel, rows.text(2) % u'-' % rows.text(3), styleId);
        for (int l = firstLink.value(styleId, links.size()); l < links.size() && links.at(l).parentId == styleId; ++l) {
            const Leaf &link = links.at(l);
            StyleNode *linkNode = AddNode(styleNode, StyleTree::ComponentLevel, link.text, link.id);
            for (int s = firstStep.value(link.id, steps.size()); s < steps.size() && steps.at(s).parentId == link.id; ++s)
                if (steps.at(s).styleId == styleId) AddNode(linkNode, StyleTree::OperationLevel, steps.at(s).text, steps.at(s).id);
        }
    }
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
        BuildTree(root);
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
