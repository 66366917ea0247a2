// SPDX-License-Identifier: GPL-3.0-or-later
// Window controls as plain objects: each holds exactly the state a player can
// see. A change notifies the attached view, if any; without a view the model
// is the whole window, which is how the engine runs headless.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace quibbly {

class Form;
class Control;

// Implemented by the Qt layer: shows a control's model state on a widget.
class ControlView {
public:
    virtual ~ControlView() = default;
    virtual void Refresh() = 0;
    // Draws the control now, before the handler goes on.
    virtual void RepaintNow() {}
};

enum class ControlKind {
    Frame,
    Label,
    TextBox,
    ListBox,
    Button,
    PictureBox,
    MenuItem,
    DriveList,
    DirList,
    FileList,
    ComboBox,
    OptionButton,
    ProgressBar,
    Chart,  // platform/chart.h
};

// How a graphical button tells what its colour means to an eye that cannot
// tell the colours apart: a mark drawn over its caption.
enum class ColourMark { None, Struck, Ringed };

// What one background colour of a graphical button means: the words a
// screen reader says after the caption ("E, not in the word") and the mark
// drawn with it.
struct ColourMeaning {
    Colour colour = 0;
    std::string words;
    ColourMark mark = ColourMark::None;
};

// How a control is drawn. Everything here is fixed at design time.
struct Look {
    Place place;  // twips, within the container
    Font font;
    std::optional<Colour> back;  // none: the container's background shows through
    std::optional<Colour> fore;
    bool border = false;     // a single-line border
    bool centred = true;     // text alignment of labels and text boxes
    bool multiLine = false;  // text boxes; lists: rows wrap
    bool graphical = false;  // buttons that show their background colour
    std::string picture;     // picture boxes: the image's resource name

    // Labels whose text stands against their right edge.
    bool rightAligned = false;
    // Text boxes whose whole text the program's focus selects, so that what
    // the player types next replaces it.
    bool selectOnFocus = false;
    // What the pointer's hover shows, such as a key that presses a button.
    std::string toolTip;
    // Graphical buttons: what each colour means, in words and as a mark.
    std::vector<ColourMeaning> meanings;
};

class Control {
public:
    Control(Form& owner, ControlKind kind, std::string name, Control* container, Look look);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    Form& Owner() const { return owner_; }
    ControlKind Kind() const { return kind_; }
    const std::string& Name() const { return name_; }
    Control* Container() const { return container_; }
    const Look& Design() const { return look_; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // What assistive tools read for the control instead of its caption or
    // heading (empty: those), and after it: the words of what just changed,
    // such as the turn that brought the focus here. A screen reader hears
    // them when the focus comes to the control.
    const std::string& SpokenName() const { return spokenName_; }
    void SetSpokenName(const std::string& name);
    const std::string& Description() const { return description_; }
    void SetDescription(const std::string& description);

    // Draws the control at once (a list or progress bar during a search).
    void Repaint() {
        if (view_ != nullptr) view_->RepaintNow();
    }

    void Attach(ControlView* view) { view_ = view; }
    ControlView* View() const { return view_; }

protected:
    void Changed();

private:
    Form& owner_;
    ControlKind kind_;
    std::string name_;
    Control* container_;
    Look look_;
    bool enabled_ = true;
    bool visible_ = true;
    std::string spokenName_;
    std::string description_;
    ControlView* view_ = nullptr;
};

class Frame : public Control {
public:
    Frame(Form& owner, std::string name, Control* container, Look look)
        : Control(owner, ControlKind::Frame, std::move(name), container, std::move(look)) {}
};

class Label : public Control {
public:
    Label(Form& owner, std::string name, Control* container, Look look, std::string caption = {});
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

private:
    std::string caption_;
};

class TextBox : public Control {
public:
    TextBox(Form& owner, std::string name, Control* container, Look look, int maxLength = 0);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    int MaxLength() const { return maxLength_; }
    // Puts the input focus into this box (and selects its text if the
    // design says so).
    void SetFocus();
    bool HasFocus() const;
    // Whether the whole text is selected: the next typed character replaces it.
    bool Selected() const { return selected_; }
    void SetSelected(bool selected);

    // Receives every typed character code before it is inserted; the handler
    // may replace the code, and a code of 0 inserts nothing.
    std::function<void(Integer& keyAscii)> KeyPress;
    // Runs after every change of the text, typed or set.
    std::function<void()> Change;

    // Typing as a player would: each character goes through KeyPress and is
    // then inserted at the end, or in place of the selected text, within the
    // maximum length. Enter inserts nothing.
    void Type(const std::string& keys);

private:
    std::string text_;
    int maxLength_;
    bool selected_ = false;
};

class ListBox : public Control {
public:
    ListBox(Form& owner, std::string name, Control* container, Look look)
        : Control(owner, ControlKind::ListBox, std::move(name), container, std::move(look)) {}
    void AddItem(const std::string& row);
    void Clear();
    int ListCount() const { return static_cast<int>(rows_.size()); }
    const std::string& List(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
    const std::vector<std::string>& Rows() const { return rows_; }
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int index);
    // How often the rows changed otherwise than by an append at the end: a
    // view that saw the same number need only add the new rows.
    std::size_t Rewrites() const { return rewrites_; }

    std::function<void()> Click;
    // A player's click on a row: selects it and runs Click; nothing while
    // the list is disabled or the row does not exist.
    void ClickRow(int index);

private:
    std::vector<std::string> rows_;
    int listIndex_ = -1;
    std::size_t rewrites_ = 0;
};

class Button : public Control {
public:
    Button(Form& owner, std::string name, Control* container, Look look, std::string caption);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    Colour BackColor() const { return backColour_; }
    void SetBackColor(Colour colour);
    // What the colour it has now means, if the design says: none for a
    // colour from elsewhere (a loaded game's).
    const ColourMeaning* Meaning() const;

    std::function<void()> Click;
    // A player's click: does nothing while the button is disabled.
    void Press();

private:
    std::string caption_;
    Colour backColour_;
};

class PictureBox : public Control {
public:
    PictureBox(Form& owner, std::string name, Control* container, Look look)
        : Control(owner, ControlKind::PictureBox, std::move(name), container, std::move(look)),
          left_(Design().place.left),
          top_(Design().place.top) {}
    int Left() const { return left_; }
    int Top() const { return top_; }
    void Move(int left, int top);

private:
    int left_;
    int top_;
};

class MenuItem : public Control {
public:
    // caption "-" is a separator line; shortcut is a letter for Ctrl+letter, or 0.
    MenuItem(Form& owner, std::string name, std::string caption, char shortcut = 0);
    const std::string& Caption() const { return caption_; }
    char Shortcut() const { return shortcut_; }
    bool IsSeparator() const { return caption_ == "-"; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    const std::vector<MenuItem*>& Items() const { return items_; }
    void Add(MenuItem& item) { items_.push_back(&item); }

    std::function<void()> Click;
    // A player's choice of the item: nothing while it is disabled.
    void Choose();

private:
    std::string caption_;
    char shortcut_;
    bool checked_ = false;
    std::vector<MenuItem*> items_;
};

// One of a group of choices: the option buttons of one container exclude
// each other.
class OptionButton : public Control {
public:
    OptionButton(Form& owner, std::string name, Control* container, Look look, std::string caption,
                 bool value = false);
    const std::string& Caption() const { return caption_; }
    bool Value() const { return value_; }
    // Selecting an option deselects the other options of its container.
    void SetValue(bool value);

    std::function<void()> Click;
    // A player's click: selects the option and runs Click.
    void Press();

private:
    std::string caption_;
    bool value_;
};

// Shows progress as Value out of Max; the value always lies from 0 to Max.
class ProgressBar : public Control {
public:
    ProgressBar(Form& owner, std::string name, Control* container, Look look)
        : Control(owner, ControlKind::ProgressBar, std::move(name), container, std::move(look)) {}
    int Max() const { return max_; }
    int Value() const { return value_; }
    // Numbers beyond the int range are clipped; a negative maximum counts as 0.
    void SetMax(double max);
    void SetValue(int value);

private:
    int max_ = 100;
    int value_ = 0;
};

}  // namespace quibbly
