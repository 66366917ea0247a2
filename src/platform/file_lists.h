// SPDX-License-Identifier: GPL-3.0-or-later
// The file-system list controls: a drive list, a folder list and a file list
// filtered by a pattern, and the drop-down combo box that offers patterns.
// They read the file system themselves and never change the process's
// current folder.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace quibbly {

inline constexpr char PathSeparator = std::filesystem::path::preferred_separator;

// The folder, the platform's separator and the name; a folder that already
// ends in the separator (a root) does not get a second one.
std::string JoinPath(const std::string& folder, const std::string& name);

// Whether a file name matches a pattern of '*' and '?'; several patterns may
// be separated by ';'. "*.*" matches every name, as a player expects of it,
// including names without a dot. Letters match regardless of case.
bool MatchesPattern(const std::string& name, const std::string& pattern);

class DriveList : public Control {
public:
    // Starts on the drive that holds the current folder.
    DriveList(Form& owner, std::string name, Control* container, Look look);
    const std::vector<std::string>& Drives() const { return drives_; }
    const std::string& Drive() const { return drive_; }
    // Chooses a drive; Change runs when it differs from the current one.
    void SetDrive(const std::string& drive);
    // Asks the platform again which drives there are.
    void Refresh();
    // The listed drive whose root holds the folder: the longest match.
    std::string DriveOf(const std::string& folder) const;

    std::function<void()> Change;

private:
    std::vector<std::string> drives_;
    std::string drive_;
};

class DirList : public Control {
public:
    struct Entry {
        std::string path;
        std::string name;
        int depth = 0;      // indentation: 0 for the root
        bool open = false;  // an ancestor or the folder itself, not a sub-folder
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    // Starts in the current folder.
    DirList(Form& owner, std::string name, Control* container, Look look);
    const std::string& Path() const { return path_; }
    // Opens a folder: the list shows its ancestors, itself and its
    // sub-folders. Change runs when the folder differs from the last one.
    // False, with the list as it was and the reason in fault, when the
    // folder cannot be read.
    bool SetPath(const std::string& path, std::string* fault = nullptr);
    // Reads the open folder again.
    void Refresh();
    const std::vector<Entry>& Entries() const { return entries_; }
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int index);
    // A player's double-click on a row: opens that folder.
    void OpenRow(int row);

    std::function<void()> Change;

private:
    bool Read(const std::string& path, std::string* fault);
    std::string path_;
    std::vector<Entry> entries_;
    int listIndex_ = -1;
};

class FileList : public Control {
public:
    // Starts in the current folder.
    FileList(Form& owner, std::string name, Control* container, Look look, std::string pattern);
    const std::string& Path() const { return path_; }
    void SetPath(const std::string& path);
    const std::string& Pattern() const { return pattern_; }
    void SetPattern(const std::string& pattern);
    // Reads the folder again: its files that match the pattern, sorted.
    void Refresh();
    const std::vector<std::string>& Files() const { return files_; }
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int index);
    // The selected file's name without its folder; empty with none selected.
    std::string FileName() const;

    // A player's click and double-click on a row.
    void ClickRow(int row);
    void DoubleClickRow(int row);
    std::function<void()> Click;
    std::function<void()> DblClick;

private:
    std::string path_;
    std::string pattern_;
    std::vector<std::string> files_;
    int listIndex_ = -1;
};

// A text box with a drop-down list of entries; choosing an entry puts it
// into the box and runs Click, typing changes only the text.
class ComboBox : public Control {
public:
    ComboBox(Form& owner, std::string name, Control* container, Look look, std::string text,
             std::vector<std::string> items);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    const std::vector<std::string>& Items() const { return items_; }
    int ListIndex() const { return listIndex_; }
    // A player's choice of an entry from the list.
    void Choose(int index);

    std::function<void()> Click;

private:
    std::string text_;
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

}  // namespace quibbly
