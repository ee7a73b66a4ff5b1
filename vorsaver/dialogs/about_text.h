// The fixed texts of the About dialog.
#pragma once

#include <string>

namespace vorsaver {

extern const char kAboutCaption[];
extern const char kSaverTitle[];

// "Version: " and the three numbers in decimal, without blanks or leading
// zeros: "Version: 1.0.0".
std::string VersionLabel(unsigned major, unsigned minor, unsigned revision);

// The notice on the player software: two paragraphs, an empty line between.
std::string PlayerNotice();

// Where the About dialog's links lead.
extern const char kTeamSite[];
extern const char kProducerSite[];
extern const char kFlashSite[];
extern const char kShockwaveSite[];

}  // namespace vorsaver
