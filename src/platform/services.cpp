// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <stdexcept>

namespace quibbly {

double Platform::Rnd() {
    // 53 random bits give every fraction in [0, 1) the same chance.
    return static_cast<double>(generator_() >> 11) * 0x1.0p-53;
}

void Platform::Randomize() {
    Randomize(Timer());
}

void Platform::Randomize(double seconds) {
    generator_.seed(static_cast<std::uint64_t>(std::llround(seconds * 1e6)));
}

std::vector<std::string> Platform::Drives() {
    std::error_code error;
    const std::filesystem::path root = std::filesystem::current_path(error).root_path();
    return {root.empty() ? std::string(1, std::filesystem::path::preferred_separator) : root.string()};
}

std::string Platform::DateTimeNow() {
    return LocalDateTime(std::time(nullptr));
}

std::string Platform::NewGameId() {
    std::random_device entropy;
    const std::uint64_t bits = (static_cast<std::uint64_t>(entropy()) << 32) ^ entropy();
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(bits));
    return text;
}

double LocalTimeOfDay() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto second = floor<seconds>(now);
    const std::time_t whole = system_clock::to_time_t(second);
    std::tm local{};
    localtime_r(&whole, &local);
    const auto micros = duration_cast<microseconds>(now - second).count();
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + static_cast<double>(micros) * 1e-6;
}

std::string LocalDateTime(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

namespace {
Platform* installed = nullptr;
}

Platform& Services() {
    if (installed == nullptr) throw std::logic_error("no platform installed");
    return *installed;
}

Platform* InstalledPlatform() {
    return installed;
}

void InstallPlatform(Platform* platform) {
    installed = platform;
}

}  // namespace quibbly
