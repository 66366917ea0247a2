// SPDX-License-Identifier: GPL-3.0-or-later
// What the game needs from the world outside its windows, behind one
// interface: the Qt layer implements it for real, ScriptedPlatform for tests.
#pragma once

#include <ctime>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace quibbly {

class Form;

// YesNoDefaultNo: Yes and No with No as the default button, for a question
// whose Yes cannot be undone.
enum class MsgButtons { OK, YesNo, YesNoDefaultNo };
enum class MsgIcon { None, Information, Exclamation };
enum class MsgAnswer { OK, Yes, No };

class Platform {
public:
    virtual ~Platform() = default;

    // A modal message box; returns the button the player pressed.
    virtual MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                             const std::string& title) = 0;
    // Handles all pending events, then returns.
    virtual void DoEvents() = 0;
    // Seconds since midnight, to the finest step the clock has (microseconds
    // on the real platform).
    virtual double Timer() = 0;
    // Lets the processor rest for about the given time.
    virtual void Sleep(int milliseconds) = 0;
    // Today's date in the platform's short form.
    virtual std::string ShortDate() = 0;
    // Opens a help file at its contents; does not wait for the viewer.
    virtual void ShowHelp(const std::string& file, int command) = 0;
    // Ends the program at once.
    virtual void End() = 0;
    // Called once for every window instance when it is created, before its
    // Form_Load runs: a real platform attaches its view here.
    virtual void FormCreated(Form& form) = 0;
    virtual void FormDestroyed(Form& form) = 0;

    // The random generator: uniform fractions in [0, 1).
    virtual double Rnd();
    // Seeds the generator from the time of day. The seed is the time in whole
    // microseconds, so that two reseeds within one turn, a list build apart,
    // never replay the same draws.
    void Randomize();
    void Randomize(double seconds);

    // The volumes a player picks from in a drive list, as their root folders.
    virtual std::vector<std::string> Drives();
    // The local date and time as "YYYY-MM-DD HH:MM", for the history of games.
    virtual std::string DateTimeNow();
    // The local date as "YYYY-MM-DD", which decides today's word.
    virtual std::string LocalDate() { return DateTimeNow().substr(0, 10); }
    // A new game's identity: 16 hexadecimal digits from the system's entropy,
    // apart from Rnd, so that drawing it never moves the game's own draws.
    virtual std::string NewGameId();
    // Puts a text (UTF-8) on the desktop's clipboard.
    virtual void SetClipboard(const std::string& text) { (void)text; }

    // Bracket every change to the player's files (FolderChange in
    // atomic_file.h): the desktop's folder is the disk's own and needs
    // nothing here; a platform that keeps the folder elsewhere too brings it
    // up to date at the outermost Begin and keeps what changed at every End.
    // Sections nest. End returns what went wrong keeping the change, else "".
    virtual void BeginFolderChange() {}
    virtual std::string EndFolderChange() { return {}; }
    // Whether this copy of the game may keep its game in progress, by the
    // platform's own lock held for the run; nothing where the claim file's
    // lock decides (the desktop).
    virtual std::optional<bool> ClaimKeptGame() { return std::nullopt; }

private:
    std::mt19937_64 generator_{0x51u};
};

// A moment as the local time zone (TZ) gives it, "YYYY-MM-DD HH:MM".
std::string LocalDateTime(std::time_t moment);
// The local time of day in seconds since midnight, to the microsecond: the
// computer reseeds its random generator from it at every list build, and
// builds follow each other far faster than a millisecond.
double LocalTimeOfDay();

// The installed platform. A program installs one before it creates a window.
Platform& Services();
// The installed platform, or null before one is installed.
Platform* InstalledPlatform();
void InstallPlatform(Platform* platform);

}  // namespace quibbly
