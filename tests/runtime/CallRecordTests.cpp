// The call record: the framework's operations, in order, with their salient arguments.
#include "RuntimeFixture.h"

#include <string>
#include <vector>

namespace rt {
namespace {

using namespace loom;

using CallRecordTest = RuntimeTest;

TEST_F(CallRecordTest, OperationsAreRecordedInOrder) {
    ClassRecord* cls =
        RuntimeNewClass(Window::__Lookup(), kWindowMemberTotal, 0, WindowEvent::Count, 0, WindowProp::Count, 0);
    cls->name = RuntimeNewString("Window2");
    auto window = make<WindowObject>(cls);
    Ref<Object> timer = make(Timer::__Lookup());
    Ref<Object> button = make(BevelButton::__Lookup());
    Text timerName("Timer1");
    Text buttonName("BevelButton1");
    Text record(RecordWriter().integer("Period", 3700).bytes());
    Text textUnitSet("BevelButton.TextUnit.Set");
    Window::_AddControl(window.get(), buttonName.get(), button.get());
    Code setTextUnit = RuntimeLookupPluginEntrypoint(textUnitSet.get());

    CallRecord::add("before");
    CallRecord::start();  // clears
    Window::_AddControl(window.get(), timerName.get(), timer.get());
    _SetProperties(timer.get(), record.get());
    Timer::Mode_Set(timer.get(), 0, 1);
    Window::Visible_Set(window.get(), 0, true);
    Window::Visible_Set(window.get(), 0, true);  // no change, still a call
    as<void(Object*, int32_t, uint8_t)>(setTextUnit)(button.get(), 0, 2);
    EXPECT_TRUE(catchRaised([] { FolderItem::Parent_Get(nullptr); }).raised);
    CallRecord::stop();
    Window::Visible_Set(window.get(), 0, false);  // not recorded

    const std::vector<std::string> expected{
        "Window._AddControl Window2 Timer1", "_SetProperties Timer1 11",
        "Timer.Mode.Set Timer1 1",           "Window.Visible.Set Window2 true",
        "Window.Visible.Set Window2 true",   "BevelButton.TextUnit.Set BevelButton1 2",
        "FolderItem.Parent.Get none",        "RaiseNilObjectException",
    };
    EXPECT_EQ(CallRecord::lines(), expected);
    EXPECT_FALSE(CallRecord::active());
    stopAllTimers();
}

}  // namespace
}  // namespace rt
