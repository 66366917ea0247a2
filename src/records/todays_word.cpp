// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/todays_word.h"

#include <charconv>
#include <cstdint>
#include <cstdio>

#include "platform/atomic_file.h"
#include "platform/text_file.h"
#include "records/game_history.h"

namespace quibbly::TodaysWord {

std::string BoardDate;

namespace {

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long CivilDays(long year, int month, int day) {
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool LeapYear(long year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// SplitMix64: a small generator whose every step is written out here.
struct SplitMix64 {
    std::uint64_t state;
    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
};

// The key of a level's order: FNV-1a over a fixed text and the level's name.
std::uint64_t Key(const std::string& level) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (unsigned char ch : "Quibbly today's word " + level) hash = (hash ^ ch) * 0x100000001B3ull;
    return hash;
}

constexpr long MaxSettingsBytes = 64L << 10;

}  // namespace

std::optional<long> DayNumber(std::string_view date) {
    int year = 0, month = 0, day = 0;
    char rest = 0;
    if (date.size() != 10 || date[4] != '-' || date[7] != '-') return std::nullopt;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
        if (date[i] < '0' || date[i] > '9') return std::nullopt;
    if (std::sscanf(std::string(date).c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &rest) != 3)
        return std::nullopt;
    static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1 ||
        day > lengths[month - 1] + (month == 2 && LeapYear(year) ? 1 : 0))
        return std::nullopt;
    return CivilDays(year, month, day) - CivilDays(2026, 1, 1);
}

std::string DateOfDay(long day) {
    // From days since 1970-01-01 back to the civil date.
    const long z = day + CivilDays(2026, 1, 1) + 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long dayOfEra = z - era * 146097;
    const long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long mp = (5 * dayOfYear + 2) / 153;
    const long d = dayOfYear - (153 * mp + 2) / 5 + 1;
    const long m = mp < 10 ? mp + 3 : mp - 9;
    const long y = yearOfEra + era * 400 + (m <= 2);
    char text[64];
    std::snprintf(text, sizeof text, "%04ld-%02d-%02d", y, static_cast<int>(m), static_cast<int>(d));
    return text;
}

std::vector<int> Order(const std::string& level, int count) {
    std::vector<int> order;
    for (int i = 0; i < count; ++i) order.push_back(i);
    // Fisher-Yates from the end; the slight bias of the modulo is the same
    // on every machine.
    SplitMix64 random{Key(level)};
    for (int i = count - 1; i > 0; --i) {
        const auto j = static_cast<int>(random.Next() % static_cast<std::uint64_t>(i + 1));
        std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(j)]);
    }
    return order;
}

int Position(const std::string& level, const std::string& date, int count) {
    const std::optional<long> day = DayNumber(date);
    if (!day || count <= 0) return -1;
    const long at = ((*day % count) + count) % count;
    return Order(level, count)[static_cast<std::size_t>(at)];
}

Settings ParseSettings(const std::string& bytes) {
    Settings settings;
    std::size_t start = 0;
    bool first = true;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // Another header is another file: nothing of it is taken.
        if (first && line != Header) return {};
        first = false;
        if (line == "TodaysWord=On") settings.on = true;
        if (line.starts_with("Started=")) {
            const std::size_t space = line.find(' ');
            const std::string level = line.substr(8, space == std::string::npos ? 0 : space - 8);
            const std::string date = space == std::string::npos ? "" : line.substr(space + 1);
            if (GameHistory::KnownLevel(level) && DayNumber(date)) settings.started[level] = date;
        }
        if (line.starts_with("MainWindow=")) {
            // Two whole numbers of twips, each within what any screen holds.
            const char* at = line.data() + 11;
            const char* end = line.data() + line.size();
            Extent size;
            const auto width = std::from_chars(at, end, size.width);
            const auto height = width.ptr < end && *width.ptr == ' '
                                    ? std::from_chars(width.ptr + 1, end, size.height)
                                    : std::from_chars_result{width.ptr, std::errc::invalid_argument};
            if (width.ec == std::errc() && height.ec == std::errc() && height.ptr == end && size.width > 0 &&
                size.height > 0 && size.width <= 999999 && size.height <= 999999)
                settings.mainWindow = size;
        }
    }
    return settings;
}

std::string FormatSettings(const Settings& settings) {
    std::string bytes = std::string(Header) + "\r\nTodaysWord=" + (settings.on ? "On" : "Off") + "\r\n";
    for (const auto& [level, date] : settings.started) bytes += "Started=" + level + " " + date + "\r\n";
    if (settings.mainWindow)
        bytes += "MainWindow=" + std::to_string(settings.mainWindow->width) + " " +
                 std::to_string(settings.mainWindow->height) + "\r\n";
    return bytes;
}

Settings LoadSettings() {
    std::string bytes, fault;
    if (ReadWholeFile(SettingsFile, MaxSettingsBytes, "it is too large", bytes, fault) != WholeFile::Read)
        return {};
    return ParseSettings(bytes);
}

std::string SaveSettings(const Settings& settings) {
    return ReplaceFile(SettingsFile, FormatSettings(settings));
}

bool PlayedOn(const std::string& level, const std::string& date) {
    const Settings settings = LoadSettings();
    const auto started = settings.started.find(level);
    return (started != settings.started.end() && started->second == date) || Recorded(level, date);
}

std::string ChangeSettings(const std::function<void(Settings&)>& change) {
    FolderChange section;
    Settings settings = LoadSettings();
    change(settings);
    const std::string fault = SaveSettings(settings);
    const std::string kept = section.End();
    return fault.empty() ? kept : fault;
}

std::string MarkStarted(const std::string& level, const std::string& date) {
    return ChangeSettings([&](Settings& settings) { settings.started[level] = date; });
}

bool Recorded(const std::string& level, const std::string& date) {
    GameHistory::History history;
    std::string fault;
    if (!GameHistory::Load(history, fault)) return false;
    for (const GameHistory::Entry& entry : history.entries)
        if (entry.game && entry.game->level == level && entry.game->daily == date) return true;
    return false;
}

}  // namespace quibbly::TodaysWord
