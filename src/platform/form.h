// SPDX-License-Identifier: GPL-3.0-or-later
// A window as a plain object: its design, its controls and menus, and its
// place on the screen. Each window class has one global instance, created on
// first use; creating it runs its Form_Load.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/types.h"

namespace quibbly {

class Form;

// Implemented by the Qt layer: shows a window model on the screen.
class FormView {
public:
    virtual ~FormView() = default;
    virtual void ShowWindow() = 0;
    virtual void HideWindow() = 0;
    // Paints the window and its controls before returning.
    virtual void RepaintNow() = 0;
    virtual void FocusChanged() = 0;
    // The window's outer top and left edge on the screen, in twips.
    virtual int WindowTop() const = 0;
    virtual int WindowLeft() const = 0;
    virtual void MoveWindow(int left, int top) = 0;
    virtual void CaptionChanged() {}
    // Scrolls a window larger than its screen so that the control is in view.
    virtual void BringIntoView(const Control&) {}
};

enum class BorderStyle { FixedSingle, FixedDialog };

struct FormDesign {
    std::string caption;  // empty with a dialog border: no title bar at all
    int clientWidth = 0;  // twips
    int clientHeight = 0;
    Colour back = 0;
    BorderStyle border = BorderStyle::FixedSingle;
    bool minMaxButtons = false;
    bool showInTaskbar = true;
    // What assistive tools call a window whose design leaves its title bar
    // empty; a window with a caption is called by its caption.
    std::string spokenName;
    std::string backPicture;    // resource name of a picture that fills the window
    std::string icon;           // resource name of the window icon
    bool controlBox = true;     // the title bar's system menu and close button
    bool standardBack = false;  // the desktop's own dialog colour instead of back
    // The player may resize the window: its whole layout zooms with it. A
    // window with minimise and maximise buttons may too.
    bool sizable = false;
    bool Sizable() const { return sizable || (border == BorderStyle::FixedSingle && minMaxButtons); }
};

// A size in twips.
struct Extent {
    int width = 0, height = 0;
    friend bool operator==(const Extent&, const Extent&) = default;
};

class Form {
public:
    explicit Form(FormDesign design);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    const FormDesign& Design() const { return design_; }

    // Every control in creation order: a container comes before its contents.
    const std::vector<Control*>& Controls() const { return controls_; }
    // The controls that can take the focus, in tab order.
    const std::vector<Control*>& TabOrder() const { return tabOrder_; }
    // The menu bar's menus, left to right.
    const std::vector<MenuItem*>& Menus() const { return menus_; }

    bool Visible() const { return visible_; }
    void Show();
    void Hide();
    void Repaint();
    // The window's top and left edge on the screen, in twips.
    int Top() const;
    int Left() const;
    void SetTop(int top);

    // The size of the window's layout (its client area) as the player last
    // made it, for a window the player may resize; none: the design's size
    // at the zoom that fits the screen. A program sets it before the window
    // opens (a size kept from an earlier run); the view, as the player
    // resizes, through Resized, which runs Form_Resize.
    const std::optional<Extent>& ClientSize() const { return clientSize_; }
    void SetClientSize(Extent size) { clientSize_ = size; }
    void Resized(Extent size) {
        if (clientSize_ == size) return;
        clientSize_ = size;
        Form_Resize();
    }
    virtual void Form_Resize() {}

    Control* Focus() const { return focus_; }
    void SetFocus(Control* control);

    // A plain key (a character, no Ctrl or Alt) typed anywhere in the window,
    // before the control with the focus takes it. True when the window acted
    // on it: the key then goes no further.
    virtual bool Form_KeyPreview(Integer /*key*/) { return false; }
    // Scrolls the window, where it is larger than its screen, so that the
    // control (a frame: all of it) is in view.
    void BringIntoView(const Control& control) {
        if (view_ != nullptr) view_->BringIntoView(control);
    }

    // Runs each time the window becomes the active window.
    virtual void Form_Activate() {}
    // Runs when another window of the program becomes the active one.
    virtual void Form_Deactivate() {}
    // This window becomes the program's active window, as a click on it or
    // showing it makes it: the window active so far gets Form_Deactivate,
    // then this one Form_Activate. Nothing happens if it is active already.
    void Activate();
    bool IsActive() const { return active_ == this; }
    virtual void Form_Load() {}

    // The button that is the window's own way out (Done, Cancel, OK); none
    // by default. Escape presses it.
    Button* EscapeButton() const { return escapeButton_; }
    // A player's Escape key: presses the way-out button, if any. A button
    // that reads "Stop" during a search stops the search.
    virtual void PressEscape();
    // The desktop asks to close the window (its title bar's close button,
    // Alt+F4): the window takes its own way out, as its button does, and is
    // hidden if it is still open then (a search was only stopped). A window
    // without such a button is hidden.
    virtual void QueryClose();

    void Attach(FormView* view) { view_ = view; }
    FormView* View() const { return view_; }

    // The title bar's text: the design's caption until a handler sets another.
    const std::string& Caption() const;
    void SetCaption(const std::string& caption);

protected:
    friend class Control;
    void Register(Control& control) { controls_.push_back(&control); }
    void SetTabOrder(std::vector<Control*> order) { tabOrder_ = std::move(order); }
    void AddMenu(MenuItem& menu) { menus_.push_back(&menu); }
    void SetEscapeButton(Button& button) { escapeButton_ = &button; }

private:
    FormDesign design_;
    std::vector<Control*> controls_;
    std::vector<Control*> tabOrder_;
    std::vector<MenuItem*> menus_;
    bool visible_ = false;
    int top_ = 0;
    int left_ = 0;
    Control* focus_ = nullptr;
    FormView* view_ = nullptr;
    Button* escapeButton_ = nullptr;
    static inline Form* active_ = nullptr;
    std::optional<std::string> caption_;
    std::optional<Extent> clientSize_;
};

// The global instances of all windows. A test drops them all to start from
// a fresh program.
class Forms {
public:
    template <class F>
    static F& Instance() {
        static F* instance = nullptr;
        static std::size_t generation = 0;
        if (instance == nullptr || generation != generation_) {
            auto owned = std::make_unique<F>();
            instance = owned.get();
            generation = generation_;
            Adopt(std::move(owned));
            instance->Form_Load();
        }
        return *instance;
    }
    // Destroys every window instance; the next use of each creates it anew.
    static void DropAll();

private:
    static void Adopt(std::unique_ptr<Form> form);
    static inline std::size_t generation_ = 1;
};

}  // namespace quibbly
