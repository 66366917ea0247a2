// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the game in a web page: the page's platform, the game folder made
// from the files preloaded with the page, then the start-up window, which
// opens the main window; then the page's events for ever.
#include <sys/stat.h>

#include <string>

#include "app/game_folder.h"
#include "platform/form.h"
#include "platform/web/web_platform.h"
#include "windows/frame/intro_form.h"

int main() {
    // The runtime starts with a umask that leaves every new file unreadable.
    ::umask(022);
    static quibbly::WebPlatform platform;
    quibbly::InstallPlatform(&platform);

    // The page's files live for the page's life: each load starts afresh.
    const quibbly::GameFolderSetup setup =
        quibbly::PrepareGameFolder({"/data"}, quibbly::PlayerGameFolder(nullptr, "/home/web_user"));
    if (!setup.faults.empty()) {
        std::string text = "Quibbly could not prepare its game folder.\n";
        for (const std::string& fault : setup.faults) text += "\n" + fault;
        text += setup.entered ? "\n\nThe game starts without them." : "\n\nThe game cannot start.";
        platform.MsgBox(text, quibbly::MsgButtons::OK, quibbly::MsgIcon::Exclamation, "Quibbly");
        if (!setup.entered) platform.End();
    }

    quibbly::IntroForm::Instance();
    platform.Run();
}
