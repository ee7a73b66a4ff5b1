#include "setup/setup_args.h"

#include "setup/saver_rules.h"

namespace setup {

namespace {

// The next argument: blank-separated, with double quotes around parts that
// hold blanks (as in /folder="C:\Documents and Settings\...").
bool NextArgument(const std::string& text, std::size_t& at, std::string& argument) {
    argument.clear();
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    if (at >= text.size()) return false;
    bool quoted = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            break;
        } else {
            argument.push_back(c);
        }
    }
    return true;
}

}  // namespace

Arguments ParseArguments(const std::string& text) {
    Arguments arguments;
    std::size_t at = 0;
    std::string argument;
    while (NextArgument(text, at, argument)) {
        const std::string lower = AsciiLower(argument);
        if (lower == "/s") {
            arguments.silent = true;
        } else if (lower.rfind("/folder=", 0) == 0) {
            arguments.folder = argument.substr(8);
        } else if (lower.rfind("/product=", 0) == 0) {
            arguments.product = argument.substr(9);
        } else if (lower.rfind("/wait=", 0) == 0) {
            unsigned long value = 0;
            for (char c : argument.substr(6)) {
                if (c < '0' || c > '9') break;
                value = value * 10 + static_cast<unsigned long>(c - '0');
            }
            arguments.waitFor = value;
        } else if (arguments.unknown.empty()) {
            arguments.unknown = argument;
        }
    }
    return arguments;
}

std::string UninstallCopyArguments(const std::string& folder, unsigned long processId, const std::string& product,
                                   bool silent) {
    std::string text = "/folder=\"" + folder + "\" /wait=" + std::to_string(processId) + " /product=\"" + product + "\"";
    if (silent) text += " /S";
    return text;
}

}  // namespace setup
