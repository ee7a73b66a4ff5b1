#include "menu/menu_commands.h"

#include "common/plain_text.h"

namespace menu {

namespace {

using common::IsBlank;

// Windows error codes, spelled out here so that the core needs no
// <windows.h>.
constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorPathNotFound = 3;
constexpr std::uint32_t kErrorAccessDenied = 5;
constexpr std::uint32_t kErrorBadFormat = 11;
constexpr std::uint32_t kErrorBadExeFormat = 193;

std::string Reason(std::uint32_t errorCode) {
    switch (errorCode) {
    case kErrorFileNotFound: return "the file was not found.";
    case kErrorPathNotFound: return "the file was not found (its folder does not exist).";
    case kErrorAccessDenied: return "access to the file was denied.";
    case kErrorBadFormat:
    case kErrorBadExeFormat: return "the file is not a program that Windows can run.";
    default: return "Windows error " + std::to_string(errorCode) + ".";
    }
}

}  // namespace

std::string ExecCommand(const std::string& appFolder, const std::string& document) {
    return "exec " + appFolder + document;
}

std::string ThemesProgramPath(const std::string& systemDir) {
    return systemDir.substr(0, 3) + kThemesProgram;
}

std::string ProgramOfCommand(const std::string& commandLine) {
    std::size_t begin = 0;
    while (begin < commandLine.size() && IsBlank(commandLine[begin])) ++begin;
    if (begin < commandLine.size() && commandLine[begin] == '"') {
        // An unclosed quote runs to the end, as Windows reads it.
        std::size_t close = commandLine.find('"', begin + 1);
        std::size_t end = close == std::string::npos ? commandLine.size() : close;
        return commandLine.substr(begin + 1, end - begin - 1);
    }
    std::size_t end = begin;
    while (end < commandLine.size() && !IsBlank(commandLine[end])) ++end;
    return commandLine.substr(begin, end - begin);
}

std::string StartFailureMessage(const std::string& commandLine, std::uint32_t errorCode) {
    return "Cannot start \"" + ProgramOfCommand(commandLine) + "\": " + Reason(errorCode);
}

}  // namespace menu
