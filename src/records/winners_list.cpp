// SPDX-License-Identifier: GPL-3.0-or-later
// Reading, ranking and writing back the winners list "Win.Lst".
//
// A row, by columns: 1-12 the name, 13-18 the level, 19-21 the number of
// guesses right-aligned, then " Guesses", two blanks and the date. A row
// belongs to every level whose name occurs in it.
#include "records/winners_list.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/atomic_file.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "windows/main/quibbly_form.h"
#include "windows/records/player_form.h"
#include "windows/records/winners_form.h"

namespace quibbly::Functions {

int WinnerLineCount = 0;
std::vector<std::string> MoreWinnerLines;
bool WinAwaitingRow = false;

namespace {

// A list this game wrote holds at most 45 short rows; anything much larger is
// not a winners list, and reading it whole could exhaust the memory.
constexpr long MaxFileBytes = 1L << 20;
// Rows of one level held while reading: beyond this the list is ranked and
// trimmed to the best 15 at once, so that no file can make the ranking slow.
constexpr std::size_t MaxLevelRows = 20;

// What the last reading met: its level, and its fault (empty when it went
// well), which keeps the next write-back from replacing a file it never saw.
std::string readLevel;
std::string readFault;
// CheckTopScore has told the player of readFault; the UpdateWinners of the
// same win then does not tell it again.
bool faultTold = false;
// What the winners window shows, so that its OK changes the file by exactly
// what the player did there and by nothing else. A win's reading empties the
// window before the list is shown again; until then (shown false) OK has no
// list to write. Clear drops the rows of the level that the reading saw
// (seenRows), never one that another copy of the game added since. A win's
// row waits in pendingRows until an OK writes it: every showing of its level
// includes it, and OK adds it to the file's rows as they are then.
bool shown = false;
std::vector<std::string> seenRows;
std::vector<std::string> pendingRows;

bool OfLevel(const std::string& row, const std::string& level) {
    return row.find(level) != std::string::npos;
}

void ReportFault(const std::string& doing, const std::string& fault) {
    Services().MsgBox("The winners list \"" + std::string(WinnersFile) + "\" " + doing + ": " + fault +
                          ". The list on the disk is left as it was.",
                      MsgButtons::OK, MsgIcon::Exclamation, "Winners List");
}

void AddWinnerLine(const std::string& row) {
    if (WinnerLineCount < static_cast<int>(WinnerLines.size()) - 1)
        WinnerLines[static_cast<std::size_t>(++WinnerLineCount)] = row;
    else
        MoreWinnerLines.push_back(row);
}

void ForgetWinnerLines() {
    WinnerLines.fill({});
    WinnerLineCount = 0;
    MoreWinnerLines.clear();
}

// The whole file, or why it could not be had.
WholeFile ReadBytes(const char* name, std::string& bytes, std::string& fault) {
    return ReadWholeFile(name, MaxFileBytes, "it is larger than 1 MB, far more than a winners list holds",
                         bytes, fault);
}

// The exchange sort of the ranking: every row i is compared with each later
// row j and the two change places when row i ranks worse. Rows with equal
// keys never change places with each other. With worst, the larger key of
// every comparison is kept there, so that it ends as the level's worst score.
void Rank(std::vector<std::string>& rows, Integer* worst) {
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        for (std::size_t j = i + 1; j < rows.size(); ++j) {
            const double keyI = WinnerKey(rows[i]);
            const double keyJ = WinnerKey(rows[j]);
            const bool exchange = keyI > keyJ;
            if (exchange) std::swap(rows[i], rows[j]);
            if (worst != nullptr) *worst = static_cast<Integer>(std::nearbyint(exchange ? keyI : keyJ));
        }
    }
}

std::string PadRight(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

// The row of the game just won, as the columns of the file lay it out.
std::string NewRow() {
    QuibblyForm& form = QuibblyForm::Instance();
    const std::string& turn = form.TurnLabel.Caption();
    const std::string guesses = turn.size() < 3 ? std::string(3 - turn.size(), ' ') + turn : turn;
    return PadRight(PlayerForm::Instance().NameText.Text(), 12) + PadRight(form.GameLabel.Caption(), 6) +
           guesses + " Guesses" + "  " + Services().ShortDate();
}

// The file's lines: every row of another level goes to WinnerLines, the
// level's rows (at most 21 of them) are returned, and every row of the level
// the file holds is added to seen when it is given.
std::vector<std::string> SplitRows(const std::string& bytes, const std::string& level,
                                   std::vector<std::string>* seen) {
    std::vector<std::string> rows;
    // Lines end in CR LF or in LF alone; a last line may lack its end.
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;
        if (!OfLevel(line, level)) {
            AddWinnerLine(line);
            continue;
        }
        if (seen != nullptr) seen->push_back(line);
        rows.push_back(line);
        if (rows.size() > MaxLevelRows) {
            // More rows of the level than a list holds: keep its best.
            Rank(rows, nullptr);
            rows.resize(TopScoreRows);
        }
    }
    return rows;
}

// Takes out of rows one copy of each row of gone, as a multiset.
void RemoveRows(std::vector<std::string>& rows, std::vector<std::string> gone) {
    std::erase_if(rows, [&gone](const std::string& row) {
        const auto at = std::find(gone.begin(), gone.end(), row);
        if (at == gone.end()) return false;
        gone.erase(at);
        return true;
    });
}

}  // namespace

double WinnerKey(const std::string& row) {
    return row.size() > 18 ? NumericValue(row.substr(18, 3)) : 0.0;
}

void ForgetWinners() {
    ForgetWinnerLines();
    WinAwaitingRow = false;
    readLevel.clear();
    readFault.clear();
    faultTold = false;
    shown = false;
    seenRows.clear();
    pendingRows.clear();
}

std::vector<std::string> ReadWinners() {
    WinnersForm::Instance().ClearButton_Click();
    readLevel = QuibblyForm::Instance().GameLabel.Caption();
    readFault.clear();
    ForgetWinnerLines();
    shown = false;
    seenRows.clear();

    std::string bytes;
    // A list that does not exist yet is empty; the first OK creates it.
    const WholeFile result = ReadBytes(WinnersFile, bytes, readFault);
    if (result != WholeFile::Read) return {};
    return SplitRows(bytes, readLevel, &seenRows);
}

void CheckTopScore() {
    // The reading empties the winners window; one left open from the Game
    // menu closes until the win's list is shown in it again.
    WinnersForm& window = WinnersForm::Instance();
    if (window.Visible()) window.Hide();
    std::vector<std::string> rows = ReadWinners();
    faultTold = !readFault.empty();
    if (faultTold) ReportFault("cannot be read", readFault);
    Rank(rows, &WorstTopScore);
    WinnerCount = static_cast<Integer>(std::min<std::size_t>(rows.size(), TopScoreRows));
    // A full list: a win must beat its 15th row to stay in it, so that row's
    // key is the worst score, even where the file holds more rows of the
    // level (only an edited or damaged one does). A key that is not a whole
    // number is taken up, and one of 0 or less, which no win beats, must not
    // read as the 0 of a list without rows. A list the game wrote gets the
    // largest key, as above.
    if (rows.size() >= TopScoreRows) {
        const double key = std::ceil(WinnerKey(rows[TopScoreRows - 1]));
        WorstTopScore = static_cast<Integer>(key > 0 ? key : -1);
    }
}

void UpdateWinners() {
    std::vector<std::string> rows = ReadWinners();
    if (!readFault.empty() && !faultTold) ReportFault("cannot be read", readFault);
    faultTold = false;
    // Only the player's win adds a row, and only once: a later look at the
    // list, or one after a lost game, shows the file as it is. While the
    // name window is still open the name is not typed yet, so the row waits.
    if (!GameOn && WinAwaitingRow && !PlayerForm::Instance().Visible()) {
        pendingRows.push_back(NewRow());
        WinAwaitingRow = false;
    }
    for (const std::string& row : pendingRows)
        if (OfLevel(row, readLevel)) rows.push_back(row);
    Rank(rows, nullptr);
    if (rows.size() > TopScoreRows) rows.resize(TopScoreRows);
    WinnersForm& window = WinnersForm::Instance();
    for (std::size_t k = 0; k < rows.size(); ++k) {
        window.WinnersList.AddItem(rows[k]);
        AddWinnerLine(rows[k]);
        window.WinnersLabel(static_cast<int>(k)).SetCaption(rows[k]);
    }
    shown = true;
}

bool WriteWinners(bool clearConfirmed) {
    // After a failed reading the rows in hand are not the file's: the player
    // has been told, and the file stays as it is. A window emptied by a win's
    // reading and not filled again has shown nothing to write.
    if (!shown) return false;
    // Whatever comes of it, this OK ends the wait of the rows it showed: a
    // list that could not be written is reported, as a list that could not
    // be read was.
    std::vector<std::string> pending;
    pending.swap(pendingRows);
    if (!readFault.empty()) return false;
    // Clear leaves the window empty (a level without rows shows none and has
    // none to drop); it acts on the level it showed, even if the Level menu
    // has changed since.
    const bool cleared = clearConfirmed && WinnersForm::Instance().WinnersList.ListCount() == 0;

    // Another copy of the game may have written the list since it was read:
    // under the folder's lock the file is read again and this window's
    // changes are made to it as it is now, so that neither copy's win is lost.
    FolderLock lock(".");
    std::string bytes;
    std::string fault;
    if (ReadBytes(WinnersFile, bytes, fault) == WholeFile::Fault) {
        ReportFault("was not saved", fault);
        return false;
    }
    ForgetWinnerLines();
    std::vector<std::string> rows = SplitRows(bytes, readLevel, nullptr);
    if (cleared) RemoveRows(rows, seenRows);
    // The waiting wins of the level were shown, and cleared with it; one of
    // another level (its list shown before the Level menu changed) joins its
    // level's rows.
    for (const std::string& row : pending) {
        if (!OfLevel(row, readLevel))
            AddWinnerLine(row);
        else if (!cleared)
            rows.push_back(row);
    }
    Rank(rows, nullptr);
    if (rows.size() > TopScoreRows) rows.resize(TopScoreRows);
    for (const std::string& row : rows) AddWinnerLine(row);

    std::string text;
    for (int k = 1; k <= WinnerLineCount; ++k) text += WinnerLines[static_cast<std::size_t>(k)] + "\r\n";
    for (const std::string& row : MoreWinnerLines) text += row + "\r\n";
    fault = ReplaceFile(WinnersFile, text);
    if (!fault.empty()) {
        ReportFault("was not saved", fault);
        return false;
    }
    // Written once: what the window showed is now the file's.
    shown = false;
    return true;
}

}  // namespace quibbly::Functions
