#include "core/Seams.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

double Clock::secondsSinceMidnight() const {
    return now().time().msecsSinceStartOfDay() / 1000.0;
}

namespace {

// Without a desktop (the tools), messages go to the error stream and questions are
// answered No, so nothing destructive happens unattended.
class StreamMessages : public MessageBoxes {
public:
    void tell(const QString &text, const QString &title) override {
        QTextStream(stderr) << title << ": " << text << Qt::endl;
    }
    bool ask(const QString &text, const QString &title) override {
        tell(text, title);
        return false;
    }
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class OverrideCursor : public WaitCursor {
public:
    void busy() override {
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    void normal() override {
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) && QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    }
};

StreamMessages g_streamMessages;
SystemClock g_systemClock;
OverrideCursor g_overrideCursor;
MessageBoxes *g_messages = &g_streamMessages;
Clock *g_clock = &g_systemClock;
WaitCursor *g_waitCursor = &g_overrideCursor;

}  // namespace

namespace Seams {
MessageBoxes &messages() { return *g_messages; }
Clock &clock() { return *g_clock; }
WaitCursor &waitCursor() { return *g_waitCursor; }
void setMessages(MessageBoxes *m) { g_messages = m ? m : &g_streamMessages; }
void setClock(Clock *c) { g_clock = c ? c : &g_systemClock; }
void setWaitCursor(WaitCursor *w) { g_waitCursor = w ? w : &g_overrideCursor; }
}  // namespace Seams
