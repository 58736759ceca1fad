#pragma once
// The main frame: a menu bar over a workspace in which every other window opens. Each
// window exists at most once: opening it again brings it forward untouched.

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <functional>

class QAction;

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

    QMdiArea *workspace() const { return m_area; }
    QAction *command(const QString &name) const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void addChild(QWidget *window);
    void Exit_Click();

    QMdiArea *m_area;
};
