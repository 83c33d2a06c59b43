// The values that every window's and every control's layout record gives them,
// read back from the objects once the window is constructed, before anything
// has run on it: every entry of every record, by its declared type.
// Tables here are laid out by hand.
// clang-format off
#include "ProgramHarness.h"
#include "dialogs/Window3.h"
#include "dialogs/Window4.h"
#include "dialogs/Window5.h"
#include "dialogs/Window6.h"
#include "mainwindow/Window2.h"
#include "startup/Window1.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace loom;
using progtest::ProgramRun;

namespace {

// One expected value, of the type that its record entry carries.
struct Expected {
    enum class Kind { Integer, Boolean, String, Colour } kind;
    int32_t integer = 0;
    std::string text;
    Color colour;
};

Expected I(int32_t v) { return {Expected::Kind::Integer, v, {}, {}}; }
Expected B(bool v) { return {Expected::Kind::Boolean, v ? 1 : 0, {}, {}}; }
Expected S(std::string v) { return {Expected::Kind::String, 0, std::move(v), {}}; }
Expected C(uint8_t r, uint8_t g, uint8_t b) { return {Expected::Kind::Colour, 0, {}, Color{r, g, b}}; }
const Expected kWhite = C(0xFF, 0xFF, 0xFF);
const Expected kBlack = C(0x00, 0x00, 0x00);

// Record entries as the records name them, with the value each gives.
using Entries = std::vector<std::pair<std::string, Expected>>;

void expectEntries(const Object* o, const Entries& entries) {
    for (const auto& [name, want] : entries) {
        SCOPED_TRACE(objectName(o) + " " + name);
        const int slot = findProperty(o->cls, name);
        ASSERT_GE(slot, 0);
        const Value& v = property(o, slot);
        switch (want.kind) {
        case Expected::Kind::Integer:
            EXPECT_TRUE(v.type() == PropType::Integer || v.type() == PropType::Enumeration) << typeName(v.type());
            EXPECT_EQ(v.asInteger(), want.integer);
            break;
        case Expected::Kind::Boolean:
            EXPECT_EQ(v.type(), PropType::Boolean) << typeName(v.type());
            EXPECT_EQ(v.asBoolean(), want.integer != 0);
            break;
        case Expected::Kind::String:
            EXPECT_EQ(v.type(), PropType::String) << typeName(v.type());
            EXPECT_EQ(v.text(), want.text);
            break;
        case Expected::Kind::Colour: {
            EXPECT_EQ(v.type(), PropType::Color) << typeName(v.type());
            const Color c = v.asColor();
            EXPECT_EQ((std::vector<int>{c.red, c.green, c.blue}),
                      (std::vector<int>{want.colour.red, want.colour.green, want.colour.blue}));
            break;
        }
        }
    }
}

// ---- Controls ---------------------------------------------------------------------------------------

enum class Kind { Timer, BevelButton, CheckBox, Label, TextField, ComboBox };

// The entries that every record of a kind carries with the same value.
const Entries& sharedEntries(Kind kind) {
    static const Entries kTimer{{"Mode", I(0)}};
    static const Entries kButton{
        {"Index", I(INT32_MIN)},     {"LockLeft", B(true)},       {"LockTop", B(true)},       {"LockRight", B(false)},
        {"LockBottom", B(false)},    {"TabPanelIndex", I(0)},     {"TabStop", B(true)},       {"InitialParent", S("")},
        {"HelpTag", S("")},          {"AutoDeactivate", B(true)}, {"CaptionAlign", I(3)},     {"CaptionPlacement", I(1)},
        {"CaptionDelta", I(0)},      {"IconAlign", I(0)},         {"IconDX", I(0)},           {"IconDY", I(0)},
        {"Bevel", I(0)},             {"HasMenu", I(0)},           {"HasBackColor", B(false)}, {"BackColor", kBlack},
        {"TextColor", kBlack},       {"Value", B(false)},         {"MenuValue", I(0)},        {"ButtonType", I(0)},
        {"AcceptFocus", B(false)},   {"TextFont", S("System")},   {"Bold", B(false)},         {"Italic", B(false)},
        {"Underline", B(false)}};
    static const Entries kCheck{
        {"Index", I(INT32_MIN)},     {"LockLeft", B(true)},       {"LockTop", B(true)},     {"LockRight", B(false)},
        {"LockBottom", B(false)},    {"TabPanelIndex", I(0)},     {"TabStop", B(true)},     {"Caption", S("")},
        {"HelpTag", S("")},          {"AutoDeactivate", B(true)}, {"TextFont", S("System")}, {"Bold", B(false)},
        {"Italic", B(false)},        {"Underline", B(false)},     {"DataSource", S("")},    {"DataField", S("")},
        {"InitialParent", S("")}};
    static const Entries kLabel{
        {"Index", I(INT32_MIN)},   {"LockLeft", B(true)},       {"LockTop", B(true)},     {"LockRight", B(false)},
        {"LockBottom", B(false)},  {"TabPanelIndex", I(0)},     {"Text", S("")},          {"TextAlign", I(0)},
        {"TextColor", kBlack},     {"Multiline", B(false)},     {"Enabled", B(true)},     {"Visible", B(true)},
        {"Selectable", B(false)},  {"Transparent", B(false)},   {"HelpTag", S("")},       {"AutoDeactivate", B(true)},
        {"TextFont", S("System")}, {"Bold", B(false)},          {"Italic", B(false)},     {"Underline", B(false)},
        {"DataSource", S("")},     {"DataField", S("")},        {"InitialParent", S("")}};
    static const Entries kField{
        {"Index", I(INT32_MIN)},   {"Width", I(63)},           {"Height", I(20)},        {"LockLeft", B(true)},
        {"LockTop", B(true)},      {"LockRight", B(false)},    {"LockBottom", B(false)}, {"TabPanelIndex", I(0)},
        {"TabStop", B(true)},      {"Border", B(true)},        {"Password", B(false)},   {"UseFocusRing", B(true)},
        {"TextColor", kBlack},     {"BackColor", kWhite},      {"Enabled", B(true)},     {"Format", S("")},
        {"Visible", B(false)},     {"HelpTag", S("")},         {"AutoDeactivate", B(true)}, {"TextFont", S("System")},
        {"Bold", B(false)},        {"Italic", B(false)},       {"Underline", B(false)},  {"CueText", S("")},
        {"Text", S("")},           {"Mask", S("")},            {"ReadOnly", B(false)},   {"LimitText", I(0)},
        {"AcceptTabs", B(false)},  {"Alignment", I(0)},        {"AutomaticallyCheckSpelling", B(false)},
        {"DataSource", S("")},     {"DataField", S("")}};
    static const Entries kCombo{
        {"Index", I(INT32_MIN)},  {"LockLeft", B(true)},       {"LockTop", B(true)},       {"LockRight", B(false)},
        {"LockBottom", B(false)}, {"TabPanelIndex", I(0)},     {"TabStop", B(true)},       {"HelpTag", S("")},
        {"AutoDeactivate", B(true)}, {"TextFont", S("System")}, {"Bold", B(false)},       {"Italic", B(false)},
        {"Underline", B(false)},  {"DataSource", S("")},       {"DataField", S("")}};
    switch (kind) {
    case Kind::Timer: return kTimer;
    case Kind::BevelButton: return kButton;
    case Kind::CheckBox: return kCheck;
    case Kind::Label: return kLabel;
    case Kind::TextField: return kField;
    case Kind::ComboBox: return kCombo;
    }
    return kTimer;
}

// How many entries a record of each kind has.
size_t entriesPerRecord(Kind kind) {
    switch (kind) {
    case Kind::Timer: return 2;
    case Kind::BevelButton: return 38;
    case Kind::CheckBox: return 27;
    case Kind::Label: return 29;
    case Kind::TextField: return 37;
    case Kind::ComboBox: return 27;
    }
    return 0;
}

// One control: its name, its kind and the entries its own record gives it.
struct ControlRow {
    std::string name;
    Kind kind;
    Entries own;
};

ControlRow timer(std::string name, int32_t period) { return {name, Kind::Timer, {{"Period", I(period)}}}; }

ControlRow button(std::string name, int32_t left, int32_t top, int32_t width, int32_t height, int32_t tabIndex,
                  bool visible, bool enabled, std::string caption) {
    return {name,
            Kind::BevelButton,
            {{"Name", S(name)},
             {"Left", I(left)},
             {"Top", I(top)},
             {"Width", I(width)},
             {"Height", I(height)},
             {"TabIndex", I(tabIndex)},
             {"Visible", B(visible)},
             {"Enabled", B(enabled)},
             {"Caption", S(std::move(caption))}}};
}

// `checked`: State 1 with Value true; otherwise State 0 with Value false.
ControlRow check(std::string name, int32_t left, int32_t top, int32_t width, int32_t height, int32_t tabIndex,
                 bool visible, bool enabled, bool checked) {
    return {name,
            Kind::CheckBox,
            {{"Name", S(name)},
             {"Left", I(left)},
             {"Top", I(top)},
             {"Width", I(width)},
             {"Height", I(height)},
             {"TabIndex", I(tabIndex)},
             {"Enabled", B(enabled)},
             {"Visible", B(visible)},
             {"State", I(checked ? 1 : 0)},
             {"Value", B(checked)}}};
}

ControlRow label(std::string name, int32_t left, int32_t top, int32_t width, int32_t height, int32_t tabIndex) {
    return {name,
            Kind::Label,
            {{"Name", S(name)},
             {"Left", I(left)},
             {"Top", I(top)},
             {"Width", I(width)},
             {"Height", I(height)},
             {"TabIndex", I(tabIndex)}}};
}

ControlRow field(std::string name, int32_t left, int32_t top, int32_t tabIndex) {
    return {name, Kind::TextField, {{"Name", S(name)}, {"Left", I(left)}, {"Top", I(top)}, {"TabIndex", I(tabIndex)}}};
}

// ---- Windows -------------------------------------------------------------------------------------------

struct WindowTable {
    const char* name;
    WindowObject* (*accessor)();
    const char* backdrop;
    Entries record;  // the window record's 21 entries
    std::vector<ControlRow> controls;  // in creation order
};

void PrintTo(const WindowTable& w, std::ostream* os) { *os << w.name; }

const std::vector<WindowTable>& windowTables() {
    static const std::vector<WindowTable> tables{
        {"Window1.Window1",
         &Window1::Window1,
         "li.jpg",
         {{"Placement", I(0)},       {"Width", I(440)},           {"Height", I(147)},
          {"MinWidth", I(64)},       {"MinHeight", I(64)},        {"MaxWidth", I(32000)},
          {"MaxHeight", I(32000)},   {"Frame", I(2)},             {"Composite", B(false)},
          {"HasBackColor", B(false)}, {"BackColor", kWhite},      {"Title", S("")},
          {"Visible", B(false)},     {"FullScreen", B(false)},    {"MenuBarVisible", B(true)},
          {"CloseButton", B(true)},  {"Resizeable", B(false)},    {"LiveResize", B(false)},
          {"MaximizeButton", B(false)}, {"MinimizeButton", B(true)}, {"MacProcID", I(0)}},
         {timer("Timer1", 1), timer("Timer2", 3700)}},
        {"Window2.Window2",
         &Window2::Window2,
         "p.jpg",
         {{"Placement", I(0)},       {"Width", I(619)},           {"Height", I(461)},
          {"MinWidth", I(64)},       {"MinHeight", I(64)},        {"MaxWidth", I(32000)},
          {"MaxHeight", I(32000)},   {"Frame", I(2)},             {"Composite", B(false)},
          {"HasBackColor", B(false)}, {"BackColor", kWhite},      {"Title", S("")},
          {"Visible", B(false)},     {"FullScreen", B(false)},    {"MenuBarVisible", B(true)},
          {"CloseButton", B(true)},  {"Resizeable", B(false)},    {"LiveResize", B(false)},
          {"MaximizeButton", B(false)}, {"MinimizeButton", B(true)}, {"MacProcID", I(0)}},
         {
             button("BevelButton1", 531, 420, 69, 21, 0, true, true, "OK"),
             {"ComboBox1",
              Kind::ComboBox,
              {{"Name", S("ComboBox1")},
               {"Left", I(163)},
               {"Top", I(168)},
               {"Width", I(118)},
               {"Height", I(22)},
               {"TabIndex", I(2)},
               {"Enabled", B(true)},
               {"InitialValue", S("Noble 6\rSpartan MP\rJorge\rKat\r")},
               {"ListIndex", I(0)},
               {"Visible", B(false)},
               {"UseFocusRing", B(true)},
               {"AutoComplete", B(false)}}},
             check("CheckBox1", 67, 220, 69, 20, 3, false, true, false),
             check("CheckBox2", 67, 196, 69, 20, 4, false, false, false),
             check("CheckBox3", 293, 300, 69, 20, 5, false, true, false),
             button("BevelButton3", 531, 420, 69, 21, 6, false, true, "OK"),
             button("BevelButton4", 531, 420, 69, 21, 7, false, true, "OK"),
             button("BevelButton5", 232, 188, 71, 20, 8, false, true, "MAX"),
             button("BevelButton6", 232, 220, 71, 20, 9, false, true, "MAX"),
             button("BevelButton7", 232, 276, 71, 20, 10, false, true, "MAX"),
             button("BevelButton8", 232, 308, 71, 20, 11, false, true, "MAX"),
             button("BevelButton9", 523, 187, 77, 20, 12, false, true, "MAX"),
             button("BevelButton10", 523, 276, 77, 20, 13, false, true, "MAX"),
             field("TextField1", 163, 188, 14),
             field("TextField2", 163, 219, 15),
             field("TextField3", 163, 276, 16),
             field("TextField4", 163, 308, 17),
             field("TextField5", 456, 188, 18),
             field("TextField6", 456, 276, 19),
             label("Label1", 260, 0, 43, 21, 20),
             label("Label2", 364, 0, 80, 21, 21),
             label("Label3", 447, 0, 36, 21, 22),
             button("BevelButton12", 450, 420, 69, 21, 24, false, true, "BACK"),
             button("BevelButton13", 450, 420, 69, 21, 25, false, true, "BACK"),
             button("BevelButton14", 531, 420, 69, 21, 26, false, true, "OK"),
             label("Label4", 293, 300, 20, 20, 27),
         }},
        {"Window3.Window3",
         &Window3::Window3,
         "s1.jpg",
         {{"Placement", I(0)},       {"Width", I(619)},           {"Height", I(461)},
          {"MinWidth", I(64)},       {"MinHeight", I(65)},        {"MaxWidth", I(32000)},
          {"MaxHeight", I(32000)},   {"Frame", I(2)},             {"Composite", B(false)},
          {"HasBackColor", B(false)}, {"BackColor", kWhite},      {"Title", S("")},
          {"Visible", B(false)},     {"FullScreen", B(false)},    {"MenuBarVisible", B(true)},
          {"CloseButton", B(true)},  {"Resizeable", B(false)},    {"LiveResize", B(false)},
          {"MaximizeButton", B(false)}, {"MinimizeButton", B(false)}, {"MacProcID", I(0)}},
         {
             button("BevelButton1", 529, 366, 71, 21, 0, true, true, "OK"),
             label("Label1", 43, 127, 86, 15, 1),
             label("Label2", 43, 146, 86, 15, 2),
             label("Label3", 43, 164, 86, 15, 3),
             check("CheckBox1", 194, 191, 100, 20, 4, true, true, true),
             check("CheckBox2", 194, 212, 100, 20, 5, true, true, true),
             check("CheckBox3", 194, 277, 100, 20, 6, false, true, true),
             check("CheckBox4", 194, 296, 100, 20, 7, false, true, true),
         }},
        {"Window4.Window4",
         &Window4::Window4,
         "cfu.jpg",
         {{"Placement", I(0)},       {"Width", I(449)},           {"Height", I(279)},
          {"MinWidth", I(64)},       {"MinHeight", I(64)},        {"MaxWidth", I(32000)},
          {"MaxHeight", I(32000)},   {"Frame", I(2)},             {"Composite", B(false)},
          {"HasBackColor", B(false)}, {"BackColor", kWhite},      {"Title", S("")},
          {"Visible", B(false)},     {"FullScreen", B(false)},    {"MenuBarVisible", B(true)},
          {"CloseButton", B(true)},  {"Resizeable", B(true)},     {"LiveResize", B(true)},
          {"MaximizeButton", B(false)}, {"MinimizeButton", B(true)}, {"MacProcID", I(0)}},
         {
             button("BevelButton1", 352, 229, 71, 21, 0, true, true, "OK"),
             button("BevelButton2", 269, 229, 71, 21, 1, true, false, "UPDATE"),
         }},
        {"Window5.Window5",
         &Window5::Window5,
         "abo.jpg",
         {{"Placement", I(0)},       {"Width", I(449)},           {"Height", I(292)},
          {"MinWidth", I(64)},       {"MinHeight", I(64)},        {"MaxWidth", I(32000)},
          {"MaxHeight", I(32000)},   {"Frame", I(2)},             {"Composite", B(false)},
          {"HasBackColor", B(false)}, {"BackColor", kWhite},      {"Title", S("")},
          {"Visible", B(false)},     {"FullScreen", B(false)},    {"MenuBarVisible", B(true)},
          {"CloseButton", B(true)},  {"Resizeable", B(false)},    {"LiveResize", B(false)},
          {"MaximizeButton", B(false)}, {"MinimizeButton", B(false)}, {"MacProcID", I(0)}},
         {
             button("BevelButton1", 352, 243, 71, 22, 0, true, true, "OK"),
         }},
        {"Window6.Window6",
         &Window6::Window6,
         "ncm.jpg",
         {{"Placement", I(0)},       {"Width", I(409)},           {"Height", I(172)},
          {"MinWidth", I(64)},       {"MinHeight", I(64)},        {"MaxWidth", I(32000)},
          {"MaxHeight", I(32000)},   {"Frame", I(2)},             {"Composite", B(false)},
          {"HasBackColor", B(false)}, {"BackColor", kWhite},      {"Title", S("")},
          {"Visible", B(false)},     {"FullScreen", B(false)},    {"MenuBarVisible", B(true)},
          {"CloseButton", B(true)},  {"Resizeable", B(false)},    {"LiveResize", B(false)},
          {"MaximizeButton", B(false)}, {"MinimizeButton", B(false)}, {"MacProcID", I(0)}},
         {
             button("BevelButton1", 319, 141, 70, 21, 0, true, true, "OK"),
             button("BevelButton2", 237, 141, 70, 21, 1, true, true, "CANCEL"),
         }},
    };
    return tables;
}

class RecordValues : public ::testing::TestWithParam<WindowTable> {};

}  // namespace

// Read when the event loop starts: the splash window has been constructed but
// not opened, and no other window has been referred to yet.
TEST_P(RecordValues, WindowAndControlsHoldTheirRecordsValues) {
    const WindowTable& table = GetParam();
    ProgramRun run;
    bool checked = false;
    const int status = run.run(
        [&] {
            Ref<WindowObject> w = adopt(table.accessor());
            ASSERT_TRUE(w);
            ASSERT_EQ(w->cls->registeredName(), table.name);
            ASSERT_EQ(table.record.size(), 21u);
            expectEntries(w.get(), table.record);
            EXPECT_EQ(progtest::backdropOf(w.get()), table.backdrop);

            std::vector<std::string> names, expectedNames;
            for (const NamedControl& c : w->controls) names.emplace_back(view(c.name));
            for (const ControlRow& row : table.controls) expectedNames.push_back(row.name);
            ASSERT_EQ(names, expectedNames);
            for (const ControlRow& row : table.controls) {
                Entries entries = sharedEntries(row.kind);
                entries.insert(entries.end(), row.own.begin(), row.own.end());
                // The table names each entry of the record once.
                std::set<std::string> distinct;
                for (const auto& e : entries) distinct.insert(e.first);
                ASSERT_EQ(distinct.size(), entries.size()) << row.name;
                ASSERT_EQ(entries.size(), entriesPerRecord(row.kind)) << row.name;
                expectEntries(progtest::controlNamed(w.get(), row.name), entries);
            }
            checked = true;
        },
        nullptr);
    EXPECT_TRUE(checked);
    EXPECT_EQ(status, 0);
}

INSTANTIATE_TEST_SUITE_P(Windows, RecordValues, ::testing::ValuesIn(windowTables()), [](const auto& row) {
    std::string n = row.param.name;
    return n.substr(0, n.find('.'));
});
