// Objects: reference counts, weak anchors, class tests and casts.
#include "RuntimeFixture.h"

#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

namespace rt {
namespace {

using namespace loom;

using ObjectTest = RuntimeTest;

TEST_F(ObjectTest, ReferenceCountsFreeAtZero) {
    RuntimeLockObject(nullptr);
    RuntimeUnlockObject(nullptr);
    RuntimeLockUnlockObjects(nullptr, nullptr);

    Object* a = RuntimeNewObject(FolderItem::__Lookup());
    EXPECT_EQ(a->refs, 1);
    EXPECT_EQ(RuntimeLiveObjectCount(), liveAtStart + 1);
    RuntimeLockObject(a);
    EXPECT_EQ(a->refs, 2);
    RuntimeUnlockObject(a);
    EXPECT_EQ(a->refs, 1);
    EXPECT_EQ(RuntimeLiveObjectCount(), liveAtStart + 1);

    // Storing a over itself must not free it: the new value is taken first.
    RuntimeLockUnlockObjects(a, a);
    EXPECT_EQ(a->refs, 1);

    // Storing b over a: b gains a reference, a loses its last one.
    Object* b = RuntimeNewObject(FolderItem::__Lookup());
    WeakAnchor* anchor = RuntimeWeakAnchor(a);
    RuntimeLockUnlockObjects(b, a);
    EXPECT_EQ(anchor->object, nullptr);
    EXPECT_EQ(b->refs, 2);
    RuntimeLockUnlockObjects(nullptr, b);
    RuntimeUnlockObject(b);
    EXPECT_EQ(RuntimeLiveObjectCount(), liveAtStart);
    RuntimeReleaseWeak(anchor);
}

TEST_F(ObjectTest, AWindowReleasesItsControls) {
    Text name("BevelButton1");
    auto* window = static_cast<WindowObject*>(RuntimeNewObject(Window::__Lookup()));
    Object* button = RuntimeNewObject(BevelButton::__Lookup());
    Window::_AddControl(window, name.get(), button);
    EXPECT_EQ(button->refs, 2);
    RuntimeUnlockObject(button);
    EXPECT_EQ(RuntimeLiveObjectCount(), liveAtStart + 2);
    RuntimeUnlockObject(window);
    EXPECT_EQ(RuntimeLiveObjectCount(), liveAtStart);
    EXPECT_EQ(name.get()->refs, 1);  // the window's reference to the name is gone too
}

TEST_F(ObjectTest, WeakAnchorsAreClearedWhenTheObjectIsFreed) {
    EXPECT_EQ(RuntimeWeakAnchor(nullptr), nullptr);
    RuntimeReleaseWeak(nullptr);

    Object* o = RuntimeNewObject(Window::__Lookup());
    WeakAnchor* first = RuntimeWeakAnchor(o);
    WeakAnchor* second = RuntimeWeakAnchor(o);
    ASSERT_EQ(first, second);  // one anchor per object
    EXPECT_EQ(first->object, o);
    EXPECT_EQ(o->refs, 1);  // weak references do not keep it alive

    RuntimeReleaseWeak(second);
    EXPECT_EQ(first->object, o);
    RuntimeUnlockObject(o);
    EXPECT_EQ(first->object, nullptr);  // the anchor outlives the object while referenced
    RuntimeReleaseWeak(first);          // and is freed with its last reference (ASan checks)
}

// What a Ref refuses at compile time: every way a plain pointer could slip in
// or out of it unseen, each of which once released one reference twice.
template <typename R>
concept Deletable = requires(R r) {
    delete r;
};
template <typename R>
concept PassesAsPlainPointer = requires(R r) {
    RuntimeUnlockObject(r);
};
template <typename R>
concept Raisable = requires(R r) {
    RuntimeRaise(r);
};
template <typename R>
concept PointerArithmetic = requires(R r) {
    r + 1;
};
template <typename R, typename A>
concept ResetsTo = requires(R r, A a) {
    r.reset(a);
};
template <typename R>
concept AdoptsAsAMember = requires(Object* p) {
    R::adopt(p);
};
template <typename A>
concept FreeAdoptTakes = requires(A a) {
    adopt(a);
};
template <typename R>
concept TemporaryGivesItsPointer = requires {
    std::declval<R>().get();
};
template <typename A, typename B>
concept Comparable = requires(const A& a, const B& b) {
    a == b;
    b == a;
    a != b;
};

static_assert(!std::is_constructible_v<Ref<Object>, Object*>, "adopting is spelled adopt(p)");
static_assert(!std::is_convertible_v<Object*, Ref<Object>>);
static_assert(!std::is_convertible_v<const Ref<Object>&, Object*>, "get() where a plain pointer is needed");
static_assert(!std::is_convertible_v<Ref<Object>, Object*>);
static_assert(!std::is_convertible_v<const Ref<Object>&, bool>, "bool x = a");
static_assert(std::is_constructible_v<bool, const Ref<Object>&>, "if (a) stays");
static_assert(!Deletable<Ref<Object>>);
static_assert(!PassesAsPlainPointer<Ref<Object>> && !PassesAsPlainPointer<Ref<WindowObject>>);
static_assert(!Raisable<Ref<Object>>);
static_assert(!PointerArithmetic<Ref<Object>>);
static_assert(!ResetsTo<Ref<Object>, Ref<Object>> && !ResetsTo<Ref<Object>, Object*>);
static_assert(!AdoptsAsAMember<Ref<Object>>);
static_assert(!FreeAdoptTakes<Ref<Object>> && FreeAdoptTakes<Object*>);
static_assert(!TemporaryGivesItsPointer<Ref<Object>> && TemporaryGivesItsPointer<Ref<Object>&>);
// Up the class chain implicitly, by copy and by move; never down, never across.
static_assert(std::is_convertible_v<const Ref<WindowObject>&, Ref<Object>>);
static_assert(std::is_convertible_v<Ref<WindowObject>&&, Ref<Object>>);
static_assert(std::is_assignable_v<Ref<Object>&, const Ref<WindowObject>&>);
static_assert(!std::is_constructible_v<Ref<WindowObject>, Ref<Object>>);
static_assert(!std::is_constructible_v<Ref<String>, Ref<Object>>);
static_assert(Comparable<Ref<Object>, Ref<WindowObject>> && Comparable<Ref<Object>, WindowObject*>);
static_assert(Comparable<Ref<Object>, std::nullptr_t> && !Comparable<Ref<String>, Ref<Object>>);

// Through every conversion from a Ref of a subclass the count stays right: a
// copy takes a reference of its own, a move hands its one on.
TEST_F(ObjectTest, RefsOfASubclassConvertWithTheirCountsRight) {
    auto* w = static_cast<WindowObject*>(RuntimeNewObject(Window::__Lookup()));
    Ref<WindowObject> derived = adopt(w);
    {
        Ref<Object> base(derived);
        EXPECT_EQ(w->refs, 2);
        EXPECT_TRUE(base == derived);
        EXPECT_TRUE(derived == base);
        Ref<Object> assigned;
        assigned = derived;
        EXPECT_EQ(w->refs, 3);
        const auto countOf = [](const Ref<Object>& held) { return held->refs; };
        EXPECT_EQ(countOf(retain(w)), 4);  // a temporary passes as a Ref, and goes after the call
    }
    EXPECT_EQ(w->refs, 1);

    Ref<WindowObject> second = retain(w);
    Ref<Object> moved(std::move(second));
    EXPECT_EQ(w->refs, 2);
    EXPECT_FALSE(second);
    Ref<Object> movedIn = adopt(RuntimeNewObject(FolderItem::__Lookup()));  // freed by the assignment
    movedIn = std::move(moved);
    EXPECT_EQ(w->refs, 2);
    EXPECT_FALSE(moved);
    EXPECT_TRUE(movedIn == w);
    EXPECT_FALSE(movedIn == nullptr);
    movedIn.reset();
    EXPECT_EQ(w->refs, 1);
    EXPECT_EQ(RuntimeLiveObjectCount(), liveAtStart + 1);
}

// A checked downcast gives the same reference when the object is of the class,
// and none, its reference released, when it is not.
TEST_F(ObjectTest, DowncastChecksTheClassRecord) {
    Object* w = RuntimeNewObject(Window::__Lookup());
    Object* label = RuntimeNewObject(Label::__Lookup());
    const struct {
        Object* object;
        const ClassRecord* (*cls)();
        bool kept;
    } cases[] = {
        {w, Window::__Lookup, true},
        {label, Control::__Lookup, true},  // along the class chain
        {label, Window::__Lookup, false},
        {w, Control::__Lookup, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.cls()->registeredName()) + " " + objectName(c.object));
        const int32_t refs = c.object->refs;
        Ref<Object> held = retain(c.object);
        Ref<Object> cast = downcast<Object>(held, c.cls());  // a copy: `held` keeps its own
        EXPECT_EQ(cast == c.object, c.kept);
        EXPECT_EQ(c.object->refs, refs + (c.kept ? 2 : 1));
        held.reset();
        cast.reset();
        EXPECT_EQ(c.object->refs, refs);
    }
    EXPECT_FALSE(downcast<WindowObject>(Ref<Object>(), Window::__Lookup()));
    Ref<WindowObject> window = downcast<WindowObject>(adopt(w), Window::__Lookup());
    EXPECT_EQ(window->refs, 1);
    EXPECT_FALSE(downcast<WindowObject>(adopt(label), Window::__Lookup()));  // released: the fixture counts it
    window.reset();
    EXPECT_EQ(RuntimeLiveObjectCount(), liveAtStart);
}

// A Ref takes over a reference (adopt) or takes one of its own (retain); a
// copy takes one more, a move hands it on, and each holder releases once.
TEST_F(ObjectTest, RefsAdoptRetainAndReleaseOnce) {
    Object* o = RuntimeNewObject(FolderItem::__Lookup());
    {
        Ref<Object> retained = retain(o);
        EXPECT_EQ(o->refs, 2);
        Ref<Object> copy = retained;
        EXPECT_EQ(o->refs, 3);
        Ref<Object> moved = std::move(copy);
        EXPECT_EQ(o->refs, 3);
        EXPECT_EQ(copy.get(), nullptr);
        copy = moved;
        EXPECT_EQ(o->refs, 4);
        Ref<Object>& same = copy;
        copy = same;  // the value is taken before the old one goes
        EXPECT_EQ(o->refs, 4);
        moved.reset();
        EXPECT_EQ(o->refs, 3);
        EXPECT_EQ(moved.release(), nullptr);
    }
    EXPECT_EQ(o->refs, 1);

    // A Ref of a subclass hands its reference to a Ref of the base.
    Ref<Object> base = retain(static_cast<FolderItemObject*>(o));
    EXPECT_EQ(o->refs, 2);
    base = adopt(o);  // the first reference, taken over; the retained one goes
    EXPECT_EQ(o->refs, 1);
    base.reset();
    EXPECT_EQ(RuntimeLiveObjectCount(), liveAtStart);

    Ref<Object> none = retain<Object>(nullptr);
    EXPECT_FALSE(none);

    // Assigned to itself, the only holder keeps its object.
    Ref<Object> only = adopt(RuntimeNewObject(FolderItem::__Lookup()));
    Ref<Object>& alias = only;
    only = alias;
    EXPECT_EQ(only->refs, 1);
}

TEST_F(ObjectTest, RefsCountStringsAsTheyDoObjects) {
    String* s = RuntimeNewString("Open");
    {
        Ref<String> held = retain(s);
        EXPECT_EQ(s->refs, 2);
        const std::vector<Ref<String>> rows(3, held);
        EXPECT_EQ(s->refs, 5);
        EXPECT_EQ(view(rows[2]), "Open");
    }
    EXPECT_EQ(s->refs, 1);
    Ref<String> last = adopt(s);
    last.reset();  // freed here (ASan sees a second release)
}

// A WeakRef neither keeps its object alive nor outlives it: it reads none
// once the object is freed. Its anchor lives until the last weak reference.
TEST_F(ObjectTest, WeakRefsReadNoneOnceTheObjectIsFreed) {
    EXPECT_EQ(WeakRef<Object>(nullptr).get(), nullptr);
    Object* o = RuntimeNewObject(Window::__Lookup());
    WeakRef<WindowObject> weak(static_cast<WindowObject*>(o));
    WeakRef<WindowObject> copy = weak;
    EXPECT_EQ(o->refs, 1);
    EXPECT_EQ(o->anchor->weakRefs, 2);
    EXPECT_EQ(weak.get(), o);
    {
        Ref<WindowObject> strong = weak.strong();
        EXPECT_EQ(o->refs, 2);
    }
    EXPECT_EQ(o->refs, 1);
    WeakRef<WindowObject> moved = std::move(copy);
    EXPECT_EQ(copy.get(), nullptr);
    EXPECT_EQ(o->anchor->weakRefs, 2);
    copy = moved;
    EXPECT_EQ(o->anchor->weakRefs, 3);

    RuntimeUnlockObject(o);
    EXPECT_EQ(weak.get(), nullptr);
    EXPECT_FALSE(moved);
    EXPECT_FALSE(copy.strong());
}

// Counting slips stop a debug build where they happen.
TEST_F(ObjectTest, CountingSlipsStopADebugBuild) {
#ifdef NDEBUG
    GTEST_SKIP() << "assertions are compiled out of this build";
#else
    EXPECT_DEATH(
        {
            Object* o = RuntimeNewObject(FolderItem::__Lookup());
            RuntimeLockObject(o);
            delete o;
        },
        "object freed with references outstanding");
    EXPECT_DEATH(delete RuntimeNewString("x"), "string freed with references outstanding");
    EXPECT_DEATH(
        {
            Object* o = RuntimeNewObject(FolderItem::__Lookup());
            o->refs = 0;
            RuntimeUnlockObject(o);
        },
        "released more often than retained");
    EXPECT_DEATH(
        {
            String* s = RuntimeNewString("x");
            s->refs = 0;
            RuntimeUnlockString(s);
        },
        "released more often than retained");
    EXPECT_DEATH(
        {
            Object* o = RuntimeNewObject(FolderItem::__Lookup());
            WeakAnchor* a = RuntimeWeakAnchor(o);
            RuntimeReleaseWeak(a);
            RuntimeReleaseWeak(a);
        },
        "weak reference released more often than taken");
#endif
}

TEST_F(ObjectTest, IsaFollowsTheClassChain) {
    const struct {
        const ClassRecord* (*of)();
        const ClassRecord* (*cls)();
        bool expected;
    } cases[] = {
        {NilObjectException::__Lookup, NilObjectException::__Lookup, true},
        {NilObjectException::__Lookup, RuntimeException::__Lookup, true},
        {NilObjectException::__Lookup, ObjectClass::__Lookup, true},
        {RuntimeException::__Lookup, NilObjectException::__Lookup, false},
        {ComboBox::__Lookup, PopupMenu::__Lookup, true},
        {ComboBox::__Lookup, RectControl::__Lookup, true},
        {ComboBox::__Lookup, Control::__Lookup, true},
        {ComboBox::__Lookup, TextEdit::__Lookup, false},
        {TextField::__Lookup, TextEdit::__Lookup, true},
        {TextEdit::__Lookup, TextField::__Lookup, false},
        {Label::__Lookup, BevelButton::__Lookup, false},
        {Window::__Lookup, Control::__Lookup, false},
    };
    for (const auto& c : cases) {
        Ref<Object> o = make(c.of());
        EXPECT_EQ(RuntimeObjectIsa(o.get(), c.cls()), c.expected)
            << c.of()->registeredName() << " isa " << c.cls()->registeredName();
    }
    Ref<Object> o = make(Window::__Lookup());
    EXPECT_FALSE(RuntimeObjectIsa(o.get(), nullptr));
    for (const ClassRecord* cls : RuntimeClassRecords()) EXPECT_FALSE(RuntimeObjectIsa(nullptr, cls));
}

TEST_F(ObjectTest, CheckCastKeepsTheObjectOrRaises) {
    Ref<Object> field = make(TextField::__Lookup());
    EXPECT_EQ(RuntimeCheckCast(field.get(), TextField::__Lookup()), field.get());
    EXPECT_EQ(RuntimeCheckCast(field.get(), TextEdit::__Lookup()), field.get());
    EXPECT_EQ(RuntimeCheckCast(nullptr, TextField::__Lookup()), nullptr);
    EXPECT_EQ(field->refs, 1);  // a cast takes no reference

    for (const ClassRecord* other : {ComboBox::__Lookup(), Window::__Lookup(), NilObjectException::__Lookup()}) {
        const Caught caught = catchRaised([&] { RuntimeCheckCast(field.get(), other); });
        ASSERT_TRUE(caught.raised) << other->registeredName();
        EXPECT_EQ(caught.cls, RuntimeException::__Lookup());
        EXPECT_NE(caught.message.find("TextField"), std::string::npos) << caught.message;
        EXPECT_NE(caught.message.find(other->registeredName()), std::string::npos) << caught.message;
    }
    EXPECT_TRUE(catchRaised([&] { RuntimeCheckCast(field.get(), nullptr); }).raised);
}

}  // namespace
}  // namespace rt
