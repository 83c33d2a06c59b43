// What the end of the application releases.
#include "QtFixture.h"
#include "loom/QtPresentation.h"

#include <QPointer>

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

// Widgets go with what they show: a window never registered takes its own
// and its controls' when it is freed.
TEST_F(QtTest, AnUnregisteredWindowTakesItsWidgetsWhenFreed) {
    QPointer<QWidget> view, buttonView;
    {
        Ref<WindowObject> w = adopt(static_cast<WindowObject*>(RuntimeNewObject(Window::__Lookup())));
        auto* button = addControl<BevelButtonObject>(w.get(), BevelButton::__Lookup(), "B", RecordWriter());
        view = widgetOf(w.get());
        buttonView = widgetOf(button);
        ASSERT_FALSE(view.isNull());
        ASSERT_FALSE(buttonView.isNull());
    }
    loom::testing::processEvents();
    EXPECT_TRUE(view.isNull());
    EXPECT_TRUE(buttonView.isNull());
}

// A presenter that goes before the windows it shows takes its widgets along,
// and leaves the windows and controls pointing at none.
TEST_F(QtTest, APresenterReplacedUnderLiveWindowsTakesItsWidgets) {
    WindowObject* w = makeWindow(RecordWriter().integer("Width", 200).integer("Height", 100));
    auto* button = addControl<BevelButtonObject>(w, BevelButton::__Lookup(), "B", RecordWriter());
    QPointer<QWidget> view = widgetOf(w);
    QPointer<QWidget> buttonView = widgetOf(button);
    ASSERT_FALSE(view.isNull());

    installQtPresentation();
    loom::testing::processEvents();
    EXPECT_TRUE(view.isNull());
    EXPECT_TRUE(buttonView.isNull());
    EXPECT_EQ(w->view, nullptr);
    EXPECT_EQ(button->view, nullptr);
    Window::Visible_Set(w, 0, true);  // reaches no widget that is gone
}

}  // namespace
}  // namespace qttest
