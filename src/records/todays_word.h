// SPDX-License-Identifier: GPL-3.0-or-later
// Today's word: the computer's word of a level drawn from the local date, the
// same for everyone with the same word files, and the settings the game keeps
// between runs (whether Start plays it, the main window's size), in
// "Settings.Lst".
//
// Each level has a fixed order of its word file's words, a shuffle keyed by
// the level's name alone; the n-th day after the epoch takes the word at
// position n modulo the number of words. The shuffle and its generator are
// written out here so that no library's shuffle or distribution (which differ
// between implementations) can change the order from one machine to another.
//
// "Settings.Lst" is single-byte text with CR LF line ends: the header
// "Quibbly Settings 1", then keyed lines:
//
//   TodaysWord=On                 the Game menu's item; anything else is off
//   Started=Easy 2026-12-07       the last date the counted game of a level
//                                 began, one line a level
//   MainWindow=15818 11498        the main window's size as the player last
//                                 made it (its client area, in twips)
//
// A missing or damaged file is a game with the item off and no day's game
// begun; lines this version does not know are dropped when it writes.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/form.h"

namespace quibbly::TodaysWord {

inline constexpr const char* SettingsFile = "Settings.Lst";
inline constexpr const char* Header = "Quibbly Settings 1";
// Day 0 of the order, by the local calendar.
inline constexpr const char* Epoch = "2026-01-01";

// Days from the epoch to a date "YYYY-MM-DD" (negative before it); nothing
// when the text is no such date.
std::optional<long> DayNumber(std::string_view date);
// The date that many days after the epoch.
std::string DateOfDay(long day);

// The level's fixed order of the positions 0 to count - 1 of its words.
std::vector<int> Order(const std::string& level, int count);
// The position (0-based) of the level's word on a date in a file of count
// words; -1 for no date or no words.
int Position(const std::string& level, const std::string& date, int count);

struct Settings {
    bool on = false;
    std::map<std::string, std::string> started;  // level: date
    std::optional<Extent> mainWindow;
    friend bool operator==(const Settings&, const Settings&) = default;
};
Settings ParseSettings(const std::string& bytes);
std::string FormatSettings(const Settings& settings);
// Reads "Settings.Lst"; whatever cannot be read is off.
Settings LoadSettings();
// Writes "Settings.Lst" whole, atomically; the fault, or empty.
std::string SaveSettings(const Settings& settings);
// Reads "Settings.Lst", changes it and writes it back as one change of the
// folder, so that a setting another copy (a second tab) wrote meanwhile is
// kept; the fault, or empty.
std::string ChangeSettings(const std::function<void(Settings&)>& change);

// The day's game on the board: its date, empty for an ordinary game.
extern std::string BoardDate;

// True when the day's counted game at the level has begun on that date: the
// history holds it, or it was started (and may be kept or saved unfinished).
bool PlayedOn(const std::string& level, const std::string& date);
// True when the history holds the day's counted game at the level.
bool Recorded(const std::string& level, const std::string& date);
// Notes in the settings that the level's counted game of the date has begun;
// the fault, or empty.
std::string MarkStarted(const std::string& level, const std::string& date);

}  // namespace quibbly::TodaysWord
