// SPDX-License-Identifier: GPL-3.0-or-later
// Each test starts from a fresh program in a temporary current folder that
// holds small word files written by the test.
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
// How a failing check shows a message box.
void PrintTo(const ShownBox& box, std::ostream* out);
}  // namespace quibbly

namespace quibbly::testing {

// Writes a word file with CR LF line ends.
void WriteLines(const std::string& name, const std::vector<std::string>& lines);

class FreshGame : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A small, consistent set of the five word files.
    void WriteWordFiles();
    // The five word files the game ships, from ShippedData().
    void CopyShippedWordFiles();
    QuibblyForm& Form() { return QuibblyForm::Instance(); }
    // The message boxes shown since the last call.
    std::vector<ShownBox> Boxes() { return platform.TakeBoxes(); }
    // Types the player's word and chooses Game > Start. mineIndex picks the
    // computer's word from the level file (0-based); playerFirst decides the
    // first turn; laterDraws are the random fractions that follow.
    void Start(const std::string& word, int mineIndex, int wordsInLevel, bool playerFirst,
               std::initializer_list<double> laterDraws = {});
    // Word files where the easy level holds HOUSE alone and its series is
    // known, so that the computer's guesses are known too.
    void WriteHouseSeries();
    // Types a guess and presses Guess.
    void Guess(const std::string& word);
    // Opens the save-and-load window by a File menu item, types the name and
    // presses the window's Save or Load.
    void UseGameWindow(MenuItem& item, const std::string& name);
    // A new run of the program in the same folder.
    void Restart();

    ScriptedPlatform platform;
    std::filesystem::path folder;

private:
    std::filesystem::path previous_;
};

// The folder of the shipped word files: QUIBBLY_DATA_DIR from the
// environment when set (CI copies them where a normal user can read them),
// else the source tree's data/.
std::filesystem::path ShippedData();
// The whole of a file, byte for byte, and a file written from bytes.
std::string ReadBytes(const std::string& name);
void WriteBytes(const std::string& name, const std::string& bytes);
// Runs action with files limited to maxBytes, as on a disk that fills up.
void WithFileSizeLimit(unsigned long maxBytes, const std::function<void()>& action);

ShownBox Info(const std::string& text, const std::string& title);
ShownBox Warn(const std::string& text, const std::string& title);
ShownBox Plain(const std::string& text, const std::string& title);
ShownBox Question(const std::string& text);

}  // namespace quibbly::testing
