#pragma once
// Seams between the application and the desktop: message boxes, the clock and the wait
// cursor. Each has the real implementation as default; tests install fakes that script
// answers and record what was shown (tests/support/Fakes.h).

#include <QDate>
#include <QDateTime>
#include <QString>

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A message with an OK button and no icon.
    virtual void tell(const QString &text, const QString &title) = 0;
    // A question with Yes and No buttons and no icon; true for Yes.
    virtual bool ask(const QString &text, const QString &title) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
    // Seconds since midnight with fractions, as the type-ahead search measures pauses.
    double secondsSinceMidnight() const;
};

class WaitCursor {
public:
    virtual ~WaitCursor() = default;
    virtual void busy() = 0;
    virtual void normal() = 0;
};

namespace Seams {
MessageBoxes &messages();
Clock &clock();
WaitCursor &waitCursor();
// Install a replacement (not owned; nullptr restores the default).
void setMessages(MessageBoxes *m);
void setClock(Clock *c);
void setWaitCursor(WaitCursor *w);
}  // namespace Seams

// Shows the hourglass for its lifetime; the default pointer comes back when the work
// ends, normally or by an error.
class BusyCursor {
public:
    BusyCursor() { Seams::waitCursor().busy(); }
    ~BusyCursor() { Seams::waitCursor().normal(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};
