// SPDX-License-Identifier: GPL-3.0-or-later
// A window model shown as an element of the page: its markup is made from
// the form's design at the window's zoom, and each control's state is sent
// to the page as it changes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/form.h"

namespace quibbly {

class WebPlatform;

class DomWindow : public FormView {
public:
    DomWindow(WebPlatform& platform, Form& form, int id);
    ~DomWindow() override;
    DomWindow(const DomWindow&) = delete;
    DomWindow& operator=(const DomWindow&) = delete;

    Form& Model() const { return form_; }
    int Id() const { return id_; }
    double Zoom() const { return zoom_; }
    Control* ControlAt(int index) const;

    void ShowWindow() override;
    void HideWindow() override;
    void RepaintNow() override;
    void FocusChanged() override;
    int WindowTop() const override { return top_ * TwipsPerPixel; }
    int WindowLeft() const override { return left_ * TwipsPerPixel; }
    void MoveWindow(int left, int top) override;
    void CaptionChanged() override;

    // The page changed its size: a window takes the zoom that fits anew.
    void PageResized();
    // Sends a control's state, if it changed since it was last sent.
    void Send(int index);

private:
    double ZoomToFit() const;
    void Build();
    std::string Markup(const Control& control, int index) const;
    std::string Children(const Control* container) const;
    std::string IndexOf(const Control& control) const;
    void SendAria(const Control& control, int index);

    WebPlatform& platform_;
    Form& form_;
    int id_;
    double zoom_ = 1.0;
    bool placed_ = false;
    int left_ = 0, top_ = 0;  // pixels
    std::vector<std::unique_ptr<ControlView>> views_;
    std::vector<std::string> sent_;   // each control's state as last sent
    std::vector<std::string> named_;  // each control's name and description as last sent
};

}  // namespace quibbly
