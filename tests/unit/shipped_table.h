// The window tables in resources/forms/, read from the source tree as the
// programs read them from their resources. Native builds only: the cross-built
// tests under Wine have no path to the sources.
#pragma once

#ifdef VORLAKS_SOURCE_DIR
#include <fstream>
#include <sstream>
#include <string>

#include "forms/form_table.h"

namespace forms {

inline TableParse ReadShippedTable(const std::string& fileName) {
    std::ifstream file(std::string(VORLAKS_SOURCE_DIR) + "/resources/forms/" + fileName, std::ios::binary);
    if (!file) return {std::nullopt, "cannot read resources/forms/" + fileName};
    std::stringstream text;
    text << file.rdbuf();
    return ParseFormTable(text.str());
}

}  // namespace forms
#endif
