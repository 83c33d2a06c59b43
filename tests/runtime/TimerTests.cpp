// One-shot timers on the headless presenter's manual clock.
#include "RuntimeFixture.h"

#include <chrono>
#include <utility>
#include <vector>

namespace rt {
namespace {

using namespace loom;
using namespace std::chrono_literals;
using std::chrono::nanoseconds;

// Each Action: the timer and the clock then.
std::vector<std::pair<TimerObject*, Instant>> g_fired;
testsupport::HeadlessPresenter* g_clock = nullptr;

void actionStub(TimerObject* t) { g_fired.emplace_back(t, g_clock->now()); }

class TimerTest : public RuntimeTest {
protected:
    void SetUp() override {
        RuntimeTest::SetUp();
        g_fired.clear();
        g_clock = clock;
    }
    Ref<TimerObject> timer(int32_t period) {
        Ref<TimerObject> t = make<TimerObject>(Timer::__Lookup());
        setProperty(t.get(), TimerProp::Period, Value::integer(period));
        Text action("Action");
        RuntimeAddEventHandler(t.get(), action.get(), code(&actionStub), nullptr);
        return t;
    }
    // The clock at each Action, counted from `start`.
    static std::vector<nanoseconds> firedSince(Instant start) {
        std::vector<nanoseconds> times;
        for (const auto& f : g_fired) times.push_back(f.second - start);
        return times;
    }
};

enum class Step { Advance, Arm, Stop, RunDue };

TEST_F(TimerTest, ModeOneFiresOncePeriodAfterTheCall) {
    const struct {
        const char* what;
        std::vector<std::pair<Step, int64_t>> steps;
        std::vector<nanoseconds> fired;  // the clock at each Action, from the case's start
    } cases[] = {
        {"fires once, exactly Period later",
         {{Step::Advance, 250},
          {Step::Arm, 0},
          {Step::Advance, 99},
          {Step::RunDue, 0},
          {Step::Advance, 1},
          {Step::Advance, 1000}},
         {350ms}},
        {"nothing before the deadline", {{Step::Arm, 0}, {Step::Advance, 99}, {Step::RunDue, 0}}, {}},
        {"mode 0 before it fires stops it",
         {{Step::Arm, 0}, {Step::Advance, 50}, {Step::Stop, 0}, {Step::Advance, 1000}},
         {}},
        {"setting the mode again restarts it",
         {{Step::Arm, 0}, {Step::Advance, 60}, {Step::Arm, 0}, {Step::Advance, 99}, {Step::Advance, 1000}},
         {160ms}},
        {"armed again after firing",
         {{Step::Arm, 0}, {Step::Advance, 150}, {Step::Arm, 0}, {Step::Advance, 1000}},
         {100ms, 250ms}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        g_fired.clear();
        const Instant start = clock->now();
        Ref<TimerObject> t = timer(100);
        for (const auto& [step, ms] : c.steps) {
            switch (step) {
            case Step::Advance: clock->advance(ms); break;
            case Step::Arm: Timer::Mode_Set(t.get(), 0, 1); break;
            case Step::Stop: Timer::Mode_Set(t.get(), 0, 0); break;
            case Step::RunDue: runDueTimers(); break;
            }
        }
        EXPECT_EQ(firedSince(start), c.fired);
        if (!c.fired.empty()) {
            EXPECT_EQ(property(t.get(), TimerProp::Mode), Value::integer(0));  // off once it has fired
            EXPECT_FALSE(anyTimerArmed());
        }
        stopAllTimers();
    }
}

TEST_F(TimerTest, TimersFireInDeadlineOrder) {
    Ref<TimerObject> slow = timer(300);
    Ref<TimerObject> fast = timer(100);
    Ref<TimerObject> middle = timer(120);
    const Instant start = clock->now();
    Timer::Mode_Set(slow.get(), 0, 1);  // due at 300
    clock->advance(50);
    Timer::Mode_Set(fast.get(), 0, 1);    // due at 150
    Timer::Mode_Set(middle.get(), 0, 1);  // due at 170
    clock->advance(1000);
    ASSERT_EQ(g_fired.size(), 3u);
    EXPECT_EQ(g_fired[0], std::make_pair(fast.get(), start + 150ms));
    EXPECT_EQ(g_fired[1], std::make_pair(middle.get(), start + 170ms));
    EXPECT_EQ(g_fired[2], std::make_pair(slow.get(), start + 300ms));

    // All past due at once: still earliest first.
    g_fired.clear();
    Timer::Mode_Set(slow.get(), 0, 1);
    Timer::Mode_Set(fast.get(), 0, 1);
    Timer::Mode_Set(middle.get(), 0, 1);
    clock->advance(0);  // nothing due yet
    EXPECT_TRUE(g_fired.empty());
    clock->advance(1000);
    ASSERT_EQ(g_fired.size(), 3u);
    EXPECT_EQ(g_fired[0].first, fast.get());
    EXPECT_EQ(g_fired[1].first, middle.get());
    EXPECT_EQ(g_fired[2].first, slow.get());
}

// A deadline is the arming's own reading plus the period, to the clock's full
// resolution: a timer armed at a fraction of a millisecond, while another is
// pending, fires neither with it nor at a whole millisecond.
TEST_F(TimerTest, EachTimerCountsFromItsOwnReadingOfTheClock) {
    Ref<TimerObject> first = timer(100);
    Ref<TimerObject> second = timer(100);
    Ref<TimerObject> third = timer(50);
    const Instant start = clock->now();
    clock->advance(10ms);
    Timer::Mode_Set(first.get(), 0, 1);  // due at 110
    clock->advance(50'900us);
    Timer::Mode_Set(second.get(), 0, 1);  // due at 160.9
    clock->advance(49'100us - 1ns);
    Timer::Mode_Set(third.get(), 0, 1);  // due 1 ns before 160
    clock->advance(49'999'999ns);        // to 2 ns before 160
    EXPECT_EQ(firedSince(start), std::vector<nanoseconds>{110ms});
    clock->advance(1ns);
    EXPECT_EQ(firedSince(start), (std::vector<nanoseconds>{110ms, 159'999'999ns}));
    clock->advance(900us);  // to 1 ns before 160.9
    EXPECT_EQ(g_fired.size(), 2u);
    clock->advance(1ns);
    EXPECT_EQ(firedSince(start), (std::vector<nanoseconds>{110ms, 159'999'999ns, 160'900us}));
    EXPECT_EQ(g_fired[2].first, second.get());
}

TEST_F(TimerTest, AnArmedTimerIsHeldUntilItFires) {
    Ref<TimerObject> t = timer(100);
    TimerObject* raw = t.get();
    WeakAnchor* anchor = RuntimeWeakAnchor(raw);
    Timer::Mode_Set(raw, 0, 1);
    t.reset();  // the program lets go of it
    ASSERT_EQ(anchor->object, raw);
    clock->advance(100);
    ASSERT_EQ(g_fired.size(), 1u);
    EXPECT_EQ(g_fired[0].first, raw);
    EXPECT_EQ(anchor->object, nullptr);  // freed once fired
    RuntimeReleaseWeak(anchor);
}

TEST_F(TimerTest, ModeSetOnNoTimerRaises) {
    Ref<Object> label = make(Label::__Lookup());
    EXPECT_EQ(catchRaised([] { Timer::Mode_Set(nullptr, 0, 1); }).cls, NilObjectException::__Lookup());
    EXPECT_EQ(catchRaised([&] { Timer::Mode_Set(label.get(), 0, 1); }).cls, NilObjectException::__Lookup());
    EXPECT_FALSE(anyTimerArmed());
}

}  // namespace
}  // namespace rt
