// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web/web_platform.h"

#include <emscripten.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "platform/atomic_file.h"
#include "platform/chart.h"
#include "platform/file_lists.h"
#include "platform/form.h"
#include "platform/web/dom_window.h"
#include "platform/web/page.h"
#include "records/saved_game.h"
#include "platform/web/web_folder.h"

namespace quibbly {

namespace {
// Where the page puts a file the player uploads, outside the game folder.
const char* const UploadFolder = "/tmp/upload";
}  // namespace

WebPlatform::WebPlatform() {
    if (const double seed = quibbly_test_seed(); seed >= 0) draws_.emplace(static_cast<std::uint64_t>(seed));
}

WebPlatform::~WebPlatform() = default;

MsgAnswer WebPlatform::MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                              const std::string& title) {
    const int kind = buttons == MsgButtons::OK ? 0 : buttons == MsgButtons::YesNo ? 1 : 2;
    const int answer = quibbly_message_box(text.c_str(), title.c_str(), static_cast<int>(icon), kind);
    if (buttons == MsgButtons::OK) return MsgAnswer::OK;
    return answer == 1 ? MsgAnswer::Yes : MsgAnswer::No;
}

// A search yields before every word: the page gets its turn (a paint, the
// click on Stop) at most every 20 ms, which no player can tell from every
// time, and which spares the search thousands of trips through the page.
void WebPlatform::DoEvents() {
    const double now = emscripten_get_now();
    if (now - lastYield_ >= 20) {
        lastYield_ = now;
        emscripten_sleep(0);
    }
    HandleWaiting();
}

double WebPlatform::Timer() {
    return LocalTimeOfDay();
}

void WebPlatform::Sleep(int milliseconds) {
    quibbly_sleep(milliseconds < 0 ? 0 : milliseconds);
}

std::string WebPlatform::ShortDate() {
    char text[64] = {};
    quibbly_short_date(text, sizeof text);
    return text;
}

// The help file is shown whole in a window of the page; the only command
// the game gives is the one for the contents.
void WebPlatform::ShowHelp(const std::string& file, int /*command*/) {
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in) text = "The help file " + file + " cannot be read.";
    quibbly_help(text.c_str());
}

// The page says that the game has ended; no window's event runs after.
void WebPlatform::End() {
    quibbly_end();
    for (;;) quibbly_wait_event();
}

void WebPlatform::FormCreated(Form& form) {
    const int id = static_cast<int>(windows_.size());
    windows_.push_back(std::make_unique<DomWindow>(*this, form, id));
}

void WebPlatform::FormDestroyed(Form& form) {
    for (auto& window : windows_)
        if (window != nullptr && &window->Model() == &form) window.reset();
}

double WebPlatform::Rnd() {
    if (!draws_) return Platform::Rnd();
    return static_cast<double>((*draws_)() >> 11) * 0x1.0p-53;
}

void WebPlatform::SetClipboard(const std::string& text) {
    quibbly_clipboard(text.c_str());
}

void WebPlatform::BeginFolderChange() {
    char fault[512] = {};
    if (quibbly_folder_begin(fault, sizeof fault) != 0) loadFault_ = fault;
}

// The page's copy holds the change either way; what the browser could not
// keep is stored with the next change that it can.
std::string WebPlatform::EndFolderChange() {
    char fault[512] = {};
    std::string why =
        quibbly_folder_end(fault, sizeof fault) != 0 ? std::string(fault) : std::exchange(loadFault_, {});
    if (why.empty()) return {};
    return "the browser could not keep it (" + why + "), so it lasts only while this page is open";
}

std::optional<bool> WebPlatform::ClaimKeptGame() {
    return quibbly_claim() != 0;
}

std::optional<double> WebPlatform::MainZoom() const {
    for (const auto& window : windows_)
        if (window != nullptr && window->Model().Design().showInTaskbar) return window->Zoom();
    return std::nullopt;
}

DomWindow* WebPlatform::WindowOf(int id) const {
    return id >= 0 && id < static_cast<int>(windows_.size()) ? windows_[static_cast<std::size_t>(id)].get()
                                                             : nullptr;
}

void WebPlatform::Run() {
    for (;;) {
        HandleWaiting();
        quibbly_wait_event();
    }
}

void WebPlatform::HandleWaiting() {
    char event[4096];
    while (quibbly_take_event(event, sizeof event) > 0) Dispatch(event);
}

// An event reads "kind window control number text": a click (c), an
// option's click (o), a row's click (l), a typed key (k, with 1 as its
// text when the box's whole text is selected), a text changed in place (t),
// the focus (f), Escape (x), the title bar's close (q), a window made the
// active one (a), the page resized (r) and the tab back at the front (v);
// in the lists, a row moved to by the keys (m) and a double click or Enter
// on a row (d); a combo box's entry chosen (h); a file list's selected game
// downloaded (g) and a file from the player's disk uploaded beside it (u,
// its name as text).
void WebPlatform::Dispatch(const std::string& event) {
    char kind = 0;
    int id = -1, index = -1, number = 0, read = 0;
    if (std::sscanf(event.c_str(), "%c %d %d %d %n", &kind, &id, &index, &number, &read) < 4) return;
    const std::string text = event.substr(static_cast<std::size_t>(read));
    if (kind == 'v') {
        // Back at the front: what other tabs kept meanwhile is loaded now,
        // between events, so that no handler sees its files change under it.
        BeginFolderChange();
        loadFault_.clear();
        EndFolderChange();
        return;
    }
    if (kind == 'r') {
        // The main window first: the others follow its zoom.
        for (const auto& window : windows_)
            if (window != nullptr && window->Model().Design().showInTaskbar) window->PageResized();
        for (const auto& window : windows_)
            if (window != nullptr && !window->Model().Design().showInTaskbar) window->PageResized();
        return;
    }
    DomWindow* window = WindowOf(id);
    if (window == nullptr) return;
    Form& form = window->Model();
    Control* control = window->ControlAt(index);
    switch (kind) {
        case 'a':
            // The keyboard comes back to where it was in the window.
            if (form.Visible()) form.Activate();
            window->FocusChanged();
            return;
        case 'x':
            form.PressEscape();
            return;
        case 'q':
            form.QueryClose();
            return;
        case 'k':
            if (form.Form_KeyPreview(static_cast<Integer>(number))) return;
            if (control != nullptr && control->Kind() == ControlKind::TextBox) {
                // Typed as on the desktop: through the box's key handler, at
                // the end of its text or over the whole of it when selected.
                auto& box = static_cast<TextBox&>(*control);
                box.SetSelected(text == "1" && !box.Text().empty());
                box.Type(std::string(1, static_cast<char>(number)));
            }
            return;
        default:
            break;
    }
    if (control == nullptr) return;
    switch (kind) {
        case 'c':
            if (control->Kind() == ControlKind::Button) static_cast<Button&>(*control).Press();
            if (control->Kind() == ControlKind::MenuItem) static_cast<MenuItem&>(*control).Choose();
            window->Send(index);  // a menu's tick or a button the page drew otherwise
            break;
        case 'o':
            if (control->Kind() == ControlKind::OptionButton) static_cast<OptionButton&>(*control).Press();
            window->Send(index);
            break;
        case 'l':
            if (control->Kind() == ControlKind::ListBox) static_cast<ListBox&>(*control).ClickRow(number);
            if (control->Kind() == ControlKind::FileList) static_cast<FileList&>(*control).ClickRow(number);
            if (control->Kind() == ControlKind::DirList) static_cast<DirList&>(*control).SetListIndex(number);
            if (control->Kind() == ControlKind::DriveList) {
                auto& drives = static_cast<DriveList&>(*control);
                if (number >= 0 && number < static_cast<int>(drives.Drives().size()))
                    drives.SetDrive(drives.Drives()[static_cast<std::size_t>(number)]);
                window->Send(index);  // a drive that cannot be opened puts the list back
            }
            break;
        case 'm':
            // The keys move the selection as the desktop's lists do: a file
            // list's move is its click, the others' only a new selection.
            if (control->Kind() == ControlKind::ListBox) static_cast<ListBox&>(*control).SetListIndex(number);
            if (control->Kind() == ControlKind::FileList) static_cast<FileList&>(*control).ClickRow(number);
            if (control->Kind() == ControlKind::DirList) static_cast<DirList&>(*control).SetListIndex(number);
            break;
        case 'd':
            if (control->Kind() == ControlKind::FileList)
                static_cast<FileList&>(*control).DoubleClickRow(number);
            if (control->Kind() == ControlKind::DirList) static_cast<DirList&>(*control).OpenRow(number);
            break;
        case 'h':
            if (control->Kind() == ControlKind::ComboBox) static_cast<ComboBox&>(*control).Choose(number);
            window->Send(index);
            break;
        case 'g':
            if (control->Kind() == ControlKind::FileList) Download(static_cast<FileList&>(*control));
            break;
        case 'u':
            if (control->Kind() == ControlKind::FileList) Upload(static_cast<FileList&>(*control), text);
            break;
        case 't':
            if (control->Kind() == ControlKind::ComboBox) static_cast<ComboBox&>(*control).SetText(text);
            if (control->Kind() == ControlKind::TextBox) {
                auto& box = static_cast<TextBox&>(*control);
                std::string value;
                for (const char ch : text) value += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
                box.SetSelected(false);
                box.SetText(value);
            }
            break;
        case 'f':
            if (form.Focus() != control) form.SetFocus(control);
            if (control->Kind() == ControlKind::TextBox && control->Design().selectOnFocus)
                static_cast<TextBox&>(*control).SetSelected(true);
            break;
        default:
            break;
    }
}

// The selected saved game goes to the player's disk under its own name.
void WebPlatform::Download(const FileList& files) {
    const std::string name = files.FileName();
    if (name.empty()) return;  // the page offers Download only with a file selected
    const std::string path = JoinPath(files.Path(), name);
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in)
        MsgBox("The game in \"" + path + "\" cannot be read.", MsgButtons::OK, MsgIcon::Exclamation,
               "Download");
    else
        quibbly_download(name.c_str(), bytes.data(), static_cast<int>(bytes.size()));
}

// A file from the player's disk (the page has put it in UploadFolder) comes
// into the file list's folder only if it loads: it is checked as a load
// checks a game, refused with the load's own box, and written whole by the
// game's writer, asking first before it replaces a game of the same name.
void WebPlatform::Upload(FileList& files, const std::string& name) {
    const std::string uploaded = JoinPath(UploadFolder, name);
    std::error_code error;
    std::ifstream in(uploaded, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    std::string fault;
    const bool loads = SavedGame::ReadGameFile(uploaded, fault).has_value();
    std::filesystem::remove(uploaded, error);
    if (!loads) return SavedGame::ReportLoadFault(name, fault);
    // A bare name is a saved game's, as a save names it.
    const std::string kept = name.find('.') == std::string::npos ? name + ".swg" : name;
    const std::string path = JoinPath(files.Path(), kept);
    if (std::filesystem::exists(path, error) &&
        MsgBox("The game folder already holds \"" + kept + "\". Replace it with the one from your disk?",
               MsgButtons::YesNo, MsgIcon::Exclamation, "Upload") != MsgAnswer::Yes)
        return;
    if (const std::string failed = ReplaceFile(path, bytes); !failed.empty())
        return (void)MsgBox("The game cannot be written to \"" + path + "\": " + failed + ".", MsgButtons::OK,
                            MsgIcon::Exclamation, "Upload");
    files.Refresh();
    const auto at = std::find(files.Files().begin(), files.Files().end(), kept);
    if (at != files.Files().end()) files.ClickRow(static_cast<int>(at - files.Files().begin()));
}

}  // namespace quibbly
