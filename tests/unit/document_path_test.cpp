#include "cd/document_path.h"

#include <gtest/gtest.h>

namespace cd {
namespace {

TEST(DocumentPath, TheWholeArgumentNamesOneDocumentRelativeToTheCd) {
    struct Case { const char* arguments; const char* path; const char* error; };
    const Case cases[] = {
        // As the menu passes them: the folder, unquoted, then the document.
        {"D:\\help\\readme.txt", "D:\\help\\readme.txt", ""},
        {"D:\\\\help\\readme.txt", "D:\\\\help\\readme.txt", ""},
        {"C:\\Vorlaks CD\\games\\index.html", "C:\\Vorlaks CD\\games\\index.html", ""},
        {"  \"E:\\a b\\readme.txt\"  ", "E:\\a b\\readme.txt", ""},
        {"\\\\server\\cd\\help\\readme.txt", "\\\\server\\cd\\help\\readme.txt", ""},
        // Relative to the CD, where exec lies.
        {"help\\readme.txt", "D:\\\\help\\readme.txt", ""},
        {"games/index.html", "D:\\\\games/index.html", ""},
        {"", "", "No document was named to open."},
        {"   ", "", "No document was named to open."},
        {"\"\"", "", "No document was named to open."},
        {"a\"b.txt", "", "The document's name \"a\"b.txt\" is not a file name."},
    };
    for (const Case& c : cases) {
        DocumentPath document = DocumentFromArguments(c.arguments, "D:\\");
        EXPECT_EQ(document.path, c.path) << c.arguments;
        EXPECT_EQ(document.error, c.error) << c.arguments;
    }
}

}  // namespace
}  // namespace cd
