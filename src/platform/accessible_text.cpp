// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/accessible_text.h"

#include <algorithm>

#include "platform/chart.h"
#include "platform/form.h"

namespace quibbly {

namespace {

// How far a heading may stand from what it heads, in twips.
constexpr int MaxHeadingGap = 720;

int Right(const Place& place) {
    return place.left + place.width;
}

int Bottom(const Place& place) {
    return place.top + place.height;
}

// The gap from the label to the control when the label heads it from above
// or from the left; -1 when it does not.
int HeadingGap(const Place& label, const Place& control) {
    const bool acrossSame = label.left < Right(control) && control.left < Right(label);
    const bool downSame = label.top < Bottom(control) && control.top < Bottom(label);
    if (acrossSame && label.top + label.height / 2 < control.top)
        return std::max(0, control.top - Bottom(label));
    if (downSame && label.left + label.width / 2 < control.left)
        return std::max(0, control.left - Right(label));
    return -1;
}

bool Headed(const Control& control) {
    switch (control.Kind()) {
        case ControlKind::TextBox:
        case ControlKind::ListBox:
        case ControlKind::ProgressBar:
        case ControlKind::Chart:
        case ControlKind::DriveList:
        case ControlKind::DirList:
        case ControlKind::FileList:
        case ControlKind::ComboBox:
            return true;
        default:
            return false;
    }
}

// The nearest captioned label that heads the control, at what gap.
const Label* NearestHeading(const Control& control, int& bestGap) {
    const Label* best = nullptr;
    bestGap = MaxHeadingGap + 1;
    for (const Control* other : control.Owner().Controls()) {
        if (other->Kind() != ControlKind::Label || other->Container() != control.Container()) continue;
        const auto& label = static_cast<const Label&>(*other);
        if (label.Caption().empty()) continue;
        const int gap = HeadingGap(label.Design().place, control.Design().place);
        if (gap >= 0 && gap < bestGap) {
            best = &label;
            bestGap = gap;
        }
    }
    return best;
}

}  // namespace

// A heading is the label of one control alone: of those it heads, the nearest.
const Label* HeadingOf(const Control& control) {
    if (!Headed(control)) return nullptr;
    int gap = 0;
    const Label* heading = NearestHeading(control, gap);
    if (heading == nullptr) return nullptr;
    for (const Control* other : control.Owner().Controls()) {
        if (other == &control || !Headed(*other) || other->Container() != control.Container()) continue;
        const int otherGap = HeadingGap(heading->Design().place, other->Design().place);
        int nearest = 0;
        if (otherGap >= 0 && otherGap < gap && NearestHeading(*other, nearest) == heading) return nullptr;
    }
    return heading;
}

namespace {

// "face_sad" reads "Face sad".
std::string PictureWords(const std::string& picture) {
    std::string words = picture;
    std::replace(words.begin(), words.end(), '_', ' ');
    if (!words.empty() && words[0] >= 'a' && words[0] <= 'z')
        words[0] = static_cast<char>(words[0] - 'a' + 'A');
    return words;
}

// A control that no label heads is named by its role: "HintList" reads
// "Hint list", "ProgressBar" "Progress bar".
std::string RoleWords(const std::string& name) {
    std::string words;
    for (char ch : name) {
        if (ch >= 'A' && ch <= 'Z' && !words.empty()) {
            words += ' ';
            ch = static_cast<char>(ch - 'A' + 'a');
        }
        words += ch;
    }
    return words;
}

std::string HeadingOrRole(const Control& control) {
    const Label* heading = HeadingOf(control);
    return heading == nullptr ? RoleWords(control.Name()) : heading->Caption();
}

}  // namespace

std::string AccessibleText(const Control& control) {
    if (!control.SpokenName().empty()) return control.SpokenName();
    switch (control.Kind()) {
        case ControlKind::TextBox:
        case ControlKind::ListBox:
        case ControlKind::ProgressBar:
            return HeadingOrRole(control);
        case ControlKind::DirList:
            return "Folders";
        case ControlKind::FileList:
            return "Files";
        case ControlKind::PictureBox:
            return PictureWords(control.Design().picture);
        case ControlKind::Chart:
            return static_cast<const Chart&>(control).Title();
        default:
            return {};
    }
}

}  // namespace quibbly
