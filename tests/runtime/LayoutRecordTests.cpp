// Layout records: the bytes the writer produces, what the reader sets on real
// framework objects, and the records it rejects.
// Tables here are laid out by hand.
// clang-format off
#include "RuntimeFixture.h"

#include <climits>
#include <utility>
#include <vector>

namespace rt {
namespace {

using namespace loom;

using LayoutRecordTest = RuntimeTest;

TEST_F(LayoutRecordTest, WriterProducesTheRecordBytes) {
    const struct {
        const char* what;
        std::string bytes;
        const char* expected;
    } cases[] = {
        {"timer record", RecordWriter().integer("Mode", 0).integer("Period", 1).bytes(),
         "4D 6F 64 65 20 00 00 00 00 50 65 72 69 6F 64 20 00 00 00 01"},
        {"timer record, period 3700", RecordWriter().integer("Mode", 0).integer("Period", 3700).bytes(),
         "4D 6F 64 65 20 00 00 00 00 50 65 72 69 6F 64 20 00 00 0E 74"},
        {"empty string", RecordWriter().string("Title", "").bytes(), "54 69 74 6C 65 20 00 00 00 00"},
        {"lowest integer", RecordWriter().integer("Index", INT32_MIN).bytes(), "49 6E 64 65 78 20 80 00 00 00"},
        {"negative integer", RecordWriter().integer("Left", -2).bytes(), "4C 65 66 74 20 FF FF FF FE"},
        {"booleans", RecordWriter().boolean("Bold", true).boolean("Italic", false).bytes(),
         "42 6F 6C 64 20 01 49 74 61 6C 69 63 20 00"},
        {"colour", RecordWriter().color("BackColor", {0xFF, 0x80, 0x01}).bytes(),
         "42 61 63 6B 43 6F 6C 6F 72 20 FF 80 01"},
        {"string with a blank and a return", RecordWriter().string("Text", "a b\r").bytes(),
         "54 65 78 74 20 00 00 00 04 61 20 62 0D"},
    };
    for (const auto& c : cases) EXPECT_EQ(hex(c.bytes), c.expected) << c.what;

    RecordWriter w;
    w.integer("Mode", 0).integer("Period", 1);
    String* s = w.build();
    EXPECT_EQ(s->refs, 1);
    EXPECT_EQ(s->bytes, w.bytes());
    RuntimeUnlockString(s);
}

// One record applied to a fresh object of the class: these slots must then
// hold these values, and every other property its initial value.
struct ReadCase {
    const char* what;
    const ClassRecord* (*cls)();
    std::string record;
    std::vector<std::pair<int, Value>> expected;
};

const std::string kCrew = "Noble 6\rSpartan MP\rJorge\rKat\r";

std::vector<ReadCase> readCases() {
    using W = RecordWriter;
    return {
        {"window integers", Window::__Lookup, W().integer("Width", 640).integer("MinWidth", -1).bytes(),
         {{WindowProp::Width, Value::integer(640)}, {WindowProp::MinWidth, Value::integer(-1)}}},
        {"window lowest integer", Window::__Lookup, W().integer("Placement", INT32_MIN).bytes(),
         {{WindowProp::Placement, Value::integer(INT32_MIN)}}},
        {"window string, boolean, colour", Window::__Lookup,
         W().string("Title", "Picture Wizard").boolean("Visible", true).boolean("CloseButton", false)
             .color("BackColor", {1, 2, 3}).bytes(),
         {{WindowProp::Title, Value::string("Picture Wizard")},
          {WindowProp::Visible, Value::boolean(true)},
          {WindowProp::CloseButton, Value::boolean(false)},
          {WindowProp::BackColor, Value::color({1, 2, 3})}}},
        {"window name in another case", Window::__Lookup, W().integer("MacProcID", 1986).bytes(),
         {{WindowProp::MacProcId, Value::integer(1986)}}},
        {"timer record", Timer::__Lookup, W().integer("Mode", 1).integer("Period", 3700).bytes(),
         {{TimerProp::Mode, Value::integer(1)}, {TimerProp::Period, Value::integer(3700)}}},
        {"timer record written by hand", Timer::__Lookup, "Period " + raw({0x00, 0x00, 0x0E, 0x74}),
         {{TimerProp::Period, Value::integer(3700)}}},
        {"upper-case name", Timer::__Lookup, W().integer("PERIOD", 5).bytes(), {{TimerProp::Period, Value::integer(5)}}},
        {"bevel button", BevelButton::__Lookup,
         W().string("Name", "BevelButton1").integer("Index", 0).integer("Left", INT32_MIN).string("Caption", "Next >")
             .integer("HasMenu", 2).boolean("Value", true).color("TextColor", {0xFF, 0xFE, 0xFD})
             .string("TextFont", "").bytes(),
         {{ControlProp::Name, Value::string("BevelButton1")},
          {ControlProp::Index, Value::integer(0)},
          {RectControlProp::Left, Value::integer(INT32_MIN)},
          {BevelButtonProp::Caption, Value::string("Next >")},
          {BevelButtonProp::HasMenu, Value::integer(2)},
          {BevelButtonProp::Value, Value::boolean(true)},
          {BevelButtonProp::TextColor, Value::color({0xFF, 0xFE, 0xFD})},
          {BevelButtonProp::TextFont, Value::string("")}}},
        {"check box state is an enumeration", CheckBox::__Lookup,
         W().integer("State", 2).boolean("Value", true).string("Caption", "Remember").bytes(),
         {{CheckBoxProp::State, Value::integer(2, PropType::Enumeration)},
          {CheckBoxProp::Value, Value::boolean(true)},
          {CheckBoxProp::Caption, Value::string("Remember")}}},
        {"label text with blanks and returns, then Multiline", Label::__Lookup,
         W().string("Text", kCrew).boolean("Multiline", true).integer("TextAlign", 2).bytes(),
         {{LabelProp::Text, Value::string(kCrew)},
          {LabelProp::MultiLine, Value::boolean(true)},
          {LabelProp::TextAlign, Value::integer(2)}}},
        {"text field names declared twice", TextField::__Lookup,
         W().string("Text", "abc").color("BackColor", {9, 8, 7}).boolean("Password", true).integer("LimitText", 12)
             .boolean("AutomaticallyCheckSpelling", true).bytes(),
         {{TextFieldProp::Text, Value::string("abc")},
          {TextFieldProp::BackColor, Value::color({9, 8, 7})},
          {TextFieldProp::Password, Value::boolean(true)},
          {TextFieldProp::LimitText, Value::integer(12)},
          {TextEditProp::AutomaticallyCheckSpelling, Value::boolean(true)}}},
        {"combo box", ComboBox::__Lookup,
         W().string("InitialValue", "One\rTwo").integer("ListIndex", 1).boolean("AutoComplete", true)
             .boolean("UseFocusRing", false).bytes(),
         {{PopupMenuProp::InitialValue, Value::string("One\rTwo")},
          {PopupMenuProp::ListIndex, Value::integer(1)},
          {ComboBoxProp::AutoComplete, Value::boolean(true)},
          {ComboBoxProp::UseFocusRing, Value::boolean(false)}}},
        {"empty record", Label::__Lookup, "", {}},
    };
}

TEST_F(LayoutRecordTest, RecordsSetTheNamedPropertiesOnly) {
    ASSERT_EQ(kCrew.size(), 29u);
    for (const ReadCase& c : readCases()) {
        SCOPED_TRACE(c.what);
        Ref<Object> o = make(c.cls());
        Text record(c.record);
        _SetProperties(o.get(), record.get());
        std::vector<int> slots;
        for (const auto& [slot, value] : c.expected) {
            EXPECT_EQ(property(o.get(), slot), value) << view(o->cls->properties[static_cast<size_t>(slot)].name);
            slots.push_back(slot);
        }
        const auto& declared = o->cls->properties;
        for (size_t i = 0; i < declared.size(); ++i) {
            if (std::find(slots.begin(), slots.end(), static_cast<int>(i)) == slots.end()) {
                EXPECT_EQ(o->props[i], declared[i].initial) << "changed: " << view(declared[i].name);
            }
        }
    }
}

TEST_F(LayoutRecordTest, FindPropertyIgnoresCaseAndPrefersTheClassesOwn) {
    const struct {
        const ClassRecord* cls;
        const char* name;
        int slot;
    } cases[] = {
        {Window::__Lookup(), "MacProcID", WindowProp::MacProcId},
        {Window::__Lookup(), "macprocid", WindowProp::MacProcId},
        {Label::__Lookup(), "Multiline", LabelProp::MultiLine},
        {Label::__Lookup(), "name", ControlProp::Name},
        {TextField::__Lookup(), "Text", TextFieldProp::Text},
        {TextField::__Lookup(), "textcolor", TextFieldProp::TextColor},
        {TextField::__Lookup(), "AutomaticallyCheckSpelling", TextEditProp::AutomaticallyCheckSpelling},
        {TextEdit::__Lookup(), "Text", TextEditProp::Text},
        {ComboBox::__Lookup(), "UseFocusRing", ComboBoxProp::UseFocusRing},
        {ComboBox::__Lookup(), "Text", ComboBoxProp::Text},
        {Timer::__Lookup(), "Mod", -1},
        {Timer::__Lookup(), "Modes", -1},
        {Timer::__Lookup(), "", -1},
        {Label::__Lookup(), "Caption", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findProperty(c.cls, c.name), c.slot) << c.cls->registeredName() << " " << c.name;
}

// A malformed record: the exception names this byte offset, and nothing is set.
struct MalformedCase {
    const char* what;
    const ClassRecord* (*cls)();
    std::string record;
    size_t offset;
};

TEST_F(LayoutRecordTest, MalformedRecordsRaiseAndChangeNothing) {
    using W = RecordWriter;
    const std::string width = W().integer("Width", 256).bytes();  // 10 bytes
    const std::string period = W().integer("Period", 5).bytes();  // 11 bytes
    const MalformedCase cases[] = {
        {"unknown name", Timer::__Lookup, period + W().integer("Colour", 1).bytes(), 11},
        {"name of another class", Label::__Lookup, W().boolean("Bold", true).string("Caption", "x").bytes(), 6},
        {"no blank after the name", Timer::__Lookup, period + "Mode", 11},
        {"empty name", Timer::__Lookup, period + " " + raw({0, 0, 0, 1}), 11},
        {"truncated integer", Timer::__Lookup, "Period " + raw({0, 0, 1}), 7},
        {"truncated string count", Window::__Lookup, width + "Title " + raw({0, 0}), 16},
        {"truncated string bytes", Window::__Lookup, width + "Title " + raw({0, 0, 0, 5}) + "abc", 20},
        {"string count past the end", Window::__Lookup, "Title " + raw({0xFF, 0xFF, 0xFF, 0xFF}) + "abc", 10},
        {"truncated colour", Window::__Lookup, width + "BackColor " + raw({1, 2}), 20},
        {"missing boolean", Window::__Lookup, width + "Visible ", 18},
        {"boolean neither 0 nor 1", Window::__Lookup, width + "Visible " + raw({2}), 18},
        {"leftover bytes", Timer::__Lookup, period + raw({0, 1}), 11},
        {"object property", Window::__Lookup, width + W().integer("Backdrop", 0).bytes(), 10},
        {"byte enumeration property", Label::__Lookup, W().boolean("Bold", true).bytes() + "TextUnit " + raw({0}), 6},
        {"single property", Label::__Lookup, "TextSize " + raw({0x41, 0x40, 0, 0}), 0},
    };
    for (const MalformedCase& c : cases) {
        SCOPED_TRACE(c.what);
        Ref<Object> o = make(c.cls());
        Text record(c.record);
        const Caught caught = catchRaised([&] { _SetProperties(o.get(), record.get()); });
        ASSERT_TRUE(caught.raised);
        EXPECT_EQ(caught.cls, RuntimeException::__Lookup());
        EXPECT_NE(caught.message.find("byte " + std::to_string(c.offset) + ":"), std::string::npos) << caught.message;
        expectInitialProperties(o.get());
    }
}

TEST_F(LayoutRecordTest, NoTargetRaisesNilObjectException) {
    Text record(RecordWriter().integer("Mode", 1).bytes());
    const Caught caught = catchRaised([&] { _SetProperties(nullptr, record.get()); });
    EXPECT_TRUE(caught.raised);
    EXPECT_EQ(caught.cls, NilObjectException::__Lookup());
}

}  // namespace
}  // namespace rt
