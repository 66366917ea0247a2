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
#include "windows/main/quibbly_form.h"

namespace quibbly {
void PrintTo(const ShownBox& box, std::ostream* out);  // how a failing check shows a message box
}  // namespace quibbly

namespace quibbly::testing {

// Writes a word file with CR LF line ends.
void WriteLines(const std::string& name, const std::vector<std::string>& lines);

class FreshGame : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void WriteWordFiles();        // the small, consistent set of standard_files.h
    void CopyShippedWordFiles();  // the five word files the game ships
    QuibblyForm& Form() { return QuibblyForm::Instance(); }
    std::vector<ShownBox> Boxes() { return platform.TakeBoxes(); }  // shown since the last call
    // Starts a game; mineIndex (0-based) picks the computer's word, then the random draws.
    void Start(const std::string& word, int mineIndex, int wordsInLevel, bool playerFirst,
               std::initializer_list<double> laterDraws = {});
    // Word files where Easy holds HOUSE alone, with a known series: known guesses.
    void WriteHouseSeries();
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

std::string ReadBytes(const std::string& name);
void WriteBytes(const std::string& name, const std::string& bytes);
// Runs action with files limited to maxBytes, as on a disk that fills up.
void WithFileSizeLimit(unsigned long maxBytes, const std::function<void()>& action);

ShownBox Info(const std::string& text, const std::string& title);
ShownBox Warn(const std::string& text, const std::string& title);
ShownBox Plain(const std::string& text, const std::string& title);
ShownBox Question(const std::string& text);

}  // namespace quibbly::testing
