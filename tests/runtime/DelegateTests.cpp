// Delegates: weak and strong targets, and each invoke routine's arguments and result.
#include "RuntimeFixture.h"

#include <functional>
#include <vector>

namespace rt {
namespace {

using namespace loom;

// What the handlers below were called with.
struct Calls {
    int count = 0;
    WindowObject* window = nullptr;
    Object* control = nullptr;
    int32_t x = 0, y = 0;
    bool answer = false;  // what the MouseDown handler returns
    std::vector<void*> pointers;
};
Calls g_calls;

void buttonHandler(WindowObject* w, BevelButtonObject* b) {
    ++g_calls.count;
    g_calls.window = w;
    g_calls.control = b;
}
void timerHandler(WindowObject* w, TimerObject* t) {
    ++g_calls.count;
    g_calls.window = w;
    g_calls.control = t;
}
bool mouseDownHandler(WindowObject* w, LabelObject* l, int32_t x, int32_t y) {
    ++g_calls.count;
    g_calls.window = w;
    g_calls.control = l;
    g_calls.x = x;
    g_calls.y = y;
    return g_calls.answer;
}

class DelegateTest : public RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        g_calls = {};
    }
    Ref<Object> delegate(Code routine, Object* target, int32_t weak, const char* signature = "( BevelButton )") {
        Text sig(signature);
        return adopt(RuntimeCreateDelegate(nullptr, routine, target, sig.get(), weak));
    }
};

// Each control handler signature, invoked through its IM_Invoke overload.
struct HandlerCase {
    const char* signature;
    const ClassRecord* (*controlClass)();
    Code routine;
    void (*invoke)(Object* delegate, Object* control);
};
const HandlerCase kHandlers[] = {
    {"( BevelButton )", BevelButton::__Lookup, code(&buttonHandler),
     [](Object* d, Object* c) { Delegate::IM_Invoke(d, static_cast<BevelButtonObject*>(c)); }},
    {"( Timer )", Timer::__Lookup, code(&timerHandler),
     [](Object* d, Object* c) { Delegate::IM_Invoke(d, static_cast<TimerObject*>(c)); }},
    {"( Label, Int32, Int32 ) as Boolean", Label::__Lookup, code(&mouseDownHandler),
     [](Object* d, Object* c) { (void)Delegate::IM_Invoke(d, static_cast<LabelObject*>(c), 3, 4); }},
};

TEST_F(DelegateTest, WeakTargetThatIsGoneRaisesAndTheRoutineDoesNotRun) {
    for (const HandlerCase& h : kHandlers) {
        SCOPED_TRACE(h.signature);
        g_calls = {};
        Ref<Object> control = make(h.controlClass());
        auto* window = static_cast<WindowObject*>(RuntimeNewObject(Window::__Lookup()));
        Ref<Object> d = delegate(h.routine, window, 1, h.signature);
        EXPECT_EQ(window->refs, 1);  // held weakly

        h.invoke(d.get(), control.get());
        EXPECT_EQ(g_calls.count, 1);
        EXPECT_EQ(g_calls.window, window);
        EXPECT_EQ(g_calls.control, control.get());

        RuntimeUnlockObject(window);  // freed: the delegate must not reach it again
        const Caught caught = catchRaised([&] { h.invoke(d.get(), control.get()); });
        EXPECT_TRUE(caught.raised);
        EXPECT_EQ(caught.cls, NilObjectException::__Lookup());
        EXPECT_EQ(g_calls.count, 1);
    }
}

TEST_F(DelegateTest, StrongTargetIsKeptAliveUntilTheDelegateGoes) {
    Ref<Object> button = make(BevelButton::__Lookup());
    auto* window = static_cast<WindowObject*>(RuntimeNewObject(Window::__Lookup()));
    WeakAnchor* anchor = RuntimeWeakAnchor(window);
    Ref<Object> d = delegate(code(&buttonHandler), window, 0);
    RuntimeUnlockObject(window);  // the delegate's reference is the last one
    ASSERT_EQ(anchor->object, window);

    Delegate::IM_Invoke(d.get(), static_cast<BevelButtonObject*>(button.get()));
    EXPECT_EQ(g_calls.count, 1);
    EXPECT_EQ(g_calls.window, window);

    d.reset();
    EXPECT_EQ(anchor->object, nullptr);
    RuntimeReleaseWeak(anchor);
}

TEST_F(DelegateTest, NoDelegateRaisesNilObjectException) {
    Ref<Object> button = make(BevelButton::__Lookup());
    Ref<Object> notADelegate = make(Window::__Lookup());
    for (Object* d : {static_cast<Object*>(nullptr), notADelegate.get()}) {
        const std::vector<std::function<void()>> calls{
            [&] { Delegate::IM_Invoke(d, static_cast<BevelButtonObject*>(button.get())); },
            [&] { Delegate::InvokePP(d); },
            [&] { Delegate::InvokePPp(d, nullptr); },
            [&] { Delegate::InvokePo_Object_Ppp(d, nullptr, nullptr); },
        };
        for (const auto& call : calls) EXPECT_EQ(catchRaised(call).cls, NilObjectException::__Lookup());
    }
    EXPECT_EQ(g_calls.count, 0);

    // A delegate made for no target has nothing to call the handler on.
    Ref<Object> empty = delegate(code(&buttonHandler), nullptr, 0);
    EXPECT_EQ(catchRaised([&] { Delegate::IM_Invoke(empty.get(), static_cast<BevelButtonObject*>(button.get())); }).cls,
              NilObjectException::__Lookup());
    EXPECT_EQ(g_calls.count, 0);
}

// A target of a class other than Window, weak or strong, is no window to call
// the handler on: the handler does not run.
TEST_F(DelegateTest, TargetOfAnotherClassRaisesNilObjectException) {
    for (const HandlerCase& h : kHandlers) {
        for (int32_t weak : {0, 1}) {
            SCOPED_TRACE(std::string(h.signature) + (weak ? " weak" : " strong"));
            g_calls = {};
            Ref<Object> control = make(h.controlClass());
            Ref<Object> notAWindow = make(Picture::__Lookup());
            Ref<Object> d = delegate(h.routine, notAWindow.get(), weak, h.signature);
            EXPECT_EQ(catchRaised([&] { h.invoke(d.get(), control.get()); }).cls, NilObjectException::__Lookup());
            EXPECT_EQ(g_calls.count, 0);
        }
    }
}

TEST_F(DelegateTest, MouseDownResultComesBackUnchanged) {
    Ref<Object> label = make(Label::__Lookup());
    Ref<Object> window = make(Window::__Lookup());
    Ref<Object> d = delegate(code(&mouseDownHandler), window.get(), 1, "( Label, Int32, Int32 ) as Boolean");
    const struct {
        bool answer;
        int32_t x, y;
    } cases[] = {{true, 10, 20}, {false, -1, INT32_MAX}, {true, INT32_MIN, 0}};
    for (const auto& c : cases) {
        g_calls.answer = c.answer;
        EXPECT_EQ(Delegate::IM_Invoke(d.get(), static_cast<LabelObject*>(label.get()), c.x, c.y), c.answer);
        EXPECT_EQ(g_calls.x, c.x);
        EXPECT_EQ(g_calls.y, c.y);
        EXPECT_EQ(g_calls.control, label.get());
    }
}

Object* g_result = nullptr;
void noArguments() { g_calls.pointers.push_back(nullptr); }
void oneArgument(void* p) { g_calls.pointers.push_back(p); }
Object* twoArguments(void* a, void* b) {
    g_calls.pointers.push_back(a);
    g_calls.pointers.push_back(b);
    RuntimeLockObject(g_result);
    return g_result;
}

TEST_F(DelegateTest, PointerSignaturesPassTheirArguments) {
    int first = 0, second = 0;
    Ref<Object> result = make(FolderItem::__Lookup());
    g_result = result.get();

    Ref<Object> pp = delegate(code(&noArguments), nullptr, 0, "(  )");
    Ref<Object> ppp = delegate(code(&oneArgument), nullptr, 0, "( Ptr )");
    Ref<Object> po = delegate(code(&twoArguments), nullptr, 0, "( Ptr, Ptr ) as Object");
    Delegate::InvokePP(pp.get());
    Delegate::InvokePPp(ppp.get(), &first);
    Ref<Object> got = adopt(Delegate::InvokePo_Object_Ppp(po.get(), &first, &second));
    EXPECT_EQ(got.get(), result.get());
    EXPECT_EQ(g_calls.pointers, (std::vector<void*>{nullptr, &first, &first, &second}));
    EXPECT_EQ(RuntimeDelegateCode(po.get()), code(&twoArguments));
    EXPECT_EQ(RuntimeDelegateCode(result.get()), nullptr);

    // A delegate keeps the invoke routine it was made with; what is no delegate has none.
    Text sig("(  )");
    Ref<Object> carrying =
        adopt(RuntimeCreateDelegate(code(&Delegate::InvokePP), code(&noArguments), nullptr, sig.get(), 0));
    EXPECT_EQ(RuntimeDelegateInvoke(carrying.get()), code(&Delegate::InvokePP));
    EXPECT_EQ(RuntimeDelegateInvoke(pp.get()), nullptr);
    EXPECT_EQ(RuntimeDelegateInvoke(result.get()), nullptr);
    EXPECT_EQ(RuntimeDelegateInvoke(nullptr), nullptr);
    g_result = nullptr;
}

}  // namespace
}  // namespace rt
