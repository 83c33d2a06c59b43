// Objects: reference counts, weak anchors, class tests and casts.
#include "RuntimeFixture.h"

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
