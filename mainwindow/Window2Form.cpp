// Window2's form: class record, layout records and the 26 controls in creation
// order. Behaviour lives in Window2Pages.cpp and Window2MaxAndHotSpots.cpp.
// Tables here are laid out by hand.
// clang-format off
#include "mainwindow/Window2.h"
#include "forms/ClassSetup.h"
#include "forms/FormMacros.h"
#include "forms/PictureCatalogue.h"

#include <array>

using namespace loom;
using protocol::Kind;
using records::Bounds;

namespace Window2 {

namespace {

const ClassRecord* g_record = nullptr;

constexpr std::string_view kAccessor[] = {"%o<BevelButton>%", "%o<ComboBox>%", "%o<CheckBox>%", "%o<TextField>%",
                                          "%o<Label>%"};
constexpr std::string_view kButton = kAccessor[0], kCombo = kAccessor[1], kCheck = kAccessor[2],
                           kField = kAccessor[3], kLabel = kAccessor[4];
constexpr std::string_view kAction = "%%o<BevelButton>";
constexpr std::string_view kMouseDown = "%b%o<Label>i4i4";

// name, signature, code, hidden
const std::array<setup::Member, 45> kMembers{{
    /*  1 */ {"Layout", "%%", code(&Window2::Layout)},
    /*  2 */ {"CreateControls", "%%", code(&Window2::CreateControls)},
    /*  3 */ {"_CreateControls0", "%%", code(&Window2::_CreateControls0), true},
    /*  4 */ {"BevelButton1", kButton, code(&Window2::BevelButton1)},
    /*  5 */ {"ComboBox1", kCombo, code(&Window2::ComboBox1)},
    /*  6 */ {"CheckBox1", kCheck, code(&Window2::CheckBox1)},
    /*  7 */ {"CheckBox2", kCheck, code(&Window2::CheckBox2)},
    /*  8 */ {"CheckBox3", kCheck, code(&Window2::CheckBox3)},
    /*  9 */ {"BevelButton3", kButton, code(&Window2::BevelButton3)},
    /* 10 */ {"BevelButton4", kButton, code(&Window2::BevelButton4)},
    /* 11 */ {"BevelButton5", kButton, code(&Window2::BevelButton5)},
    /* 12 */ {"BevelButton6", kButton, code(&Window2::BevelButton6)},
    /* 13 */ {"BevelButton7", kButton, code(&Window2::BevelButton7)},
    /* 14 */ {"BevelButton8", kButton, code(&Window2::BevelButton8)},
    /* 15 */ {"BevelButton9", kButton, code(&Window2::BevelButton9)},
    /* 16 */ {"BevelButton10", kButton, code(&Window2::BevelButton10)},
    /* 17 */ {"TextField1", kField, code(&Window2::TextField1)},
    /* 18 */ {"TextField2", kField, code(&Window2::TextField2)},
    /* 19 */ {"TextField3", kField, code(&Window2::TextField3)},
    /* 20 */ {"TextField4", kField, code(&Window2::TextField4)},
    /* 21 */ {"TextField5", kField, code(&Window2::TextField5)},
    /* 22 */ {"TextField6", kField, code(&Window2::TextField6)},
    /* 23 */ {"Label1", kLabel, code(&Window2::Label1)},
    /* 24 */ {"Label2", kLabel, code(&Window2::Label2)},
    /* 25 */ {"Label3", kLabel, code(&Window2::Label3)},
    /* 26 */ {"BevelButton12", kButton, code(&Window2::BevelButton12)},
    /* 27 */ {"BevelButton13", kButton, code(&Window2::BevelButton13)},
    /* 28 */ {"BevelButton14", kButton, code(&Window2::BevelButton14)},
    /* 29 */ {"Label4", kLabel, code(&Window2::Label4)},
    /* 30 */ {"BevelButton1_Action", kAction, code(&Window2::BevelButton1_Action)},
    /* 31 */ {"BevelButton3_Action", kAction, code(&Window2::BevelButton3_Action)},
    /* 32 */ {"BevelButton4_Action", kAction, code(&Window2::BevelButton4_Action)},
    /* 33 */ {"BevelButton5_Action", kAction, code(&Window2::BevelButton5_Action)},
    /* 34 */ {"BevelButton6_Action", kAction, code(&Window2::BevelButton6_Action)},
    /* 35 */ {"BevelButton7_Action", kAction, code(&Window2::BevelButton7_Action)},
    /* 36 */ {"BevelButton8_Action", kAction, code(&Window2::BevelButton8_Action)},
    /* 37 */ {"BevelButton9_Action", kAction, code(&Window2::BevelButton9_Action)},
    /* 38 */ {"BevelButton10_Action", kAction, code(&Window2::BevelButton10_Action)},
    /* 39 */ {"Label1_MouseDown", kMouseDown, code(&Window2::Label1_MouseDown)},
    /* 40 */ {"Label2_MouseDown", kMouseDown, code(&Window2::Label2_MouseDown)},
    /* 41 */ {"Label3_MouseDown", kMouseDown, code(&Window2::Label3_MouseDown)},
    /* 42 */ {"BevelButton12_Action", kAction, code(&Window2::BevelButton12_Action)},
    /* 43 */ {"BevelButton13_Action", kAction, code(&Window2::BevelButton13_Action)},
    /* 44 */ {"BevelButton14_Action", kAction, code(&Window2::BevelButton14_Action)},
    /* 45 */ {"Label4_MouseDown", kMouseDown, code(&Window2::Label4_MouseDown)},
}};
static_assert(kMembers.size() == slot::End - slot::Layout);

// window event, handler
const std::array<setup::EventHandler, 2> kEvents{{
    {WindowEvent::Layout, code(&Window2::Layout)},
    {WindowEvent::CreateControls, code(&Window2::CreateControls)},
}};

String* windowRecord() {
    static String* const r = records::window({.width = 619, .height = 461});
    return r;
}

constexpr std::string_view kItems = "Noble 6\rSpartan MP\rJorge\rKat\r";
static_assert(kItems.size() == 29);

const auto kBevelButton = &::BevelButton::__Lookup;

// name, kind, class, record (name, left top width height, TabIndex, Visible, Enabled, caption), handler
const std::array<protocol::ControlForm, 26> kControls{{
    /*  1 */ {"BevelButton1", Kind::BevelButton, kBevelButton,
              FORM_RECORD(records::bevelButton("BevelButton1", Bounds{531, 420, 69, 21}, 0, true, true, "OK")),
              slot::BevelButton1_Action},
    /*  2 */ {"ComboBox1", Kind::ComboBox, &ComboBox::__Lookup,
              FORM_RECORD(records::comboBox("ComboBox1", Bounds{163, 168, 118, 22}, 2, false, kItems, 0))},
    /*  3 */ {"CheckBox1", Kind::CheckBox, &CheckBox::__Lookup,
              FORM_RECORD(records::checkBox("CheckBox1", Bounds{67, 220, 69, 20}, 3, false, true, false))},
    /*  4 */ {"CheckBox2", Kind::CheckBox, &CheckBox::__Lookup,
              FORM_RECORD(records::checkBox("CheckBox2", Bounds{67, 196, 69, 20}, 4, false, false, false))},
    /*  5 */ {"CheckBox3", Kind::CheckBox, &CheckBox::__Lookup,
              FORM_RECORD(records::checkBox("CheckBox3", Bounds{293, 300, 69, 20}, 5, false, true, false))},
    /*  6 */ {"BevelButton3", Kind::BevelButton, kBevelButton,
              FORM_RECORD(records::bevelButton("BevelButton3", Bounds{531, 420, 69, 21}, 6, false, true, "OK")),
              slot::BevelButton3_Action},
    /*  7 */ {"BevelButton4", Kind::BevelButton, kBevelButton,
              FORM_RECORD(records::bevelButton("BevelButton4", Bounds{531, 420, 69, 21}, 7, false, true, "OK")),
              slot::BevelButton4_Action},
    /*  8 */ {"BevelButton5", Kind::BevelButton, kBevelButton,
              FORM_RECORD(records::bevelButton("BevelButton5", Bounds{232, 188, 71, 20}, 8, false, true, "MAX")),
              slot::BevelButton5_Action},
    /*  9 */ {"BevelButton6", Kind::BevelButton, kBevelButton,
              FORM_RECORD(records::bevelButton("BevelButton6", Bounds{232, 220, 71, 20}, 9, false, true, "MAX")),
              slot::BevelButton6_Action},
    /* 10 */ {"BevelButton7", Kind::BevelButton, kBevelButton,
              FORM_RECORD(records::bevelButton("BevelButton7", Bounds{232, 276, 71, 20}, 10, false, true, "MAX")),
              slot::BevelButton7_Action},
    /* 11 */ {"BevelButton8", Kind::BevelButton, kBevelButton,
              FORM_RECORD(records::bevelButton("BevelButton8", Bounds{232, 308, 71, 20}, 11, false, true, "MAX")),
              slot::BevelButton8_Action},
    /* 12 */ {"BevelButton9", Kind::BevelButton, kBevelButton,
              FORM_RECORD(records::bevelButton("BevelButton9", Bounds{523, 187, 77, 20}, 12, false, true, "MAX")),
              slot::BevelButton9_Action},
    /* 13 */ {"BevelButton10", Kind::BevelButton, kBevelButton,
              FORM_RECORD(records::bevelButton("BevelButton10", Bounds{523, 276, 77, 20}, 13, false, true, "MAX")),
              slot::BevelButton10_Action},
    /* 14 */ {"TextField1", Kind::TextField, &TextField::__Lookup, FORM_RECORD(records::textField("TextField1", 163, 188, 14))},
    /* 15 */ {"TextField2", Kind::TextField, &TextField::__Lookup, FORM_RECORD(records::textField("TextField2", 163, 219, 15))},
    /* 16 */ {"TextField3", Kind::TextField, &TextField::__Lookup, FORM_RECORD(records::textField("TextField3", 163, 276, 16))},
    /* 17 */ {"TextField4", Kind::TextField, &TextField::__Lookup, FORM_RECORD(records::textField("TextField4", 163, 308, 17))},
    /* 18 */ {"TextField5", Kind::TextField, &TextField::__Lookup, FORM_RECORD(records::textField("TextField5", 456, 188, 18))},
    /* 19 */ {"TextField6", Kind::TextField, &TextField::__Lookup, FORM_RECORD(records::textField("TextField6", 456, 276, 19))},
    /* 20 */ {"Label1", Kind::Label, &Label::__Lookup, FORM_RECORD(records::label("Label1", Bounds{260, 0, 43, 21}, 20)),
              slot::Label1_MouseDown},
    /* 21 */ {"Label2", Kind::Label, &Label::__Lookup, FORM_RECORD(records::label("Label2", Bounds{364, 0, 80, 21}, 21)),
              slot::Label2_MouseDown},
    /* 22 */ {"Label3", Kind::Label, &Label::__Lookup, FORM_RECORD(records::label("Label3", Bounds{447, 0, 36, 21}, 22)),
              slot::Label3_MouseDown},
    /* 23 */ {"BevelButton12", Kind::BevelButton, kBevelButton,
              FORM_RECORD(records::bevelButton("BevelButton12", Bounds{450, 420, 69, 21}, 24, false, true, "BACK")),
              slot::BevelButton12_Action},
    /* 24 */ {"BevelButton13", Kind::BevelButton, kBevelButton,
              FORM_RECORD(records::bevelButton("BevelButton13", Bounds{450, 420, 69, 21}, 25, false, true, "BACK")),
              slot::BevelButton13_Action},
    /* 25 */ {"BevelButton14", Kind::BevelButton, kBevelButton,
              FORM_RECORD(records::bevelButton("BevelButton14", Bounds{531, 420, 69, 21}, 26, false, true, "OK")),
              slot::BevelButton14_Action},
    /* 26 */ {"Label4", Kind::Label, &Label::__Lookup, FORM_RECORD(records::label("Label4", Bounds{293, 300, 20, 20}, 27)),
              slot::Label4_MouseDown},
}};

String* const kRegisteredName = RuntimeNewString("Window2.Window2");

}  // namespace

void __ctblinit() {
    setup::setUpClass(g_record, {"Window2.Window2", &Window::__Lookup, kMembers, kEvents, "Public"});
}

const ClassRecord* __Lookup() {
    if (!g_record) __ctblinit();
    return g_record;
}

WindowObject* Window2() { return protocol::implicitInstance(kRegisteredName, &__Lookup); }

void Layout(WindowObject* window) { protocol::layOut(window, &_x_p::p, windowRecord()); }
void CreateControls(WindowObject* window) { protocol::createControls(window, slot::_CreateControls0); }
void _CreateControls0(WindowObject* window) { protocol::createEachControl(window, kControls); }

FORM_CONTROL_ACCESSOR(BevelButton1, BevelButtonObject, ::BevelButton::__Lookup)
FORM_CONTROL_ACCESSOR(ComboBox1, ComboBoxObject, ComboBox::__Lookup)
FORM_CONTROL_ACCESSOR(CheckBox1, CheckBoxObject, CheckBox::__Lookup)
FORM_CONTROL_ACCESSOR(CheckBox2, CheckBoxObject, CheckBox::__Lookup)
FORM_CONTROL_ACCESSOR(CheckBox3, CheckBoxObject, CheckBox::__Lookup)
FORM_CONTROL_ACCESSOR(BevelButton3, BevelButtonObject, ::BevelButton::__Lookup)
FORM_CONTROL_ACCESSOR(BevelButton4, BevelButtonObject, ::BevelButton::__Lookup)
FORM_CONTROL_ACCESSOR(BevelButton5, BevelButtonObject, ::BevelButton::__Lookup)
FORM_CONTROL_ACCESSOR(BevelButton6, BevelButtonObject, ::BevelButton::__Lookup)
FORM_CONTROL_ACCESSOR(BevelButton7, BevelButtonObject, ::BevelButton::__Lookup)
FORM_CONTROL_ACCESSOR(BevelButton8, BevelButtonObject, ::BevelButton::__Lookup)
FORM_CONTROL_ACCESSOR(BevelButton9, BevelButtonObject, ::BevelButton::__Lookup)
FORM_CONTROL_ACCESSOR(BevelButton10, BevelButtonObject, ::BevelButton::__Lookup)
FORM_CONTROL_ACCESSOR(TextField1, TextFieldObject, TextField::__Lookup)
FORM_CONTROL_ACCESSOR(TextField2, TextFieldObject, TextField::__Lookup)
FORM_CONTROL_ACCESSOR(TextField3, TextFieldObject, TextField::__Lookup)
FORM_CONTROL_ACCESSOR(TextField4, TextFieldObject, TextField::__Lookup)
FORM_CONTROL_ACCESSOR(TextField5, TextFieldObject, TextField::__Lookup)
FORM_CONTROL_ACCESSOR(TextField6, TextFieldObject, TextField::__Lookup)
FORM_CONTROL_ACCESSOR(Label1, LabelObject, Label::__Lookup)
FORM_CONTROL_ACCESSOR(Label2, LabelObject, Label::__Lookup)
FORM_CONTROL_ACCESSOR(Label3, LabelObject, Label::__Lookup)
FORM_CONTROL_ACCESSOR(BevelButton12, BevelButtonObject, ::BevelButton::__Lookup)
FORM_CONTROL_ACCESSOR(BevelButton13, BevelButtonObject, ::BevelButton::__Lookup)
FORM_CONTROL_ACCESSOR(BevelButton14, BevelButtonObject, ::BevelButton::__Lookup)
FORM_CONTROL_ACCESSOR(Label4, LabelObject, Label::__Lookup)

}  // namespace Window2
