// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fresh_game.h"

#include "records/saved_game.h"

#include <signal.h>
#include <sys/resource.h>

#include <cstdlib>
#include <random>

#include "platform/form.h"
#include "windows/records/game_form.h"

namespace quibbly {

void PrintTo(const ShownBox& box, std::ostream* out) {
    static const char* icons[] = {"none", "information", "exclamation"};
    *out << "[\"" << box.title << "\": \"" << box.text << "\", " << icons[static_cast<int>(box.icon)]
         << (box.buttons == MsgButtons::OK      ? ", OK]"
             : box.buttons == MsgButtons::YesNo ? ", Yes/No]"
                                                : ", Yes/No, No default]");
}

}  // namespace quibbly

namespace quibbly::testing {

void FreshGame::SetUp() {
    previous_ = std::filesystem::current_path();
    std::random_device device;
    folder = std::filesystem::temp_directory_path() /
             ("quibbly-test-" + std::to_string(device()) + "-" + std::to_string(device()));
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    InstallPlatform(&platform);
    Restart();
}

void FreshGame::TearDown() {
    Forms::DropAll();
    InstallPlatform(nullptr);
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

// From QUIBBLY_DATA_DIR when set (where a normal user can read them in CI).
void FreshGame::CopyShippedWordFiles() {
    const char* set = std::getenv("QUIBBLY_DATA_DIR");
    const std::filesystem::path data = set != nullptr && *set != '\0' ? set : QUIBBLY_DATA_DIR;
    for (const char* name : {"easy.wtf", "medium.wtf", "hard.wtf", "master.wtf", "series.wtf"})
        std::filesystem::copy_file(data / name, name, std::filesystem::copy_options::overwrite_existing);
}

void FreshGame::Start(const std::string& word, int mineIndex, int wordsInLevel, bool playerFirst,
                      std::initializer_list<double> laterDraws) {
    Form().YourWordText.SetText(word);
    platform.NextRandom((mineIndex + 0.5) / wordsInLevel);
    platform.NextRandom(playerFirst ? 0.9 : 0.1);
    for (double fraction : laterDraws) platform.NextRandom(fraction);
    Form().GameStart.Choose();
}

void FreshGame::UseGameWindow(MenuItem& item, const std::string& name) {
    item.Choose();
    GameForm::Instance().FileText.SetText(name);
    GameForm::Instance().FileText.Type("\r");  // Enter presses Save or Load
}

void FreshGame::Restart() {
    Forms::DropAll();
    Functions::ResetModuleState();
    QuibblyForm::Instance();
}

std::string SavedBytes() {
    SavedGame::Contents contents = SavedGame::Capture();
    contents.kept.reset();
    return SavedGame::Format(contents);
}

void WithFileSizeLimit(unsigned long maxBytes, const std::function<void()>& action) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{maxBytes, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    action();
    setrlimit(RLIMIT_FSIZE, &limit);
}

ShownBox Info(const std::string& text, const std::string& title) {
    return {text, title, MsgIcon::Information, MsgButtons::OK};
}
ShownBox Warn(const std::string& text, const std::string& title) {
    return {text, title, MsgIcon::Exclamation, MsgButtons::OK};
}
ShownBox Plain(const std::string& text, const std::string& title) {
    return {text, title, MsgIcon::None, MsgButtons::OK};
}
ShownBox Question(const std::string& text) {
    return {text, "", MsgIcon::None, MsgButtons::YesNo};
}

}  // namespace quibbly::testing
