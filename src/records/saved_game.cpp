// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/saved_game.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "engine/functions.h"
#include "platform/atomic_file.h"
#include "platform/services.h"
#include "records/game_history.h"
#include "records/todays_word.h"
#include "windows/main/quibbly_form.h"

namespace quibbly::SavedGame {

namespace {

// Far more than any game can write (a few hundred short lines); a larger
// file is not read into memory at all.
constexpr std::uintmax_t MaxFileBytes = 16u << 20;

constexpr long IntegerLowest = std::numeric_limits<Integer>::min();
constexpr long IntegerHighest = std::numeric_limits<Integer>::max();

// ---- Writing ----

std::string IntegerLine(long value) {
    return (value < 0 ? "" : " ") + std::to_string(value) + " ";
}

// The counter in its shortest decimal form, with a point only when it has
// a fraction; a fraction below one keeps its leading zero (0.5).
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
std::string CounterLine(float value) {
    char digits[128];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
    const std::string text(digits, result.ptr);
    return (value < 0 ? "" : " ") + text + " ";
}
#else
// A standard library without floating-point to_chars (the web build's):
// the fewest significant digits that read back as the same float, laid
// out in fixed notation, which are the bytes to_chars writes.
std::string CounterLine(float value) {
    char text[64];
    if (!std::isfinite(value)) {
        std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
        return (value < 0 ? "" : " ") + std::string(text) + " ";
    }
    int precision = 0;
    for (; precision < 9; ++precision) {
        std::snprintf(text, sizeof text, "%.*e", precision, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value) break;
    }
    // text is [-]d[.ddd]e±x: its digits and its exponent.
    const std::string scientific(text);
    const std::size_t e = scientific.find('e');
    std::string digits;
    for (std::size_t i = 0; i < e; ++i)
        if (std::isdigit(static_cast<unsigned char>(scientific[i]))) digits.push_back(scientific[i]);
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    const int count = static_cast<int>(digits.size());
    std::string fixed;
    if (exponent >= count - 1) {
        // A whole number takes as many characters in any form: to_chars
        // writes the exact one.
        std::snprintf(text, sizeof text, "%.0f", std::fabs(static_cast<double>(value)));
        fixed = text;
    } else if (exponent >= 0) {
        fixed = digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
                digits.substr(static_cast<std::size_t>(exponent + 1));
    } else {
        fixed = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    if (std::signbit(value)) fixed.insert(0, "-");
    return (value < 0 ? "" : " ") + fixed + " ";
}
#endif

// A text is written unchanged, except where the reading rules would take it
// apart: a comma, or a space at either end, would end or shorten its field,
// so such a text is written between double quotes, which keeps it whole.
// A double quote or a line end cannot be stored at all and is left out.
// Of the game's texts only the guess box can hold such characters (the
// player may type or paste anything there).
std::string TextLine(const std::string& text) {
    std::string kept;
    for (char ch : text)
        if (ch != '"' && ch != '\r' && ch != '\n') kept.push_back(ch);
    const bool quoted =
        kept.find(',') != std::string::npos || (!kept.empty() && (kept.front() == ' ' || kept.back() == ' '));
    return quoted ? "\"" + kept + "\"" : kept;
}

// The candidate position's line. The position is written as the game holds
// it and read back unchanged: on the player's turn it is the computer's last
// guess, from which its next turn steps on; on the computer's turn it is the
// guess on the board, which the load shows again (ResumeMyTurn) rather than
// searching anew. The computer's next proposal also depends on the first
// count it had for the list and on whether the list came from the
// dictionary; the position alone does not say that, so both follow it on
// the same line when they differ from a new list's ("4 first 2 master").
// A reader that takes the number at the start of the line finds the
// position; a file without them loads as a new list (-1, not dictionary).
// A game saved after its end says so next ("4 first 2 over"), the day's
// counted game of today's word gives its date ("4 over daily 2026-12-07"),
// and the game's identity ends the line ("4 game 3f09c2a1b7d4e655"): a
// reader that knows only the position still finds it.
std::string PositionLine(const Contents& c) {
    std::string text = c.candidateIndex;
    if (text.empty() && !c.over && c.daily.empty() && c.id.empty()) return text;  // no game has begun
    if (text.empty()) text = "0";
    if (c.firstCount != -1) text += " first " + std::to_string(c.firstCount);
    if (c.fromMaster) text += " master";
    if (c.over) text += " over";
    if (!c.daily.empty()) text += " daily " + c.daily;
    if (!c.id.empty()) text += " game " + c.id;
    return text;
}

// The position's line taken apart again; anything after the position that
// is not in the form above is ignored.
void ReadPositionLine(const std::string& line, Contents& c) {
    const std::size_t space = line.find(' ');
    c.candidateIndex = line.substr(0, space);
    if (space == std::string::npos) return;
    std::vector<std::string> words;
    for (std::size_t at = space; at < line.size();) {
        const std::size_t start = line.find_first_not_of(' ', at);
        if (start == std::string::npos) break;
        const std::size_t end = std::min(line.find(' ', start), line.size());
        words.push_back(line.substr(start, end - start));
        at = end;
    }
    Integer first = -1;
    std::size_t next = 0;
    if (words.size() >= 2 && words[0] == "first") {
        int value = 0;
        const std::string& digits = words[1];
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error != std::errc() || end != digits.data() + digits.size() || value < IntegerLowest ||
            value > IntegerHighest)
            return;
        first = static_cast<Integer>(value);
        next = 2;
    }
    const bool master = next < words.size() && words[next] == "master";
    if (master) ++next;
    const bool over = next < words.size() && words[next] == "over";
    if (over) ++next;
    std::string daily;
    if (next + 2 <= words.size() && words[next] == "daily" && TodaysWord::DayNumber(words[next + 1])) {
        daily = words[next + 1];
        next += 2;
    }
    std::string id;
    if (next + 2 == words.size() && words[next] == "game" && GameHistory::IsGameId(words[next + 1])) {
        id = words[next + 1];
        next += 2;
    }
    if (next != words.size()) return;
    c.firstCount = first;
    c.fromMaster = master;
    c.over = over;
    c.daily = daily;
    c.id = id;
}

// The board beyond a saved game, after the markers of the game in progress:
// a header line, then keyed lines. The Scratch Pad is one line, its line
// ends and backslashes written as \r, \n and \\; the journal is one line a
// turn, as the history writes it.
constexpr const char* BoardHeader = "Quibbly Kept 1";

std::string Escaped(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (ch == '\\')
            out += "\\\\";
        else if (ch == '\r')
            out += "\\r";
        else if (ch == '\n')
            out += "\\n";
        else
            out.push_back(ch);
    }
    return out;
}

std::string Unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out.push_back(text[i]);
            continue;
        }
        const char next = text[++i];
        out.push_back(next == 'r' ? '\r' : next == 'n' ? '\n' : next);
    }
    return out;
}

std::string BoardLines(const Contents::Board& board) {
    std::string out = std::string(BoardHeader) + "\r\nPad=" + Escaped(board.scratchPad) +
                      "\r\nJournalFrom=" + std::to_string(board.journalFrom) + "\r\n";
    for (const Journal::Turn& turn : board.journal) out += "Journal=" + Journal::Format(turn) + "\r\n";
    return out;
}

// The board from the bytes after the markers; nothing when they do not hold
// one whole: the game then loads as a saved game does.
std::optional<Contents::Board> ReadBoard(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
    }
    if (lines.size() < 3 || lines[0] != BoardHeader || !lines[1].starts_with("Pad=") ||
        !lines[2].starts_with("JournalFrom="))
        return std::nullopt;
    Contents::Board board;
    board.scratchPad = Unescaped(lines[1].substr(4));
    const std::string_view from = lines[2].substr(12);
    const auto [end, error] = std::from_chars(from.data(), from.data() + from.size(), board.journalFrom);
    if (error != std::errc() || end != from.data() + from.size() || board.journalFrom < 1 ||
        board.journalFrom > 9999)
        return std::nullopt;
    for (std::size_t i = 3; i < lines.size(); ++i) {
        Journal::Turn turn;
        if (!lines[i].starts_with("Journal=") || !Journal::Parse(std::string(lines[i].substr(8)), turn))
            return std::nullopt;
        board.journal.push_back(std::move(turn));
    }
    return board;
}

// ---- Reading ----

// The file as a run of fields: leading spaces skipped, an unquoted field
// ends at a comma or the line end (CR LF, LF or the end of the file) and
// loses its trailing spaces, a field that begins with a double quote is the
// text up to the next one. Every value the game writes is one whole line.
class Fields {
public:
    explicit Fields(const std::string& bytes) : bytes_(bytes) {}

    // The next field; false at the end of the file.
    bool Next(std::string& field) {
        field.clear();
        if (pos_ >= bytes_.size()) return false;
        ++number_;
        while (pos_ < bytes_.size() && bytes_[pos_] == ' ') ++pos_;
        if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
            const std::size_t close = bytes_.find('"', pos_ + 1);
            const std::size_t end = close == std::string::npos ? bytes_.size() : close;
            field = bytes_.substr(pos_ + 1, end - pos_ - 1);
            pos_ = end == bytes_.size() ? end : end + 1;
            // Whatever follows the closing quote up to the delimiter is dropped.
            while (pos_ < bytes_.size() && !IsDelimiter(bytes_[pos_])) ++pos_;
        } else {
            const std::size_t start = pos_;
            while (pos_ < bytes_.size() && !IsDelimiter(bytes_[pos_])) ++pos_;
            field = bytes_.substr(start, pos_ - start);
            field.erase(field.find_last_not_of(' ') + 1);
            // A double quote cannot be written back (see TextLine): it is
            // left out on reading too, so a loaded game plays on as it will
            // after it is saved and loaded again.
            std::erase(field, '"');
        }
        SkipDelimiter();
        return true;
    }
    // The number of the field read last, counted from 1: its line.
    int Number() const { return number_; }
    // The bytes after the last field read.
    std::string_view Rest() const { return std::string_view(bytes_).substr(pos_); }

private:
    static bool IsDelimiter(char ch) { return ch == ',' || ch == '\r' || ch == '\n'; }
    void SkipDelimiter() {
        if (pos_ >= bytes_.size()) return;
        if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
    }

    const std::string& bytes_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

// The number at the start of a field: an optional sign, digits with an
// optional decimal point and fraction. Empty when the field does not begin
// with one.
std::optional<double> LeadingNumber(const std::string& field) {
    std::size_t end = 0;
    if (end < field.size() && (field[end] == '-' || field[end] == '+')) ++end;
    std::size_t digits = 0;
    auto isDigit = [&field](std::size_t i) { return i < field.size() && field[i] >= '0' && field[i] <= '9'; };
    while (isDigit(end)) ++end, ++digits;
    if (end < field.size() && field[end] == '.') {
        ++end;
        while (isDigit(end)) ++end, ++digits;
    }
    if (digits == 0) return std::nullopt;
    return std::strtod(field.substr(0, end).c_str(), nullptr);
}

struct Fault {
    std::string text;
};

class Reader {
public:
    explicit Reader(const std::string& bytes) : fields_(bytes) {}

    std::string Text() {
        std::string field;
        if (!fields_.Next(field))
            throw Fault{"it ends early: line " + std::to_string(fields_.Number() + 1) + " is missing"};
        return field;
    }
    // A number into a field of the given range, half to even; a field that
    // does not begin with a number reads as 0.
    long Whole(long lowest, long highest) {
        const double value = std::nearbyint(LeadingNumber(Text()).value_or(0.0));
        if (!(value >= static_cast<double>(lowest) && value <= static_cast<double>(highest)))
            throw Fault{"line " + Line() + " holds a number too large for its field"};
        return static_cast<long>(value);
    }
    // A count must be a number, at least 0 and at most highest.
    int Count(int highest, const char* what) {
        const std::optional<double> read = LeadingNumber(Text());
        if (!read) throw Fault{"line " + Line() + " does not hold a count of " + what};
        const double value = std::nearbyint(*read);
        if (value < 0) throw Fault{"line " + Line() + " holds a negative count of " + what};
        if (value > highest)
            throw Fault{"line " + Line() + " counts more " + what + " than the game can hold (" +
                        std::to_string(highest) + ")"};
        return static_cast<int>(value);
    }
    std::string Line() const { return std::to_string(fields_.Number()); }
    std::string_view Rest() const { return fields_.Rest(); }

private:
    Fields fields_;
};

}  // namespace

void ReportLoadFault(const std::string& path, const std::string& fault) {
    Services().MsgBox("The game in \"" + path + "\" cannot be loaded: " + fault + ".", MsgButtons::OK,
                      MsgIcon::Exclamation, "Load Game");
}

// Fills the game from checked contents, in the order a load takes.
void Apply(const Contents& contents, const std::string& title) {
    using namespace Functions;
    QuibblyForm& form = QuibblyForm::Instance();
    ResetGame();
    ResetLetterButtons();
    // Re-entering the turn at the end adds half a turn; it is taken off here
    // so that the loaded game shows the saved turn number and a win scores
    // what it would have scored without the save.
    TurnNumber = contents.turnNumber - 0.5f;
    form.WhoLabel.SetCaption(contents.who);
    form.GameLabel.SetCaption(contents.level);
    for (const auto& [level, name] : form.Levels())
        if (contents.level == name)
            for (const auto& [item, other] : form.Levels()) item->SetChecked(item == level);
    form.YourWordText.SetText(contents.yourWord);
    form.YourGuessText.SetText(contents.yourGuess);
    MyWord = contents.myWord;
    PossibleLetters = contents.possibleLetters;
    MyLetters = contents.myLetters;
    RecheckPeriod = contents.recheckPeriod;
    LetterThreshold = contents.letterThreshold;
    for (const std::string& row : contents.yourGuesses) form.YourGuessList.AddItem(row);
    for (const std::string& row : contents.myGuesses) form.MyGuessList.AddItem(row);
    CandidateCount = static_cast<Integer>(contents.candidates.size());
    // The position as it was saved (see PositionLine); 0, or no position at
    // all, makes the computer's next turn build a new list.
    const double position = std::nearbyint(LeadingNumber(contents.candidateIndex).value_or(0.0));
    CandidateIndex = std::to_string(position > 0 ? static_cast<long>(position) : 0);
    FirstCount = contents.firstCount;
    FromMaster = contents.fromMaster;
    for (std::size_t i = 0; i < contents.candidates.size(); ++i) Candidates[i + 1] = contents.candidates[i];
    for (int i = 0; i < 26; ++i)
        form.LetterButton(i).SetBackColor(contents.markers[static_cast<std::size_t>(i)]);

    form.GameStart.SetEnabled(false);
    form.GameResume.SetEnabled(true);
    form.GamePause.SetEnabled(true);
    for (const auto& [level, name] : form.Levels()) level->SetEnabled(false);
    for (MenuItem* item : {&form.GameStart, &form.GameResume, &form.GamePause}) item->SetChecked(false);
    for (MenuItem* item : {&form.WordIdea, &form.WordHint, &form.WordSeries}) item->SetEnabled(true);
    // The game in progress brings the Scratch Pad and what the computer
    // thought; a player's saved game leaves them out, so its journal starts
    // at the turn it was loaded at.
    if (contents.kept) {
        form.ScratchPadText.SetText(contents.kept->scratchPad);
        StartJournal(contents.kept->journalFrom);
        MyJournal = contents.kept->journal;
    } else {
        StartJournal(form.MyGuessList.ListCount() + 1);
    }
    // A game is the same game in every copy of it: its identity, drawn at
    // its Start, goes with its saves and its kept copy into its one record.
    // A file of the designed format carries none and gets a new one here, so
    // each load of such a file is a game of its own.
    GameId = contents.id.empty() ? Services().NewGameId() : contents.id;
    // The day's game stays the day's on its date, unless the history holds
    // that day's game already; on a later date it is an ordinary game. A
    // finished one stays what it was, with nothing left to record.
    const bool daily =
        !contents.daily.empty() && (contents.over || (contents.daily == Services().LocalDate() &&
                                                      !TodaysWord::Recorded(contents.level, contents.daily)));
    TodaysWord::BoardDate = daily ? contents.daily : "";
    if (daily && !contents.over) TodaysWord::MarkStarted(contents.level, contents.daily);
    if (contents.over) {
        // A finished game comes back finished: its board to look at, at the
        // turn it ended, with nothing to play, rank or record.
        form.ShowCaption();
        TurnNumber = contents.turnNumber;
        form.TurnLabel.SetCaption(std::to_string(static_cast<long>(TurnNumber)));
        ShowFaces();
        LeaveBoardAfterGame();
        EndGame();
        form.UpdateReviewItem();
        return;
    }
    // A copy of a game that has ended plays on as a replay: it adds no
    // record and enters no winners list, so that one game wins once.
    GameReplay = GameHistory::HistoryHolds(GameId);
    GameUnrecorded = true;
    form.ShowCaption();
    form.UpdateReviewItem();
    EnableGameControls();
    if (GameReplay)
        Services().MsgBox(
            "This game has been played to its end before: it is a replay. You can play it on, but it is "
            "not recorded and does not enter the winners list.",
            MsgButtons::OK, MsgIcon::Information, title);
    if (form.WhoLabel.Caption() == "It's My Turn")
        ResumeMyTurn();
    else
        YourTurn();
}

Contents Capture() {
    using namespace Functions;
    QuibblyForm& form = QuibblyForm::Instance();
    Contents contents;
    contents.turnNumber = TurnNumber;
    contents.who = form.WhoLabel.Caption();
    contents.level = form.GameLabel.Caption();
    contents.yourWord = form.YourWordText.Text();
    contents.yourGuess = form.YourGuessText.Text();
    contents.myWord = MyWord;
    contents.possibleLetters = PossibleLetters;
    contents.myLetters = MyLetters;
    contents.recheckPeriod = RecheckPeriod;
    contents.letterThreshold = LetterThreshold;
    contents.yourGuesses = form.YourGuessList.Rows();
    contents.myGuesses = form.MyGuessList.Rows();
    contents.candidateIndex = CandidateIndex;
    contents.firstCount = FirstCount;
    contents.fromMaster = FromMaster;
    contents.over = PlayState == Play::Over;
    contents.daily = TodaysWord::BoardDate;
    contents.id = GameId;
    const int count = std::clamp<int>(CandidateCount, 0, MaxCandidates);
    for (int i = 1; i <= count; ++i) contents.candidates.push_back(Candidates[static_cast<std::size_t>(i)]);
    for (int i = 0; i < 26; ++i)
        contents.markers[static_cast<std::size_t>(i)] = form.LetterButton(i).BackColor();
    contents.kept = Contents::Board{form.ScratchPadText.Text(), JournalFrom, MyJournal};
    return contents;
}

std::string Format(const Contents& c) {
    std::string out;
    auto line = [&out](const std::string& text) { out += text + "\r\n"; };
    line(CounterLine(c.turnNumber));
    for (const std::string* text :
         {&c.who, &c.level, &c.yourWord, &c.yourGuess, &c.myWord, &c.possibleLetters, &c.myLetters})
        line(TextLine(*text));
    line(IntegerLine(c.recheckPeriod));
    line(IntegerLine(c.letterThreshold));
    for (const std::vector<std::string>* rows : {&c.yourGuesses, &c.myGuesses}) {
        line(IntegerLine(static_cast<long>(rows->size())));
        for (const std::string& row : *rows) line(TextLine(row));
    }
    line(IntegerLine(static_cast<long>(c.candidates.size())));
    line(TextLine(PositionLine(c)));
    for (const std::string& candidate : c.candidates) line(TextLine(candidate));
    // Stored as the signed 32-bit value the colour's bits make.
    for (Colour colour : c.markers) line(IntegerLine(static_cast<std::int32_t>(colour)));
    if (c.kept) out += BoardLines(*c.kept);
    return out;
}

std::optional<Contents> Parse(const std::string& bytes, std::string& fault) {
    Reader in(bytes);
    Contents c;
    try {
        const std::optional<double> turn = LeadingNumber(in.Text());
        // The counter becomes the player's score, which the winners list
        // keeps as a 16-bit number.
        if (turn && !(*turn >= IntegerLowest && *turn <= IntegerHighest))
            throw Fault{"line 1 holds a turn number too large for its field"};
        c.turnNumber = static_cast<float>(turn.value_or(0.0));
        for (std::string* text :
             {&c.who, &c.level, &c.yourWord, &c.yourGuess, &c.myWord, &c.possibleLetters, &c.myLetters}) {
            *text = in.Text();
            // The level's name keys the winners list and picks the word
            // files; any other text would be a level of its own there.
            if (text == &c.level && !GameHistory::KnownLevel(c.level))
                throw Fault{"line 3 names no level (it must be Easy, Medium, Hard or Expert)"};
        }
        c.recheckPeriod = static_cast<Integer>(in.Whole(IntegerLowest, IntegerHighest));
        c.letterThreshold = static_cast<Integer>(in.Whole(IntegerLowest, IntegerHighest));
        const int yours = in.Count(MaxListRows, "rows");
        for (int i = 0; i < yours; ++i) c.yourGuesses.push_back(in.Text());
        const int mine = in.Count(MaxListRows, "rows");
        for (int i = 0; i < mine; ++i) c.myGuesses.push_back(in.Text());
        const int candidates = in.Count(Functions::MaxCandidates, "candidates");
        ReadPositionLine(in.Text(), c);
        const std::optional<double> position = LeadingNumber(c.candidateIndex);
        if (position &&
            !(std::nearbyint(*position) >= IntegerLowest && std::nearbyint(*position) <= IntegerHighest))
            throw Fault{"line " + in.Line() + " holds a number too large for its field"};
        for (int i = 0; i < candidates; ++i) c.candidates.push_back(in.Text());
        for (Colour& colour : c.markers)
            colour = static_cast<Colour>(static_cast<std::int32_t>(in.Whole(
                std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max())));
        c.kept = ReadBoard(in.Rest());
    } catch (const Fault& caught) {
        fault = caught.text;
        return std::nullopt;
    }
    return c;
}

bool SaveGame(const std::string& path) {
    Contents contents = Capture();
    contents.kept.reset();  // a player's saved game keeps what the design keeps
    const std::string fault = ReplaceFile(path, Format(contents));
    if (fault.empty()) return true;
    Services().MsgBox("The game cannot be saved as \"" + path + "\": " + fault + ".", MsgButtons::OK,
                      MsgIcon::Exclamation, "Save Game");
    return false;
}

std::optional<Contents> ReadGameFile(const std::string& path, std::string& fault) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    fault.clear();
    // Only a plain file is opened: a device or a pipe could block or never end.
    if (!fs::exists(status))
        fault = "there is no such file";
    else if (fs::is_directory(status))
        fault = "it is a folder";
    else if (!fs::is_regular_file(status))
        fault = "it is not a plain file";
    else if (fs::file_size(path, error) > MaxFileBytes || error)
        fault = error ? "its size cannot be read" : "it is far too large to be a saved game";
    std::string bytes;
    if (fault.empty()) {
        std::ifstream in(path, std::ios::binary);
        if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (!in.is_open() || in.bad()) fault = "it cannot be opened for reading";
    }
    if (!fault.empty()) return std::nullopt;
    return Parse(bytes, fault);
}

std::optional<Contents> ReadForLoad(const std::string& path) {
    std::string fault;
    std::optional<Contents> contents = ReadGameFile(path, fault);
    if (!contents) {
        ReportLoadFault(path, fault);
        return std::nullopt;
    }
    if (!Functions::GiveUpToLeave("Load Game")) return std::nullopt;
    return contents;
}

bool LoadGame(const std::string& path) {
    const std::optional<Contents> contents = ReadForLoad(path);
    if (contents) Apply(*contents, "Load Game");
    return contents.has_value();
}

}  // namespace quibbly::SavedGame
