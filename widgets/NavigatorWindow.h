#pragma once
// What the order and shipment navigators share: the open-window flag raised while the
// navigator is loaded; the search criteria in a frame at the top and two frames of one
// grid each below it, fitted to the window on every resize (NavigatorFrames); the
// placing in the main frame once it is first shown; the date pickers set to today; the
// entry window a double-click opens; and the refresh of the grids whenever an entry
// window of its kind unloads, told by a signal rather than by the entry window.

#include "widgets/ChildWindow.h"

#include <QPointer>
#include <functional>

class Grid;
class QDateEdit;

class NavigatorWindow : public ChildWindow {
    Q_OBJECT
public:
    ~NavigatorWindow() override;

    // The loaded navigator whose open-window flag is `openFlag`, or null.
    static NavigatorWindow *loaded(const bool &openFlag);

    // Runs the search with the criteria shown, refills the upper grid and empties the lower.
    virtual void UpdateGrids() = 0;

    // How the entry window is opened (or brought forward): the main frame passes its own
    // opener. Without one the navigator opens an entry window of its own, once.
    void setEntryOpener(std::function<ChildWindow *()> opener) { m_openEntry = std::move(opener); }

protected:
    // `openFlag` is true while the navigator is loaded; an entry window of class
    // `entryClass` that unloads meanwhile refreshes the grids.
    NavigatorWindow(bool &openFlag, const QMetaObject &entryClass, QWidget *parent);

    // The frames and grids shared out on resize, and the grid the refresh empties.
    void setFrames(QWidget *criteria, QWidget *upper, Grid *upperGrid, QWidget *lower, Grid *lowerGrid);
    // Raises the open-window flag: the first step of Form_Load.
    void raiseOpenFlag();
    // Both date pickers show today.
    static void setToday(QDateEdit *start, QDateEdit *end);
    // The lower grid without a row, not even its header.
    void EmptyLineItems();
    // The entry window, through the opener.
    ChildWindow *openEntry();

    // Places the window in the main frame; runs once, after it is first shown.
    virtual void PlaceInFrame() = 0;
    // A new entry window of the navigator's kind, for a navigator without a frame.
    virtual ChildWindow *newEntry() = 0;

    void Form_Unload() override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void Form_Resize();
    void lowerOpenFlag();
    void entryUnloaded(ChildWindow *window);

    bool &m_openFlag;
    const QMetaObject &m_entryClass;
    QWidget *m_criteria = nullptr;
    QWidget *m_upper = nullptr;
    Grid *m_upperGrid = nullptr;
    QWidget *m_lower = nullptr;
    Grid *m_lowerGrid = nullptr;
    std::function<ChildWindow *()> m_openEntry;
    QPointer<ChildWindow> m_ownEntry;  // the entry window opened without a frame
    bool m_placed = false;
};
