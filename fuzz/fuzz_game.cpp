// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_game.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "engine/functions.h"
#include "platform/form.h"
#include "support/standard_files.h"

namespace quibbly::fuzz {

namespace {

namespace fs = std::filesystem;

using testing::StandardFile;
using testing::StandardFiles;

fs::path& Folder() {
    static fs::path folder;
    return folder;
}

void RemoveFolder() {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    fs::remove_all(Folder(), ignored);
}

// A folder of its own for this process, in memory where the system has one.
void EnterFolder() {
    std::error_code error;
    fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
    Folder() = base / ("quibbly-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(Folder());
    fs::current_path(Folder());
    std::atexit(RemoveFolder);
}

// The standard files that an input has replaced since the last fresh start.
std::vector<std::string>& Replaced() {
    static std::vector<std::string> names;
    return names;
}

bool IsStandard(const std::string& name) {
    for (const StandardFile& file : StandardFiles)
        if (name == file.name) return true;
    return false;
}

std::unique_ptr<ScriptedPlatform>& Installed() {
    static std::unique_ptr<ScriptedPlatform> platform;
    return platform;
}

}  // namespace

QuibblyForm& FreshProgram() {
    const bool first = Folder().empty();
    if (first) EnterFolder();
    Forms::DropAll();
    auto next = std::make_unique<ScriptedPlatform>();
    InstallPlatform(next.get());
    Installed() = std::move(next);
    Functions::ResetModuleState();

    // Only what the last input changed is put back: the fuzzers run faster.
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(".", error)) {
        if (IsStandard(entry.path().filename().string()) && entry.is_regular_file(error)) continue;
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(entry.path(), error);
    }
    std::vector<std::string> replaced;
    replaced.swap(Replaced());
    for (const StandardFile& file : StandardFiles) {
        const bool missing = !fs::is_regular_file(file.name, error);
        if (first || missing || std::find(replaced.begin(), replaced.end(), file.name) != replaced.end())
            WriteFile(file.name, file.bytes);
    }
    Replaced().clear();
    return QuibblyForm::Instance();
}

ScriptedPlatform& Scripted() {
    return *Installed();
}

QuibblyForm& GameUnderWay() {
    QuibblyForm& form = FreshProgram();
    Scripted().NextRandom(0.5);
    Scripted().NextRandom(0.9);
    form.YourWordText.Type("SHOUT\r");
    return form;
}

void WriteFile(const std::string& name, std::string_view contents) {
    Replaced().push_back(name);
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

std::string ReadWholeFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string_view Text(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

std::pair<std::string_view, std::string_view> SplitAtLine(std::string_view text, std::string_view separator) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t lineEnd = end == std::string_view::npos ? text.size() : end;
        std::string_view line = text.substr(start, lineEnd - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line == separator)
            return {text.substr(0, start),
                    end == std::string_view::npos ? std::string_view() : text.substr(end + 1)};
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return {text, {}};
}

void Fail(const std::string& what) {
    std::fprintf(stderr, "\n*** The game broke a promise: %s\n", what.c_str());
    if (Installed())
        for (const ShownBox& box : Scripted().boxes)
            std::fprintf(stderr, "    box \"%s\": \"%s\"\n", box.title.c_str(), box.text.c_str());
    std::abort();
}

void ExpectOnlyKnownBoxes(const std::vector<ShownBox>& boxes, const std::vector<std::string>& knownTitles) {
    for (const ShownBox& box : boxes) {
        bool known = false;
        for (const std::string& title : knownTitles) known = known || box.title == title;
        Expect(known, "a message box titled \"" + box.title + "\"");
    }
}

bool ShowedFileFault(const std::vector<ShownBox>& boxes, const std::string& file) {
    for (const ShownBox& box : boxes)
        if (box.title == "Word File Error") {
            Expect(box.text.find("\"" + file + "\"") != std::string::npos,
                   "a word file fault that does not name \"" + file + "\": " + box.text);
            Expect(box.icon == MsgIcon::Exclamation, "a word file fault without the exclamation icon");
            return true;
        }
    return false;
}

bool IsWord(const std::string& text) {
    if (text.size() != 5) return false;
    for (char ch : text)
        if (ch < 'A' || ch > 'Z') return false;
    return true;
}

bool IsLineOf(std::string_view text, const std::string& line) {
    for (std::size_t at = text.find(line); at != std::string_view::npos; at = text.find(line, at + 1)) {
        if (at > 0 && text[at - 1] != '\n') continue;
        const std::string_view rest = text.substr(at + line.size());
        // The reader also takes a CR at the very end for a line end.
        if (rest.empty() || rest == "\r" || rest.starts_with("\n") || rest.starts_with("\r\n")) return true;
    }
    return false;
}

}  // namespace quibbly::fuzz
