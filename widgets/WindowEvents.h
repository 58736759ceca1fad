#pragma once
// Tells whoever follows the windows (a navigator following its entry window) that a
// child window has unloaded, whichever window or frame opened it.

#include <QObject>

class ChildWindow;

class WindowEvents : public QObject {
    Q_OBJECT
public:
    static WindowEvents &instance();
signals:
    // After the window's Form_Unload, once per window.
    void unloaded(ChildWindow *window);
};
