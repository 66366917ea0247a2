// SPDX-License-Identifier: GPL-3.0-or-later
// The platform services on Qt: modal message boxes, the event loop, the clock,
// the help viewer and the windows of the window models.
#pragma once

#include <QPointer>
#include <chrono>

#include "platform/qt/help_viewer.h"
#include "platform/qt/qt_windows.h"
#include "platform/services.h"

class QMessageBox;

namespace quibbly {

// Widens a message box so that the desktop shows its whole title.
void KeepTitleWhole(QMessageBox& box);

class QtPlatform : public Platform {
public:
    QtPlatform() = default;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;
    ~QtPlatform() override;

    MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                     const std::string& title) override;
    void DoEvents() override;
    double Timer() override;
    // Rests without taking any input: the windows stay painted and the
    // desktop sees a program that answers, but clicks and keys are dropped.
    void Sleep(int milliseconds) override;
    std::string ShortDate() override;
    void ShowHelp(const std::string& file, int command) override;
    [[noreturn]] void End() override;
    void FormCreated(Form& form) override { windows.Create(form); }
    void FormDestroyed(Form& form) override { windows.Destroy(form); }
    std::vector<std::string> Drives() override;
    void SetClipboard(const std::string& text) override;

    QtWindows windows;
    // Made on the first request for help and kept for the rest of the run.
    QPointer<HelpViewer> helpViewer;

private:
    std::chrono::steady_clock::time_point lastPoll_{};
};

}  // namespace quibbly
