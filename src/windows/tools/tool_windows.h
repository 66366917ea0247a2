// SPDX-License-Identifier: GPL-3.0-or-later
// What the four word tools share: their window design, the capitals typed
// into their boxes, and the search in progress that a yield must not restart.
#pragma once

#include "platform/form.h"
#include "platform/types.h"

namespace quibbly::tools {

inline constexpr Colour Pink = Rgb(255, 128, 255);
inline constexpr Colour White = Rgb(255, 255, 255);
inline constexpr Integer Enter = 13;

// No caption, no title bar, centred when first shown, no taskbar entry;
// assistive tools call it by the tool's name.
inline FormDesign ToolDesign(int clientWidth, int clientHeight, const char* name) {
    return FormDesign{.clientWidth = clientWidth,
                      .clientHeight = clientHeight,
                      .back = Pink,
                      .border = BorderStyle::FixedDialog,
                      .showInTaskbar = false,
                      .spokenName = name};
}

// Buttons keep the plain sans-serif of the desktop's dialogs.
inline Look ButtonLook(Place place) {
    return Look{.place = place, .font = Font{.family = "Arial", .points = 9.75}};
}

// Letters a to z become capitals; any other key passes unchanged.
inline void Capitalise(Integer& key) {
    if (key >= 'a' && key <= 'z') key = static_cast<Integer>(key - 'a' + 'A');
}

// Marks a window's search as running for as long as it lives. A search
// yields to pending events, and Enter in the window's text box runs the
// search's handler directly, so without this a second search could start
// inside the first.
class SearchRun {
public:
    explicit SearchRun(bool& running) : running_(running), owner_(!running) { running_ = true; }
    SearchRun(const SearchRun&) = delete;
    SearchRun& operator=(const SearchRun&) = delete;
    ~SearchRun() {
        if (owner_) running_ = false;
    }
    // False when a search of the window was running already.
    bool Started() const { return owner_; }

private:
    bool& running_;
    bool owner_;
};

}  // namespace quibbly::tools
