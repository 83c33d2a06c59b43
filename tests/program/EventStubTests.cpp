// The program's event stubs, as the framework calls them when a control's event
// comes: they pass the handler's answer through, and a control whose window
// is gone raises the nil-object exception without touching the freed window.
#include "ProgramHarness.h"
#include "dialogs/Window3.h"
#include "dialogs/Window6.h"
#include "mainwindow/Window2.h"
#include "startup/WindowProtocol.h"

#include <gtest/gtest.h>

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
        Ref<WindowObject> w(Window2::Window2());
        Ref<LabelObject> label(Window2::Label1(w.get()));
        ASSERT_TRUE(label);
        EXPECT_FALSE(clickLabel(label.get(), 7, 9));  // the program's own handler says false

        // The same stub with a handler that says true when given (7, 9).
        Ref<Object> delegate(RuntimeEventDelegate(label.get(), kept("MouseDown")));
        ASSERT_TRUE(delegate);
        Ref<Object> answering(RuntimeCreateDelegate(
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

// Each event of a control kept beyond its window's end.
TEST(EventStubs, AControlOfAClosedWindowRaisesTheNilObjectExceptionAndNothingBreaks) {
    ProgramRun run;
    bool ran = false;
    run.run(nullptr, [&] {
        Ref<WindowObject> main(Window2::Window2());
        Ref<LabelObject> hotSpot(Window2::Label1(main.get()));
        clickLabel(hotSpot.get(), 1, 1);
        Ref<LabelObject> sectionLabel;
        {
            Ref<WindowObject> sections(Window3::Window3());
            sectionLabel = Ref<LabelObject>(Window3::Label2(sections.get()));
        }
        Ref<LabelObject> notice(Window2::Label4(main.get()));
        clickLabel(notice.get(), 1, 1);
        Ref<BevelButtonObject> ok;
        {
            Ref<WindowObject> dialog(Window6::Window6());
            ok = Ref<BevelButtonObject>(Window6::BevelButton1(dialog.get()));
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
