// Window6's form: class record, layout records and its buttons. Behaviour lives in
// SmallDialogs.cpp.
#include "dialogs/Window6.h"
#include "forms/ClassSetup.h"
#include "forms/FormMacros.h"
#include "forms/PictureCatalogue.h"

#include <array>

using namespace loom;
using protocol::Kind;
using records::Bounds;

namespace Window6 {

namespace {

const ClassRecord* g_record = nullptr;

// name, signature, code, hidden
const std::array<setup::Member, 7> kMembers{{
    /* 1 */ {"Layout", "%%", code(&Window6::Layout)},
    /* 2 */ {"CreateControls", "%%", code(&Window6::CreateControls)},
    /* 3 */ {"_CreateControls0", "%%", code(&Window6::_CreateControls0), true},
    /* 4 */ {"BevelButton1", "%o<BevelButton>%", code(&Window6::BevelButton1)},
    /* 5 */ {"BevelButton2", "%o<BevelButton>%", code(&Window6::BevelButton2)},
    /* 6 */ {"BevelButton1_Action", "%%o<BevelButton>", code(&Window6::BevelButton1_Action)},
    /* 7 */ {"BevelButton2_Action", "%%o<BevelButton>", code(&Window6::BevelButton2_Action)},
}};
static_assert(kMembers.size() == slot::End - slot::Layout);

const std::array<setup::EventHandler, 2> kEvents{{
    {WindowEvent::Layout, code(&Window6::Layout)},
    {WindowEvent::CreateControls, code(&Window6::CreateControls)},
}};

String* windowRecord() {
    static String* const r = records::window({.width = 409, .height = 172, .minimizeButton = false});
    return r;
}

// name, kind, class, record (name, left top width height, TabIndex, Visible, Enabled, caption), handler
const std::array<protocol::ControlForm, 2> kControls{{
    /* 1 */ {"BevelButton1", Kind::BevelButton, &::BevelButton::__Lookup,
             FORM_RECORD(records::bevelButton("BevelButton1", Bounds{319, 141, 70, 21}, 0, true, true, "OK")),
             slot::BevelButton1_Action},
    /* 2 */
    {"BevelButton2", Kind::BevelButton, &::BevelButton::__Lookup,
     FORM_RECORD(records::bevelButton("BevelButton2", Bounds{237, 141, 70, 21}, 1, true, true, "CANCEL")),
     slot::BevelButton2_Action},
}};

String* const kRegisteredName = RuntimeNewString("Window6.Window6");

}  // namespace

void __ctblinit() { setup::setUpClass(g_record, {"Window6.Window6", &Window::__Lookup, kMembers, kEvents, "Public"}); }

const ClassRecord* __Lookup() {
    if (!g_record) __ctblinit();
    return g_record;
}

WindowObject* Window6() { return protocol::implicitInstance(kRegisteredName, &__Lookup); }

void Layout(WindowObject* window) { protocol::layOut(window, &_x_ncm::ncm, windowRecord()); }
void CreateControls(WindowObject* window) { protocol::createControls(window, slot::_CreateControls0); }
void _CreateControls0(WindowObject* window) { protocol::createEachControl(window, kControls); }

FORM_CONTROL_ACCESSOR(BevelButton1, BevelButtonObject, ::BevelButton::__Lookup)
FORM_CONTROL_ACCESSOR(BevelButton2, BevelButtonObject, ::BevelButton::__Lookup)

}  // namespace Window6
