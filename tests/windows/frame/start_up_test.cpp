// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up window on the clock: five seconds, then the main window alone.
#include <cmath>

#include "support/fresh_game.h"
#include "windows/frame/intro_form.h"

namespace quibbly::testing {
namespace {

// A platform whose windows note, by the clock in tenths, when they are shown, repainted and hidden.
class LoggingPlatform : public ScriptedPlatform {
public:
    struct View : FormView {
        View(std::string name, LoggingPlatform& owner) : name(std::move(name)), owner(owner) {}
        void ShowWindow() override { Note("shown"); }
        void HideWindow() override { Note("hidden"); }
        void RepaintNow() override { Note("painted"); }
        void FocusChanged() override {}
        int WindowTop() const override { return 0; }
        int WindowLeft() const override { return 0; }
        void MoveWindow(int, int) override {}
        void Note(const char* what) {
            owner.log.push_back(name + what + std::to_string(long(owner.clock * 10)));
        }
        std::string name;
        LoggingPlatform& owner;
    };
    void FormCreated(Form& form) override {
        views.push_back(std::make_unique<View>(dynamic_cast<IntroForm*>(&form) ? "intro " : "main ", *this));
        form.Attach(views.back().get());
    }
    std::vector<std::string> log;
    std::vector<std::unique_ptr<View>> views;
};

TEST(StartUp, ShowsTheIntroForFiveSecondsThenOnlyTheMainWindowEvenOverMidnight) {
    // The start looks for a kept game in the current folder: an empty one of its own.
    const std::filesystem::path previous = std::filesystem::current_path();
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quibbly-start-up-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    for (const double start : {12 * 3600.0, 86398.0}) {
        LoggingPlatform platform;
        platform.clock = start;
        InstallPlatform(&platform);
        Forms::DropAll();
        IntroForm& intro = IntroForm::Instance();
        const auto at = [start](double s) {
            return std::to_string(long(std::fmod(start + s, 86400.0) * 10));
        };
        EXPECT_EQ(platform.log, (std::vector<std::string>{"intro shown" + at(0), "intro painted" + at(0),
                                                          "intro hidden" + at(5), "main shown" + at(5)}));
        // The main window's own start ran: the sad face alone on show.
        const QuibblyForm& form = QuibblyForm::Instance();
        EXPECT_TRUE(!intro.Visible() && form.Visible() && form.FaceSad.Visible() &&
                    !form.FaceHappy.Visible() && platform.boxes.empty());
        Forms::DropAll();
        InstallPlatform(nullptr);
        Functions::ResetModuleState();
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quibbly::testing
