// SPDX-License-Identifier: GPL-3.0-or-later
#include "reliability/damaged_files.h"

#include <unistd.h>

#include <fstream>
#include <random>
#include <sstream>

namespace quibbly::testing {

namespace fs = std::filesystem;

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::vector<Damaged> CommonDamage(const std::vector<std::string>& goodLines) {
    std::vector<Damaged> cases;
    cases.push_back({"empty", Harm::Bytes, "", 0});
    for (std::size_t kept = 1; kept < goodLines.size(); ++kept) {
        std::vector<std::string> head(goodLines.begin(), goodLines.begin() + static_cast<long>(kept));
        cases.push_back(
            {"cut after line " + std::to_string(kept), Harm::Bytes, Joined(head), static_cast<int>(kept)});
    }
    // Cut within the last line, as a full disk or a killed writer leaves it.
    std::string cut = Joined(goodLines);
    cut.resize(cut.size() - 4);
    cases.push_back({"cut within the last line", Harm::Bytes, cut, static_cast<int>(goodLines.size()) - 1});

    std::mt19937 noise(20261205);
    std::string bytes(700, '\0');
    for (char& byte : bytes) byte = static_cast<char>(noise() & 0xFF);
    cases.push_back({"binary noise", Harm::Bytes, bytes});
    std::vector<std::string> huge = goodLines;
    huge.insert(huge.begin() + 1, std::string(1 << 20, 'W'));
    cases.push_back({"a huge second line", Harm::Bytes, Joined(huge)});

    std::string mixed;
    for (std::size_t i = 0; i < goodLines.size(); ++i) mixed += goodLines[i] + (i % 2 ? "\n" : "\r\n");
    cases.push_back({"CR LF and LF mixed", Harm::Bytes, mixed});
    std::string noLastEnd = Joined(goodLines);
    noLastEnd.resize(noLastEnd.size() - 2);
    cases.push_back({"no line end after the last line", Harm::Bytes, noLastEnd});

    cases.push_back({"missing", Harm::Missing});
    cases.push_back({"a folder in its place", Harm::Folder});
    cases.push_back({"unreadable", Harm::Unreadable, Joined(goodLines)});
    return cases;
}

std::vector<Damaged> CountsThatLie(const std::vector<std::string>& goodLines,
                                   const std::vector<std::string>& counts) {
    std::vector<Damaged> cases;
    for (const std::string& count : counts) {
        std::vector<std::string> lines = goodLines;
        lines.front() = count;
        cases.push_back({"count " + count, Harm::Bytes, Joined(lines)});
    }
    return cases;
}

bool PutInPlace(const std::string& name, const Damaged& damage) {
    RemoveDamage(name);
    switch (damage.harm) {
        case Harm::Missing:
            return true;
        case Harm::Folder:
            fs::create_directory(name);
            return true;
        case Harm::Unreadable:
            if (::geteuid() == 0) return false;
            [[fallthrough]];
        case Harm::Bytes: {
            std::ofstream(name, std::ios::binary) << damage.bytes;
            if (damage.harm == Harm::Unreadable) fs::permissions(name, fs::perms::none);
            return true;
        }
    }
    return false;
}

void RemoveDamage(const std::string& name) {
    std::error_code ignored;
    fs::permissions(name, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(name, ignored);
}

std::map<std::string, std::string> FolderSnapshot() {
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(".")) {
        if (entry.path().filename() == "History.Lst") continue;  // grows as games end, by design
        std::string bytes = "<folder>";
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream read;
            read << in.rdbuf();
            bytes = in ? read.str() : "<unreadable>";
        }
        files[entry.path().string()] = bytes;
    }
    return files;
}

std::vector<std::string> ShippedLines(const std::string& name) {
    std::ifstream in(std::string(QUIBBLY_DATA_DIR) + "/" + name, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace quibbly::testing
