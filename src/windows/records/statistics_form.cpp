// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/records/statistics_form.h"

#include "engine/functions.h"
#include "platform/services.h"
#include "windows/main/quibbly_form.h"

namespace quibbly {

namespace {

using namespace GameHistory;

constexpr Colour Window = Rgb(128, 128, 255);  // the game's own blue
constexpr Colour Page = Rgb(255, 255, 255);

Look Text(Place place, double points = 14.25, bool bold = false) {
    return Look{.place = place, .font = Font{.points = points, .bold = bold}, .back = Window};
}

Look Figure(int column) {
    return Text({240 + 2340 * column, 720, 2160, 615}, 24, true);
}

Look FigureName(int column) {
    return Text({240 + 2340 * column, 1335, 2160, 315}, 12);
}

Look ChartLook(Place place) {
    return Look{
        .place = place, .font = Font{.points = 9.75}, .back = Page, .fore = Rgb(0, 0, 0xC0), .border = true};
}

std::string Count(long number, const char* one, const char* many) {
    return std::to_string(number) + " " + (number == 1 ? one : many);
}

// The bars of a by-guesses chart and the same numbers in words.
void ShowBars(Chart& chart, const std::vector<Bar>& bars, const std::string& what) {
    std::vector<ChartBar> shown;
    std::string words;
    for (const Bar& bar : bars) {
        const std::string guesses = std::to_string(bar.guesses) + (bar.orMore ? "+" : "");
        const std::string said = guesses + (bar.guesses == 1 && !bar.orMore ? " guess: " : " guesses: ") +
                                 (bar.games == 0 ? "no games" : Count(bar.games, "game", "games")) +
                                 (bar.latest ? ", the last game among them" : "");
        shown.push_back({bar.games, bar.games > 0 ? std::to_string(bar.games) : "", guesses,
                         bar.latest ? ChartBar::Kind::Highlighted : ChartBar::Kind::Plain, said});
        if (bar.games == 0) continue;
        words += (words.empty() ? "" : "; ") + said;
    }
    chart.SetBars(std::move(shown), words.empty() ? chart.EmptyText() : what + ": " + words + ".");
}

void ShowRecent(Chart& chart, const std::vector<RecentGame>& recent) {
    std::vector<ChartBar> shown;
    std::string words;
    for (std::size_t i = 0; i < recent.size(); ++i) {
        const RecentGame& game = recent[i];
        const bool last = i + 1 == recent.size();
        ChartBar bar;
        switch (game.ending) {
            case Ending::Won:
                bar = {static_cast<int>(std::min<long>(game.score, 1000000)), std::to_string(game.score), "",
                       last ? ChartBar::Kind::Highlighted : ChartBar::Kind::Plain};
                bar.words = "won in " + std::to_string(game.score);
                break;
            case Ending::Lost:
                bar.kind = ChartBar::Kind::Lost;
                bar.words = "lost";
                break;
            case Ending::Quit:
                bar.kind = ChartBar::Kind::Quit;
                bar.words = "gave up";
                break;
        }
        words += (words.empty() ? "" : ", ") + bar.words;
        bar.words = "Game " + std::to_string(i + 1) + (last ? ", the last: " : ": ") + bar.words;
        shown.push_back(std::move(bar));
    }
    chart.SetBars(std::move(shown), words.empty() ? chart.EmptyText() : "Oldest first: " + words + ".");
}

}  // namespace

StatisticsForm::StatisticsForm()
    : Form(FormDesign{.caption = "Statistics",
                      .clientWidth = 9600,
                      .clientHeight = 8580,
                      .back = Window,
                      .showInTaskbar = false,
                      .sizable = true}),
      LevelLabel(*this, "LevelLabel", nullptr, Text({240, 210, 960, 345}), "Level:"),
      EasyOption(*this, "EasyOption", nullptr, Text({1320, 180, 1440, 375}), "&Easy"),
      MediumOption(*this, "MediumOption", nullptr, Text({2880, 180, 1440, 375}), "&Medium"),
      HardOption(*this, "HardOption", nullptr, Text({4440, 180, 1440, 375}), "&Hard"),
      ExpertOption(*this, "ExpertOption", nullptr, Text({6000, 180, 1440, 375}), "E&xpert"),
      PlayedNumber(*this, "PlayedNumber", nullptr, Figure(0), "0"),
      PlayedLabel(*this, "PlayedLabel", nullptr, FigureName(0), "Played"),
      PercentNumber(*this, "PercentNumber", nullptr, Figure(1), "0"),
      PercentLabel(*this, "PercentLabel", nullptr, FigureName(1), "Win %"),
      StreakNumber(*this, "StreakNumber", nullptr, Figure(2), "0"),
      StreakLabel(*this, "StreakLabel", nullptr, FigureName(2), "Current Streak"),
      BestNumber(*this, "BestNumber", nullptr, Figure(3), "0"),
      BestLabel(*this, "BestLabel", nullptr, FigureName(3), "Best Streak"),
      OutcomeLabel(*this, "OutcomeLabel", nullptr, Text({240, 1740, 9120, 375})),
      DailyLabel(*this, "DailyLabel", nullptr, Text({240, 2160, 9120, 375}, 12)),
      ScoreHeading(*this, "ScoreHeading", nullptr, Text({240, 2640, 4440, 375}), "Your Wins by Guesses"),
      ScoreChart(*this, "ScoreChart", nullptr, ChartLook({240, 3015, 4440, 2400}), "Your wins by guesses",
                 "No wins yet"),
      GuessHeading(*this, "GuessHeading", nullptr, Text({4920, 2640, 4440, 375}),
                   "My Guesses to Find Your Word"),
      GuessChart(*this, "GuessChart", nullptr, ChartLook({4920, 3015, 4440, 2400}),
                 "My guesses to find your word", "I have not found your word yet"),
      RecentHeading(*this, "RecentHeading", nullptr, Text({240, 5580, 9120, 375}), "The Last 30 Games"),
      RecentChart(*this, "RecentChart", nullptr, ChartLook({240, 5955, 9120, 1440}), "The last 30 games",
                  "No games yet"),
      NoteLabel(*this, "NoteLabel", nullptr, Text({240, 7485, 9120, 330}, 11)),
      CopyButton(*this, "CopyButton", nullptr, Look{.place = {240, 7920, 2280, 495}}, "&Copy Last Game"),
      ClearButton(*this, "ClearButton", nullptr, Look{.place = {2640, 7920, 2280, 495}}, "C&lear History"),
      OKButton(*this, "OKButton", nullptr, Look{.place = {8040, 7920, 1320, 495}}, "OK"),
      CopiedLabel(*this, "CopiedLabel", nullptr, Text({5040, 7980, 2880, 375}, 12),
                  "Copied to the clipboard.") {
    NoteLabel.SetVisible(false);
    CopiedLabel.SetVisible(false);
    EasyOption.SetValue(true);
    SetTabOrder({&EasyOption, &MediumOption, &HardOption, &ExpertOption, &ScoreChart, &GuessChart,
                 &RecentChart, &CopyButton, &ClearButton, &OKButton});
    SetFocus(&OKButton);
    SetEscapeButton(OKButton);
    for (OptionButton* option : {&EasyOption, &MediumOption, &HardOption, &ExpertOption})
        option->Click = [this] { LevelOption_Click(); };
    CopyButton.Click = [this] { CopyButton_Click(); };
    ClearButton.Click = [this] { ClearButton_Click(); };
    OKButton.Click = [this] { OKButton_Click(); };
}

std::string StatisticsForm::Level() const {
    if (MediumOption.Value()) return "Medium";
    if (HardOption.Value()) return "Hard";
    if (ExpertOption.Value()) return "Expert";
    return "Easy";
}

void StatisticsForm::ShowStatistics() {
    const std::string level = Functions::CheckedLevel();
    (level == "Expert"   ? ExpertOption
     : level == "Hard"   ? HardOption
     : level == "Medium" ? MediumOption
                         : EasyOption)
        .SetValue(true);
    const bool active = IsActive();
    Show();
    // Showing an active window does not activate it again.
    if (active) Reload();
}

void StatisticsForm::Form_Activate() {
    Reload();
    SetFocus(&OKButton);
}

void StatisticsForm::Reload() {
    fault_.clear();
    Load(history_, fault_);
    Fill();
}

void StatisticsForm::Fill() {
    const Summary summary = Summarise(history_, Level());
    PlayedNumber.SetCaption(std::to_string(summary.played));
    PercentNumber.SetCaption(std::to_string(summary.winPercent));
    StreakNumber.SetCaption(std::to_string(summary.currentStreak));
    BestNumber.SetCaption(std::to_string(summary.bestStreak));
    // Each figure is read with the name under it, as one: "Played: 24".
    for (auto [figure, name] : {std::pair{&PlayedNumber, &PlayedLabel},
                                {&PercentNumber, &PercentLabel},
                                {&StreakNumber, &StreakLabel},
                                {&BestNumber, &BestLabel}})
        figure->SetSpokenName(name->Caption() + ": " + figure->Caption());
    OutcomeLabel.SetCaption("Won " + std::to_string(summary.won) + "      Lost " +
                            std::to_string(summary.lost) + "      Given up " + std::to_string(summary.quit));
    const DailySummary daily = SummariseDaily(history_, Level(), Services().LocalDate());
    DailyLabel.SetCaption("Today's word: " + Count(daily.played, "day", "days") + " played, " +
                          std::to_string(daily.won) + " won; streak " + std::to_string(daily.currentStreak) +
                          ", best " + std::to_string(daily.bestStreak));
    ShowBars(ScoreChart, summary.yourScores, "Your wins by guesses");
    ShowBars(GuessChart, summary.myGuesses, "My guesses to find your word");
    ShowRecent(RecentChart, summary.recent);

    const int damaged = history_.Damaged();
    if (!fault_.empty())
        NoteLabel.SetCaption("The history of games \"" + std::string(HistoryFile) +
                             "\" cannot be read: " + fault_ + ".");
    else if (damaged > 0)
        NoteLabel.SetCaption(Count(damaged, "damaged record", "damaged records") + " in \"" + HistoryFile +
                             "\" could not be read; " + (damaged == 1 ? "it stays" : "they stay") +
                             " in the file.");
    else
        NoteLabel.SetCaption("");
    NoteLabel.SetVisible(!NoteLabel.Caption().empty());
    const bool anyGame = static_cast<int>(history_.entries.size()) > damaged;
    CopyButton.SetEnabled(summary.last.has_value());
    ClearButton.SetEnabled(fault_.empty() && anyGame);
    CopiedLabel.SetVisible(false);
}

void StatisticsForm::LevelOption_Click() {
    Fill();
}

void StatisticsForm::CopyButton_Click() {
    const Summary summary = Summarise(history_, Level());
    if (!summary.last) return;
    Services().SetClipboard(ShareLine(*summary.last));
    CopiedLabel.SetVisible(true);
}

void StatisticsForm::ClearButton_Click() {
    Reload();
    if (!fault_.empty()) return;
    int games = 0;
    std::string levels;
    for (const char* level : {"Easy", "Medium", "Hard", "Expert"}) {
        const int played = Summarise(history_, level).played;
        levels += std::string(levels.empty() ? "" : ", ") + level + ": " + std::to_string(played);
    }
    for (const Entry& entry : history_.entries) games += entry.game.has_value();
    const int damaged = history_.Damaged();
    std::string question =
        "Clear the history of " +
        std::string(games == 1 ? "the 1 game" : "all " + std::to_string(games) + " games") +
        "? The statistics and charts of every level (" + levels +
        ") will be lost. The winners list \"Win.Lst\" is not changed.";
    if (damaged > 0)
        question += " The " + Count(damaged, "damaged record", "damaged records") +
                    " that could not be read " + (damaged == 1 ? "stays" : "stay") + " in the file.";
    if (Services().MsgBox(question, MsgButtons::YesNoDefaultNo, MsgIcon::Exclamation, "Clear History") !=
        MsgAnswer::Yes)
        return;
    History kept;
    for (const Entry& entry : history_.entries)
        if (!entry.game) kept.entries.push_back(entry);
    const std::string fault = Save(kept);
    QuibblyForm::Instance().UpdateReviewItem();
    if (!fault.empty())
        Services().MsgBox("The history of games \"" + std::string(HistoryFile) +
                              "\" was not cleared: " + fault + ". The history on the disk is left as it was.",
                          MsgButtons::OK, MsgIcon::Exclamation, "History");
    Reload();
}

void StatisticsForm::OKButton_Click() {
    Hide();
}

}  // namespace quibbly
