// Window1's form: class records, layout records and controls. Behaviour lives
// in Window1.cpp.
#include "forms/ClassSetup.h"
#include "forms/LayoutRecords.h"
#include "forms/PictureCatalogue.h"
#include "forms/TimerControlClass.h"
#include "forms/WindowProtocol.h"
#include "startup/Window1.h"

#include <array>

using namespace loom;
using protocol::Kind;

namespace Window1 {

namespace {

const ClassRecord* g_record = nullptr;

// name, signature, code, hidden
const std::array<setup::Member, 8> kMembers{{
    /* 1 */ {"Layout", "%%", code(&Window1::Layout)},
    /* 2 */ {"CreateControls", "%%", code(&Window1::CreateControls)},
    /* 3 */ {"_CreateControls0", "%%", code(&Window1::_CreateControls0), true},
    /* 4 */ {"Timer1", "%o<Timer>%", code(&Window1::Timer1)},
    /* 5 */ {"Timer2", "%o<Timer>%", code(&Window1::Timer2)},
    /* 6 */ {"Timer1_Action", "%%o<Timer>", code(&Window1::Timer1_Action)},
    /* 7 */ {"Timer2_Action", "%%o<Timer>", code(&Window1::Timer2_Action)},
    /* 8 */ {"Event_Open", "%%", code(&Window1::Event_Open)},
}};
static_assert(kMembers.size() == slot::End - slot::Layout);

// window event, handler
const std::array<setup::EventHandler, 3> kEvents{{
    {WindowEvent::Layout, code(&Window1::Layout)},
    {WindowEvent::CreateControls, code(&Window1::CreateControls)},
    {WindowEvent::Open, code(&Window1::Event_Open)},
}};

String* windowRecord() {
    static String* const r = records::window({.width = 440, .height = 147});
    return r;
}
String* timer1Record() {
    static String* const r = records::timer(1);
    return r;
}
String* timer2Record() {
    static String* const r = records::timer(3700);
    return r;
}

// name, kind, class, record, handler
const std::array<protocol::ControlForm, 2> kControls{{
    /* 1 */ {"Timer1", Kind::Timer, &Timer1Class::__Lookup, &timer1Record, slot::Timer1_Action},
    /* 2 */ {"Timer2", Kind::Timer, &Timer2Class::__Lookup, &timer2Record, slot::Timer2_Action},
}};

String* const kRegisteredName = RuntimeNewString("Window1.Window1");
String* const kTimer1 = RuntimeNewString("Timer1");
String* const kTimer2 = RuntimeNewString("Timer2");

}  // namespace

void __ctblinit() { setup::setUpClass(g_record, {"Window1.Window1", &Window::__Lookup, kMembers, kEvents, "Public"}); }

const ClassRecord* __Lookup() {
    if (!g_record) __ctblinit();
    return g_record;
}

WindowObject* Window1() { return protocol::implicitInstance(kRegisteredName, &__Lookup); }

void Layout(WindowObject* window) { protocol::layOut(window, &_x_li::li, windowRecord()); }
void CreateControls(WindowObject* window) { protocol::createControls(window, slot::_CreateControls0); }
void _CreateControls0(WindowObject* window) { protocol::createEachControl(window, kControls); }

TimerObject* Timer1(WindowObject* window) { return protocol::control<TimerObject>(window, kTimer1, Timer::__Lookup()); }
TimerObject* Timer2(WindowObject* window) { return protocol::control<TimerObject>(window, kTimer2, Timer::__Lookup()); }

// ---- The timer control classes ------------------------------------------------------

namespace {
const ClassRecord* g_timer1 = nullptr;
const ClassRecord* g_timer2 = nullptr;
}  // namespace

namespace Timer1Class {
void __ctblinit() { timerclass::setUp(g_timer1, "Window1.Timer1"); }
const ClassRecord* __Lookup() {
    if (!g_timer1) __ctblinit();
    return g_timer1;
}
}  // namespace Timer1Class

namespace Timer2Class {
void __ctblinit() { timerclass::setUp(g_timer2, "Window1.Timer2"); }
const ClassRecord* __Lookup() {
    if (!g_timer2) __ctblinit();
    return g_timer2;
}
}  // namespace Timer2Class

}  // namespace Window1
