// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/form.h"

#include "platform/services.h"

namespace quibbly {

Form::Form(FormDesign design) : design_(std::move(design)) {}

Form::~Form() {
    if (active_ == this) active_ = nullptr;
}

void Form::Show() {
    visible_ = true;
    if (view_ != nullptr) view_->ShowWindow();
    // Becoming visible makes the window the active one.
    Activate();
}

void Form::Activate() {
    if (active_ == this) return;
    Form* previous = active_;
    active_ = this;
    if (previous != nullptr) previous->Form_Deactivate();
    // The deactivated window may have shown another one meanwhile.
    if (active_ == this) Form_Activate();
}

void Form::Hide() {
    visible_ = false;
    // The window that the platform activates next reports itself.
    if (active_ == this) active_ = nullptr;
    if (view_ != nullptr) view_->HideWindow();
}

void Form::PressEscape() {
    if (escapeButton_ != nullptr) escapeButton_->Press();
}

void Form::QueryClose() {
    PressEscape();
    if (Visible()) Hide();
}

void Form::Repaint() {
    if (view_ != nullptr) view_->RepaintNow();
}

int Form::Top() const {
    return view_ != nullptr ? view_->WindowTop() : top_;
}

int Form::Left() const {
    return view_ != nullptr ? view_->WindowLeft() : left_;
}

void Form::SetTop(int top) {
    top_ = top;
    if (view_ != nullptr) view_->MoveWindow(Left(), top);
}

void Form::SetFocus(Control* control) {
    focus_ = control;
    if (view_ != nullptr) view_->FocusChanged();
}

const std::string& Form::Caption() const {
    return caption_ ? *caption_ : design_.caption;
}

void Form::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (view_ != nullptr) view_->CaptionChanged();
}

namespace {
std::vector<std::unique_ptr<Form>>& Instances() {
    static std::vector<std::unique_ptr<Form>> instances;
    return instances;
}
}  // namespace

void Forms::Adopt(std::unique_ptr<Form> form) {
    Services().FormCreated(*form);
    Instances().push_back(std::move(form));
}

void Forms::DropAll() {
    auto& instances = Instances();
    // Newest first: a later window may refer to an earlier one.
    while (!instances.empty()) {
        Services().FormDestroyed(*instances.back());
        instances.pop_back();
    }
    ++generation_;
}

}  // namespace quibbly
