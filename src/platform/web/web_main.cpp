// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the game in a web page: the page's platform, the home folder
// loaded from what the browser keeps, the game folder brought up to date
// from the files preloaded with the page, then the start-up window, which
// opens the main window; then the page's events for ever.
#include <sys/stat.h>

#include <string>

#include "app/game_folder.h"
#include "platform/form.h"
#include "platform/web/web_folder.h"
#include "platform/web/web_platform.h"
#include "windows/frame/intro_form.h"

int main() {
    // The runtime starts with a umask that leaves every new file unreadable.
    ::umask(022);
    static quibbly::WebPlatform platform;
    quibbly::InstallPlatform(&platform);

    // The whole home folder is kept, so that a game saved in any folder of
    // it is there at the next visit. Without IndexedDB (a browser that keeps
    // nothing for the site) the game is played in the page's memory alone.
    const char* home = "/home/web_user";
    char why[512] = {};
    if (quibbly_folder_mount(home, why, sizeof why) != 0)
        platform.MsgBox(
            std::string("The browser cannot keep the game's files (") + why +
                "): the winners list, the history, saved games and the game in progress last only "
                "while this page is open.",
            quibbly::MsgButtons::OK, quibbly::MsgIcon::Exclamation, "Quibbly");
    quibbly_watch_front();

    const quibbly::GameFolderSetup setup =
        quibbly::PrepareGameFolder({"/data"}, quibbly::PlayerGameFolder(nullptr, home));
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
