#include "cd/document_path.h"

#include "common/paths.h"
#include "common/plain_text.h"

namespace cd {

namespace {

bool IsAbsolute(const std::string& path) {
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return drive || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

}  // namespace

DocumentPath DocumentFromArguments(const std::string& argumentText, const std::string& cdFolder) {
    DocumentPath result;
    std::string name = common::Trimmed(argumentText);
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
    if (name.empty() || name.find('"') != std::string::npos) {
        result.error = name.empty() ? "No document was named to open."
                                    : "The document's name \"" + name + "\" is not a file name.";
        return result;
    }
    result.path = IsAbsolute(name) ? name : common::PathInFolder(cdFolder, name);
    return result;
}

}  // namespace cd
