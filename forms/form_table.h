// A window declared as data: the form's own properties and its controls,
// each with properties in the form designer's names and units (twips).
//
// The text form, one item per block:
//
//     # comment
//     Form frmConfig
//         Caption = "Tarrowick Vorlaks Screen Saver Configuration"
//         ClientWidth = 4905
//     Label Label2 in Picture3
//         Caption = "Configure"
//         FontBold = True
//
// An item starts at the left margin with its kind and name (and "in" and its
// container when it sits inside a picture box); its properties follow,
// indented, one per line. Strings are quoted, with "" standing for one quote.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace forms {

enum class Kind { Form, PictureBox, Label, Line, CommandButton, CheckBox, TextBox, Image };

struct Item {
    Kind kind = Kind::Form;
    std::string name;
    std::string container;  // empty: directly on the form
    std::map<std::string, std::string> properties;

    bool Has(const std::string& key) const { return properties.count(key) != 0; }
    std::string Text(const std::string& key, const std::string& fallback = "") const;
    double Number(const std::string& key, double fallback = 0) const;
    bool Flag(const std::string& key, bool fallback = false) const;
};

struct FormTable {
    Item form;
    std::vector<Item> controls;  // in declaration order

    const Item* Find(const std::string& name) const;
    // Controls that take part in the tab order, by TabIndex.
    std::vector<const Item*> TabOrder() const;
};

struct TableParse {
    std::optional<FormTable> table;
    std::string error;  // "line N: what is wrong"
};

// Reads a table and checks it whole: known kinds and properties, numbers
// that are numbers, containers that exist and are picture boxes, unique
// names and tab indexes.
TableParse ParseFormTable(const std::string& text);

// Checks the names of a form's event handlers ("<control>_<Event>", or
// "Form_<Event>" for the window) against its table: each must name a control
// the table declares, or the form, and an event that its kind of control
// has. Returns what is wrong with the first that does not, or "" when all
// fit, so that a renamed control or a mistyped handler is a fault when the
// form loads instead of a button that silently does nothing.
std::string CheckHandlerNames(const FormTable& table, const std::vector<std::string>& handlerNames);

// A colour property: a system colour by name (Window, ButtonFace, WindowText,
// ButtonShadow) or a fixed one (Black, White, or RRGGBB in hex).
struct Colour {
    bool system = false;
    int systemIndex = 0;    // a COLOR_* index when system
    unsigned rgb = 0;       // 0x00RRGGBB when fixed
};
std::optional<Colour> ParseColour(const std::string& text);

}  // namespace forms
