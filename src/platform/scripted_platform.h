// SPDX-License-Identifier: GPL-3.0-or-later
// A platform for tests and benchmarks: records every message box and answers
// from a queue, runs a clock that only moves when told, when the program
// waits, or by a fixed step at every reading, and lets a test choose the
// random fractions.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/services.h"

namespace quibbly {

struct ShownBox {
    std::string text;
    std::string title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::OK;
    friend bool operator==(const ShownBox&, const ShownBox&) = default;
};

class ScriptedPlatform : public Platform {
public:
    MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                     const std::string& title) override;
    // Counts the yield and delivers the events that are due at it.
    void DoEvents() override;
    double Timer() override;
    void Sleep(int milliseconds) override;
    std::string ShortDate() override { return shortDate; }
    void ShowHelp(const std::string& file, int command) override;
    void End() override { ended = true; }
    void FormCreated(Form&) override {}
    void FormDestroyed(Form&) override {}
    double Rnd() override;
    std::vector<std::string> Drives() override { return drives.empty() ? Platform::Drives() : drives; }
    std::string DateTimeNow() override { return dateTime; }
    // gameId when a test sets one (a game replayed in another process must
    // be the same game), else a fresh one.
    std::string NewGameId() override { return gameId.empty() ? Platform::NewGameId() : gameId; }
    void SetClipboard(const std::string& text) override { clipboard = text; }

    // Answers for the next Yes/No questions, oldest first. A question with no
    // answer queued is answered No and counted in unansweredQuestions.
    void Answer(MsgAnswer answer) { answers_.push_back(answer); }
    // Fractions the next draws of Rnd return, oldest first.
    void NextRandom(double fraction) { fractions_.push_back(fraction); }
    // A player's action (a click, a key) that arrives while the program
    // runs: it is handled at the given yield from now, 1 being the next.
    void AtYield(int yieldsFromNow, std::function<void()> event);
    // Every box shown so far, oldest first; TakeBoxes also forgets them.
    std::vector<ShownBox> TakeBoxes();

    std::vector<ShownBox> boxes;
    int unansweredQuestions = 0;
    double clock = 12 * 3600.0;  // seconds since midnight
    double tick = 0.0;           // seconds the clock moves at every reading
    int sleeps = 0;
    int eventsYielded = 0;
    std::string shortDate = "05/12/2026";
    std::vector<std::string> helpShown;
    bool ended = false;
    std::vector<std::string> drives;  // empty: the current folder's root alone
    std::string dateTime = "2026-05-12 12:00";
    std::string gameId;
    std::string clipboard;

private:
    std::deque<MsgAnswer> answers_;
    std::deque<double> fractions_;
    std::vector<std::pair<int, std::function<void()>>> events_;  // due yield, event
};

}  // namespace quibbly
