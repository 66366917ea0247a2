// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's services in a web page: message boxes as modal dialogs
// that the waiting handler sleeps through (ASYNCIFY), the page's clock and
// date, the clipboard, and the one event loop that hands the page's clicks
// and keys to the window models.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/services.h"

namespace quibbly {

class DomWindow;
class FileList;

class WebPlatform : public Platform {
public:
    WebPlatform();
    ~WebPlatform() override;

    MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                     const std::string& title) override;
    void DoEvents() override;
    double Timer() override;
    void Sleep(int milliseconds) override;
    std::string ShortDate() override;
    void ShowHelp(const std::string& file, int command) override;
    void End() override;
    void FormCreated(Form& form) override;
    void FormDestroyed(Form& form) override;
    double Rnd() override;
    void SetClipboard(const std::string& text) override;
    void BeginFolderChange() override;
    std::string EndFolderChange() override;
    std::optional<bool> ClaimKeptGame() override;

    // Handles the page's events for ever: the program's main loop.
    [[noreturn]] void Run();

    // The zoom of the page's main window, which the other windows take
    // where they fit at it; none before the main window opens.
    std::optional<double> MainZoom() const;

private:
    void HandleWaiting();
    void Dispatch(const std::string& event);
    void Download(const FileList& files);
    void Upload(FileList& files, const std::string& name);
    DomWindow* WindowOf(int id) const;

    std::vector<std::unique_ptr<DomWindow>> windows_;  // by id; null once dropped
    double lastYield_ = 0;
    // The page's test hook (?draws=N): every draw comes from this generator,
    // as the native transcript's do, so both play the same game.
    std::optional<std::mt19937_64> draws_;
    std::string loadFault_;  // the last section's load, told at its end
};

}  // namespace quibbly
