// Control events end to end: a window holds a control, the control's event is
// bound to a stub that invokes the delegate, and the framework raises the event.
#include "RuntimeFixture.h"

#include <functional>

namespace rt {
namespace {

using namespace loom;

struct Calls {
    int count = 0;
    WindowObject* window = nullptr;
    Object* control = nullptr;
    int32_t x = 0, y = 0;
};
Calls g_calls;

void recordCall(WindowObject* w, Object* c) {
    ++g_calls.count;
    g_calls.window = w;
    g_calls.control = c;
}
void buttonHandler(WindowObject* w, BevelButtonObject* b) { recordCall(w, b); }
void timerHandler(WindowObject* w, TimerObject* t) { recordCall(w, t); }
bool mouseDownHandler(WindowObject* w, LabelObject* l, int32_t x, int32_t y) {
    recordCall(w, l);
    g_calls.x = x;
    g_calls.y = y;
    return true;
}

// The stubs, as the program writes them: the invoke routine of the delegate
// bound to the event, called with the delegate, the control and the arguments.
Ref<Object> bound(Object* control, const char* event) {
    Text name(event);
    return adopt(RuntimeEventDelegate(control, name.get()));
}
template <typename F>
F* invokeOf(const Ref<Object>& delegate) {
    Code invoke = RuntimeDelegateInvoke(delegate.get());
    if (!invoke) RaiseNilObjectException();
    return as<F>(invoke);
}
void buttonStub(BevelButtonObject* b) {
    Ref<Object> d = bound(b, "Action");
    invokeOf<void(Object*, BevelButtonObject*)>(d)(d.get(), b);
}
void timerStub(TimerObject* t) {
    Ref<Object> d = bound(t, "Action");
    invokeOf<void(Object*, TimerObject*)>(d)(d.get(), t);
}
bool labelStub(LabelObject* l, int32_t x, int32_t y) {
    Ref<Object> d = bound(l, "MouseDown");
    return invokeOf<bool(Object*, LabelObject*, int32_t, int32_t)>(d)(d.get(), l, x, y);
}

struct EventCase {
    const char* control;
    const ClassRecord* (*cls)();
    const char* event;
    Code stub;
    Code invoke;  // the invoke routine of the handler's signature
    Code handler;
    std::function<bool(Object*)> raise;  // the event's result: the handler's for MouseDown
};

std::vector<EventCase> eventCases() {
    return {
        {"BevelButton1", BevelButton::__Lookup, "Action", code(&buttonStub),
         code(static_cast<void (*)(Object*, BevelButtonObject*)>(&Delegate::IM_Invoke)), code(&buttonHandler),
         [](Object* c) {
             pressButton(static_cast<BevelButtonObject*>(c));
             return true;
         }},
        {"Timer1", Timer::__Lookup, "Action", code(&timerStub),
         code(static_cast<void (*)(Object*, TimerObject*)>(&Delegate::IM_Invoke)), code(&timerHandler),
         [](Object* c) {
             fireTimer(static_cast<TimerObject*>(c));
             return true;
         }},
        {"Label1", Label::__Lookup, "MouseDown", code(&labelStub),
         code(static_cast<bool (*)(Object*, LabelObject*, int32_t, int32_t)>(&Delegate::IM_Invoke)),
         code(&mouseDownHandler), [](Object* c) { return clickLabel(static_cast<LabelObject*>(c), 7, 9); }},
    };
}

int g_helperCalls = 0;
Object* countingHelper(void* routine, void* argument) {
    ++g_helperCalls;
    return catchingHelper(routine, argument);
}

class ControlEventTest : public RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        g_calls = {};
        g_helperCalls = 0;
    }

    // A window holding a control of the case's class under its name, its event
    // bound with a delegate that holds the window weakly, as the program binds them.
    void build(const EventCase& c) {
        window = static_cast<WindowObject*>(RuntimeNewObject(Window::__Lookup()));
        control = make(c.cls());
        Text name(c.control);
        Window::_AddControl(window, name.get(), control.get());
        Text signature("( control )");
        Ref<Object> d = adopt(RuntimeCreateDelegate(c.invoke, c.handler, window, signature.get(), 1));
        Text event(c.event);
        RuntimeAddEventHandler(control.get(), event.get(), c.stub, d.get());
    }

    WindowObject* window = nullptr;  // one reference held by the case until it frees it
    Ref<Object> control;
};

// The control's Window operation, with the reference it hands over.
Ref<WindowObject> windowOf(Object* control) {
    auto* c = static_cast<ControlObject*>(control);
    return adopt(RuntimeVirtualCall<WindowObject*(ControlObject*)>(c, ControlSlot::Window, c));
}

// Made for a window by Window.__New and never added to it: once the window is
// freed, neither the control's Window operation nor its event reaches it.
TEST_F(ControlEventTest, AControlNeverAddedReachesNoWindowOnceItIsFreed) {
    Ref<Object> made = make(Window::__Lookup());
    auto* w = static_cast<WindowObject*>(made.get());
    Ref<Object> button = adopt(Window::__New(w, BevelButton::__Lookup()));
    {
        const Ref<WindowObject> held = windowOf(button.get());
        EXPECT_EQ(held.get(), w);
        EXPECT_EQ(w->refs, 2);
    }
    Text signature("( BevelButton )");
    Text action("Action");
    const Ref<Object> d =
        adopt(RuntimeCreateDelegate(eventCases()[0].invoke, code(&buttonHandler), w, signature.get(), 1));
    RuntimeAddEventHandler(button.get(), action.get(), code(&buttonStub), d.get());

    made.reset();
    {
        const Ref<WindowObject> none = windowOf(button.get());
        EXPECT_EQ(none.get(), nullptr);
    }
    EXPECT_EQ(objectName(button.get()), "BevelButton");
    EXPECT_EQ(catchRaised([&] { pressButton(static_cast<BevelButtonObject*>(button.get())); }).cls,
              NilObjectException::__Lookup());
    EXPECT_EQ(g_calls.count, 0);
}

// Added to a second window, the control belongs to that one: freeing the first
// leaves it there, freeing the second leaves it none.
TEST_F(ControlEventTest, AControlAddedToASecondWindowBelongsToIt) {
    Ref<Object> first = make(Window::__Lookup());
    Ref<Object> second = make(Window::__Lookup());
    auto* w2 = static_cast<WindowObject*>(second.get());
    Ref<Object> button = make(BevelButton::__Lookup());
    Text name("BevelButton1");
    Window::_AddControl(static_cast<WindowObject*>(first.get()), name.get(), button.get());
    Window::_AddControl(w2, name.get(), button.get());

    first.reset();
    {
        const Ref<WindowObject> held = windowOf(button.get());
        EXPECT_EQ(held.get(), w2);
    }
    EXPECT_EQ(objectName(button.get()), "BevelButton1");

    second.reset();
    {
        const Ref<WindowObject> none = windowOf(button.get());
        EXPECT_EQ(none.get(), nullptr);
    }
    EXPECT_EQ(objectName(button.get()), "BevelButton");
}

TEST_F(ControlEventTest, RaisingTheEventReachesTheHandler) {
    for (const EventCase& c : eventCases()) {
        SCOPED_TRACE(c.control);
        g_calls = {};
        build(c);
        EXPECT_TRUE(c.raise(control.get()));
        EXPECT_EQ(g_calls.count, 1);
        EXPECT_EQ(g_calls.window, window);
        EXPECT_EQ(g_calls.control, control.get());
        RuntimeUnlockObject(window);
        control.reset();
    }
    EXPECT_EQ(g_calls.x, 7);
    EXPECT_EQ(g_calls.y, 9);
}

TEST_F(ControlEventTest, AnUnboundEventDoesNothing) {
    Ref<Object> button = make(BevelButton::__Lookup());
    Ref<Object> label = make(Label::__Lookup());
    pressButton(static_cast<BevelButtonObject*>(button.get()));
    EXPECT_FALSE(clickLabel(static_cast<LabelObject*>(label.get()), 1, 1));
    EXPECT_EQ(g_calls.count, 0);
}

TEST_F(ControlEventTest, BindingAgainReplacesTheDelegate) {
    const EventCase button = eventCases()[0];
    build(button);
    Text action("Action");
    Text signature("( BevelButton )");
    Ref<Object> replacement =
        adopt(RuntimeCreateDelegate(button.invoke, code(&buttonHandler), window, signature.get(), 1));
    RuntimeAddEventHandler(control.get(), action.get(), code(&buttonStub), replacement.get());
    Ref<Object> now = bound(control.get(), "Action");
    EXPECT_EQ(now.get(), replacement.get());
    EXPECT_EQ(replacement->refs, 3);  // ours, the binding's, `now`
    pressButton(static_cast<BevelButtonObject*>(control.get()));
    EXPECT_EQ(g_calls.count, 1);
    RuntimeUnlockObject(window);
    control.reset();
    // The first delegate was released by the rebinding: the fixture's count checks it.
}

TEST_F(ControlEventTest, UnknownEventsAndNonControlsAreRefused) {
    Ref<Object> button = make(BevelButton::__Lookup());
    Ref<Object> window2 = make(Window::__Lookup());
    Text missing("Change");
    Text action("Action");
    const Caught unknown =
        catchRaised([&] { RuntimeAddEventHandler(button.get(), missing.get(), code(&buttonStub), nullptr); });
    EXPECT_EQ(unknown.cls, RuntimeException::__Lookup());
    EXPECT_NE(unknown.message.find("Change"), std::string::npos) << unknown.message;
    EXPECT_EQ(catchRaised([&] { RuntimeAddEventHandler(window2.get(), action.get(), code(&buttonStub), nullptr); }).cls,
              NilObjectException::__Lookup());
    EXPECT_EQ(catchRaised([&] { RuntimeAddEventHandler(nullptr, action.get(), code(&buttonStub), nullptr); }).cls,
              NilObjectException::__Lookup());
    EXPECT_TRUE(static_cast<ControlObject*>(button.get())->bindings.empty());
}

// After the user closes the window, the controls the program still holds raise
// NilObjectException from their handlers' delegates: reported through the
// exception helper when one is installed, passed to the caller otherwise.
TEST_F(ControlEventTest, EventsAfterTheWindowIsFreedRaiseNilObjectException) {
    for (bool withHelper : {true, false}) {
        for (const EventCase& c : eventCases()) {
            SCOPED_TRACE(std::string(c.control) + (withHelper ? " with helper" : " without helper"));
            g_calls = {};
            g_helperCalls = 0;
            _RuntimeSetExceptionHelper(withHelper ? code(&countingHelper) : nullptr);
            build(c);
            Window::Constructor(window);  // registered, as the framework's windows are
            WeakAnchor* anchor = RuntimeWeakAnchor(window);
            RuntimeUnlockObject(window);
            closeWindow(window);
            ASSERT_EQ(anchor->object, nullptr) << "the window should be freed";
            RuntimeReleaseWeak(anchor);
            clock->drainPosted();  // the pending Open finds no window
            EXPECT_EQ(static_cast<ControlObject*>(control.get())->window.get(), nullptr);

            if (withHelper) {
                ::testing::internal::CaptureStderr();
                const bool handled = c.raise(control.get());
                const std::string report = ::testing::internal::GetCapturedStderr();
                EXPECT_EQ(g_helperCalls, 1);
                EXPECT_NE(report.find("NilObjectException"), std::string::npos) << report;
                EXPECT_NE(report.find(c.event), std::string::npos) << report;
                if (c.cls() == Label::__Lookup()) {
                    EXPECT_FALSE(handled);  // the handler gave no answer
                }
            } else {
                const Caught caught = catchRaised([&] { c.raise(control.get()); });
                EXPECT_TRUE(caught.raised);
                EXPECT_EQ(caught.cls, NilObjectException::__Lookup());
            }
            EXPECT_EQ(g_calls.count, 0);
            control.reset();
        }
    }
}

}  // namespace
}  // namespace rt
