// The program's event stubs, as the framework calls them when a control's event
// comes: they pass the handler's answer through, and a control whose window
// is gone raises the nil-object exception without touching the freed window.
#include "ProgramHarness.h"
#include "dialogs/Window3.h"
#include "dialogs/Window4.h"
#include "dialogs/Window5.h"
#include "dialogs/Window6.h"
#include "forms/WindowProtocol.h"
#include "mainwindow/Window2.h"
#include "startup/Window1.h"

#include <gtest/gtest.h>

#include <functional>

using namespace loom;
using namespace progtest;

namespace {

int g_calls = 0;
bool answersTrue(WindowObject*, LabelObject*, int32_t x, int32_t y) {
    ++g_calls;
    return x == 7 && y == 9;
}

TEST(EventStubs, MouseDownPassesTheHandlersAnswerThrough) {
    ProgramRun run;
    bool ran = false;
    run.run(nullptr, [&] {
        Ref<WindowObject> w = adopt(Window2::Window2());
        Ref<LabelObject> label = adopt(Window2::Label1(w.get()));
        ASSERT_TRUE(label);
        EXPECT_FALSE(clickLabel(label.get(), 7, 9));  // the program's own handler says false

        // The same stub with a handler that says true when given (7, 9).
        Ref<Object> delegate = adopt(RuntimeEventDelegate(label.get(), kept("MouseDown")));
        ASSERT_TRUE(delegate);
        Ref<Object> answering = adopt(RuntimeCreateDelegate(
            code(static_cast<bool (*)(Object*, LabelObject*, int32_t, int32_t)>(&Delegate::IM_Invoke)),
            code(&answersTrue), w.get(), kept("( Label, Int32, Int32 ) as Boolean"), 1));
        RuntimeAddEventHandler(label.get(), kept("MouseDown"), code(&protocol::Label_MouseDown), answering.get());
        EXPECT_TRUE(clickLabel(label.get(), 7, 9));
        EXPECT_FALSE(clickLabel(label.get(), 1, 1));
        EXPECT_EQ(g_calls, 2);
        ran = true;
    });
    EXPECT_TRUE(ran);
}

// ---- The stubs call the invoke routine that the bound delegate carries ------------------------

struct Invoked {
    int count = 0;
    Object* delegate = nullptr;
    Object* control = nullptr;
    int32_t x = 0, y = 0;
};
Invoked g_invoked;
int g_handlerCalls = 0;

void note(Object* delegate, Object* control, int32_t x = 0, int32_t y = 0) {
    g_invoked = {g_invoked.count + 1, delegate, control, x, y};
}
void invokeTimer(Object* d, TimerObject* t) { note(d, t); }
void invokeButton(Object* d, BevelButtonObject* b) { note(d, b); }
bool invokeLabel(Object* d, LabelObject* l, int32_t x, int32_t y) {
    note(d, l, x, y);
    return true;  // the program's own hot-spot handlers answer false
}
// The handlers the delegates are made on: reached only through an invoke routine.
void timerHandler(WindowObject*, TimerObject*) { ++g_handlerCalls; }
void buttonHandler(WindowObject*, BevelButtonObject*) { ++g_handlerCalls; }
bool labelHandler(WindowObject*, LabelObject*, int32_t, int32_t) {
    ++g_handlerCalls;
    return false;
}

// A delegate whose invoke routine is not the one of its signature reveals
// whether the stub calls the routine the delegate carries.
TEST(EventStubs, CallTheInvokeRoutineThatTheBoundDelegateCarries) {
    ProgramRun run;
    bool ran = false;
    run.run(nullptr, [&] {
        Ref<WindowObject> splash = adopt(Window1::Window1());
        Ref<WindowObject> main = adopt(Window2::Window2());
        Ref<TimerObject> timer = adopt(Window1::Timer1(splash.get()));
        Ref<BevelButtonObject> button = adopt(Window2::BevelButton1(main.get()));
        Ref<LabelObject> label = adopt(Window2::Label1(main.get()));
        ASSERT_TRUE(timer && button && label);
        struct Case {
            const char* event;
            Object* control;
            WindowObject* window;
            Code invoke, handler, stub;
            std::function<bool()> raise;  // the event's answer
        };
        const Case cases[] = {
            {"Action", timer.get(), splash.get(), code(&invokeTimer), code(&timerHandler),
             code(&protocol::Timer_Action),
             [&] {
                 fireTimer(timer.get());
                 return false;
             }},
            {"Action", button.get(), main.get(), code(&invokeButton), code(&buttonHandler),
             code(&protocol::BevelButton_Action),
             [&] {
                 pressButton(button.get());
                 return false;
             }},
            {"MouseDown", label.get(), main.get(), code(&invokeLabel), code(&labelHandler),
             code(&protocol::Label_MouseDown), [&] { return clickLabel(label.get(), 12, 34); }},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(objectName(c.control));
            g_invoked = {};
            g_handlerCalls = 0;
            Ref<Object> delegate = adopt(RuntimeCreateDelegate(c.invoke, c.handler, c.window, kept("( any )"), 1));
            RuntimeAddEventHandler(c.control, kept(c.event), c.stub, delegate.get());
            const bool answer = c.raise();
            EXPECT_EQ(g_invoked.count, 1);
            EXPECT_EQ(g_invoked.delegate, delegate.get());
            EXPECT_EQ(g_invoked.control, c.control);
            EXPECT_EQ(g_handlerCalls, 0);
            if (c.control == label.get()) {
                EXPECT_TRUE(answer);  // the invoke routine's answer reaches the framework
                EXPECT_EQ(g_invoked.x, 12);
                EXPECT_EQ(g_invoked.y, 34);
            }
        }
        ran = true;
    });
    EXPECT_TRUE(ran);
}

// Every binding of every window carries the invoke routine, the signature and
// the handler of its control's event: the stubs call whatever routine it carries.
TEST(EventStubs, EveryBindingCarriesTheInvokeRoutineOfItsEventsSignature) {
    struct EventRow {
        const ClassRecord* (*cls)();
        const char* event;
        const char* signature;
        Code invoke;
    };
    const EventRow rows[] = {
        {&Timer::__Lookup, "Action", "( Timer )",
         code(static_cast<void (*)(Object*, TimerObject*)>(&Delegate::IM_Invoke))},
        {&BevelButton::__Lookup, "Action", "( BevelButton )",
         code(static_cast<void (*)(Object*, BevelButtonObject*)>(&Delegate::IM_Invoke))},
        {&Label::__Lookup, "MouseDown", "( Label, Int32, Int32 ) as Boolean",
         code(static_cast<bool (*)(Object*, LabelObject*, int32_t, int32_t)>(&Delegate::IM_Invoke))},
    };
    ProgramRun run;
    int bindings = 0;
    run.run(nullptr, [&] {
        for (WindowObject* (*accessor)() : {&Window1::Window1, &Window2::Window2, &Window3::Window3, &Window4::Window4,
                                            &Window5::Window5, &Window6::Window6}) {
            Ref<WindowObject> w = adopt(accessor());
            for (const NamedControl& c : w->controls) {
                for (const EventBinding& b : c.control->bindings) {
                    const std::string name(view(c.name));
                    SCOPED_TRACE(std::string(w->cls->registeredName()) + " " + name);
                    ++bindings;
                    const EventRow* row = nullptr;
                    for (const EventRow& r : rows)
                        if (RuntimeObjectIsa(c.control.get(), r.cls())) row = &r;
                    ASSERT_NE(row, nullptr);
                    EXPECT_EQ(view(c.control->cls->events.at(static_cast<size_t>(b.event)).name), row->event);
                    const auto* d = dynamic_cast<const DelegateObject*>(b.delegate.get());
                    ASSERT_NE(d, nullptr);
                    EXPECT_EQ(RuntimeDelegateInvoke(d), row->invoke);
                    EXPECT_EQ(view(d->signature), row->signature);
                    EXPECT_TRUE(d->weak);
                    EXPECT_EQ(d->weakTarget.get(), w.get());
                    const MemberRecord* handler = w->cls->memberByCode(d->routine);
                    ASSERT_NE(handler, nullptr);
                    EXPECT_EQ(view(handler->name), name + "_" + row->event);
                }
            }
        }
    });
    // Two timers; twelve buttons and four hot spots on the main window; Window3's
    // button and three hot spots; one, one and two buttons on the small dialogs.
    EXPECT_EQ(bindings, 2 + 16 + 4 + 1 + 1 + 2);
}

// Each event of a control kept beyond its window's end.
TEST(EventStubs, AControlOfAClosedWindowRaisesTheNilObjectExceptionAndNothingBreaks) {
    ProgramRun run;
    bool ran = false;
    run.run(nullptr, [&] {
        Ref<WindowObject> main = adopt(Window2::Window2());
        Ref<LabelObject> hotSpot = adopt(Window2::Label1(main.get()));
        clickLabel(hotSpot.get(), 1, 1);
        Ref<LabelObject> sectionLabel;
        {
            Ref<WindowObject> sections = adopt(Window3::Window3());
            sectionLabel = adopt(Window3::Label2(sections.get()));
        }
        Ref<LabelObject> notice = adopt(Window2::Label4(main.get()));
        clickLabel(notice.get(), 1, 1);
        Ref<BevelButtonObject> ok;
        {
            Ref<WindowObject> dialog = adopt(Window6::Window6());
            ok = adopt(Window6::BevelButton1(dialog.get()));
            closeWindow(registered("Window3.Window3"));
            closeWindow(dialog.get());
        }
        ASSERT_EQ(windowsNamed("Window3.Window3"), 0);
        ASSERT_EQ(windowsNamed("Window6.Window6"), 0);
        // The framework reports what escapes an event's handler and goes on.
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(clickLabel(sectionLabel.get(), 1, 1));
        pressButton(ok.get());
        const std::string report = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(report.find("NilObjectException: an object reference was none in Label2.MouseDown"),
                  std::string::npos)
            << report;
        EXPECT_NE(report.find("NilObjectException: an object reference was none in BevelButton1.Action"),
                  std::string::npos)
            << report;
        // Neither event built a window again.
        EXPECT_EQ(windowsNamed("Window3.Window3"), 0);
        EXPECT_EQ(windowsNamed("Window6.Window6"), 0);
        ran = true;
    });
    EXPECT_TRUE(ran);
}

}  // namespace
