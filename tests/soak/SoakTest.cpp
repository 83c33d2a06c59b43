// Thousands of page transitions and hot-spot show/hide cycles: the count of live
// counted objects and the process's memory settle after the first hundred cycles.
#include "dialogs/Window3.h"
#include "dialogs/Window6.h"
#include "loom/Loom.h"
#include "mainwindow/Window2.h"
#include "startup/Main.h"
#include "support/HeadlessPresenter.h"
#include "support/ProcessMemory.h"

#include <gtest/gtest.h>

using namespace loom;

using testsupport::residentKiB;

namespace {

template <typename T>
void press(WindowObject* w, T* (*accessor)(WindowObject*)) {
    Ref<T> control = adopt(accessor(w));
    ASSERT_TRUE(control);
    if constexpr (std::is_same_v<T, BevelButtonObject>)
        pressButton(control.get());
    else
        clickLabel(control.get(), 1, 1);
}

// One cycle: the whole wizard forward and back, and every hot spot with its window hidden again.
void cycle(WindowObject* main) {
    press(main, &Window2::BevelButton1);   // Page1 -> Page2 (dialog cancelled)
    press(main, &Window2::BevelButton3);   // -> Page3
    press(main, &Window2::BevelButton5);   // MAX
    press(main, &Window2::BevelButton13);  // -> Page2
    press(main, &Window2::BevelButton12);  // -> Page1
    press(main, &Window2::Label1);
    {
        Ref<WindowObject> sections = adopt(Window3::Window3());
        press(sections.get(), &Window3::Label2);
        press(sections.get(), &Window3::Label3);
        press(sections.get(), &Window3::BevelButton1);
    }
    press(main, &Window2::Label4);
    Ref<WindowObject> notice = adopt(Window6::Window6());
    press(notice.get(), &Window6::BevelButton2);
}

// Runs 10,000 cycles and hands `check` the live-object count and resident memory
// measured after the first hundred.
void soak(void (*check)(int64_t objects, long memory)) {
    auto& headless = testsupport::installHeadlessPresenter();
    headless.onIdle = [&] {
        Ref<WindowObject> main = adopt(Window2::Window2());
        for (int i = 0; i < 100; ++i) cycle(main.get());
        headless.dialogFilters.clear();
        const int64_t objects = RuntimeLiveObjectCount();
        const long memory = residentKiB();
        for (int i = 100; i < 10000; ++i) {
            cycle(main.get());
            headless.dialogFilters.clear();  // the test presenter's own log, not the program's memory
        }
        check(objects, memory);
        return false;
    };
    EXPECT_EQ(Pmain(), 0);
}

TEST(Soak, LiveObjectsSettle) {
    soak([](int64_t objects, long) { EXPECT_EQ(RuntimeLiveObjectCount(), objects); });
}

TEST(Soak, MemorySettles) {
    if (testsupport::kAddressSanitizer)
        GTEST_SKIP() << "AddressSanitizer's quarantine holds freed memory, so resident size says nothing here";
    soak([](int64_t, long memory) {
        EXPECT_LE(residentKiB(), memory + 256) << "resident memory grew by more than 256 KiB";
    });
}

}  // namespace
