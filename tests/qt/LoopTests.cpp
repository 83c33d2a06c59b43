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
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

namespace qttest {
namespace {

using namespace loom;
using namespace std::chrono_literals;

RecordWriter windowRecord() {
    RecordWriter r;
    r.integer("Width", 200).integer("Height", 100);
    return r;
}

// Runs the loop; a loop still running after `limitMs` is stopped and reported.
bool runEnds(int limitMs = 3000) {
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
    TimerObject* addTimer(WindowObject* w, int period, std::string_view name = "Timer1") {
        auto* t = addControl<TimerObject>(w, Timer::__Lookup(), name, RecordWriter().integer("Period", period));
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
    std::vector<Instant> firedAt;
    onAction = [&](ControlObject*) { firedAt.push_back(presenter().now()); };
    const Instant start = presenter().now();
    Timer::Mode_Set(t, 0, 1);
    loom::testing::advanceClock(249);
    EXPECT_TRUE(firedAt.empty());
    loom::testing::advanceClock(1);
    ASSERT_EQ(firedAt.size(), 1u);
    EXPECT_EQ(firedAt[0], start + 250ms);
    loom::testing::advanceClock(5000);
    EXPECT_EQ(firedAt.size(), 1u);
    EXPECT_EQ(property(t, TimerProp::Mode).asInteger(), 0);
}

TEST_F(Loop, TimersFireInDeadlineOrderAsTheClockPasses) {
    WindowObject* w = makeWindow(windowRecord());
    TimerObject* late = addTimer(w, 300);
    TimerObject* early = addTimer(w, 100, "Timer2");
    std::vector<std::pair<TimerObject*, Instant>> fired;
    onAction = [&](ControlObject* c) { fired.emplace_back(static_cast<TimerObject*>(c), presenter().now()); };
    const Instant start = presenter().now();
    Timer::Mode_Set(late, 0, 1);
    Timer::Mode_Set(early, 0, 1);
    loom::testing::advanceClock(1000);
    ASSERT_EQ(fired.size(), 2u);
    EXPECT_EQ(fired[0], std::make_pair(early, start + 100ms));
    EXPECT_EQ(fired[1], std::make_pair(late, start + 300ms));
}

TEST_F(RealLoop, RunsPostedEventsFirstAndEndsOnceNothingCanHappen) {
    WindowObject* w = makeWindow(windowRecord());  // never shown
    TimerObject* t = addTimer(w, 20);
    Instant armedAt;
    std::vector<Instant> firedAt;
    onAction = [&](ControlObject*) { firedAt.push_back(presenter().now()); };
    // As a splash's Open event arms its timers: posted, with no window visible.
    presenter().post([&] {
        armedAt = presenter().now();
        Timer::Mode_Set(t, 0, 1);
    });
    EXPECT_TRUE(runEnds());
    ASSERT_EQ(firedAt.size(), 1u);
    EXPECT_GE(firedAt[0], armedAt + 20ms);
    EXPECT_LT(firedAt[0], armedAt + 520ms);
}

TEST_F(RealLoop, TimersArmedTogetherFireNeverEarlyAndCloseToTheirPeriods) {
    WindowObject* w = makeWindow(windowRecord());
    TimerObject* first = addTimer(w, 30);
    TimerObject* second = addTimer(w, 120, "Timer2");
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
    // Each counts from when it was armed: a slow handler of the first does not
    // push the second later.
    EXPECT_GE(fired[0].second, std::chrono::milliseconds(30));
    EXPECT_LT(fired[0].second, std::chrono::milliseconds(30 + 25));
    EXPECT_GE(fired[1].second, std::chrono::milliseconds(120));
    EXPECT_LT(fired[1].second, std::chrono::milliseconds(120 + 25));
}

// Timers armed at different fractions of a millisecond, some while an earlier
// one is pending and some from inside another timer's Action, in two rounds
// half a millisecond apart in phase. Each counts its period from its own
// Mode.Set: it never fires earlier, whatever else is armed.
TEST_F(RealLoop, EachTimerCountsItsPeriodFromItsOwnArming) {
    using Clock = std::chrono::steady_clock;
    using std::chrono::microseconds;
    using std::chrono::milliseconds;
    WindowObject* w = makeWindow(windowRecord());
    struct Plan {
        int periodMs;
        microseconds offset;  // after the round's first arming, or after the start of its Action
    };
    // clang-format off
    const Plan kPending[] = {  // the first is armed alone; the others while it is pending
        {40, microseconds(0)},    {40, microseconds(100)}, {40, microseconds(300)}, {41, microseconds(450)},
        {40, microseconds(700)},  {42, microseconds(900)}, {40, microseconds(1300)},
    };
    const Plan kFromAction[] = {  // armed inside the first one's Action
        {20, microseconds(300)}, {21, microseconds(650)},
    };
    // clang-format on
    std::map<ControlObject*, int> periodOf;
    std::vector<TimerObject*> pending, fromAction;
    for (const Plan& p : kPending) {
        pending.push_back(addTimer(w, p.periodMs, "Timer" + std::to_string(periodOf.size() + 1)));
        periodOf[pending.back()] = p.periodMs;
    }
    for (const Plan& p : kFromAction) {
        fromAction.push_back(addTimer(w, p.periodMs, "Timer" + std::to_string(periodOf.size() + 1)));
        periodOf[fromAction.back()] = p.periodMs;
    }
    const size_t perRound = periodOf.size();

    struct Arming {
        ControlObject* timer;
        Clock::time_point before;  // just before its Mode.Set
        std::vector<Clock::time_point> fired;
    };
    std::vector<Arming> armings;
    std::map<ControlObject*, size_t> latest;  // each timer's latest arming
    const auto armAt = [&](TimerObject* t, Clock::time_point at) {
        while (Clock::now() < at) {
        }
        armings.push_back({t, Clock::now(), {}});
        latest[t] = armings.size() - 1;
        Timer::Mode_Set(t, 0, 1);
    };
    Clock::time_point firstRound;
    const auto armRound = [&](Clock::time_point start) {
        for (size_t i = 0; i < pending.size(); ++i) armAt(pending[i], start + kPending[i].offset);
    };
    size_t firedCount = 0;
    onAction = [&](ControlObject* c) {
        const Clock::time_point now = Clock::now();
        armings[latest.at(c)].fired.push_back(now);
        if (c == pending[0])
            for (size_t i = 0; i < fromAction.size(); ++i) armAt(fromAction[i], now + kFromAction[i].offset);
        if (++firedCount != perRound) return;
        // Once the first round is over, the second starts at a whole number
        // of milliseconds and a half after the first.
        presenter().post([&] {
            const auto since = std::chrono::ceil<milliseconds>(Clock::now() - firstRound);
            armRound(firstRound + since + microseconds(500));
        });
    };
    presenter().post([&] {
        firstRound = Clock::now();
        armRound(firstRound);
    });
    EXPECT_TRUE(runEnds());

    ASSERT_EQ(armings.size(), 2 * perRound);
    for (const Arming& a : armings) {
        const milliseconds period(periodOf.at(a.timer));
        SCOPED_TRACE(objectName(a.timer) + " armed " +
                     std::to_string(std::chrono::duration_cast<microseconds>(a.before - firstRound).count()) +
                     " us into the run, period " + std::to_string(period.count()) + " ms");
        ASSERT_EQ(a.fired.size(), 1u);
        const auto after = a.fired[0] - a.before;
        EXPECT_GE(after, period) << "early by " << std::chrono::duration_cast<microseconds>(period - after).count()
                                 << " us";
        EXPECT_LT(after, period + milliseconds(50));
    }
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

// A termination signal that comes after the presenter is made and before its
// loop runs ends the loop at its first turn: the program ends as it would by
// the signal in the loop, not by the signal's default action.
TEST_F(RealLoop, TerminationSignalBeforeTheLoopEndsItAtOnce) {
    WindowObject* w = makeWindow(windowRecord());
    Window::Visible_Set(w, 0, true);
    std::raise(SIGTERM);
    EXPECT_TRUE(runEnds());
    EXPECT_EQ(RuntimeWindows().size(), 1u);
}

// SIGTERM and SIGINT while the open-file dialog's own loop runs end the run
// as they do outside it: the dialog answers none, and is gone.
class SignalInDialog : public RealLoop, public ::testing::WithParamInterface<int> {};

TEST_P(SignalInDialog, EndsTheRunAndTheDialog) {
    const int signal = GetParam();
    WindowObject* w = makeWindow(windowRecord());
    Window::Visible_Set(w, 0, true);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!QApplication::activeModalWidget()) return;
        watch.stop();
        std::raise(signal);
    });
    watch.start(20);
    String* filter = RuntimeNewString("");
    std::optional<bool> answered;
    presenter().post([&] {
        const Ref<FolderItemObject> chosen = adopt(GetOpenFolderItem(filter));
        answered = chosen != nullptr;
    });
    EXPECT_TRUE(runEnds(5000));
    EXPECT_EQ(answered, std::optional<bool>(false));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(loom::testing::openFileDialogCount(), 1);
    RuntimeUnlockString(filter);
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalInDialog, ::testing::Values(SIGTERM, SIGINT),
                         [](const auto& p) { return p.param == SIGTERM ? "SIGTERM" : "SIGINT"; });

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
    Ref<FolderItemObject> chosen = adopt(GetOpenFolderItem(filter));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->path, "/some/folder/p.jpg");
    loom::testing::answerOpenFileDialog(std::nullopt);
    EXPECT_FALSE(adopt(GetOpenFolderItem(filter)));
    EXPECT_EQ(loom::testing::openFileDialogCount(), 2);
    RuntimeUnlockString(filter);
}

}  // namespace
}  // namespace qttest
