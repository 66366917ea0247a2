// SPDX-License-Identifier: GPL-3.0-or-later
// Reading, summarising and writing the history of finished games.
#include "records/game_history.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string_view>

#include "engine/functions.h"
#include "platform/atomic_file.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "records/saved_game.h"
#include "records/todays_word.h"
#include "windows/main/quibbly_form.h"

namespace quibbly::GameHistory {

namespace {

// Ten thousand games take about 2 MB; a file far beyond any real history is
// refused rather than read whole.
constexpr long MaxFileBytes = 64L << 20;
constexpr const char* GameKey = "Game";

// The keys besides Game that a record holds at most once.
constexpr std::string_view OnceKeys[] = {"Id",     "Level",       "End",       "Score",       "YourWord",
                                         "MyWord", "YourGuesses", "MyGuesses", "JournalFrom", "Daily"};

bool StartsRecord(std::string_view line) {
    return line.starts_with("Game=");
}

bool IsKey(std::string_view key) {
    return !key.empty() && std::all_of(key.begin(), key.end(), [](char ch) {
        return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9');
    });
}

bool IsWord(std::string_view text) {
    return text.size() == 5 &&
           std::all_of(text.begin(), text.end(), [](char ch) { return ch >= 'A' && ch <= 'Z'; });
}

// "CRISP 1,PLANT 5": five capitals, a blank and a count from 0 to 5 each.
std::optional<std::vector<Guess>> ReadGuesses(std::string_view value) {
    std::vector<Guess> guesses;
    if (value.empty()) return guesses;
    guesses.reserve(value.size() / 8 + 1);
    for (;;) {
        const std::string_view item = value.substr(0, value.find(','));
        if (item.size() != 7 || !IsWord(item.substr(0, 5)) || item[5] != ' ' || item[6] < '0' ||
            item[6] > '5')
            return std::nullopt;
        guesses.push_back({std::string(item.substr(0, 5)), item[6] - '0'});
        if (item.size() == value.size()) return guesses;
        value.remove_prefix(item.size() + 1);
    }
}

std::string WriteGuesses(const std::vector<Guess>& guesses) {
    std::string value;
    for (const Guess& guess : guesses) {
        if (!value.empty()) value += ',';
        value += guess.word + ' ' + static_cast<char>('0' + guess.count);
    }
    return value;
}

std::optional<Ending> ReadEnding(std::string_view value) {
    for (Ending ending : {Ending::Won, Ending::Lost, Ending::Quit})
        if (value == EndingName(ending)) return ending;
    return std::nullopt;
}

// The game a record's lines hold, or nothing when a line is not a keyed
// line, a known key comes twice or holds what it cannot, or one of the keys
// every record has is missing.
std::optional<Game> ReadRecord(const std::vector<std::string>& lines) {
    Game game;
    enum Seen {
        When,
        Id,
        Level,
        End,
        Score,
        YourWord,
        MyWord,
        YourGuesses,
        MyGuesses,
        From,
        Thought,
        Daily,
        Known
    };
    static constexpr std::string_view names[Known] = {GameKey,     "Id",          "Level",   "End",
                                                      "Score",     "YourWord",    "MyWord",  "YourGuesses",
                                                      "MyGuesses", "JournalFrom", "Journal", "Daily"};
    bool seen[Known] = {};
    for (const std::string& line : lines) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) return std::nullopt;
        const std::string_view key = std::string_view(line).substr(0, equals);
        const std::string_view value = std::string_view(line).substr(equals + 1);
        if (!IsKey(key)) return std::nullopt;
        const int known = static_cast<int>(std::find(names, names + Known, key) - names);
        if (known == Known) {
            game.more.emplace_back(key, value);
            continue;
        }
        if (known == Thought) {
            Journal::Turn turn;
            if (!Journal::Parse(std::string(value), turn)) return std::nullopt;
            game.journal.push_back(std::move(turn));
            continue;
        }
        if (seen[known]) return std::nullopt;
        seen[known] = true;
        switch (known) {
            case When:
                game.when = std::string(value);
                break;
            case Id:
                if (!IsGameId(value)) return std::nullopt;
                game.id = std::string(value);
                break;
            case Level:
                // A level the game does not play would be counted nowhere
                // yet cleared with the rest: such a record is damaged.
                if (!KnownLevel(value)) return std::nullopt;
                game.level = std::string(value);
                break;
            case End: {
                const auto ending = ReadEnding(value);
                if (!ending) return std::nullopt;
                game.ending = *ending;
                break;
            }
            case Score:
                if (value.empty() || value.size() > 9 ||
                    !std::all_of(value.begin(), value.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
                    return std::nullopt;
                game.score = std::stol(std::string(value));
                break;
            case YourWord:
                game.yourWord = std::string(value);
                break;
            case MyWord:
                game.myWord = std::string(value);
                break;
            case From:
                if (value.empty() || value.size() > 4 || value[0] == '0' ||
                    !std::all_of(value.begin(), value.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
                    return std::nullopt;
                game.journalFrom = std::stoi(std::string(value));
                break;
            case Daily:
                if (!TodaysWord::DayNumber(value)) return std::nullopt;
                game.daily = std::string(value);
                break;
            case YourGuesses:
            case MyGuesses: {
                auto guesses = ReadGuesses(value);
                if (!guesses) return std::nullopt;
                (known == YourGuesses ? game.yourGuesses : game.myGuesses) = std::move(*guesses);
                break;
            }
            default:
                break;
        }
    }
    if (!seen[When] || !seen[Level] || !seen[End] || !seen[Score]) return std::nullopt;
    return game;
}

// The bars of a chart from how many games took each number of guesses.
std::vector<Bar> Bars(const std::map<long, int>& games, std::optional<long> latest) {
    std::vector<Bar> bars;
    if (games.empty()) return bars;
    const long first = games.begin()->first;
    const long last = std::min(games.rbegin()->first, first + MostBars - 1);
    for (long guesses = first; guesses <= last; ++guesses)
        bars.push_back({static_cast<int>(guesses), 0, false, false});
    for (const auto& [guesses, count] : games) {
        Bar& bar = bars[static_cast<std::size_t>(std::min(guesses, last) - first)];
        bar.games += count;
        if (guesses > last) bar.orMore = true;
    }
    if (latest) bars[static_cast<std::size_t>(std::min(*latest, last) - first)].latest = true;
    return bars;
}

WholeFile ReadBytes(const char* name, std::string& bytes, std::string& fault) {
    return ReadWholeFile(name, MaxFileBytes,
                         "it is larger than 64 MB, far more than a history of games holds", bytes, fault);
}

}  // namespace

const char* EndingName(Ending ending) {
    switch (ending) {
        case Ending::Won:
            return "Won";
        case Ending::Lost:
            return "Lost";
        case Ending::Quit:
            break;
    }
    return "Quit";
}

int History::Damaged() const {
    return static_cast<int>(
        std::count_if(entries.begin(), entries.end(), [](const Entry& e) { return !e.game; }));
}

bool KnownLevel(std::string_view level) {
    return level == "Easy" || level == "Medium" || level == "Hard" || level == "Expert";
}

History Parse(const std::string& bytes) {
    History history;
    // A byte-order mark that an editor put before the header is no text.
    std::size_t start = std::string_view(bytes).starts_with("\xEF\xBB\xBF") ? 3 : 0;
    bool first = true;
    // The keys a record holds once that its lines so far have given: one
    // given again begins a piece of its own, so that a record whose Game
    // line is lost is damaged alone and the one before it stays whole.
    std::vector<std::string_view> once;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string_view line = std::string_view(bytes).substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const bool header = first && line == Header;
        first = false;
        // Blank lines hold nothing to keep.
        if (header || line.empty()) continue;
        // A record begins at its Game line; lines before the first record
        // belong to a piece of their own, which cannot be read.
        const std::string_view key = line.substr(0, line.find('='));
        const bool single = std::find(std::begin(OnceKeys), std::end(OnceKeys), key) != std::end(OnceKeys);
        const bool repeated = single && std::find(once.begin(), once.end(), key) != once.end();
        if (StartsRecord(line) || history.entries.empty() || repeated) {
            history.entries.emplace_back();
            once.clear();
        }
        if (single) once.push_back(key);
        history.entries.back().lines.emplace_back(line);
    }
    for (Entry& entry : history.entries)
        if (StartsRecord(entry.lines.front())) entry.game = ReadRecord(entry.lines);
    return history;
}

std::string Format(const History& history) {
    std::string bytes = std::string(Header) + "\r\n";
    for (const Entry& entry : history.entries)
        for (const std::string& line : entry.lines) bytes += line + "\r\n";
    return bytes;
}

std::vector<std::string> RecordLines(const Game& game) {
    std::vector<std::string> lines{std::string(GameKey) + "=" + game.when};
    if (!game.id.empty()) lines.push_back("Id=" + game.id);
    for (std::string line :
         {"Level=" + game.level, std::string("End=") + EndingName(game.ending),
          "Score=" + std::to_string(game.score), "YourWord=" + game.yourWord, "MyWord=" + game.myWord,
          "YourGuesses=" + WriteGuesses(game.yourGuesses), "MyGuesses=" + WriteGuesses(game.myGuesses)})
        lines.push_back(std::move(line));
    if (game.journalFrom != 1) lines.push_back("JournalFrom=" + std::to_string(game.journalFrom));
    for (const Journal::Turn& turn : game.journal) lines.push_back("Journal=" + Journal::Format(turn));
    if (!game.daily.empty()) lines.push_back("Daily=" + game.daily);
    for (const auto& [key, value] : game.more) lines.push_back(key + "=" + value);
    return lines;
}

Entry MakeEntry(const Game& game) {
    Entry entry{RecordLines(game), std::nullopt};
    entry.game = ReadRecord(entry.lines);
    return entry;
}

bool Load(History& history, std::string& fault) {
    history = {};
    std::string bytes;
    switch (ReadBytes(HistoryFile, bytes, fault)) {
        case WholeFile::Missing:
            return true;
        case WholeFile::Fault:
            return false;
        case WholeFile::Read:
            break;
    }
    history = Parse(bytes);
    return true;
}

std::string Save(const History& history) {
    return ReplaceFile(HistoryFile, Format(history));
}

bool IsGameId(std::string_view id) {
    return !id.empty() && id.size() <= 32 && std::all_of(id.begin(), id.end(), [](char ch) {
        return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'z');
    });
}

bool Holds(const History& history, const std::string& id) {
    return !id.empty() && std::any_of(history.entries.begin(), history.entries.end(),
                                      [&](const Entry& entry) { return entry.game && entry.game->id == id; });
}

bool HistoryHolds(const std::string& id) {
    History history;
    std::string fault;
    return Load(history, fault) && Holds(history, id);
}

Summary Summarise(const History& history, const std::string& level) {
    Summary summary;
    std::map<long, int> yourScores, myGuesses;
    const Game* last = nullptr;
    int streak = 0;
    for (const Entry& entry : history.entries) {
        if (!entry.game || entry.game->level != level) continue;
        const Game& game = *entry.game;
        last = &game;
        ++summary.played;
        switch (game.ending) {
            case Ending::Won:
                ++summary.won;
                ++yourScores[game.score];
                summary.bestStreak = std::max(summary.bestStreak, ++streak);
                break;
            case Ending::Lost:
                ++summary.lost;
                ++myGuesses[static_cast<long>(game.myGuesses.size())];
                streak = 0;
                break;
            case Ending::Quit:
                ++summary.quit;
                streak = 0;
                break;
        }
        summary.recent.push_back({game.ending, game.score});
    }
    summary.currentStreak = streak;
    if (summary.played > 0)
        summary.winPercent = static_cast<int>(std::lround(100.0 * summary.won / summary.played));
    if (summary.recent.size() > RecentGames)
        summary.recent.erase(summary.recent.begin(), summary.recent.end() - static_cast<long>(RecentGames));
    std::optional<long> latestScore, latestGuesses;
    if (last != nullptr) {
        summary.last = *last;
        if (last->ending == Ending::Won) latestScore = last->score;
        if (last->ending == Ending::Lost) latestGuesses = static_cast<long>(last->myGuesses.size());
    }
    summary.yourScores = Bars(yourScores, latestScore);
    summary.myGuesses = Bars(myGuesses, latestGuesses);
    return summary;
}

DailySummary SummariseDaily(const History& history, const std::string& level, const std::string& today) {
    // Each date once, by its first counted game: won or not.
    std::map<long, bool> days;
    for (const Entry& entry : history.entries) {
        if (!entry.game || entry.game->level != level || entry.game->daily.empty()) continue;
        const std::optional<long> day = TodaysWord::DayNumber(entry.game->daily);
        if (day) days.emplace(*day, entry.game->ending == Ending::Won);
    }
    DailySummary summary;
    long runEnd = 0;
    int run = 0;
    for (const auto& [day, won] : days) {
        ++summary.played;
        if (!won) {
            run = 0;
            continue;
        }
        ++summary.won;
        run = run > 0 && runEnd == day - 1 ? run + 1 : 1;
        runEnd = day;
        summary.bestStreak = std::max(summary.bestStreak, run);
    }
    const std::optional<long> now = TodaysWord::DayNumber(today);
    if (run > 0 && now && (runEnd == *now || runEnd == *now - 1)) summary.currentStreak = run;
    return summary;
}

std::string ShareLine(const Game& game) {
    const bool daily = !game.daily.empty();
    std::string line = "Quibbly " + (daily ? game.daily + " " : "") + game.level + ": ";
    const std::size_t guesses = game.yourGuesses.size();
    const std::string plural = guesses == 1 ? " guess" : " guesses";
    if (daily) line += "today's word ";
    switch (game.ending) {
        case Ending::Won:
            line += daily
                        ? "in " + std::to_string(game.score)
                        : "won in " + std::to_string(game.score) + (game.score == 1 ? " guess" : " guesses");
            break;
        case Ending::Lost:
            line += "lost after " + std::to_string(guesses) + plural;
            break;
        case Ending::Quit:
            line += "gave up after " + std::to_string(guesses) + plural;
            break;
    }
    line += (daily ? std::string(" ") : ", " + game.when.substr(0, 10) + " ");
    // One block a guess, as high as its count; the guess that found the word
    // is a full block.
    for (std::size_t i = 0; i < guesses; ++i) {
        const bool found =
            game.ending == Ending::Won && i + 1 == guesses && game.yourGuesses[i].word == game.myWord;
        const int step = found ? 7 : game.yourGuesses[i].count;  // U+2581 + step
        line += "\xE2\x96";
        line += static_cast<char>(0x81 + step);
    }
    return line;
}

}  // namespace quibbly::GameHistory

namespace quibbly::Functions {

bool GameUnrecorded = false;
std::string GameId;
bool GameReplay = false;

namespace {

using namespace GameHistory;

void ReportHistoryFault(const std::string& what) {
    Services().MsgBox("The history of games \"" + std::string(HistoryFile) + "\" " + what, MsgButtons::OK,
                      MsgIcon::Exclamation, "History");
}

// A value stays on its line.
std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char ch) { return ch == '\r' || ch == '\n'; }, ' ');
    return text;
}

// The rows of an old-guess list: the guess and, as the last character, its
// count. Rows of another form (only a damaged saved game can bring them) are
// left out, so that every record the game writes reads back.
std::vector<Guess> GuessesOf(const std::vector<std::string>& rows) {
    std::vector<Guess> guesses;
    for (const std::string& row : rows) {
        const std::string word = row.substr(0, 5);
        const char count = row.empty() ? ' ' : row.back();
        if (IsWord(word) && count >= '0' && count <= '5') guesses.push_back({word, count - '0'});
    }
    return guesses;
}

void AddWinningGuess(std::vector<Guess>& guesses, const std::string& word) {
    if (IsWord(word)) guesses.push_back({word, 5});
}

// The record of a game as it ends; winner is the word that ended it, when
// one side named the other's.
Game GameOf(const SavedGame::Contents& contents, Ending ending, const std::string& winner) {
    Game game;
    game.when = OneLine(Services().DateTimeNow());
    game.id = contents.id;
    game.level = OneLine(contents.level);
    game.ending = ending;
    // A loaded game may carry any counter; the score stays a plain number.
    const double turn = std::floor(static_cast<double>(contents.turnNumber));
    game.score = turn >= 0 && turn < 1e9 ? static_cast<long>(turn) : 0;
    game.yourWord = OneLine(contents.yourWord);
    game.myWord = OneLine(contents.myWord);
    game.yourGuesses = GuessesOf(contents.yourGuesses);
    game.myGuesses = GuessesOf(contents.myGuesses);
    if (ending == Ending::Won) AddWinningGuess(game.yourGuesses, winner);
    if (ending == Ending::Lost) AddWinningGuess(game.myGuesses, winner);
    if (contents.kept) {
        game.journalFrom = std::clamp(contents.kept->journalFrom, 1, 9999);
        game.journal = contents.kept->journal;
    } else {
        game.journalFrom = static_cast<int>(contents.myGuesses.size()) + 1;
    }
    game.daily = contents.daily;
    return game;
}

// False when the history holds the game already: it is a replay.
bool AddToHistory(const Game& game) {
    // The reading and the writing are one change of the folder, so that
    // where the platform keeps the folder for several pages at once (the
    // web's tabs) the file is read as another page last wrote it.
    FolderChange change;
    History history;
    std::string fault;
    if (!Load(history, fault)) {
        ReportHistoryFault("cannot be read: " + fault +
                           ". This game is not recorded, and the file is left as it was.");
        return true;
    }
    if (Holds(history, game.id)) return false;
    history.entries.push_back(MakeEntry(game));
    fault = Save(history);
    if (!fault.empty())
        ReportHistoryFault("was not saved: " + fault + ". The history on the disk is left as it was.");
    return true;
}

}  // namespace

void RecordGameEnd(Ending ending) {
    if (!GameUnrecorded) return;
    GameUnrecorded = false;
    if (!GameReplay) {
        const std::string winner =
            ending == Ending::Won ? MyWord : QuibblyForm::Instance().MyGuessText.Text();
        GameReplay = !AddToHistory(GameOf(SavedGame::Capture(), ending, winner));
    }
    QuibblyForm::Instance().UpdateReviewItem();  // the game just ended can be reviewed
}

void RecordGivenUp(const SavedGame::Contents& contents) {
    AddToHistory(GameOf(contents, Ending::Quit, ""));
}

}  // namespace quibbly::Functions
