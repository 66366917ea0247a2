// SPDX-License-Identifier: GPL-3.0-or-later
// The scripted platform with a clock that, while running, also moves with
// the real time between two readings, as a player's clock does while the
// computer works (the computer seeds its draws from it).
#pragma once

#include <chrono>
#include <cmath>

#include "platform/scripted_platform.h"

namespace quibbly::bench {

class BenchPlatform : public ScriptedPlatform {
public:
    double Timer() override {
        if (running_) {
            const auto now = std::chrono::steady_clock::now();
            clock = std::fmod(clock + std::chrono::duration<double>(now - last_).count(), 86400.0);
            last_ = now;
        }
        return ScriptedPlatform::Timer();
    }
    // The computer's work begins: the clock runs with real time.
    void Run() {
        running_ = true;
        last_ = std::chrono::steady_clock::now();
    }
    // The player's turn: the clock only moves when told.
    void Stop() { running_ = false; }

private:
    bool running_ = false;
    std::chrono::steady_clock::time_point last_;
};

}  // namespace quibbly::bench
