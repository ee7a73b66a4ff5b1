#include "menu/module1_win.h"

#include "common/open_document_win.h"

namespace Module1 {

// Both programs open documents the same way; the menu keeps its own name for
// the routine so its handlers read like the saver's.
void OpenDocument(const std::string& target) { common::OpenDocument(target); }

}  // namespace Module1
