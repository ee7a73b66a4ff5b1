#include "vorsaver/dialogs/about_text.h"

namespace vorsaver {

const char kAboutCaption[] = "About The Tarrowick Vorlaks 2000 Screen Saver";
const char kSaverTitle[] = "The Tarrowick Vorlaks 2000 Screen Saver";

const char kTeamSite[] = "http://www.tarrowickvorlaks.example/";
const char kProducerSite[] = "http://www.tvinteractive.example/";
const char kFlashSite[] = "http://www.macromedia.com/software/flashplayer/";
const char kShockwaveSite[] = "http://www.macromedia.com/shockwave/";

std::string VersionLabel(unsigned major, unsigned minor, unsigned revision) {
    return "Version: " + std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

std::string PlayerNotice() {
    // Five pieces, run together but for one empty line before the fourth.
    return std::string("The Tarrowick Vorlaks 2000 Screen Saver ") +
           "contains the Shockwave player and Flash player software of Macromedia, Inc. " +
           "Shockwave and Flash player software copyright 1995-1999 Macromedia, Inc." + "\r\n\r\n" +
           "All rights reserved. " +
           "Macromedia, Shockwave and Flash are trademarks of Macromedia, Inc.";
}

}  // namespace vorsaver
