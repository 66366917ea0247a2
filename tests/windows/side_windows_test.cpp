// SPDX-License-Identifier: GPL-3.0-or-later
// The windows around the game: the start-up on the clock, About, help, and
// the way out through the credits.
#include <filesystem>
#include <set>

#include "support/fresh_game.h"
#include "windows/other/about_form.h"
#include "windows/other/credits_form.h"
#include "windows/other/intro_form.h"

namespace quibbly::testing {
namespace {

// A platform whose windows note, by the clock, when they are shown,
// repainted and hidden.
class LoggingPlatform : public ScriptedPlatform {
public:
    struct View : FormView {
        View(const char* name, LoggingPlatform& owner) : name(name), owner(owner) {}
        void ShowWindow() override { Note("shown"); }
        void HideWindow() override { Note("hidden"); }
        void RepaintNow() override { Note("painted"); }
        void FocusChanged() override {}
        int WindowTop() const override { return 0; }
        int WindowLeft() const override { return 0; }
        void MoveWindow(int, int) override {}
        void Note(const char* what) {
            owner.log.push_back(std::string(name) + " " + what + " at " +
                                std::to_string(static_cast<long>(owner.clock * 10)));
        }
        const char* name;
        LoggingPlatform& owner;
    };
    void FormCreated(Form& form) override {
        views.push_back(std::make_unique<View>(dynamic_cast<IntroForm*>(&form) ? "intro" : "main", *this));
        form.Attach(views.back().get());
    }
    std::vector<std::string> log;
    std::vector<std::unique_ptr<View>> views;
};

class SideWindows : public FreshGame {};

TEST(StartUp, ShowsTheIntroForFiveSecondsThenOnlyTheMainWindowEvenOverMidnight) {
    for (const double start : {12 * 3600.0, 86398.0}) {
        LoggingPlatform platform;
        platform.clock = start;
        InstallPlatform(&platform);
        Forms::DropAll();
        IntroForm& intro = IntroForm::Instance();

        const auto at = [start](double later) {
            return std::to_string(static_cast<long>(std::fmod(start + later, 86400.0) * 10));
        };
        const std::vector<std::string> expected{"intro shown at " + at(0), "intro painted at " + at(0),
                                                "intro hidden at " + at(5), "main shown at " + at(5)};
        EXPECT_EQ(platform.log, expected);
        EXPECT_FALSE(intro.Visible());
        EXPECT_TRUE(QuibblyForm::Instance().Visible());
        // The main window's own start ran: the sad face alone on show.
        EXPECT_TRUE(QuibblyForm::Instance().FaceSad.Visible() &&
                    !QuibblyForm::Instance().FaceHappy.Visible());
        EXPECT_TRUE(platform.boxes.empty());
        Forms::DropAll();
        InstallPlatform(nullptr);
    }
}

TEST_F(SideWindows, AboutHelpAndExitMidGameLeaveTheGameAloneUntilDoneEndsIt) {
    WriteWordFiles();
    QuibblyForm& form = Form();
    Start("HOUSE", 1, 3, true);  // the computer's word is PLANT
    ASSERT_TRUE(Boxes().empty());

    // About, twice: the same window, its version set again, the focus on OK.
    form.HelpAbout.Choose();
    AboutForm& about = AboutForm::Instance();
    EXPECT_TRUE(about.Visible());
    EXPECT_EQ(about.Focus(), &about.OKButton);
    about.Label2.SetCaption("");
    about.SetFocus(nullptr);
    about.OKButton.Press();
    EXPECT_FALSE(about.Visible());
    form.HelpAbout.Choose();
    EXPECT_EQ(&AboutForm::Instance(), &about);
    EXPECT_TRUE(about.Visible());
    EXPECT_TRUE(about.Label2.Caption().starts_with("Version "));
    EXPECT_EQ(about.Focus(), &about.OKButton);

    // Help opens the help file at its contents and says nothing itself.
    form.HelpContents.Choose();
    EXPECT_EQ(platform.helpShown, std::vector<std::string>{"Quibbly.HLP#3"});

    // Exit shows the credits and asks nothing; the game goes on beside them.
    form.FileExit.Choose();
    CreditsForm& credits = CreditsForm::Instance();
    EXPECT_TRUE(credits.Visible());
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(platform.ended);
    form.YourGuessText.Type("CRISP\r");
    EXPECT_EQ(form.YourGuessList.Rows(), std::vector<std::string>{"CRISP -  1"});
    Boxes();

    // Done ends the program at once: no question, and nothing written.
    std::set<std::filesystem::path> before(std::filesystem::directory_iterator("."), {});
    credits.DoneButton.Press();
    EXPECT_TRUE(platform.ended);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(std::set<std::filesystem::path>(std::filesystem::directory_iterator("."), {}), before);
}

}  // namespace
}  // namespace quibbly::testing
