#include "widgets/ChildWindow.h"

#include "core/Handler.h"
#include "widgets/WidgetHelpers.h"
#include "widgets/WindowEvents.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

ChildWindow::ChildWindow(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    // Every window answers Enter on a button and guards its text boxes alike; the first
    // window opened installs both.
    EnterPressesButtons();
    RefuseNulCharacters();
}

void ChildWindow::unload() {
    // Inside the main frame the sub-window is what the user sees: close it, which
    // closes this window with it.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget())) frame->close();
    else close();
}

void ChildWindow::closeEvent(QCloseEvent *event) {
    if (!m_unloaded) {
        m_unloaded = true;
        handler([this] { Form_Unload(); })();
        emit WindowEvents::instance().unloaded(this);
    }
    event->accept();
}

void ChildWindow::setClientTwips(int widthTwips, int heightTwips, bool resizable) {
    const QSize size(widthTwips / 15, heightTwips / 15);
    setResizable(resizable);
    if (resizable) resize(size);
    else setFixedSize(size);
}
