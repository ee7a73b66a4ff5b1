#include "forms/form_table.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "common/plain_text.h"
#include "common/text_stream.h"

namespace forms {

namespace {

struct KindRule {
    Kind kind;
    const char* word;
    std::set<std::string> properties;
};

const std::set<std::string> kBox = {"Left", "Top", "Width", "Height", "Visible"};

std::set<std::string> With(std::set<std::string> more) {
    more.insert(kBox.begin(), kBox.end());
    return more;
}

const std::vector<KindRule>& Rules() {
    static const std::vector<KindRule> rules = {
        {Kind::Form, "Form",
         {"Caption", "BorderStyle", "ClientWidth", "ClientHeight", "ShowInTaskbar", "StartUpPosition", "Icon",
          "BackColor", "Picture", "Left", "Top"}},
        {Kind::PictureBox, "PictureBox", With({"BackColor", "Appearance", "BorderStyle", "Picture", "TabIndex"})},
        {Kind::Label, "Label", With({"Caption", "FontName", "FontSize", "FontBold", "TabIndex"})},
        {Kind::Line, "Line", {"X1", "Y1", "X2", "Y2", "BorderColor", "Visible"}},
        {Kind::CommandButton, "CommandButton", With({"Caption", "TabIndex", "Default", "Cancel"})},
        {Kind::CheckBox, "CheckBox", With({"Caption", "TabIndex", "Value"})},
        {Kind::TextBox, "TextBox", With({"Text", "TabIndex", "MultiLine", "Locked", "ScrollBars", "BackColor"})},
        {Kind::Image, "Image", With({"Picture", "TransparentColor"})},
    };
    return rules;
}

const std::set<std::string> kNumbers = {"Left", "Top", "Width", "Height", "ClientWidth", "ClientHeight", "X1",
                                        "Y1", "X2", "Y2", "FontSize", "TabIndex", "Icon", "Value"};
const std::set<std::string> kFlags = {"Visible", "ShowInTaskbar", "FontBold", "Default", "Cancel", "MultiLine",
                                      "Locked"};
const std::set<std::string> kColours = {"BackColor", "BorderColor", "TransparentColor"};
const std::map<std::string, std::set<std::string>> kChoices = {
    {"BorderStyle", {"None", "FixedSingle", "FixedDialog"}},
    {"StartUpPosition", {"CenterScreen", "Manual"}},
    {"Appearance", {"Flat", "3D"}},
    {"ScrollBars", {"None", "Vertical"}},
};

using common::IsBlank;
using common::Trimmed;

std::optional<double> ParseNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size()) return std::nullopt;
    return value;
}

// A quoted string with "" for a quote, or a bare word.
std::optional<std::string> ParseValue(const std::string& text, std::string& error) {
    if (text.empty() || text[0] != '"') {
        if (text.empty()) error = "missing value";
        else if (text.find('"') != std::string::npos) error = "stray quote";
        if (!error.empty()) return std::nullopt;
        return text;
    }
    std::string value;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] != '"') {
            value += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '"') {
            value += '"';
            ++i;
        } else if (i + 1 == text.size()) {
            return value;
        } else {
            error = "text after the closing quote";
            return std::nullopt;
        }
    }
    error = "unclosed quote";
    return std::nullopt;
}

std::string CheckValue(const std::string& key, const std::string& value) {
    if (kNumbers.count(key) && !ParseNumber(value)) return key + " is not a number: " + value;
    if (kFlags.count(key) && value != "True" && value != "False") return key + " must be True or False";
    if (kColours.count(key) && !ParseColour(value)) return key + " is not a colour: " + value;
    auto choice = kChoices.find(key);
    if (choice != kChoices.end() && !choice->second.count(value)) return key + " cannot be " + value;
    return "";
}

const KindRule* RuleForWord(const std::string& word) {
    for (const KindRule& rule : Rules()) {
        if (word == rule.word) return &rule;
    }
    return nullptr;
}

const KindRule& RuleFor(Kind kind) {
    for (const KindRule& rule : Rules()) {
        if (rule.kind == kind) return rule;
    }
    return Rules().front();
}

// The checks that need the whole table.
std::string CheckTable(const FormTable& table) {
    std::set<std::string> names = {table.form.name};
    std::set<std::string> boxes;
    std::set<int> tabIndexes;
    for (const Item& control : table.controls) {
        if (!names.insert(control.name).second) return "two items are named " + control.name;
        if (control.kind == Kind::PictureBox) boxes.insert(control.name);
        if (!control.container.empty()) {
            if (!boxes.count(control.container) || control.container == control.name) {
                return control.name + " is in " + control.container + ", which is no picture box declared before it";
            }
        }
        if (control.Has("TabIndex") && !tabIndexes.insert(static_cast<int>(control.Number("TabIndex"))).second) {
            return control.name + " repeats TabIndex " + control.Text("TabIndex");
        }
    }
    return "";
}

}  // namespace

std::string Item::Text(const std::string& key, const std::string& fallback) const {
    auto found = properties.find(key);
    return found == properties.end() ? fallback : found->second;
}

double Item::Number(const std::string& key, double fallback) const {
    auto found = properties.find(key);
    if (found == properties.end()) return fallback;
    return ParseNumber(found->second).value_or(fallback);
}

bool Item::Flag(const std::string& key, bool fallback) const {
    auto found = properties.find(key);
    return found == properties.end() ? fallback : found->second == "True";
}

const Item* FormTable::Find(const std::string& name) const {
    for (const Item& control : controls) {
        if (control.name == name) return &control;
    }
    return nullptr;
}

std::vector<const Item*> FormTable::TabOrder() const {
    std::vector<const Item*> order;
    for (const Item& control : controls) {
        if (control.Has("TabIndex")) order.push_back(&control);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Item* a, const Item* b) { return a->Number("TabIndex") < b->Number("TabIndex"); });
    return order;
}

TableParse ParseFormTable(const std::string& text) {
    TableParse result;
    FormTable table;
    Item* current = nullptr;
    bool haveForm = false;
    common::TextStream stream(text);
    auto fail = [&](const std::string& why) {
        result.error = "line " + std::to_string(stream.LineNumber()) + ": " + why;
        return result;
    };
    while (!stream.AtEndOfStream()) {
        std::string line = stream.ReadLine();
        std::string content = Trimmed(line);
        if (content.empty() || content[0] == '#') continue;
        if (!IsBlank(line[0])) {
            // Kind Name [in Container]
            std::vector<std::string> words;
            std::size_t pos = 0;
            while (pos < content.size()) {
                std::size_t end = pos;
                while (end < content.size() && !IsBlank(content[end])) ++end;
                words.push_back(content.substr(pos, end - pos));
                pos = end;
                while (pos < content.size() && IsBlank(content[pos])) ++pos;
            }
            const KindRule* rule = RuleForWord(words[0]);
            if (rule == nullptr) return fail("unknown kind " + words[0]);
            bool inside = words.size() == 4 && words[2] == "in";
            if (words.size() != 2 && !inside) return fail("expected: Kind Name [in Container]");
            if (rule->kind == Kind::Form) {
                if (haveForm) return fail("a second Form");
                if (inside) return fail("a Form sits in nothing");
                haveForm = true;
                table.form.kind = Kind::Form;
                table.form.name = words[1];
                current = &table.form;
            } else {
                if (!haveForm) return fail("controls come after the Form");
                Item item;
                item.kind = rule->kind;
                item.name = words[1];
                if (inside) item.container = words[3];
                table.controls.push_back(item);
                current = &table.controls.back();
            }
            continue;
        }
        if (current == nullptr) return fail("a property before any item");
        std::size_t equals = content.find('=');
        if (equals == std::string::npos) return fail("expected: Property = Value");
        std::string key = Trimmed(content.substr(0, equals));
        if (!RuleFor(current->kind).properties.count(key)) {
            return fail(std::string(RuleFor(current->kind).word) + " has no property " + key);
        }
        if (current->Has(key)) return fail(key + " is set twice");
        std::string error;
        std::optional<std::string> value = ParseValue(Trimmed(content.substr(equals + 1)), error);
        if (!value) return fail(key + ": " + error);
        error = CheckValue(key, *value);
        if (!error.empty()) return fail(error);
        current->properties[key] = *value;
    }
    if (!haveForm) {
        result.error = "no Form in the table";
        return result;
    }
    std::string error = CheckTable(table);
    if (!error.empty()) {
        result.error = error;
        return result;
    }
    result.table = std::move(table);
    return result;
}

namespace {

// The events the forms layer sends to each kind of control.
bool HasEvent(Kind kind, const std::string& event) {
    const bool mouse = event == "MouseMove" || event == "MouseDown" || event == "Click";
    switch (kind) {
    case Kind::Form:
        return mouse || event == "Load" || event == "QueryUnload";
    case Kind::PictureBox:
    case Kind::Label:
    case Kind::Image:
        return mouse;
    case Kind::CommandButton:
    case Kind::CheckBox:
        return event == "Click";
    case Kind::Line:
    case Kind::TextBox:
        return false;
    }
    return false;
}

}  // namespace

std::string CheckHandlerNames(const FormTable& table, const std::vector<std::string>& handlerNames) {
    for (const std::string& name : handlerNames) {
        const std::size_t cut = name.rfind('_');
        if (cut == std::string::npos || cut == 0 || cut + 1 == name.size()) {
            return "the handler " + name + " is not named <control>_<Event>";
        }
        const std::string control = name.substr(0, cut);
        const std::string event = name.substr(cut + 1);
        const Item* item = control == "Form" ? &table.form : table.Find(control);
        if (item == nullptr) return "the handler " + name + " names no control of the window";
        if (!HasEvent(item->kind, event)) return "the handler " + name + " names an event that " + control + " does not have";
    }
    return "";
}

std::optional<Colour> ParseColour(const std::string& text) {
    static const std::map<std::string, int> systemColours = {
        {"Window", 5}, {"WindowText", 8}, {"ButtonFace", 15}, {"ButtonShadow", 16}, {"ButtonHighlight", 20},
    };
    auto system = systemColours.find(text);
    if (system != systemColours.end()) return Colour{true, system->second, 0};
    if (text == "Black") return Colour{false, 0, 0x000000};
    if (text == "White") return Colour{false, 0, 0xFFFFFF};
    if (text.size() != 6) return std::nullopt;
    unsigned rgb = 0;
    for (char c : text) {
        int digit = (c >= '0' && c <= '9') ? c - '0'
                    : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                    : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                             : -1;
        if (digit < 0) return std::nullopt;
        rgb = rgb * 16 + static_cast<unsigned>(digit);
    }
    return Colour{false, 0, rgb};
}

}  // namespace forms
