// The event loop: timers on both clocks, the ways the application ends, and
// exceptions from handlers leaving the loop.
#include "QtFixture.h"
#include "QtPresenter.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <csignal>
#include <stdexcept>
#include <thread>

namespace qttest {
namespace {

using namespace loom;

RecordWriter windowRecord() {
    RecordWriter r;
    r.integer("Width", 200).integer("Height", 100);
    return r;
}

// Runs the loop; a loop still running after `limitMs` is stopped and reported.
bool runEnds(int limitMs = 3000) {
    qt::ensureApplication();
    bool late = false;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [&] {
        late = true;
        QCoreApplication::exit(0);
    });
    limit.start(limitMs);
    presenter().run();
    return !late;
}

class Loop : public QtTest {
protected:
    TimerObject* addTimer(WindowObject* w, int period) {
        auto* t = addControl<TimerObject>(w, Timer::__Lookup(), "Timer1", RecordWriter().integer("Period", period));
        bind(t, "Action", code(&timerStub));
        return t;
    }
};

class RealLoop : public Loop {
protected:
    bool manualClock() const override { return false; }
};

TEST_F(Loop, TimerFiresOnceExactlyAtItsDeadline) {
    WindowObject* w = makeWindow(windowRecord());
    TimerObject* t = addTimer(w, 250);
    std::vector<int64_t> firedAt;
    onAction = [&](ControlObject*) { firedAt.push_back(presenter().nowMs()); };
    const int64_t start = presenter().nowMs();
    Timer::Mode_Set(t, 0, 1);
    loom::testing::advanceClock(249);
    EXPECT_TRUE(firedAt.empty());
    loom::testing::advanceClock(1);
    ASSERT_EQ(firedAt.size(), 1u);
    EXPECT_EQ(firedAt[0], start + 250);
    loom::testing::advanceClock(5000);
    EXPECT_EQ(firedAt.size(), 1u);
    EXPECT_EQ(property(t, TimerProp::Mode).asInteger(), 0);
}

TEST_F(Loop, TimersFireInDeadlineOrderAsTheClockPasses) {
    WindowObject* w = makeWindow(windowRecord());
    TimerObject* late = addTimer(w, 300);
    auto* early = addControl<TimerObject>(w, Timer::__Lookup(), "Timer2", RecordWriter().integer("Period", 100));
    bind(early, "Action", code(&timerStub));
    std::vector<std::pair<TimerObject*, int64_t>> fired;
    onAction = [&](ControlObject* c) { fired.emplace_back(static_cast<TimerObject*>(c), presenter().nowMs()); };
    const int64_t start = presenter().nowMs();
    Timer::Mode_Set(late, 0, 1);
    Timer::Mode_Set(early, 0, 1);
    loom::testing::advanceClock(1000);
    ASSERT_EQ(fired.size(), 2u);
    EXPECT_EQ(fired[0], std::make_pair(early, start + 100));
    EXPECT_EQ(fired[1], std::make_pair(late, start + 300));
}

TEST_F(RealLoop, RunsPostedEventsFirstAndEndsOnceNothingCanHappen) {
    WindowObject* w = makeWindow(windowRecord());  // never shown
    TimerObject* t = addTimer(w, 20);
    int64_t armedAt = -1;
    std::vector<int64_t> firedAt;
    onAction = [&](ControlObject*) { firedAt.push_back(presenter().nowMs()); };
    // As a splash's Open event arms its timers: posted, with no window visible.
    presenter().post([&] {
        armedAt = presenter().nowMs();
        Timer::Mode_Set(t, 0, 1);
    });
    EXPECT_TRUE(runEnds());
    ASSERT_EQ(firedAt.size(), 1u);
    EXPECT_GE(firedAt[0], armedAt + 20);
    EXPECT_LT(firedAt[0], armedAt + 20 + 500);
}

TEST_F(RealLoop, TimersArmedTogetherFireNeverEarlyAndCloseToTheirPeriods) {
    WindowObject* w = makeWindow(windowRecord());
    TimerObject* first = addTimer(w, 30);
    auto* second = addControl<TimerObject>(w, Timer::__Lookup(), "Timer2", RecordWriter().integer("Period", 120));
    bind(second, "Action", code(&timerStub));
    using Clock = std::chrono::steady_clock;
    Clock::time_point armed;
    std::vector<std::pair<ControlObject*, Clock::duration>> fired;
    onAction = [&](ControlObject* c) {
        fired.emplace_back(c, Clock::now() - armed);
        if (c == first) std::this_thread::sleep_for(std::chrono::milliseconds(40));  // a slow handler
    };
    presenter().post([&] {
        armed = Clock::now();
        Timer::Mode_Set(first, 0, 1);
        Timer::Mode_Set(second, 0, 1);
    });
    EXPECT_TRUE(runEnds());
    ASSERT_EQ(fired.size(), 2u);
    EXPECT_EQ(fired[0].first, first);
    EXPECT_EQ(fired[1].first, second);
    // Each counts from when it was armed, to the millisecond: a slow handler of
    // the first does not push the second later.
    EXPECT_GE(fired[0].second, std::chrono::milliseconds(30));
    EXPECT_LT(fired[0].second, std::chrono::milliseconds(30 + 25));
    EXPECT_GE(fired[1].second, std::chrono::milliseconds(120));
    EXPECT_LT(fired[1].second, std::chrono::milliseconds(120 + 25));
}

TEST_F(RealLoop, UserClosingTheLastVisibleWindowEndsTheRun) {
    WindowObject* w = makeWindow(windowRecord());
    Timer::Mode_Set(addTimer(w, 100000), 0, 1);  // armed, yet closing the last window ends the run
    Window::Visible_Set(w, 0, true);
    presenter().post([w] { widgetOf(w)->close(); });
    EXPECT_TRUE(runEnds());
    EXPECT_TRUE(RuntimeWindows().empty());
}

TEST_F(RealLoop, ClosingOneOfTwoVisibleWindowsKeepsRunning) {
    WindowObject* first = makeWindow(windowRecord());
    WindowObject* second = makeWindow(windowRecord());
    Window::Visible_Set(first, 0, true);
    Window::Visible_Set(second, 0, true);
    presenter().post([first] { widgetOf(first)->close(); });
    EXPECT_FALSE(runEnds(200));
    EXPECT_EQ(RuntimeWindows(), std::vector<WindowObject*>{second});
}

TEST_F(RealLoop, TerminationSignalEndsTheRun) {
    WindowObject* w = makeWindow(windowRecord());
    Window::Visible_Set(w, 0, true);
    presenter().post([] { std::raise(SIGTERM); });
    EXPECT_TRUE(runEnds());
    EXPECT_EQ(RuntimeWindows().size(), 1u);
}

TEST_F(Loop, ControlQEndsTheRun) {
    WindowObject* w = makeWindow(windowRecord());
    Window::Visible_Set(w, 0, true);
    presenter().post([w] {
        QWidget* view = widgetOf(w);
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view));
        QTest::keyClick(view, Qt::Key_Q, Qt::ControlModifier);
    });
    EXPECT_TRUE(runEnds());
}

TEST_F(Loop, ExceptionFromAClickedHandlerLeavesTheLoopAndIsRethrown) {
    WindowObject* w = makeWindow(windowRecord());
    auto* button = addControl<BevelButtonObject>(w, BevelButton::__Lookup(), "BevelButton1", RecordWriter());
    bind(button, "Action", code(&buttonStub));
    onAction = [](ControlObject*) { throw std::runtime_error("from the handler"); };
    Window::Visible_Set(w, 0, true);
    bool ranAfter = false;
    presenter().post([button] { QTest::mouseClick(widgetOf<QPushButton>(button), Qt::LeftButton); });
    presenter().post([&] { ranAfter = true; });
    try {
        presenter().run();
        ADD_FAILURE() << "run() returned normally";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "from the handler");
    }
    EXPECT_FALSE(ranAfter);  // the loop ended at once
    onAction = nullptr;
    loom::testing::processEvents();  // the kept exception was handed over once
    EXPECT_TRUE(ranAfter);
}

TEST_F(Loop, OpenFileDialogAnswersWithoutShowing) {
    String* filter = RuntimeNewString("");
    loom::testing::answerOpenFileDialog("/some/folder/p.jpg");
    Ref<FolderItemObject> chosen(GetOpenFolderItem(filter));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->path, "/some/folder/p.jpg");
    loom::testing::answerOpenFileDialog(std::nullopt);
    EXPECT_FALSE(Ref<FolderItemObject>(GetOpenFolderItem(filter)));
    EXPECT_EQ(loom::testing::openFileDialogCount(), 2);
    RuntimeUnlockString(filter);
}

}  // namespace
}  // namespace qttest
