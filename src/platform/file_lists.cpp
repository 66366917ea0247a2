// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_lists.h"

#include <algorithm>
#include <cctype>

#include "platform/services.h"

namespace quibbly {

namespace fs = std::filesystem;

namespace {

// An absolute folder without "." or ".." parts and without a trailing
// separator, except for the root itself.
std::string Normal(const std::string& path) {
    std::error_code error;
    fs::path full = fs::absolute(fs::path(path), error);
    if (error) full = fs::path(path);
    std::string text = full.lexically_normal().string();
    while (text.size() > 1 && text.back() == PathSeparator) text.pop_back();
    return text;
}

std::string CurrentFolder() {
    std::error_code error;
    const fs::path current = fs::current_path(error);
    return error ? std::string(1, PathSeparator) : Normal(current.string());
}

char Lower(char ch) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
}

// '*' any run of characters, '?' any one; linear backtracking over the last star.
bool Glob(const std::string& name, const std::string& pattern) {
    std::size_t n = 0, p = 0, star = std::string::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++n, ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

// Names in the order a player looks for them: letters regardless of case.
bool NameBefore(const std::string& a, const std::string& b) {
    const auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), Lower);
        return text;
    };
    const std::string la = lower(a), lb = lower(b);
    return la != lb ? la < lb : a < b;
}

bool Hidden(const std::string& name) {
    return !name.empty() && name[0] == '.';
}

// Whether a folder is the given one or lies inside it.
bool Within(const std::string& folder, const std::string& outer) {
    return folder == outer || folder.starts_with(JoinPath(outer, ""));
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == PathSeparator) return folder + name;
    return folder + PathSeparator + name;
}

bool MatchesPattern(const std::string& name, const std::string& pattern) {
    std::size_t start = 0;
    while (start <= pattern.size()) {
        std::size_t end = pattern.find(';', start);
        if (end == std::string::npos) end = pattern.size();
        std::string one = pattern.substr(start, end - start);
        one.erase(0, one.find_first_not_of(' '));
        one.erase(one.find_last_not_of(' ') + 1);
        if (one == "*.*" || one == "*" || (!one.empty() && Glob(name, one))) return true;
        start = end + 1;
    }
    return false;
}

DriveList::DriveList(Form& owner, std::string name, Control* container, Look look)
    : Control(owner, ControlKind::DriveList, std::move(name), container, std::move(look)) {
    drives_ = Services().Drives();
    drive_ = DriveOf(CurrentFolder());
}

void DriveList::SetDrive(const std::string& drive) {
    if (drive == drive_) return;
    drive_ = drive;
    if (std::find(drives_.begin(), drives_.end(), drive) == drives_.end()) drives_.push_back(drive);
    Changed();
    if (Change) Change();
}

void DriveList::Refresh() {
    drives_ = Services().Drives();
    if (std::find(drives_.begin(), drives_.end(), drive_) == drives_.end()) drives_.push_back(drive_);
    Changed();
}

std::string DriveList::DriveOf(const std::string& folder) const {
    std::string best(1, PathSeparator);
    std::size_t bestLength = 0;
    for (const std::string& drive : drives_) {
        const std::string root = Normal(drive);
        const bool holds = folder == root || root == std::string(1, PathSeparator) ||
                           folder.starts_with(root + PathSeparator);
        if (holds && root.size() >= bestLength) {
            best = drive;
            bestLength = root.size();
        }
    }
    return best;
}

DirList::DirList(Form& owner, std::string name, Control* container, Look look)
    : Control(owner, ControlKind::DirList, std::move(name), container, std::move(look)) {
    if (!Read(CurrentFolder(), nullptr)) path_ = CurrentFolder();
}

bool DirList::Read(const std::string& path, std::string* fault) {
    const std::string folder = Normal(path);
    std::error_code error;
    fs::directory_iterator entry(folder, error);
    if (error) {
        if (fault != nullptr) *fault = error.message();
        return false;
    }
    // Hidden folders stay out of the list, except the one on the way to the
    // game's own folder (the current folder, under ~/.local/share), so that
    // the player can always walk back to it.
    const std::string home = CurrentFolder();
    std::vector<std::string> subfolders;
    for (; entry != fs::directory_iterator(); entry.increment(error)) {
        if (error) break;
        const std::string name = entry->path().filename().string();
        std::error_code ignored;
        const bool shown = !Hidden(name) || Within(home, JoinPath(folder, name));
        if (shown && entry->is_directory(ignored)) subfolders.push_back(name);
    }
    std::sort(subfolders.begin(), subfolders.end(), NameBefore);

    std::vector<Entry> entries;
    fs::path walked;
    for (const fs::path& part : fs::path(folder)) {
        if (part.empty()) continue;
        walked /= part;
        entries.push_back(Entry{walked.string(), part.string(), static_cast<int>(entries.size()), true});
    }
    const int depth = static_cast<int>(entries.size());
    for (const std::string& name : subfolders)
        entries.push_back(Entry{JoinPath(folder, name), name, depth, false});

    path_ = folder;
    entries_ = std::move(entries);
    listIndex_ = depth - 1;
    Changed();
    return true;
}

bool DirList::SetPath(const std::string& path, std::string* fault) {
    const std::string before = path_;
    if (!Read(path, fault)) return false;
    if (path_ != before && Change) Change();
    return true;
}

void DirList::Refresh() {
    Read(path_, nullptr);
}

void DirList::SetListIndex(int index) {
    if (index < -1 || index >= static_cast<int>(entries_.size())) index = -1;
    if (listIndex_ == index) return;
    listIndex_ = index;
    Changed();
}

void DirList::OpenRow(int row) {
    if (row < 0 || row >= static_cast<int>(entries_.size())) return;
    const std::string target = entries_[static_cast<std::size_t>(row)].path;
    SetPath(target);
}

FileList::FileList(Form& owner, std::string name, Control* container, Look look, std::string pattern)
    : Control(owner, ControlKind::FileList, std::move(name), container, std::move(look)),
      path_(CurrentFolder()),
      pattern_(std::move(pattern)) {
    Refresh();
}

void FileList::SetPath(const std::string& path) {
    path_ = Normal(path);
    Refresh();
}

void FileList::SetPattern(const std::string& pattern) {
    pattern_ = pattern;
    Refresh();
}

void FileList::Refresh() {
    std::vector<std::string> files;
    std::error_code error;
    fs::directory_iterator entry(path_, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        std::error_code ignored;
        // Dot files are listed too: ".swg", the name the save window
        // offers, is one.
        if (entry->is_regular_file(ignored) && MatchesPattern(name, pattern_)) files.push_back(name);
    }
    std::sort(files.begin(), files.end(), NameBefore);
    // The selection follows its file if it is still listed.
    const std::string selected = FileName();
    files_ = std::move(files);
    const auto kept = std::find(files_.begin(), files_.end(), selected);
    listIndex_ = selected.empty() || kept == files_.end() ? -1 : static_cast<int>(kept - files_.begin());
    Changed();
}

void FileList::SetListIndex(int index) {
    if (index < -1 || index >= static_cast<int>(files_.size())) index = -1;
    if (listIndex_ == index) return;
    listIndex_ = index;
    Changed();
}

std::string FileList::FileName() const {
    return listIndex_ < 0 ? std::string() : files_[static_cast<std::size_t>(listIndex_)];
}

void FileList::ClickRow(int row) {
    if (!Enabled() || row < 0 || row >= static_cast<int>(files_.size())) return;
    SetListIndex(row);
    if (Click) Click();
}

void FileList::DoubleClickRow(int row) {
    if (!Enabled() || row < 0 || row >= static_cast<int>(files_.size())) return;
    SetListIndex(row);
    if (DblClick) DblClick();
}

ComboBox::ComboBox(Form& owner, std::string name, Control* container, Look look, std::string text,
                   std::vector<std::string> items)
    : Control(owner, ControlKind::ComboBox, std::move(name), container, std::move(look)),
      text_(std::move(text)),
      items_(std::move(items)) {}

void ComboBox::SetText(const std::string& text) {
    if (text_ == text) return;
    text_ = text;
    Changed();
}

void ComboBox::Choose(int index) {
    if (!Enabled() || index < 0 || index >= static_cast<int>(items_.size())) return;
    listIndex_ = index;
    text_ = items_[static_cast<std::size_t>(index)];
    Changed();
    if (Click) Click();
}

}  // namespace quibbly
