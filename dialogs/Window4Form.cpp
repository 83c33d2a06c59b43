// Window4's form: class record, layout records and its buttons. Behaviour lives in
// SmallDialogs.cpp.
#include "dialogs/Window4.h"
#include "forms/ClassSetup.h"
#include "forms/FormMacros.h"
#include "forms/PictureCatalogue.h"

#include <array>

using namespace loom;
using protocol::Kind;
using records::Bounds;

namespace Window4 {

namespace {

const ClassRecord* g_record = nullptr;

// name, signature, code, hidden
const std::array<setup::Member, 6> kMembers{{
    /* 1 */ {"Layout", "%%", code(&Window4::Layout)},
    /* 2 */ {"CreateControls", "%%", code(&Window4::CreateControls)},
    /* 3 */ {"_CreateControls0", "%%", code(&Window4::_CreateControls0), true},
    /* 4 */ {"BevelButton1", "%o<BevelButton>%", code(&Window4::BevelButton1)},
    /* 5 */ {"BevelButton2", "%o<BevelButton>%", code(&Window4::BevelButton2)},
    /* 6 */ {"BevelButton1_Action", "%%o<BevelButton>", code(&Window4::BevelButton1_Action)},
}};
static_assert(kMembers.size() == slot::End - slot::Layout);

const std::array<setup::EventHandler, 2> kEvents{{
    {WindowEvent::Layout, code(&Window4::Layout)},
    {WindowEvent::CreateControls, code(&Window4::CreateControls)},
}};

String* windowRecord() {
    static String* const r = records::window({.width = 449, .height = 279, .resizeable = true, .liveResize = true});
    return r;
}

// name, kind, class, record (name, left top width height, TabIndex, Visible, Enabled, caption), handler
const std::array<protocol::ControlForm, 2> kControls{{
    /* 1 */ {"BevelButton1", Kind::BevelButton, &::BevelButton::__Lookup,
             FORM_RECORD(records::bevelButton("BevelButton1", Bounds{352, 229, 71, 21}, 0, true, true, "OK")),
             slot::BevelButton1_Action},
    /* 2 */
    {"BevelButton2", Kind::BevelButton, &::BevelButton::__Lookup,
     FORM_RECORD(records::bevelButton("BevelButton2", Bounds{269, 229, 71, 21}, 1, true, false, "UPDATE"))},
}};

String* const kRegisteredName = RuntimeNewString("Window4.Window4");

}  // namespace

void __ctblinit() { setup::setUpClass(g_record, {"Window4.Window4", &Window::__Lookup, kMembers, kEvents, "Public"}); }

const ClassRecord* __Lookup() {
    if (!g_record) __ctblinit();
    return g_record;
}

WindowObject* Window4() { return protocol::implicitInstance(kRegisteredName, &__Lookup); }

void Layout(WindowObject* window) { protocol::layOut(window, &_x_cfu::cfu, windowRecord()); }
void CreateControls(WindowObject* window) { protocol::createControls(window, slot::_CreateControls0); }
void _CreateControls0(WindowObject* window) { protocol::createEachControl(window, kControls); }

FORM_CONTROL_ACCESSOR(BevelButton1, BevelButtonObject, ::BevelButton::__Lookup)
FORM_CONTROL_ACCESSOR(BevelButton2, BevelButtonObject, ::BevelButton::__Lookup)

}  // namespace Window4
