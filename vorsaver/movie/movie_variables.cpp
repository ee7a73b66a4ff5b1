#include "vorsaver/movie/movie_variables.h"

#include <cstdint>
#include <string_view>
#include <utility>

#include "common/paths.h"

namespace vorsaver {

namespace {

constexpr char kTab = '\t';
constexpr std::string_view kBreak = "%0D";
constexpr std::string_view kDoubleBreak = "%0D%0D";
// The marker and the three characters after it that come before the game
// information.
constexpr std::size_t kInfoOffset = 6;
constexpr std::size_t kTagLength = 3;
constexpr std::size_t kLeadLength = 4;
// With no "%0D%0D" the lead starts at the sixth character.
constexpr std::size_t kLeadFallbackStart = 5;
// Lines can be long and binary; the message box only needs to show which one.
constexpr std::size_t kQuotedFieldLimit = 40;
constexpr int kLookAheadDays = 3;
// A bare day number ("9", "30") has at most this many characters.
constexpr std::size_t kBareDayLength = 2;

constexpr const char* kNoTab = "the line has no TAB between the date and the game text.";
constexpr const char* kNoBreak = "the game text has no \"%0D\" after the team text.";
constexpr const char* kInfoTooShort =
    "the game text ends too soon after its first \"%0D\": there is no room for the "
    "three-character tag at its end.";

struct SplitLine {
    std::string_view dateField;
    std::string_view gameText;
    bool hasTab = false;
};

// Fields after the second are of no interest; without a TAB the whole line is
// the first field.
SplitLine Split(std::string_view line) {
    SplitLine split;
    const std::size_t tab = line.find(kTab);
    if (tab == std::string_view::npos) {
        split.dateField = line;
        return split;
    }
    split.hasTab = true;
    split.dateField = line.substr(0, tab);
    std::string_view rest = line.substr(tab + 1);
    split.gameText = rest.substr(0, rest.find(kTab));
    return split;
}

// Clamps like VB's Mid: a start past the end gives an empty text.
std::string_view Mid(std::string_view text, std::size_t start, std::size_t count = std::string_view::npos) {
    if (start >= text.size()) {
        return std::string_view();
    }
    return text.substr(start, count);
}

std::string_view Tag(std::string_view gameText) {
    return gameText.size() < kTagLength ? gameText : gameText.substr(gameText.size() - kTagLength);
}

std::string_view Lead(std::string_view gameText) {
    const std::size_t doubleBreak = gameText.find(kDoubleBreak);
    const std::size_t start =
        doubleBreak == std::string_view::npos ? kLeadFallbackStart : doubleBreak + kDoubleBreak.size();
    return Mid(gameText, start, kLeadLength);
}

std::string DayNumber(DaySerial day) {
    return std::to_string(CivilFromSerial(day).day);
}

std::string NotADate(std::string_view field) {
    std::string quoted(field.substr(0, kQuotedFieldLimit));
    if (field.size() > kQuotedFieldLimit) {
        quoted += "...";
    }
    return "\"" + quoted + "\" at the start of the line is not a date.";
}

ComposeResult Failure(int line, std::string error) {
    ComposeResult result;
    result.errorLine = line;
    result.error = std::move(error);
    return result;
}

std::string WithReason(const std::string& text, const std::string& reason) {
    return reason.empty() ? text + "." : text + " (" + reason + ").";
}

}  // namespace

ComposeResult ComposeMovieVariables(common::TextStream& schedule, DaySerial today, const DateServices& dates) {
    const double todayValue = today;
    std::string scanLine;
    int scanLineNumber = 0;
    ScanOutcome outcome = ScanOutcome::NothingLeft;
    SplitLine scanSplit;

    while (!schedule.AtEndOfStream()) {
        scanLine = schedule.ReadLine();
        scanLineNumber = schedule.LineNumber();
        if (scanLine.empty()) {
            continue;
        }
        // Every line is checked, past ones too: a broken schedule shows at once
        // rather than on the day its bad line comes due.
        scanSplit = Split(scanLine);
        const std::optional<double> lineDate = dates.ParseDate(std::string(scanSplit.dateField));
        if (!lineDate) {
            return Failure(scanLineNumber, NotADate(scanSplit.dateField));
        }
        if (!scanSplit.hasTab) {
            return Failure(scanLineNumber, kNoTab);
        }
        if (scanSplit.gameText.find(kBreak) == std::string_view::npos) {
            return Failure(scanLineNumber, kNoBreak);
        }
        if (*lineDate == todayValue) {
            outcome = ScanOutcome::GameToday;
            break;
        }
        if (*lineDate > todayValue) {
            outcome = ScanOutcome::NoGameToday;
            break;
        }
    }

    ComposeResult result;
    result.ok = true;
    result.outcome = outcome;
    if (outcome == ScanOutcome::NothingLeft) {
        return result;
    }

    std::string& text = result.variables;
    text = "currentdate=" + dates.FormatDate(today);
    if (outcome == ScanOutcome::GameToday) {
        const std::string_view gameText = scanSplit.gameText;
        const std::size_t breakAt = gameText.find(kBreak);
        const std::string_view rest = Mid(gameText, breakAt + kInfoOffset);
        if (rest.size() < kTagLength) {
            return Failure(scanLineNumber, kInfoTooShort);
        }
        text += "&team=";
        text += gameText.substr(0, breakAt);
        text += "&gameinfo=";
        text += rest.substr(0, rest.size() - kTagLength);
    } else {
        text += "&team=&gameinfo=No Game";
    }

    // Entry 0 never holds anything; it only lets day 1 follow the same rule as
    // the days after it.
    std::string entries[kLookAheadDays + 1];
    std::string lookAhead;
    int lookAheadNumber = 0;
    for (int i = 1; i <= kLookAheadDays; ++i) {
        const DaySerial day = today + i;
        // Checked before any line is taken, so a later game on the last line
        // leaves every day bare.
        if (schedule.AtEndOfStream()) {
            entries[i] = DayNumber(day);
            continue;
        }
        // A game entry used up the look-ahead line; anything else tries the same
        // line again on the next day. Kept for compatibility: the previous
        // entry counts as a game by its length alone, as the movie's data
        // has always been written.
        const bool previousUsedLine = entries[i - 1].size() > kBareDayLength;
        if (previousUsedLine || (i == 1 && outcome == ScanOutcome::GameToday)) {
            lookAhead = schedule.ReadLine();
            lookAheadNumber = schedule.LineNumber();
        } else if (i == 1) {
            lookAhead = scanLine;
            lookAheadNumber = scanLineNumber;
        }
        if (lookAhead.empty()) {
            continue;
        }
        const SplitLine split = Split(lookAhead);
        const std::optional<double> lineDate = dates.ParseDate(std::string(split.dateField));
        if (!lineDate) {
            return Failure(lookAheadNumber, NotADate(split.dateField));
        }
        if (*lineDate != static_cast<double>(day)) {
            entries[i] = DayNumber(day);
            continue;
        }
        if (!split.hasTab) {
            return Failure(lookAheadNumber, kNoTab);
        }
        entries[i] = DayNumber(day);
        entries[i] += kBreak;
        entries[i] += Tag(split.gameText);
        entries[i] += kBreak;
        entries[i] += Lead(split.gameText);
    }

    for (int i = 1; i <= kLookAheadDays; ++i) {
        text += "&small" + std::to_string(i) + "=" + entries[i];
    }
    text += "&numvars=6";
    return result;
}

DataStepResult WriteMovieVariables(const std::string& appFolder, DaySerial today, const DateServices& dates,
                                   FileStore& files) {
    DataStepResult result;
    const std::string schedulePath = common::PathInFolder(appFolder, kScheduleFileName);
    const std::string variablesPath = common::PathInFolder(appFolder, kVariablesFileName);

    std::string bytes;
    std::string reason;
    if (!files.ReadAll(schedulePath, bytes, reason)) {
        result.message = WithReason(schedulePath + ": the schedule file cannot be read", reason);
        return result;
    }

    common::TextStream schedule(std::move(bytes));
    const ComposeResult composed = ComposeMovieVariables(schedule, today, dates);
    if (!composed.ok) {
        // The old variables file stays: the movie is not shown anyway, and a
        // half-written file would help nobody.
        result.message = schedulePath + ", line " + std::to_string(composed.errorLine) + ": " + composed.error;
        return result;
    }

    if (!files.ReplaceAll(variablesPath, composed.variables, reason)) {
        result.message = WithReason(variablesPath + ": the variables file cannot be written", reason);
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace vorsaver
