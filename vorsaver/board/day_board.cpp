#include "vorsaver/board/day_board.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "common/plain_text.h"

namespace vorsaver {

namespace {

const char kBlanks[] = " \t\r\n";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Hand-edited or differently written files may end a piece with a line
// break; that break is no part of what the board shows.
std::string Trimmed(const std::string& text) { return common::Trimmed(text, kBlanks); }

// A carriage return is the movie's line break; LF and CR LF are taken as
// one break too, so a file from another writer reads the same.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

const std::string* Find(const std::map<std::string, std::string>& pairs, const std::string& name) {
    const auto found = pairs.find(name);
    return found == pairs.end() ? nullptr : &found->second;
}

NextDay ReadNextDay(const std::string* value) {
    NextDay day;
    if (value == nullptr) return day;
    day.present = true;
    const std::vector<std::string> parts = SplitLines(Trimmed(*value));
    day.dayNumber = Trimmed(parts[0]);
    if (parts.size() < 2) return day;
    day.hasGame = true;
    day.tag = Trimmed(parts[1]);
    // The lead is four characters cut from the schedule by position, so a
    // break can land inside it; it is still one short text on the tile.
    std::string lead;
    for (std::size_t i = 2; i < parts.size(); ++i) {
        if (i > 2) lead += ' ';
        lead += parts[i];
    }
    day.lead = Trimmed(lead);
    return day;
}

}  // namespace

std::string DecodeMovieText(const std::string& text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

std::map<std::string, std::string> ParseMovieVariables(const std::string& variablesText) {
    std::map<std::string, std::string> pairs;
    std::size_t start = 0;
    while (start <= variablesText.size()) {
        std::size_t end = variablesText.find('&', start);
        if (end == std::string::npos) end = variablesText.size();
        const std::string piece = variablesText.substr(start, end - start);
        const std::size_t equals = piece.find('=');
        std::string name = DecodeMovieText(piece.substr(0, equals));
        if (!Trimmed(name).empty()) {
            pairs[std::move(name)] =
                equals == std::string::npos ? std::string() : DecodeMovieText(piece.substr(equals + 1));
        }
        start = end + 1;
    }
    return pairs;
}

DayBoardContent ReadDayBoard(const std::string& variablesText) {
    const std::map<std::string, std::string> pairs = ParseMovieVariables(variablesText);
    DayBoardContent content;
    content.empty = pairs.empty();
    if (const std::string* date = Find(pairs, "currentdate")) content.date = Trimmed(*date);
    if (const std::string* team = Find(pairs, "team")) content.team = Trimmed(*team);

    if (const std::string* info = Find(pairs, "gameinfo")) {
        const std::string text = Trimmed(*info);
        content.hasGame = text != kNoGameText;
        if (content.hasGame && !text.empty()) {
            // Trimming first drops blank lines at the ends, which would only
            // push the text off centre; blank lines inside are the writer's.
            for (const std::string& line : SplitLines(text)) content.gameLines.push_back(Trimmed(line));
        }
    }

    for (int i = 0; i < kNextDayCount; ++i) {
        content.nextDays[i] = ReadNextDay(Find(pairs, "small" + std::to_string(i + 1)));
    }
    return content;
}

ScheduleSpan ReadScheduleSpan(common::TextStream& schedule, const DateServices& dates) {
    ScheduleSpan span;
    while (!schedule.AtEndOfStream()) {
        const std::string line = schedule.ReadLine();
        const std::size_t tab = line.find('\t');
        if (line.empty() || tab == std::string::npos) continue;
        const std::optional<double> date = dates.ParseDate(line.substr(0, tab));
        if (!date) continue;
        // A game with a time of day is still a game on that day (dates
        // before 1899 count down from zero, so truncation needs a step).
        DaySerial day = static_cast<DaySerial>(*date);
        if (day > *date) --day;
        if (!span.any || day < span.first) span.first = day;
        if (!span.any || day > span.last) span.last = day;
        span.any = true;
    }
    return span;
}

void AddSeasonNote(DayBoardContent& content, DaySerial today, const ScheduleSpan& span, const DateServices& dates) {
    if (content.empty) {
        content.date = dates.FormatDate(today);
        if (!span.any) {
            content.season = SeasonNote::NoGames;
        } else if (span.last < today) {
            content.season = SeasonNote::Over;
            content.seasonDate = dates.FormatDate(span.last);
        }
        return;
    }
    if (!content.hasGame && span.any && today < span.first) {
        content.season = SeasonNote::NotBegun;
        content.seasonDate = dates.FormatDate(span.first);
    }
}

std::string DescribeDayBoard(const DayBoardContent& content) {
    std::string text = content.date;
    const auto add = [&text](const std::string& piece) {
        if (piece.empty()) return;
        if (!text.empty()) text += ": ";
        text += piece;
    };
    if (content.empty) {
        if (content.season == SeasonNote::Over) {
            add(kSeasonOverText);
            text += std::string(". ") + kLastGameText + " " + content.seasonDate;
        }
        if (content.season == SeasonNote::NoGames) add(kNoGamesScheduledText);
        return text.empty() ? std::string(kTeamNameText) : text;
    }
    if (content.hasGame) {
        for (const std::string& line : content.gameLines) add(line);
    } else {
        add(kNoGameText);
        if (content.season == SeasonNote::NotBegun) add(std::string(kSeasonBeginsText) + " " + content.seasonDate);
    }
    return text;
}

}  // namespace vorsaver
