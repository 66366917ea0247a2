// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/controls.h"

#include <algorithm>
#include <limits>

#include "platform/form.h"

namespace quibbly {

Control::Control(Form& owner, ControlKind kind, std::string name, Control* container, Look look)
    : owner_(owner), kind_(kind), name_(std::move(name)), container_(container), look_(std::move(look)) {
    owner_.Register(*this);
}

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Changed();
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Changed();
}

void Control::SetSpokenName(const std::string& name) {
    if (spokenName_ == name) return;
    spokenName_ = name;
    Changed();
}

void Control::SetDescription(const std::string& description) {
    if (description_ == description) return;
    description_ = description;
    Changed();
}

void Control::Changed() {
    if (view_ != nullptr) view_->Refresh();
}

Label::Label(Form& owner, std::string name, Control* container, Look look, std::string caption)
    : Control(owner, ControlKind::Label, std::move(name), container, std::move(look)),
      caption_(std::move(caption)) {}

void Label::SetCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    Changed();
}

TextBox::TextBox(Form& owner, std::string name, Control* container, Look look, int maxLength)
    : Control(owner, ControlKind::TextBox, std::move(name), container, std::move(look)),
      maxLength_(maxLength) {}

void TextBox::SetText(const std::string& text) {
    if (text_ == text) return;
    text_ = text;
    selected_ = false;
    Changed();
    if (Change) Change();
}

void TextBox::SetSelected(bool selected) {
    selected = selected && !text_.empty();
    if (selected_ == selected) return;
    selected_ = selected;
    Changed();
}

void TextBox::SetFocus() {
    if (Design().selectOnFocus) SetSelected(true);
    Owner().SetFocus(this);
}

bool TextBox::HasFocus() const {
    return Owner().Focus() == this;
}

void TextBox::Type(const std::string& keys) {
    constexpr Integer Enter = 13;
    constexpr Integer Backspace = 8;
    for (char ch : keys) {
        if (!Enabled()) return;
        Integer key = static_cast<Integer>(static_cast<unsigned char>(ch));
        if (KeyPress) KeyPress(key);
        if (key == 0 || key == Enter) continue;
        // A selected text goes first; Backspace then deletes nothing more.
        const bool replacing = selected_;
        std::string text = replacing ? std::string() : text_;
        SetSelected(false);
        if (key == Backspace) {
            if (!text.empty() && !replacing) text.pop_back();
        } else if (maxLength_ == 0 || static_cast<int>(text.size()) < maxLength_) {
            text.push_back(static_cast<char>(key));
        }
        SetText(text);
    }
}

void ListBox::AddItem(const std::string& row) {
    rows_.push_back(row);
    Changed();
}

void ListBox::Clear() {
    if (rows_.empty() && listIndex_ == -1) return;
    rows_.clear();
    ++rewrites_;
    listIndex_ = -1;
    Changed();
}

void ListBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) index = -1;
    if (listIndex_ == index) return;
    listIndex_ = index;
    Changed();
}

void ListBox::ClickRow(int index) {
    if (!Enabled() || !Visible() || index < 0 || index >= ListCount()) return;
    SetListIndex(index);
    if (Click) Click();
}

Button::Button(Form& owner, std::string name, Control* container, Look look, std::string caption)
    : Control(owner, ControlKind::Button, std::move(name), container, std::move(look)),
      caption_(std::move(caption)),
      backColour_(Design().back.value_or(Rgb(0xF0, 0xF0, 0xF0))) {}

void Button::SetCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    Changed();
}

void Button::SetBackColor(Colour colour) {
    if (backColour_ == colour) return;
    backColour_ = colour;
    Changed();
}

const ColourMeaning* Button::Meaning() const {
    for (const ColourMeaning& meaning : Design().meanings)
        if (meaning.colour == backColour_) return &meaning;
    return nullptr;
}

void Button::Press() {
    if (Enabled() && Visible() && Click) Click();
}

void PictureBox::Move(int left, int top) {
    if (left_ == left && top_ == top) return;
    left_ = left;
    top_ = top;
    Changed();
}

MenuItem::MenuItem(Form& owner, std::string name, std::string caption, char shortcut)
    : Control(owner, ControlKind::MenuItem, std::move(name), nullptr, Look{}),
      caption_(std::move(caption)),
      shortcut_(shortcut) {}

void MenuItem::SetChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    Changed();
}

void MenuItem::Choose() {
    if (Enabled() && Visible() && Click) Click();
}

OptionButton::OptionButton(Form& owner, std::string name, Control* container, Look look, std::string caption,
                           bool value)
    : Control(owner, ControlKind::OptionButton, std::move(name), container, std::move(look)),
      caption_(std::move(caption)),
      value_(value) {}

void OptionButton::SetValue(bool value) {
    if (value)
        for (Control* other : Owner().Controls())
            if (other != this && other->Kind() == ControlKind::OptionButton &&
                other->Container() == Container())
                static_cast<OptionButton*>(other)->SetValue(false);
    if (value_ == value) return;
    value_ = value;
    Changed();
}

void OptionButton::Press() {
    if (!Enabled() || !Visible()) return;
    SetValue(true);
    if (Click) Click();
}

void ProgressBar::SetMax(double max) {
    const double top = std::numeric_limits<int>::max();
    const int clipped = max >= 0 ? static_cast<int>(std::min(max, top)) : 0;  // NaN gives 0 too
    if (max_ == clipped) return;
    max_ = clipped;
    value_ = std::min(value_, max_);
    Changed();
}

void ProgressBar::SetValue(int value) {
    value = std::clamp(value, 0, max_);
    if (value_ == value) return;
    value_ = value;
    Changed();
}

}  // namespace quibbly
