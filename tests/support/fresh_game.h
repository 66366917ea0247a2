// SPDX-License-Identifier: GPL-3.0-or-later
// Each test starts from a fresh program in a temporary current folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "engine/functions.h"
#include "platform/scripted_platform.h"
#include "support/standard_files.h"
#include "windows/main/quibbly_form.h"

// The web build's tests run under node, which has no fork, setrlimit or
// flock: a test that needs one says so and is skipped there.
#ifdef __EMSCRIPTEN__
#define SKIP_ON_THE_WEB(needs) GTEST_SKIP() << "needs " needs ", which the web build lacks"
#else
#define SKIP_ON_THE_WEB(needs) static_cast<void>(0)
#endif

namespace quibbly {
void PrintTo(const ShownBox& box, std::ostream* out);  // how a failing check shows a message box
}  // namespace quibbly

namespace quibbly::testing {

class FreshGame : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void CopyShippedWordFiles();  // the five word files the game ships, over any there
    QuibblyForm& Form() { return QuibblyForm::Instance(); }
    std::vector<ShownBox> Boxes() { return platform.TakeBoxes(); }  // shown since the last call
    // Starts a game; mineIndex (0-based) picks the computer's word, then the random draws.
    void Start(const std::string& word, int mineIndex, int wordsInLevel, bool playerFirst,
               std::initializer_list<double> laterDraws = {});
    void Guess(const std::string& word) {
        Form().YourGuessText.SetText(word);
        Form().GuessButton.Press();
    }
    // Opens the save-and-load window by a File menu item and saves or loads name.
    void UseGameWindow(MenuItem& item, const std::string& name);
    void Restart();  // a new run of the program in the same folder

    ScriptedPlatform platform;
    std::filesystem::path folder;

private:
    std::filesystem::path previous_;
};

// A fresh program with the word files that Files writes.
template <void (*Files)()>
class FreshGameWith : public FreshGame {
protected:
    void SetUp() override {
        FreshGame::SetUp();
        Files();
    }
};

// Runs action with files limited to maxBytes, as on a disk that fills up.
void WithFileSizeLimit(unsigned long maxBytes, const std::function<void()>& action);

// The game on the board as a player's saved game holds it.
std::string SavedBytes();

ShownBox Info(const std::string& text, const std::string& title);
ShownBox Warn(const std::string& text, const std::string& title);
ShownBox Plain(const std::string& text, const std::string& title);
ShownBox Question(const std::string& text);
inline const ShownBox PlayAgain = Question("Would you like to play again?");

}  // namespace quibbly::testing
