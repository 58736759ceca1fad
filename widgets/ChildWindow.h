#pragma once
// Base of every window that opens inside the main frame. unload() closes the window
// (and the frame's sub-window around it); Form_Unload() runs whenever the window closes,
// by its own button or by the frame closing.

#include <QWidget>

class ChildWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChildWindow(QWidget *parent = nullptr);

    // Closes the window as its Exit button or close box would.
    void unload();

    // Entry and selection windows have a fixed border; the navigators and the Viewer
    // can be resized.
    bool resizable() const { return m_resizable; }

protected:
    virtual void Form_Unload() {}
    void closeEvent(QCloseEvent *event) override;
    // Sets a fixed client size given in twips (15 twips a pixel).
    void setClientTwips(int widthTwips, int heightTwips, bool resizable = false);

    void setResizable(bool resizable) { m_resizable = resizable; }

private:
    bool m_unloaded = false;
    bool m_resizable = false;
};
