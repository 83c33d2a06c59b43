// Window3's form: class record, layout records and its eight controls.
// Behaviour lives in Window3.cpp.
#include "dialogs/Window3.h"
#include "forms/ClassSetup.h"
#include "forms/FormMacros.h"
#include "forms/PictureCatalogue.h"

#include <array>

using namespace loom;
using protocol::Kind;
using records::Bounds;

namespace Window3 {

namespace {

const ClassRecord* g_record = nullptr;

constexpr std::string_view kLabel = "%o<Label>%", kCheck = "%o<CheckBox>%", kMouseDown = "%b%o<Label>i4i4";

// name, signature, code, hidden
const std::array<setup::Member, 15> kMembers{{
    /*  1 */ {"Layout", "%%", code(&Window3::Layout)},
    /*  2 */ {"CreateControls", "%%", code(&Window3::CreateControls)},
    /*  3 */ {"_CreateControls0", "%%", code(&Window3::_CreateControls0), true},
    /*  4 */ {"BevelButton1", "%o<BevelButton>%", code(&Window3::BevelButton1)},
    /*  5 */ {"Label1", kLabel, code(&Window3::Label1)},
    /*  6 */ {"Label2", kLabel, code(&Window3::Label2)},
    /*  7 */ {"Label3", kLabel, code(&Window3::Label3)},
    /*  8 */ {"CheckBox1", kCheck, code(&Window3::CheckBox1)},
    /*  9 */ {"CheckBox2", kCheck, code(&Window3::CheckBox2)},
    /* 10 */ {"CheckBox3", kCheck, code(&Window3::CheckBox3)},
    /* 11 */ {"CheckBox4", kCheck, code(&Window3::CheckBox4)},
    /* 12 */ {"BevelButton1_Action", "%%o<BevelButton>", code(&Window3::BevelButton1_Action)},
    /* 13 */ {"Label1_MouseDown", kMouseDown, code(&Window3::Label1_MouseDown)},
    /* 14 */ {"Label2_MouseDown", kMouseDown, code(&Window3::Label2_MouseDown)},
    /* 15 */ {"Label3_MouseDown", kMouseDown, code(&Window3::Label3_MouseDown)},
}};
static_assert(kMembers.size() == slot::End - slot::Layout);

const std::array<setup::EventHandler, 2> kEvents{{
    {WindowEvent::Layout, code(&Window3::Layout)},
    {WindowEvent::CreateControls, code(&Window3::CreateControls)},
}};

String* windowRecord() {
    static String* const r = records::window({.width = 619, .height = 461, .minHeight = 65, .minimizeButton = false});
    return r;
}

// name, kind, class, record (name, left top width height, TabIndex, Visible, Enabled, checked), handler
const std::array<protocol::ControlForm, 8> kControls{{
    /* 1 */ {"BevelButton1", Kind::BevelButton, &::BevelButton::__Lookup,
             FORM_RECORD(records::bevelButton("BevelButton1", Bounds{529, 366, 71, 21}, 0, true, true, "OK")),
             slot::BevelButton1_Action},
    /* 2 */
    {"Label1", Kind::Label, &Label::__Lookup, FORM_RECORD(records::label("Label1", Bounds{43, 127, 86, 15}, 1)),
     slot::Label1_MouseDown},
    /* 3 */
    {"Label2", Kind::Label, &Label::__Lookup, FORM_RECORD(records::label("Label2", Bounds{43, 146, 86, 15}, 2)),
     slot::Label2_MouseDown},
    /* 4 */
    {"Label3", Kind::Label, &Label::__Lookup, FORM_RECORD(records::label("Label3", Bounds{43, 164, 86, 15}, 3)),
     slot::Label3_MouseDown},
    /* 5 */
    {"CheckBox1", Kind::CheckBox, &CheckBox::__Lookup,
     FORM_RECORD(records::checkBox("CheckBox1", Bounds{194, 191, 100, 20}, 4, true, true, true))},
    /* 6 */
    {"CheckBox2", Kind::CheckBox, &CheckBox::__Lookup,
     FORM_RECORD(records::checkBox("CheckBox2", Bounds{194, 212, 100, 20}, 5, true, true, true))},
    /* 7 */
    {"CheckBox3", Kind::CheckBox, &CheckBox::__Lookup,
     FORM_RECORD(records::checkBox("CheckBox3", Bounds{194, 277, 100, 20}, 6, false, true, true))},
    /* 8 */
    {"CheckBox4", Kind::CheckBox, &CheckBox::__Lookup,
     FORM_RECORD(records::checkBox("CheckBox4", Bounds{194, 296, 100, 20}, 7, false, true, true))},
}};

String* const kRegisteredName = RuntimeNewString("Window3.Window3");

}  // namespace

void __ctblinit() { setup::setUpClass(g_record, {"Window3.Window3", &Window::__Lookup, kMembers, kEvents, "Public"}); }

const ClassRecord* __Lookup() {
    if (!g_record) __ctblinit();
    return g_record;
}

WindowObject* Window3() { return protocol::implicitInstance(kRegisteredName, &__Lookup); }

void Layout(WindowObject* window) { protocol::layOut(window, &_x_s1::s1, windowRecord()); }
void CreateControls(WindowObject* window) { protocol::createControls(window, slot::_CreateControls0); }
void _CreateControls0(WindowObject* window) { protocol::createEachControl(window, kControls); }

FORM_CONTROL_ACCESSOR(BevelButton1, BevelButtonObject, ::BevelButton::__Lookup)
FORM_CONTROL_ACCESSOR(Label1, LabelObject, Label::__Lookup)
FORM_CONTROL_ACCESSOR(Label2, LabelObject, Label::__Lookup)
FORM_CONTROL_ACCESSOR(Label3, LabelObject, Label::__Lookup)
FORM_CONTROL_ACCESSOR(CheckBox1, CheckBoxObject, CheckBox::__Lookup)
FORM_CONTROL_ACCESSOR(CheckBox2, CheckBoxObject, CheckBox::__Lookup)
FORM_CONTROL_ACCESSOR(CheckBox3, CheckBoxObject, CheckBox::__Lookup)
FORM_CONTROL_ACCESSOR(CheckBox4, CheckBoxObject, CheckBox::__Lookup)

}  // namespace Window3
