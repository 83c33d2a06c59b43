// Window5's form: class record, layout records and its buttons. Behaviour lives in
// SmallDialogs.cpp.
#include "dialogs/Window5.h"
#include "forms/ClassSetup.h"
#include "forms/FormMacros.h"
#include "forms/PictureCatalogue.h"

#include <array>

using namespace loom;
using protocol::Kind;
using records::Bounds;

namespace Window5 {

namespace {

const ClassRecord* g_record = nullptr;

// name, signature, code, hidden
const std::array<setup::Member, 5> kMembers{{
    /* 1 */ {"Layout", "%%", code(&Window5::Layout)},
    /* 2 */ {"CreateControls", "%%", code(&Window5::CreateControls)},
    /* 3 */ {"_CreateControls0", "%%", code(&Window5::_CreateControls0), true},
    /* 4 */ {"BevelButton1", "%o<BevelButton>%", code(&Window5::BevelButton1)},
    /* 5 */ {"BevelButton1_Action", "%%o<BevelButton>", code(&Window5::BevelButton1_Action)},
}};
static_assert(kMembers.size() == slot::End - slot::Layout);

const std::array<setup::EventHandler, 2> kEvents{{
    {WindowEvent::Layout, code(&Window5::Layout)},
    {WindowEvent::CreateControls, code(&Window5::CreateControls)},
}};

String* windowRecord() {
    static String* const r = records::window({.width = 449, .height = 292, .minimizeButton = false});
    return r;
}

// name, kind, class, record (name, left top width height, TabIndex, Visible, Enabled, caption), handler
const std::array<protocol::ControlForm, 1> kControls{{
    /* 1 */ {"BevelButton1", Kind::BevelButton, &::BevelButton::__Lookup,
             FORM_RECORD(records::bevelButton("BevelButton1", Bounds{352, 243, 71, 22}, 0, true, true, "OK")),
             slot::BevelButton1_Action},
}};

String* const kRegisteredName = RuntimeNewString("Window5.Window5");

}  // namespace

void __ctblinit() { setup::setUpClass(g_record, {"Window5.Window5", &Window::__Lookup, kMembers, kEvents, "Public"}); }

const ClassRecord* __Lookup() {
    if (!g_record) __ctblinit();
    return g_record;
}

WindowObject* Window5() { return protocol::implicitInstance(kRegisteredName, &__Lookup); }

void Layout(WindowObject* window) { protocol::layOut(window, &_x_abo::abo, windowRecord()); }
void CreateControls(WindowObject* window) { protocol::createControls(window, slot::_CreateControls0); }
void _CreateControls0(WindowObject* window) { protocol::createEachControl(window, kControls); }

FORM_CONTROL_ACCESSOR(BevelButton1, BevelButtonObject, ::BevelButton::__Lookup)

}  // namespace Window5
