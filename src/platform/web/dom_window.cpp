// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web/dom_window.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>

#include "platform/accessible_text.h"
#include "platform/chart.h"
#include "platform/file_lists.h"
#include "platform/web/page.h"
#include "platform/web/web_platform.h"
#include "platform/zoom.h"

namespace quibbly {

namespace {

// The parts of a window that do not zoom, in pixels, as the page's style
// sheet draws them: the border, the title bar and the menu bar.
constexpr int BorderPixels = 2;
constexpr int TitlePixels = 26;
constexpr int MenuPixels = 24;
// The page's own bar under a window with a file list: Download and Upload
// between the game folder and the player's disk.
constexpr int TransferPixels = 34;

const FileList* FileListOf(const Form& form) {
    for (const Control* control : form.Controls())
        if (control->Kind() == ControlKind::FileList) return static_cast<const FileList*>(control);
    return nullptr;
}

// Markup text: the game's Latin-1 bytes beyond ASCII go as numeric
// references, so the page reads them whatever its encoding.
std::string Escape(const std::string& text) {
    std::string out;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '&')
            out += "&amp;";
        else if (ch == '<')
            out += "&lt;";
        else if (ch == '>')
            out += "&gt;";
        else if (ch == '"')
            out += "&quot;";
        else if (byte >= 0x80)
            out += "&#" + std::to_string(byte) + ";";
        else
            out.push_back(ch);
    }
    return out;
}

std::string Css(Colour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", RedOf(colour), GreenOf(colour), BlueOf(colour));
    return text;
}

double Luminance(Colour colour) {
    auto linear = [](unsigned c) {
        const double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(RedOf(colour)) + 0.7152 * linear(GreenOf(colour)) +
           0.0722 * linear(BlueOf(colour));
}

// Part of the way from the text's colour to the background's: disabled text,
// grey yet readable, as the desktop draws it.
Colour Towards(Colour text, Colour back) {
    auto mix = [](unsigned t, unsigned b) {
        return static_cast<unsigned>(std::lround(t + (b - double(t)) * 0.45));
    };
    return Rgb(mix(RedOf(text), RedOf(back)), mix(GreenOf(text), GreenOf(back)),
               mix(BlueOf(text), BlueOf(back)));
}

// The background the design fixes behind a control: its own colour, or its
// containers' or the window's showing through. None over a picture.
std::optional<Colour> BackBehind(const Form& form, const Control& control) {
    for (const Control* at = &control; at != nullptr; at = at->Container())
        if (at->Design().back) return at->Design().back;
    const FormDesign& design = form.Design();
    if (!design.backPicture.empty()) return std::nullopt;
    // A standard background follows the page's light or dark palette, and
    // so does the text on it (the style sheet's colours).
    if (design.standardBack) return std::nullopt;
    return design.back;
}

std::string FontFamily(const std::string& family) {
    // The free fonts that stand in for the designed ones, as on the desktop.
    if (family == "Arial") return "Arial, 'Liberation Sans', sans-serif";
    if (family == "Garamond") return "Garamond, 'EB Garamond', serif";
    if (family == "Courier New") return "'Courier New', 'Liberation Mono', monospace";
    return "'" + family + "', 'Liberation Serif', serif";
}

// A picture's own size in pixels, from its SVG's width and height.
std::pair<int, int> PictureSize(const std::string& name) {
    static std::map<std::string, std::pair<int, int>> known;
    if (const auto found = known.find(name); found != known.end()) return found->second;
    std::ifstream in("/images/" + name + ".svg");
    const std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto attribute = [&svg](const char* what) {
        const std::size_t at = svg.find(std::string(" ") + what + "=\"");
        return at == std::string::npos
                   ? 0
                   : std::atoi(svg.c_str() + at + std::char_traits<char>::length(what) + 3);
    };
    return known[name] = {attribute("width"), attribute("height")};
}

const char* KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Frame:
            return "frame";
        case ControlKind::Label:
            return "label";
        case ControlKind::TextBox:
            return "text";
        case ControlKind::ListBox:
            return "list";
        case ControlKind::Button:
            return "button";
        case ControlKind::PictureBox:
            return "picture";
        case ControlKind::MenuItem:
            return "menu";
        case ControlKind::OptionButton:
            return "option";
        case ControlKind::ProgressBar:
            return "progress";
        case ControlKind::DriveList:
            return "drives";
        case ControlKind::DirList:
            return "list folders";
        case ControlKind::FileList:
            return "list files";
        case ControlKind::ComboBox:
            return "combo";
        case ControlKind::Chart:
            return "chart";
        default:
            return "other";
    }
}

// Shows one control's changes on the page.
class DomControl : public ControlView {
public:
    DomControl(DomWindow& window, int index) : window_(window), index_(index) {}
    void Refresh() override { window_.Send(index_); }

private:
    DomWindow& window_;
    int index_;
};

}  // namespace

DomWindow::DomWindow(WebPlatform& platform, Form& form, int id) : platform_(platform), form_(form), id_(id) {
    const std::vector<Control*>& controls = form.Controls();
    sent_.resize(controls.size());
    named_.resize(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        views_.push_back(std::make_unique<DomControl>(*this, static_cast<int>(i)));
        controls[i]->Attach(views_.back().get());
    }
    form.Attach(this);
    zoom_ = ZoomToFit();
    Build();
}

DomWindow::~DomWindow() {
    for (Control* control : form_.Controls()) control->Attach(nullptr);
    if (form_.View() == this) form_.Attach(nullptr);
    quibbly_open(id_, "");
}

Control* DomWindow::ControlAt(int index) const {
    const std::vector<Control*>& controls = form_.Controls();
    return index >= 0 && index < static_cast<int>(controls.size()) ? controls[static_cast<std::size_t>(index)]
                                                                   : nullptr;
}

// A window opens at the largest zoom at which it fits the page, up to twice
// its design; a window beside the main one at most at the main window's
// zoom, so that the page reads at one scale.
double DomWindow::ZoomToFit() const {
    const FormDesign& design = form_.Design();
    const int chrome = BorderPixels + (design.caption.empty() ? 0 : TitlePixels) +
                       (form_.Menus().empty() ? 0 : MenuPixels) +
                       (FileListOf(form_) == nullptr ? 0 : TransferPixels);
    double most = 2.0;
    if (!design.showInTaskbar)
        if (const std::optional<double> main = platform_.MainZoom()) most = *main;
    return Zoom::ToFit(design.clientWidth / double(TwipsPerPixel),
                       design.clientHeight / double(TwipsPerPixel), quibbly_room(0) - BorderPixels,
                       quibbly_room(1) - chrome, most);
}

std::string DomWindow::IndexOf(const Control& control) const {
    const std::vector<Control*>& controls = form_.Controls();
    return std::to_string(std::find(controls.begin(), controls.end(), &control) - controls.begin());
}

std::string DomWindow::Children(const Control* container) const {
    std::string html;
    const std::vector<Control*>& controls = form_.Controls();
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i]->Container() == container && controls[i]->Kind() != ControlKind::MenuItem)
            html += Markup(*controls[i], static_cast<int>(i));
    return html;
}

std::string DomWindow::Markup(const Control& control, int index) const {
    const Look& look = control.Design();
    auto px = [this](int twips) { return std::to_string(Zoom::Pixels(twips, zoom_)) + "px"; };
    std::string style = "left:" + px(look.place.left) + ";top:" + px(look.place.top) +
                        ";width:" + px(look.place.width) + ";height:" + px(look.place.height) +
                        ";font:" + (look.font.bold ? "bold " : "") +
                        std::to_string(look.font.points * zoom_) + "pt " + FontFamily(look.font.family) + ";";
    // Where the design fixes the background, the text colour is fixed with it.
    const ControlKind kind = control.Kind();
    const bool box = kind == ControlKind::TextBox || kind == ControlKind::ListBox ||
                     kind == ControlKind::DirList || kind == ControlKind::FileList ||
                     kind == ControlKind::ComboBox || kind == ControlKind::DriveList ||
                     kind == ControlKind::Chart;
    std::optional<Colour> back = box ? look.back.value_or(Rgb(255, 255, 255)) : BackBehind(form_, control);
    if (look.back && control.Kind() != ControlKind::Button)
        style += "background-color:" + Css(*look.back) + ";";
    if (back && control.Kind() != ControlKind::Button) {
        const Colour text = look.fore                  ? *look.fore
                            : Luminance(*back) > 0.179 ? Rgb(0, 0, 0)
                                                       : Rgb(255, 255, 255);
        style += "color:" + Css(text) + ";--off:" + Css(Towards(text, *back)) + ";";
    } else if (look.fore && control.Kind() != ControlKind::Button) {
        style += "color:" + Css(*look.fore) + ";";
    }
    const std::vector<Control*>& order = form_.TabOrder();
    const auto tab = std::find(order.begin(), order.end(), &control);
    const std::string tabIndex =
        tab == order.end() ? "-1" : std::to_string(1 + (tab - order.begin()) + 100 * id_);
    std::string classes = KindName(control.Kind());
    if (look.border) classes += " border";
    if (look.rightAligned)
        classes += " right";
    else if (!look.centred)
        classes += " left";
    if (look.multiLine) classes += " wrap";
    if (look.graphical) classes += " graphical";
    std::string head = " id=\"c" + std::to_string(id_) + "_" + std::to_string(index) + "\" data-c=\"" +
                       std::to_string(index) + "\" data-name=\"" + Escape(control.Name()) + "\" class=\"" +
                       classes + "\" style=\"" + style + "\"";
    if (!look.toolTip.empty()) head += " title=\"" + Escape(look.toolTip) + "\"";
    // A heading names what it heads, as the desktop ties a label to its buddy.
    if (const Label* heading = HeadingOf(control))
        head += " data-by=\"c" + std::to_string(id_) + "_" + IndexOf(*heading) + "\"";
    switch (control.Kind()) {
        case ControlKind::Frame:
            return "<div" + head + ">" + Children(&control) + "</div>";
        case ControlKind::Label:
            return "<div" + head + "></div>";
        case ControlKind::TextBox: {
            const auto& text = static_cast<const TextBox&>(control);
            if (look.multiLine) return "<textarea" + head + " tabindex=\"" + tabIndex + "\"></textarea>";
            const std::string most =
                text.MaxLength() > 0 ? " maxlength=\"" + std::to_string(text.MaxLength()) + "\"" : "";
            return "<input type=\"text\" autocomplete=\"off\" spellcheck=\"false\"" + head + most +
                   " tabindex=\"" + tabIndex + "\">";
        }
        case ControlKind::ListBox:
            return "<div role=\"listbox\"" + head + " tabindex=\"" + tabIndex + "\"></div>";
        case ControlKind::Button:
            if (look.meanings.empty()) return "<button" + head + " tabindex=\"" + tabIndex + "\"></button>";
            // A marker's mark in the caption's colour over a white edge, as
            // the desktop draws it: a stroke through it or a ring round it.
            return "<button" + head + " tabindex=\"" + tabIndex +
                   "\"><span class=\"cap\"></span><svg class=\"mark\" viewBox=\"0 0 100 100\" "
                   "aria-hidden=\"true\">"
                   "<path class=\"edge struck\" d=\"M14 86L86 14\"/><path class=\"ink struck\" d=\"M14 86L86 "
                   "14\"/>"
                   "<circle class=\"edge ringed\" cx=\"50\" cy=\"50\" r=\"40\"/>"
                   "<circle class=\"ink ringed\" cx=\"50\" cy=\"50\" r=\"40\"/></svg></button>";
        case ControlKind::PictureBox: {
            const auto [width, height] = PictureSize(look.picture);
            return "<img" + head + " alt=\"\" src=\"images/" + Escape(look.picture) + ".svg\" width=\"" +
                   std::to_string(std::lround(width * zoom_)) + "\" height=\"" +
                   std::to_string(std::lround(height * zoom_)) + "\">";
        }
        case ControlKind::OptionButton:
            return "<label" + head + "><input type=\"radio\" tabindex=\"" + tabIndex +
                   "\"><span></span></label>";
        case ControlKind::ProgressBar:
            return "<progress" + head + "></progress>";
        case ControlKind::DriveList:
            return "<select" + head + " tabindex=\"" + tabIndex + "\"></select>";
        case ControlKind::DirList:
        case ControlKind::FileList:
            return "<div role=\"listbox\"" + head + " tabindex=\"" + tabIndex + "\"></div>";
        case ControlKind::ComboBox: {
            // The box takes typing; the drop-down beside it chooses an entry.
            std::string items;
            for (const std::string& item : static_cast<const ComboBox&>(control).Items())
                items += "<option>" + Escape(item) + "</option>";
            return "<div" + head +
                   "><input type=\"text\" autocomplete=\"off\" spellcheck=\"false\" tabindex=\"" + tabIndex +
                   "\"><select tabindex=\"" + tabIndex + "\" aria-label=\"Choose a pattern\">" + items +
                   "</select></div>";
        }
        case ControlKind::Chart: {
            const auto& chart = static_cast<const Chart&>(control);
            // Taken by the keyboard as on the desktop, even outside the tab order.
            return "<div role=\"listbox\" aria-orientation=\"horizontal\"" + head + " data-empty=\"" +
                   Escape(chart.EmptyText()) + "\" tabindex=\"" + (tabIndex == "-1" ? "0" : tabIndex) +
                   "\"></div>";
        }
        default:
            return "<div" + head + "></div>";
    }
}

void DomWindow::Build() {
    const FormDesign& design = form_.Design();
    const int width = Zoom::Pixels(design.clientWidth, zoom_);
    const int height = Zoom::Pixels(design.clientHeight, zoom_);
    // The main window is the page's main part; the others are its dialogs,
    // each named as the desktop names it, or by its title bar.
    const std::string title = "t" + std::to_string(id_);
    std::string html = "<div class=\"win\" id=\"w" + std::to_string(id_) + "\" data-w=\"" +
                       std::to_string(id_) + "\" role=\"" + (design.showInTaskbar ? "main" : "dialog") +
                       "\"" +
                       (!design.spokenName.empty() ? " aria-label=\"" + Escape(design.spokenName) + "\""
                        : design.caption.empty()   ? ""
                                                   : " aria-labelledby=\"" + title + "\"") +
                       " hidden>";
    if (!design.caption.empty()) {
        html += "<div class=\"title\"><span id=\"" + title + "\"></span>";
        if (design.controlBox)
            html += "<button class=\"close\" tabindex=\"-1\" aria-label=\"Close\">&#215;</button>";
        html += "</div>";
    }
    if (!form_.Menus().empty()) {
        html += "<div class=\"menubar\">";
        const std::vector<Control*>& controls = form_.Controls();
        auto indexOf = [&controls](const Control* item) {
            return std::to_string(std::find(controls.begin(), controls.end(), item) - controls.begin());
        };
        for (const MenuItem* top : form_.Menus()) {
            html += "<div class=\"menu\" id=\"c" + std::to_string(id_) + "_" + indexOf(top) + "\" data-c=\"" +
                    indexOf(top) + "\" data-name=\"" + Escape(top->Name()) +
                    "\"><span class=\"top\"></span><div class=\"drop\">";
            for (const MenuItem* item : top->Items()) {
                if (item->IsSeparator()) {
                    html += "<hr>";
                    continue;
                }
                const std::string shortcut =
                    item->Shortcut() != 0 ? std::string(1, char(std::toupper(item->Shortcut()))) : "";
                html += "<div class=\"item\" id=\"c" + std::to_string(id_) + "_" + indexOf(item) +
                        "\" data-c=\"" + indexOf(item) + "\" data-name=\"" + Escape(item->Name()) +
                        "\" data-s=\"" + shortcut + "\"><span class=\"cap\"></span><span class=\"sc\">" +
                        (shortcut.empty() ? "" : "Ctrl+" + shortcut) + "</span></div>";
            }
            html += "</div></div>";
        }
        html += "</div>";
    }
    std::string back = design.standardBack ? "" : "background-color:" + Css(design.back) + ";";
    if (!design.backPicture.empty())
        back +=
            "background-image:url(images/" + Escape(design.backPicture) + ".svg);background-size:100% 100%;";
    html += "<div class=\"client\" style=\"width:" + std::to_string(width) +
            "px;height:" + std::to_string(height) + "px;" + back + "\">" + Children(nullptr) + "</div>";
    if (const FileList* files = FileListOf(form_)) {
        // Beside the game folder's lists: its saved games to and from the
        // player's own disk, which the page cannot otherwise reach.
        const std::string list = "c" + std::to_string(id_) + "_" + IndexOf(*files);
        html +=
            "<div class=\"transfer\" role=\"group\" aria-label=\"Saved games on your disk\">"
            "<button class=\"download\" data-list=\"" +
            list + "\">&amp;Download</button><button class=\"upload\" data-list=\"" + list +
            "\">&amp;Upload...</button><input type=\"file\" accept=\".swg\" hidden></div>";
    }
    html += "</div>";
    quibbly_open(id_, html.c_str());
    std::fill(sent_.begin(), sent_.end(), std::string());
    std::fill(named_.begin(), named_.end(), std::string());
    for (std::size_t i = 0; i < sent_.size(); ++i) Send(static_cast<int>(i));
    CaptionChanged();
}

void DomWindow::Send(int index) {
    const Control* control = ControlAt(index);
    if (control == nullptr) return;
    int flags = (control->Enabled() ? 1 : 0) | (control->Visible() ? 2 : 0);
    int number = 0;
    std::string text;
    switch (control->Kind()) {
        case ControlKind::Label:
            text = static_cast<const Label*>(control)->Caption();
            break;
        case ControlKind::TextBox: {
            const auto* box = static_cast<const TextBox*>(control);
            for (const char ch : box->Text())
                if (ch != '\r') text.push_back(ch);
            if (box->Selected()) flags |= 4;
            break;
        }
        case ControlKind::ListBox: {
            const auto* list = static_cast<const ListBox*>(control);
            for (std::size_t row = 0; row < list->Rows().size(); ++row)
                text += (row == 0 ? "" : "\n") + list->Rows()[row];
            number = list->ListIndex();
            break;
        }
        case ControlKind::Button: {
            const auto* button = static_cast<const Button*>(control);
            text = button->Caption();
            if (const ColourMeaning* meaning = button->Meaning())
                flags |= meaning->mark == ColourMark::Struck   ? 8
                         : meaning->mark == ColourMark::Ringed ? 16
                                                               : 0;
            const Colour colour = button->BackColor();
            number = control->Design().graphical
                         ? static_cast<int>(RedOf(colour) << 16 | GreenOf(colour) << 8 | BlueOf(colour))
                         : -1;
            break;
        }
        case ControlKind::PictureBox: {
            const auto* picture = static_cast<const PictureBox*>(control);
            number = Zoom::Pixels(picture->Left(), zoom_);
            text = std::to_string(Zoom::Pixels(picture->Top(), zoom_));
            break;
        }
        case ControlKind::MenuItem: {
            const auto* item = static_cast<const MenuItem*>(control);
            text = item->Caption();
            if (item->Checked()) flags |= 4;
            break;
        }
        case ControlKind::OptionButton: {
            const auto* option = static_cast<const OptionButton*>(control);
            text = option->Caption();
            if (option->Value()) flags |= 4;
            break;
        }
        case ControlKind::ProgressBar: {
            const auto* bar = static_cast<const ProgressBar*>(control);
            number = bar->Value();
            text = std::to_string(std::max(bar->Max(), 1));
            break;
        }
        case ControlKind::DriveList: {
            const auto* drives = static_cast<const DriveList*>(control);
            const auto at = std::find(drives->Drives().begin(), drives->Drives().end(), drives->Drive());
            number = at == drives->Drives().end() ? -1 : static_cast<int>(at - drives->Drives().begin());
            for (const std::string& drive : drives->Drives()) text += (text.empty() ? "" : "\n") + drive;
            break;
        }
        case ControlKind::DirList: {
            // Each row "depth open name": the page indents it and draws its folder.
            const auto* folders = static_cast<const DirList*>(control);
            for (const DirList::Entry& entry : folders->Entries())
                text += (text.empty() ? "" : "\n") + std::to_string(entry.depth) +
                        (entry.open ? " 1 " : " 0 ") + entry.name;
            number = folders->ListIndex();
            break;
        }
        case ControlKind::FileList: {
            const auto* files = static_cast<const FileList*>(control);
            for (std::size_t row = 0; row < files->Files().size(); ++row)
                text += (row == 0 ? "" : "\n") + files->Files()[row];
            number = files->ListIndex();
            break;
        }
        case ControlKind::ComboBox:
            text = static_cast<const ComboBox*>(control)->Text();
            number = static_cast<const ComboBox*>(control)->ListIndex();
            break;
        case ControlKind::Chart: {
            // Each bar "value kind above\tbelow\twords"; the page scales them
            // against the highest, as the desktop paints them.
            const auto* chart = static_cast<const Chart*>(control);
            for (const ChartBar& bar : chart->Bars())
                text += (text.empty() ? "" : "\n") + std::to_string(bar.value) + " " +
                        std::to_string(static_cast<int>(bar.kind)) + " " + bar.above + "\t" + bar.below +
                        "\t" + bar.words;
            number = static_cast<int>(chart->Bars().size());
            break;
        }
        default:
            break;
    }
    SendAria(*control, index);
    std::string state = std::to_string(flags) + " " + std::to_string(number) + " " + text;
    std::string& sent = sent_[static_cast<std::size_t>(index)];
    if (state == sent) return;
    sent = std::move(state);
    quibbly_state(id_, index, flags, number, text.c_str());
}

// What assistive tools read for the control: its name where neither its
// caption nor its heading gives it, and its description. A new description
// (the turn that just came) and a marker's new state while the player is
// on it are said at once through the page's live region.
void DomWindow::SendAria(const Control& control, int index) {
    std::string name;
    bool marker = false;
    if (control.Kind() == ControlKind::Button) {
        const auto& button = static_cast<const Button&>(control);
        if (!control.SpokenName().empty()) name = control.SpokenName();
        if (const ColourMeaning* meaning = button.Meaning()) {
            name = button.Caption() + ", " + meaning->words;
            marker = true;
        } else if (!control.Design().meanings.empty()) {
            name = button.Caption();
            marker = true;
        }
        // An & marks the access key, not a letter of the name.
        std::string plain;
        for (std::size_t i = 0; i < name.size(); ++i) {
            if (name[i] == '&' && i + 1 < name.size()) ++i;
            plain += name[i];
        }
        name = plain;
    } else if (control.Kind() == ControlKind::Label) {
        name = control.SpokenName();  // a figure read with its caption: "Played: 24"
    } else if (HeadingOf(control) == nullptr || !control.SpokenName().empty()) {
        name = AccessibleText(control);
    }
    const std::string& description = control.Description();
    std::string both = name + '\n' + description;
    std::string& named = named_[static_cast<std::size_t>(index)];
    if (both == named) return;
    const std::size_t cut = named.find('\n');
    const std::string oldName = cut == std::string::npos ? std::string() : named.substr(0, cut);
    const std::string oldDescription = cut == std::string::npos ? std::string() : named.substr(cut + 1);
    const bool first = named.empty();
    named = std::move(both);
    quibbly_aria(id_, index, name.c_str(), description.c_str());
    if (first) return;
    if (!description.empty() && description != oldDescription)
        quibbly_say(description.c_str());
    else if (marker && name != oldName && form_.Focus() == &control)
        quibbly_say(name.c_str());
}

void DomWindow::ShowWindow() {
    if (!placed_) {
        // Centred on the page, its title bar never above the page's top.
        placed_ = true;
        const FormDesign& design = form_.Design();
        const int width = Zoom::Pixels(design.clientWidth, zoom_) + BorderPixels;
        const int height = Zoom::Pixels(design.clientHeight, zoom_) + BorderPixels +
                           (design.caption.empty() ? 0 : TitlePixels) +
                           (form_.Menus().empty() ? 0 : MenuPixels) +
                           (FileListOf(form_) == nullptr ? 0 : TransferPixels);
        left_ = std::max(0, (quibbly_room(0) - width) / 2);
        top_ = std::max(0, (quibbly_room(1) - height) / 2);
    }
    quibbly_show(id_, 1, left_, top_);
    FocusChanged();
}

void DomWindow::HideWindow() {
    quibbly_show(id_, 0, left_, top_);
}

void DomWindow::RepaintNow() {
    quibbly_paint();
}

void DomWindow::FocusChanged() {
    if (!form_.Visible() || form_.Focus() == nullptr) return;
    const std::vector<Control*>& controls = form_.Controls();
    const auto at = std::find(controls.begin(), controls.end(), form_.Focus());
    if (at != controls.end()) quibbly_focus(id_, static_cast<int>(at - controls.begin()));
}

void DomWindow::MoveWindow(int left, int top) {
    placed_ = true;
    left_ = std::max(0, left / TwipsPerPixel);
    top_ = std::max(0, top / TwipsPerPixel);
    if (form_.Visible()) quibbly_show(id_, 1, left_, top_);
}

void DomWindow::CaptionChanged() {
    quibbly_caption(id_, form_.Caption().c_str());
}

void DomWindow::PageResized() {
    const double zoom = ZoomToFit();
    if (zoom == zoom_) return;
    zoom_ = zoom;
    placed_ = false;
    Build();
    if (form_.Visible()) ShowWindow();
}

}  // namespace quibbly
