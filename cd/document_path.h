// exec, the CD's document opener: which document its command line names.
#pragma once

#include <string>

namespace cd {

struct DocumentPath {
    std::string path;   // where the document is, or empty
    std::string error;  // why there is none, for the user
};

// The document named by exec's argument text: the whole text, blanks at the
// ends left out and surrounding quotes taken off (the menu passes a path
// with blanks unquoted, and a drive's root with a doubled backslash, which
// Windows reads as one). A name without a drive or a leading backslash is
// taken relative to `cdFolder`, the folder exec lies in.
DocumentPath DocumentFromArguments(const std::string& argumentText, const std::string& cdFolder);

}  // namespace cd
