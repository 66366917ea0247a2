// SPDX-License-Identifier: GPL-3.0-or-later
// The platform services on Qt: modal message boxes, the event loop, the clock,
// the help viewer and the windows of the window models.
#pragma once

#include <chrono>

#include "platform/qt/qt_windows.h"
#include "platform/services.h"

namespace quibbly {

class QtPlatform : public Platform {
public:
    MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                     const std::string& title) override;
    void DoEvents() override;
    double Timer() override;
    void Sleep(int milliseconds) override;
    std::string ShortDate() override;
    void ShowHelp(const std::string& file, int command) override;
    [[noreturn]] void End() override;
    void FormCreated(Form& form) override { windows.Create(form); }
    void FormDestroyed(Form& form) override { windows.Destroy(form); }
    std::vector<std::string> Drives() override;

    QtWindows windows;

private:
    std::chrono::steady_clock::time_point lastPoll_{};
};

}  // namespace quibbly
