#pragma once
// The tree of every customer's styles: root "Styles", customers, their styles, each
// style's components with quantities, and each component's operations at the stations.
// The customers and styles are built whole each time; a style's components and their
// operations are read when the style is opened, so that a plant of thousands of styles
// shows its tree at once.

#include <QTreeWidget>
#include <QVariant>

class StyleTree : public QTreeWidget {
    Q_OBJECT
public:
    enum Level { RootLevel = 1, CustomerLevel = 2, StyleLevel = 3, ComponentLevel = 4, OperationLevel = 5 };
    // Item data carried by every node. The key is unique in the tree: "Root",
    // "Cust:<name>", "Style:<ID>", "Comp-<ID>", "Oper-<ID>".
    enum Role { KeyRole = Qt::UserRole, LevelRole = Qt::UserRole + 1, RecordIdRole = Qt::UserRole + 2 };

    explicit StyleTree(QWidget *parent = nullptr);

    // Removes every node and builds the customers and styles again from the database.
    void refresh();

signals:
    // A node was clicked or chosen with the keyboard: its level and record ID (the
    // customer name, the style's ID, the style component's ID, the style operation's ID).
    void nodeClicked(int level, const QVariant &recordId);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void emitNode(QTreeWidgetItem *item);
};
