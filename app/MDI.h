#pragma once
// The main frame: a menu bar over a workspace in which every other window opens. Each
// window exists at most once: opening it again brings it forward untouched, and a window
// opens wholly inside the workspace (at its top left corner when the workspace is smaller).

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <functional>

class QAction;
class QSettings;

class MDI : public QMainWindow {
    Q_OBJECT
public:
    explicit MDI(QWidget *parent = nullptr);
    ~MDI() override;

    // The running main window, or null (tools and most tests have none).
    static MDI *instance();

    // Opens the window of class W inside the frame, or brings the open one forward.
    template <class W>
    W *open() {
        for (QMdiSubWindow *sub : m_area->subWindowList()) {
            if (auto *existing = qobject_cast<W *>(sub->widget())) {
                m_area->setActiveSubWindow(sub);
                return existing;
            }
        }
        auto *window = new W;
        addChild(window);
        return window;
    }

    // A short message in the status bar (where printed documents went, for example).
    static void showStatus(const QString &text);

    // Shows the frame where and as large as it was when it last closed, as kept in the
    // given settings; the first time, large enough to show its largest window whole,
    // maximised where the screen is smaller. Closing the frame or File > Exit keeps its
    // size and position there again.
    void showFrame(QSettings *placement);
    // The workspace size the frame starts with: room for the largest window, framed.
    QSize startWorkspace() const;

    QMdiArea *workspace() const { return m_area; }
    QAction *command(const QString &name) const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void addChild(QWidget *window);
    void keepInside(QMdiSubWindow *sub);
    void savePlacement();
    void Exit_Click();

    QMdiArea *m_area;
    QSettings *m_placement = nullptr;
};
