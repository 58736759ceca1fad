#pragma once
// The desktop's message boxes: text and title, OK or Yes/No buttons, no icon.

#include "core/Seams.h"

class DesktopMessages : public MessageBoxes {
public:
    void tell(const QString &text, const QString &title) override;
    bool ask(const QString &text, const QString &title) override;
};
