// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/kept_game.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "engine/functions.h"
#include "platform/atomic_file.h"
#include "platform/services.h"
#include "records/game_history.h"
#include "records/saved_game.h"

namespace quibbly::KeptGame {

namespace {

constexpr const char* Title = "Unfinished Game";

int claimFd = -1;
bool claimedByPlatform = false;  // the platform's own lock, held for the run
bool faultTold = false;

// When the file was last written, local time, as "YYYY-MM-DD HH:MM".
std::string WrittenAt(const std::string& path) {
#ifdef __EMSCRIPTEN__
    // The web build's standard library has no file_clock::to_sys; the file's
    // own time in seconds is the same moment.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return "an earlier day";
    const std::time_t when = status.st_mtime;
#else
    std::error_code error;
    const auto written = std::filesystem::last_write_time(path, error);
    if (error) return "an earlier day";
    const std::time_t when = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written));
#endif
    std::tm local{};
    if (::localtime_r(&when, &local) == nullptr) return "an earlier day";
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

}  // namespace

bool Claim() {
    if (Claimed()) return true;
    if (const std::optional<bool> alone = Services().ClaimKeptGame()) {
        claimedByPlatform = *alone;
        faultTold = false;
        return claimedByPlatform;
    }
    const int fd = ::open(ClaimFile, O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    claimFd = fd;
    faultTold = false;
    return true;
}

void Release() {
    if (claimFd >= 0) ::close(claimFd);
    claimFd = -1;
    claimedByPlatform = false;
    faultTold = false;
}

bool Claimed() {
    return claimFd >= 0 || claimedByPlatform;
}

void Keep() {
    if (!Claimed() || !Functions::GameUnrecorded) return;
    // Written at every move: the flush is left to the system (see ReplaceFile).
    const std::string fault = ReplaceFile(KeptFile, SavedGame::Format(SavedGame::Capture()), false);
    if (fault.empty() || faultTold) return;
    faultTold = true;
    Services().MsgBox("The game in progress cannot be kept in \"" + std::string(KeptFile) + "\": " + fault +
                          ". Play goes on, but the game is lost if the program ends before it does.",
                      MsgButtons::OK, MsgIcon::Exclamation, Title);
}

void Drop() {
    if (!Claimed()) return;
    FolderChange change;
    std::error_code error;
    std::filesystem::remove(KeptFile, error);
}

std::string AsideName() {
    std::error_code error;
    std::string name = "Unfinished.Bad";
    for (int n = 2; std::filesystem::exists(name, error) || error; ++n) {
        if (n > 9999) break;
        name = "Unfinished " + std::to_string(n) + ".Bad";
    }
    return name;
}

void OfferAtStart() {
    if (!Claim()) return;
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(KeptFile, error))) return;
    std::string fault;
    const std::optional<SavedGame::Contents> contents = SavedGame::ReadGameFile(KeptFile, fault);
    if (!contents) {
        // Nothing is lost: the file is kept under another name, which is
        // never offered.
        FolderChange change;
        const std::string aside = AsideName();
        std::filesystem::rename(KeptFile, aside, error);
        change.End();
        const std::string kept = error ? " It could not be moved aside (" + error.message() +
                                             "), so it is offered again at the next start."
                                       : " It is kept as \"" + aside + "\" and not offered again.";
        Services().MsgBox("The game left unfinished in \"" + std::string(KeptFile) +
                              "\" cannot be loaded: " + fault + "." + kept,
                          MsgButtons::OK, MsgIcon::Exclamation, Title);
        return;
    }
    // A game with a guess made counts: not continuing it is giving it up,
    // and the question says so (a replay counts for nothing).
    const bool begun = (!contents->yourGuesses.empty() || !contents->myGuesses.empty()) &&
                       !GameHistory::HistoryHolds(contents->id);
    const std::string question = "A game left unfinished on " + WrittenAt(KeptFile) +
                                 " is kept. Would you like to continue it?" +
                                 (begun ? " If not, it counts as given up." : "");
    if (Services().MsgBox(question, MsgButtons::YesNo, MsgIcon::None, Title) == MsgAnswer::Yes) {
        SavedGame::Apply(*contents, Title);
        return;
    }
    if (begun) Functions::RecordGivenUp(*contents);
    Drop();
}

}  // namespace quibbly::KeptGame
