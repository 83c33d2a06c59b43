// What the end of the application releases.
#include "QtFixture.h"

namespace qttest {
namespace {

using namespace loom;

TEST_F(QtTest, TimerStillArmedAtTheEndIsReleasedWithItsWindow) {
    WindowObject* w = makeWindow(RecordWriter().integer("Width", 200).integer("Height", 100));
    auto* timer = addControl<TimerObject>(w, Timer::__Lookup(), "Timer2", RecordWriter().integer("Period", 3700));
    Timer::Mode_Set(timer, 0, 1);
    ASSERT_TRUE(anyTimerArmed());
    WeakAnchor* anchor = RuntimeWeakAnchor(timer);

    RuntimeFinalizeModuleState();  // the user ended the application before it fired
    EXPECT_FALSE(anyTimerArmed());
    EXPECT_EQ(anchor->object, nullptr);
    RuntimeReleaseWeak(anchor);
}

}  // namespace
}  // namespace qttest
