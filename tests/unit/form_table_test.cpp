#include "forms/form_table.h"

#include <gtest/gtest.h>

#include "tests/unit/shipped_table.h"

namespace forms {
namespace {

const char kSample[] =
    "# a dialog\n"
    "Form frmSample\n"
    "    Caption = \"Say \"\"hello\"\"\"\n"
    "    BorderStyle = FixedDialog\n"
    "    ClientWidth = 4905\n"
    "\n"
    "PictureBox Band\n"
    "    Left = 0\n"
    "    Width = 4905\n"
    "    BackColor = Window\n"
    "    TabIndex = 2\n"
    "Label Heading in Band\n"
    "    Caption = \"Configure\"\r\n"
    "    FontSize = 13.5\n"
    "    FontBold = True\n"
    "CommandButton OkButton\n"
    "    Caption = \"&Ok\"\n"
    "    Left = -19\n"
    "    TabIndex = 0\n"
    "CheckBox Box\n"
    "    TabIndex = 1\n";

TEST(FormTable, ReadsItemsPropertiesAndContainers) {
    TableParse parsed = ParseFormTable(kSample);
    ASSERT_TRUE(parsed.table) << parsed.error;
    const FormTable& table = *parsed.table;
    EXPECT_EQ(table.form.name, "frmSample");
    EXPECT_EQ(table.form.Text("Caption"), "Say \"hello\"");
    EXPECT_EQ(table.form.Number("ClientWidth"), 4905);
    ASSERT_EQ(table.controls.size(), 4u);
    const Item* heading = table.Find("Heading");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->kind, Kind::Label);
    EXPECT_EQ(heading->container, "Band");
    EXPECT_EQ(heading->Text("Caption"), "Configure");
    EXPECT_DOUBLE_EQ(heading->Number("FontSize"), 13.5);
    EXPECT_TRUE(heading->Flag("FontBold"));
    EXPECT_FALSE(heading->Flag("Visible", false));
    EXPECT_TRUE(heading->Flag("Visible", true));
    EXPECT_EQ(table.Find("OkButton")->Number("Left"), -19);
    EXPECT_EQ(table.Find("Nothing"), nullptr);
}

TEST(FormTable, HandlersMustNameAControlAndAnEventItHas) {
    TableParse parsed = ParseFormTable(kSample);
    ASSERT_TRUE(parsed.table) << parsed.error;
    struct Case { const char* handler; const char* error; };
    const Case cases[] = {
        {"Form_Load", ""},
        {"Form_QueryUnload", ""},
        {"OkButton_Click", ""},
        {"Box_Click", ""},
        {"Heading_MouseMove", ""},
        {"Band_MouseDown", ""},
        {"OkButon_Click", "the handler OkButon_Click names no control of the window"},
        {"OkButton_Clik", "the handler OkButton_Clik names an event that OkButton does not have"},
        {"OkButton_MouseMove", "the handler OkButton_MouseMove names an event that OkButton does not have"},
        {"Heading_Load", "the handler Heading_Load names an event that Heading does not have"},
        {"OkButtonClick", "the handler OkButtonClick is not named <control>_<Event>"},
        {"OkButton_", "the handler OkButton_ is not named <control>_<Event>"},
    };
    for (const Case& c : cases) EXPECT_EQ(CheckHandlerNames(*parsed.table, {c.handler}), c.error) << c.handler;
    EXPECT_EQ(CheckHandlerNames(*parsed.table, {"Form_Load", "Nothing_Click", "Box_Click"}),
              "the handler Nothing_Click names no control of the window")
        << "the first fault is named";
}

TEST(FormTable, TabOrderFollowsTabIndexNotDeclaration) {
    TableParse parsed = ParseFormTable(kSample);
    ASSERT_TRUE(parsed.table);
    std::vector<std::string> names;
    for (const Item* item : parsed.table->TabOrder()) names.push_back(item->name);
    EXPECT_EQ(names, (std::vector<std::string>{"OkButton", "Box", "Band"}));
}

TEST(FormTable, FaultsNameTheirLine) {
    struct Case { const char* text; const char* error; };
    const Case cases[] = {
        {"", "no Form in the table"},
        {"Label A\n", "line 1: controls come after the Form"},
        {"Form F\nForm G\n", "line 2: a second Form"},
        {"Form F\nWidget W\n", "line 2: unknown kind Widget"},
        {"Form F\nLabel\n", "line 2: expected: Kind Name [in Container]"},
        {"Form F\nLabel A inside B\n", "line 2: expected: Kind Name [in Container]"},
        {"    Caption = \"x\"\n", "line 1: a property before any item"},
        {"Form F\n    Caption\n", "line 2: expected: Property = Value"},
        {"Form F\n    Colour = 1\n", "line 2: Form has no property Colour"},
        {"Form F\nLine L\n    Caption = \"x\"\n", "line 3: Line has no property Caption"},
        {"Form F\n    ClientWidth = 12x\n", "line 2: ClientWidth is not a number: 12x"},
        {"Form F\n    ClientWidth =\n", "line 2: ClientWidth: missing value"},
        {"Form F\n    ShowInTaskbar = Yes\n", "line 2: ShowInTaskbar must be True or False"},
        {"Form F\n    BorderStyle = Sizable\n", "line 2: BorderStyle cannot be Sizable"},
        {"Form F\n    BackColor = Pink\n", "line 2: BackColor is not a colour: Pink"},
        {"Form F\n    Caption = \"open\n", "line 2: Caption: unclosed quote"},
        {"Form F\n    Caption = \"a\" b\n", "line 2: Caption: text after the closing quote"},
        {"Form F\n    Caption = a\"b\n", "line 2: Caption: stray quote"},
        {"Form F\n    Caption = \"a\"\n    Caption = \"b\"\n", "line 3: Caption is set twice"},
        {"Form F\nLabel A\nLabel A\n", "two items are named A"},
        {"Form F\nLabel F\n", "two items are named F"},
        {"Form F\nLabel A in B\n", "A is in B, which is no picture box declared before it"},
        {"Form F\nLabel B\nLabel A in B\n", "A is in B, which is no picture box declared before it"},
        {"Form F\nLabel A in P\nPictureBox P\n", "A is in P, which is no picture box declared before it"},
        {"Form F\nLabel A\n    TabIndex = 1\nLabel B\n    TabIndex = 1\n", "B repeats TabIndex 1"},
    };
    for (const Case& c : cases) {
        TableParse parsed = ParseFormTable(c.text);
        EXPECT_FALSE(parsed.table) << c.text;
        EXPECT_EQ(parsed.error, c.error) << c.text;
    }
}

TEST(FormTable, Colours) {
    struct Case { const char* text; bool ok; bool system; int index; unsigned rgb; };
    const Case cases[] = {
        {"Window", true, true, 5, 0},          {"ButtonFace", true, true, 15, 0},
        {"WindowText", true, true, 8, 0},      {"White", true, false, 0, 0xFFFFFF},
        {"Black", true, false, 0, 0},          {"C0C0C0", true, false, 0, 0xC0C0C0},
        {"ff00Ff", true, false, 0, 0xFF00FF},  {"C0C0C", false, false, 0, 0},
        {"C0C0CG", false, false, 0, 0},        {"window", false, false, 0, 0},
        {"", false, false, 0, 0},
    };
    for (const Case& c : cases) {
        std::optional<Colour> colour = ParseColour(c.text);
        ASSERT_EQ(colour.has_value(), c.ok) << c.text;
        if (!c.ok) continue;
        EXPECT_EQ(colour->system, c.system) << c.text;
        EXPECT_EQ(colour->systemIndex, c.index) << c.text;
        EXPECT_EQ(colour->rgb, c.rgb) << c.text;
    }
}

#ifdef VORLAKS_SOURCE_DIR
// The tables the programs carry are read by the same rules at run time; a
// fault there would only show as an error box when the window opens.
TEST(FormTable, EveryShippedTableReads) {
    const char* tables[] = {"frmConfig.frm", "frmAbout.frm", "frmPreview.frm", "menu_frmMain.frm",
                            "menu_frmTheme.frm"};
    for (const char* name : tables) {
        TableParse parsed = ReadShippedTable(name);
        EXPECT_TRUE(parsed.table) << name << ": " << parsed.error;
    }
}
#endif

}  // namespace
}  // namespace forms
