// SPDX-License-Identifier: GPL-3.0-or-later
// A bar chart as a control: the bars a player sees, each with its number
// written above it and its label below, and the same numbers as one text for
// those who hear the window rather than see it. The Qt layer paints it.
#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"

namespace quibbly {

struct ChartBar {
    enum class Kind {
        Plain,
        Highlighted,  // stands out: the last game
        Lost,         // a mark instead of a bar: the computer found the word
        Quit,         // a mark instead of a bar: the player gave up
    };
    int value = 0;      // the bar's height, against the largest value shown
    std::string above;  // written over the bar (its number)
    std::string below;  // written under it (what it stands for)
    Kind kind = Kind::Plain;
    std::string words;  // the bar read alone, as the keys step from bar to bar
    // The same bar to the eye; its words follow from the rest.
    friend bool operator==(const ChartBar& one, const ChartBar& other) {
        return one.value == other.value && one.above == other.above && one.below == other.below &&
               one.kind == other.kind;
    }
};

class Chart : public Control {
public:
    // title names the chart to assistive tools; empty is the text shown
    // while the chart has no bars.
    Chart(Form& owner, std::string name, Control* container, Look look, std::string title, std::string empty);
    const std::string& Title() const { return title_; }
    const std::string& EmptyText() const { return empty_; }
    const std::vector<ChartBar>& Bars() const { return bars_; }
    // The numbers of the chart in words.
    const std::string& Description() const { return description_; }
    void SetBars(std::vector<ChartBar> bars, std::string description);

private:
    std::string title_;
    std::string empty_;
    std::vector<ChartBar> bars_;
    std::string description_;
};

}  // namespace quibbly
