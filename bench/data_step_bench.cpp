// How much the data step costs over merely reading its schedule, measured in
// one run on a schedule far longer than any season:
//   data_step_bench [schedule file]
// The variables file is written beside the schedule ("<schedule>.variables");
// both are removed at the end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <string>
#include <utility>
#include <vector>

#include "vorsaver/dates/date_services.h"
#include "vorsaver/movie/movie_variables.h"

namespace {

constexpr int kPastLines = 100000;
constexpr int kPastLinesPerDay = 10;
constexpr int kRepeats = 9;
constexpr const char* kDefaultSchedule = "data_step_bench_schedule.pvz";
constexpr const char* kGameText = "Vorlaks v Harbor Gulls%0D%0DTarrowick Arena%0D7:30 PM%0DTV: Channel 4 HOM";

std::string IsoDate(vorsaver::DaySerial day) {
    const vorsaver::CivilDate date = vorsaver::CivilFromSerial(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

// The step names its files "<folder>\<name>"; this store sends those two
// names to the real files, whatever the host's path syntax.
class BenchFiles : public vorsaver::FileStore {
public:
    BenchFiles(std::filesystem::path schedule, std::filesystem::path variables)
        : schedule_(std::move(schedule)), variables_(std::move(variables)) {}

    bool ReadAll(const std::string& path, std::string& bytes, std::string& error) override {
        std::ifstream in(Resolve(path), std::ios::binary | std::ios::ate);
        if (!in) {
            error = "cannot open";
            return false;
        }
        bytes.resize(static_cast<std::size_t>(in.tellg()));
        in.seekg(0);
        if (!in.read(&bytes[0], static_cast<std::streamsize>(bytes.size()))) {
            error = "cannot read";
            return false;
        }
        return true;
    }

    bool ReplaceAll(const std::string& path, const std::string& bytes, std::string& error) override {
        const std::filesystem::path target = Resolve(path);
        std::filesystem::path temporary = target;
        temporary += ".new";
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            if (!out.flush()) {
                error = "cannot write";
                return false;
            }
        }
        std::error_code failure;
        std::filesystem::rename(temporary, target, failure);
        if (failure) {
            error = failure.message();
            return false;
        }
        return true;
    }

private:
    std::filesystem::path Resolve(const std::string& path) const {
        const std::string name = path.substr(path.rfind('\\') + 1);
        return name == vorsaver::kScheduleFileName ? schedule_ : variables_;
    }

    std::filesystem::path schedule_;
    std::filesystem::path variables_;
};

void WriteSchedule(const std::filesystem::path& path, vorsaver::DaySerial today) {
    std::ostringstream text;
    const int pastDays = kPastLines / kPastLinesPerDay;
    for (int line = 0; line < kPastLines; ++line) {
        text << IsoDate(today - pastDays + line / kPastLinesPerDay) << '\t' << kGameText << "\r\n";
    }
    for (int offset : {0, 1, 3, 4, 6}) {
        text << IsoDate(today + offset) << '\t' << kGameText << "\r\n";
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text.str();
}

double MedianMilliseconds(const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < kRepeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path schedulePath = argc > 1 ? argv[1] : kDefaultSchedule;
    // Beside the schedule, but never the saver's own variables file.
    std::filesystem::path variablesPath = schedulePath;
    variablesPath += ".variables";
    const vorsaver::DaySerial today = vorsaver::LocalToday();
    WriteSchedule(schedulePath, today);

    const auto dates = vorsaver::MakeDateServices();
    BenchFiles files(schedulePath, variablesPath);
    const std::string folder = schedulePath.parent_path().string();
    bool stepFailed = false;
    std::string failure;
    const double stepTime = MedianMilliseconds([&] {
        const vorsaver::DataStepResult result = vorsaver::WriteMovieVariables(folder, today, *dates, files);
        if (!result.ok) {
            stepFailed = true;
            failure = result.message;
        }
    });

    long long lineCount = 0;
    const double readTime = MedianMilliseconds([&] {
        std::ifstream in(schedulePath, std::ios::binary);
        std::string line;
        lineCount = 0;
        while (std::getline(in, line)) {
            ++lineCount;
        }
    });

    std::string variables;
    {
        std::ifstream in(variablesPath, std::ios::binary);
        variables.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::error_code ignored;
    std::filesystem::remove(schedulePath, ignored);
    std::filesystem::remove(variablesPath, ignored);

    // A step that stopped early or found no game would time the wrong work.
    const std::string expectedTail = "%0DHOM%0DTarr&small2=" + std::to_string(vorsaver::CivilFromSerial(today + 2).day) +
                                     "&small3=" + std::to_string(vorsaver::CivilFromSerial(today + 3).day) +
                                     "%0DHOM%0DTarr&numvars=6";
    if (stepFailed || variables.size() < expectedTail.size() ||
        variables.compare(variables.size() - expectedTail.size(), expectedTail.size(), expectedTail) != 0) {
        std::cerr << "data step did not give today's game: " << (stepFailed ? failure : variables) << "\n";
        return 1;
    }
    if (lineCount != kPastLines + 5) {
        std::cerr << "plain read counted " << lineCount << " lines\n";
        return 1;
    }

    char summary[128];
    std::snprintf(summary, sizeof summary, "data step: %.1f ms, plain read: %.1f ms, ratio %.2f", stepTime, readTime,
                  stepTime / readTime);
    std::cout << summary << std::endl;
    return 0;
}
