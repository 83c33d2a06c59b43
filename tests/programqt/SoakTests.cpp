// Thousands of page transitions and hot-spot show/hide cycles clicked on the
// real widgets: the live counted objects and the process's memory settle
// after the first hundred cycles, widgets and pictures included.
#include "ProgramQtFixture.h"
#include "support/ProcessMemory.h"

namespace pqt {
namespace {

using namespace loom;

using testsupport::kAddressSanitizer;
using testsupport::residentKiB;

// One cycle: the wizard forward to the third page and back, a "MAX" button,
// then every hot spot with its window hidden again by its own button.
void cycle(WindowObject* main) {
    click(widgetNamed(main, "BevelButton1"));   // Page1 -> Page2 (the dialog cancels)
    click(widgetNamed(main, "BevelButton3"));   // -> Page3
    click(widgetNamed(main, "BevelButton5"));   // MAX
    click(widgetNamed(main, "BevelButton13"));  // BACK -> Page2
    click(widgetNamed(main, "BevelButton12"));  // BACK -> Page1
    click(widgetNamed(main, "Label1"));
    WindowObject* sections = registered("Window3.Window3");
    click(widgetNamed(sections, "Label2"));
    click(widgetNamed(sections, "Label3"));
    click(widgetNamed(sections, "BevelButton1"));
    click(widgetNamed(main, "Label2"));
    click(widgetNamed(registered("Window4.Window4"), "BevelButton2"));  // UPDATE: nothing
    click(widgetNamed(registered("Window4.Window4"), "BevelButton1"));
    click(widgetNamed(main, "Label3"));
    click(widgetNamed(registered("Window5.Window5"), "BevelButton1"));
    click(widgetNamed(main, "Label4"));
    click(widgetNamed(registered("Window6.Window6"), "BevelButton2"));
    loom::testing::processEvents();  // paints and deferred deletions, as the loop would
}

TEST_F(ProgramQt, ManyCyclesLeaveObjectsAndMemoryAsTheyWere) {
    // Under AddressSanitizer freed memory is held back: resident size says nothing there.
    const int cycles = 10000;
    runProgram([&] {
        loom::testing::answerOpenFileDialog(std::nullopt);
        loom::testing::advanceClock(3700);
        WindowObject* main = registered("Window2.Window2");
        ASSERT_NE(main, nullptr);
        for (int i = 0; i < 100; ++i) cycle(main);
        const int64_t objects = RuntimeLiveObjectCount();
        const long memory = residentKiB();
        for (int i = 100; i < cycles; ++i) cycle(main);
        EXPECT_EQ(RuntimeLiveObjectCount(), objects);
        EXPECT_EQ(visibleWindows(), std::vector<std::string>{"Window2.Window2"});
        if (!kAddressSanitizer) {
            EXPECT_LE(residentKiB(), memory + 512) << "resident memory grew by more than 512 KiB";
        }
    });
}

}  // namespace
}  // namespace pqt
