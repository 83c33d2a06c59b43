// The splash on the framework clock: shown 1 ms after it opened, handed over to
// the main window 3700 ms after it opened, each timer firing once.
#include "ProgramHarness.h"
#include "mainwindow/Window2.h"
#include "startup/Window1.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace loom;
using progtest::ProgramRun;

namespace {

// The registered windows that are visible, by class name.
std::vector<std::string> visibleWindows() {
    std::vector<std::string> out;
    for (WindowObject* w : RuntimeWindows())
        if (progtest::isVisible(w)) out.emplace_back(w->cls->registeredName());
    return out;
}

const std::vector<std::string> kNone{};
const std::vector<std::string> kSplash{"Window1.Window1"};
const std::vector<std::string> kMain{"Window2.Window2"};

}  // namespace

TEST(Splash, TimelineFromOpen) {
    ProgramRun run;
    const int status = run.run(
        [&] {
            auto& clock = *run.presenter;
            CallRecord::start();
            // Long before Open: no timer is armed, so nothing fires.
            clock.advance(5000);
            EXPECT_EQ(visibleWindows(), kNone);
            EXPECT_FALSE(anyTimerArmed());
            EXPECT_EQ(progtest::linesOf({"Timer.Mode.Set", "Window.Visible.Set"}), std::vector<std::string>{});

            clock.drainPosted();  // Open, at 5000
            EXPECT_EQ(progtest::linesOf({"Timer.Mode.Set"}),
                      (std::vector<std::string>{"Timer.Mode.Set Timer1 1", "Timer.Mode.Set Timer2 1"}));
            EXPECT_EQ(visibleWindows(), kNone);
            clock.advance(0);
            EXPECT_EQ(visibleWindows(), kNone);

            clock.advance(1);  // Open + 1
            EXPECT_EQ(visibleWindows(), kSplash);
            clock.advance(3698);  // Open + 3699
            EXPECT_EQ(visibleWindows(), kSplash);
            EXPECT_EQ(progtest::windowsNamed("Window2.Window2"), 0);

            clock.advance(1);  // Open + 3700
            EXPECT_EQ(visibleWindows(), kMain);
            const int hidden = progtest::indexOf("Window.Visible.Set Window1.Window1 false");
            const int built = progtest::indexOf("Window.Constructor Window2.Window2");
            const int shown = progtest::indexOf("Window.Visible.Set Window2.Window2 true");
            EXPECT_GE(hidden, 0);
            EXPECT_LT(hidden, built);
            EXPECT_LT(built, shown);

            clock.advance(60'000);
            EXPECT_EQ(visibleWindows(), kMain);
            EXPECT_FALSE(anyTimerArmed());
            EXPECT_EQ(progtest::linesOf({"Window.Visible.Set"}),
                      (std::vector<std::string>{"Window.Visible.Set Window1.Window1 true",
                                                "Window.Visible.Set Window1.Window1 false",
                                                "Window.Visible.Set Window2.Window2 true"}));
        },
        nullptr);
    EXPECT_EQ(status, 0);
}

// A second splash instance's timers still act on the implicit instances: the
// first splash and the main window.
TEST(Splash, TimerHandlersActOnTheImplicitInstances) {
    ProgramRun run;
    run.run(
        [&] {
            Ref<WindowObject> implicit = adopt(Window1::Window1());
            Ref<WindowObject> other = adopt(static_cast<WindowObject*>(RuntimeNewObject(Window1::__Lookup())));
            RuntimeVirtualCall<void(WindowObject*)>(other.get(), WindowSlot::Constructor, other.get());

            Ref<TimerObject> timer1 = adopt(Window1::Timer1(other.get()));
            ASSERT_TRUE(timer1);
            fireTimer(timer1.get());
            EXPECT_TRUE(progtest::isVisible(implicit.get()));
            EXPECT_FALSE(progtest::isVisible(other.get()));

            Ref<TimerObject> timer2 = adopt(Window1::Timer2(other.get()));
            ASSERT_TRUE(timer2);
            fireTimer(timer2.get());
            EXPECT_FALSE(progtest::isVisible(implicit.get()));
            EXPECT_FALSE(progtest::isVisible(other.get()));
            Ref<WindowObject> main = adopt(Window2::Window2());
            EXPECT_TRUE(progtest::isVisible(main.get()));
        },
        nullptr);
}
