#pragma once
// The "Style Entry" tab: the Style, Component and Operation frames one above the other
// on the left, the style tree on the right, and the tab's Exit button.

#include <QVariant>
#include <QWidget>

class QPushButton;
class StyleFrame;
class ComponentFrame;
class OperationFrame;
class StyleTree;
class ProductLists;

class StyleEntryTab : public QWidget {
    Q_OBJECT
public:
    // The lists of styles and components come from the window's lists.
    explicit StyleEntryTab(ProductLists *lists, QWidget *parent = nullptr);

    StyleFrame *styleFrame() const { return m_styleFrame; }
    ComponentFrame *componentFrame() const { return m_componentFrame; }
    OperationFrame *operationFrame() const { return m_operationFrame; }
    StyleTree *styleTree() const { return m_styleTree; }

    // The tab's step of the window reset: the Style, Component and Operation frames.
    void reset();

    // Loads a tree node's record into the frames (the window has been reset first):
    // level 3 a style, level 4 a style component, level 5 a style operation. Levels 1
    // and 2 (root, customer) and records that no longer exist load nothing.
    void loadNode(int level, const QVariant &recordId);

signals:
    void changed();
    void exitRequested();

private:
    void loadStyleRecord(const QVariant &styleId);
    void loadStyleComponentRecord(const QVariant &styleComponentId);
    void loadStyleOperationRecord(const QVariant &styleOperationId);

    ProductLists *m_lists;
    StyleFrame *m_styleFrame = nullptr;
    ComponentFrame *m_componentFrame = nullptr;
    OperationFrame *m_operationFrame = nullptr;
    StyleTree *m_styleTree = nullptr;
    QPushButton *btnStyleExit = nullptr;
};
