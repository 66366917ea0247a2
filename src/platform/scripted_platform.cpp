// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scripted_platform.h"

#include <algorithm>
#include <cmath>

namespace quibbly {

MsgAnswer ScriptedPlatform::MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                                   const std::string& title) {
    boxes.push_back(ShownBox{text, title, icon, buttons});
    if (buttons == MsgButtons::OK) return MsgAnswer::OK;
    if (answers_.empty()) {
        ++unansweredQuestions;
        return MsgAnswer::No;
    }
    MsgAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void ScriptedPlatform::DoEvents() {
    ++eventsYielded;
    // In the order they were posted; an event posted meanwhile waits for its own yield.
    std::vector<std::function<void()>> due;
    std::erase_if(events_, [this, &due](auto& event) {
        if (event.first > eventsYielded) return false;
        due.push_back(std::move(event.second));
        return true;
    });
    for (auto& event : due) event();
}

void ScriptedPlatform::AtYield(int yieldsFromNow, std::function<void()> event) {
    events_.emplace_back(eventsYielded + std::max(yieldsFromNow, 1), std::move(event));
}

double ScriptedPlatform::Timer() {
    const double now = clock;
    clock = std::fmod(clock + tick, 86400.0);
    return now;
}

void ScriptedPlatform::Sleep(int milliseconds) {
    ++sleeps;
    clock = std::fmod(clock + milliseconds / 1000.0, 86400.0);
}

void ScriptedPlatform::ShowHelp(const std::string& file, int command) {
    helpShown.push_back(file + "#" + std::to_string(command));
}

double ScriptedPlatform::Rnd() {
    if (fractions_.empty()) return Platform::Rnd();
    double fraction = fractions_.front();
    fractions_.pop_front();
    return fraction;
}

std::vector<ShownBox> ScriptedPlatform::TakeBoxes() {
    std::vector<ShownBox> taken;
    taken.swap(boxes);
    return taken;
}

}  // namespace quibbly
