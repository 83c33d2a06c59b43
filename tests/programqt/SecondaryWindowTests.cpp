// The main window's hot spots and the four windows they show, clicked, resized
// and closed as the user does it, as Qt shows them.
#include "ProgramQtFixture.h"
#include "support/Centred.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pqt {
namespace {

using namespace loom;
using Names = std::vector<std::string>;

struct HotSpot {
    const char* label;
    const char* window;
    QSize size;
    const char* picture;
    size_t controls;
};
const HotSpot kHotSpots[] = {
    {"Label1", "Window3.Window3", {619, 461}, "s1.jpg", 8},
    {"Label2", "Window4.Window4", {449, 279}, "cfu.jpg", 2},
    {"Label3", "Window5.Window5", {449, 292}, "abo.jpg", 1},
    {"Label4", "Window6.Window6", {409, 172}, "ncm.jpg", 2},
};

// The main window, once the splash has handed over.
WindowObject* mainWindow() {
    loom::testing::advanceClock(3700);
    WindowObject* main = registered("Window2.Window2");
    EXPECT_NE(main, nullptr);
    return main;
}

// The hot spot's window on screen: at its size, with its controls and its backdrop.
void expectShownWhole(WindowObject* shown, const HotSpot& h) {
    QWidget* view = widgetOf(shown);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->size(), h.size);
    EXPECT_EQ(shown->controls.size(), h.controls);
    EXPECT_EQ(pixelsDifferingFrom(view, bundlePicture(h.picture), opaqueControlRects(shown)), 0);
}

int windowsNamed(std::string_view name) {
    int n = 0;
    for (WindowObject* w : RuntimeWindows()) n += w->cls->registeredName() == name ? 1 : 0;
    return n;
}

TEST_F(ProgramQt, HotSpotsShowTheirWindowsOnceAtTheirSize) {
    runProgram([&] {
        WindowObject* main = mainWindow();
        ASSERT_NE(main, nullptr);
        Names expectedVisible{"Window2.Window2"};
        for (const HotSpot& h : kHotSpots) {
            SCOPED_TRACE(h.label);
            ASSERT_EQ(registered(h.window), nullptr);
            click(widgetNamed(main, h.label));
            WindowObject* shown = registered(h.window);
            ASSERT_NE(shown, nullptr);
            expectShownWhole(shown, h);
            QWidget* view = widgetOf(shown);
            expectedVisible.push_back(h.window);
            EXPECT_EQ(visibleWindows(), expectedVisible);

            click(widgetNamed(main, h.label));  // again: the same window, no second one
            EXPECT_EQ(windowsNamed(h.window), 1);
            EXPECT_EQ(registered(h.window), shown);
            EXPECT_EQ(widgetOf(shown), view);
            EXPECT_TRUE(view->isVisible());
            EXPECT_EQ(visibleWindows(), expectedVisible);
            // The main window stays on its page.
            EXPECT_EQ(visibleControls(main), (Names{"BevelButton1", "Label1", "Label2", "Label3", "Label4"}));
        }
    });
}

// Label4, created last, lies over CheckBox3 (Page2) and BevelButton8 (Page3):
// a click inside the overlap reaches the hot spot, not the control beneath.
TEST_F(ProgramQt, Label4TakesClicksInsideItsOverlaps) {
    struct Case {
        int page;
        const char* beneath;
        QPoint at;  // in the main window
    };
    const Case cases[] = {
        {2, "CheckBox3", {300, 310}},
        {3, "BevelButton8", {297, 314}},
    };
    runProgram([&] {
        WindowObject* main = mainWindow();
        ASSERT_NE(main, nullptr);
        loom::testing::answerOpenFileDialog(std::nullopt);
        const char* const oks[] = {"BevelButton1", "BevelButton3"};
        int page = 1;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.beneath);
            while (page < c.page) click(widgetNamed(main, oks[page++ - 1]));
            QWidget* beneath = widgetNamed(main, c.beneath);
            QWidget* label4 = widgetNamed(main, "Label4");
            ASSERT_TRUE(beneath && label4);
            ASSERT_TRUE(beneath->isVisible());
            ASSERT_TRUE(beneath->geometry().contains(c.at));
            ASSERT_TRUE(label4->geometry().contains(c.at));

            clickWindowAt(widgetOf(main), c.at);
            WindowObject* w6 = registered("Window6.Window6");
            ASSERT_NE(w6, nullptr);
            EXPECT_TRUE(widgetOf(w6)->isVisible());
            // The control beneath got nothing: the box is still unchecked, MAX wrote nothing.
            auto* box3 = widgetNamed<QCheckBox>(main, "CheckBox3");
            auto* field4 = widgetNamed<QLineEdit>(main, "TextField4");
            ASSERT_TRUE(box3 && field4);
            EXPECT_FALSE(box3->isChecked());
            EXPECT_FALSE(property(controlOf(main, "CheckBox3"), CheckBoxProp::Value).asBoolean());
            EXPECT_EQ(field4->text(), "");

            click(widgetNamed(w6, "BevelButton2"));  // CANCEL, for the next case
            EXPECT_FALSE(widgetOf(w6)->isVisible());
        }
    });
}

// ---- Window3's sections ----------------------------------------------------------------------

constexpr const char* kBoxes[] = {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"};

// Window3's check boxes whose widgets are on screen.
Names visibleBoxes(WindowObject* w) {
    Names out;
    for (const char* name : kBoxes)
        if (auto* box = widgetNamed<QCheckBox>(w, name); box && box->isVisible()) out.emplace_back(name);
    return out;
}
// Their widgets' check marks, "1" checked, "0" not, "?" no check box widget.
std::string checks(WindowObject* w) {
    std::string out;
    for (const char* name : kBoxes) {
        auto* box = widgetNamed<QCheckBox>(w, name);
        out += !box ? '?' : box->isChecked() ? '1' : '0';
    }
    return out;
}

TEST_F(ProgramQt, SectionWindowSwitchesSectionsAndKeepsTheUsersChoice) {
    const Names kSection1{"CheckBox1", "CheckBox2"};
    const Names kSection2{"CheckBox1", "CheckBox3", "CheckBox4"};
    enum class Act { Section, Uncheck3, Ok, ShowFromMain };
    struct Step {
        Act act;
        const char* control;  // the hot spot clicked, for a section
        Names boxes;
        const char* picture;
        const char* checked;  // CheckBox1..4 as the widgets show them
    };
    const Step steps[] = {
        {Act::Section, "Label2", kSection2, "s2.jpg", "1111"},
        {Act::Uncheck3, nullptr, kSection2, "s2.jpg", "1101"},
        {Act::Section, "Label3", kSection1, "s3.jpg", "1101"},
        {Act::Section, "Label1", kSection1, "s1.jpg", "1101"},
        {Act::Section, "Label2", kSection2, "s2.jpg", "1101"},
        {Act::Ok, nullptr, {}, nullptr, "1101"},
        {Act::ShowFromMain, nullptr, kSection2, "s2.jpg", "1101"},
    };
    runProgram([&] {
        WindowObject* main = mainWindow();
        ASSERT_NE(main, nullptr);
        click(widgetNamed(main, "Label1"));
        WindowObject* w3 = registered("Window3.Window3");
        ASSERT_NE(w3, nullptr);
        QWidget* view = widgetOf(w3);
        EXPECT_EQ(visibleBoxes(w3), kSection1);
        EXPECT_EQ(checks(w3), "1111");
        int n = 0;
        for (const Step& s : steps) {
            SCOPED_TRACE("step " + std::to_string(++n));
            switch (s.act) {
            case Act::Section: click(widgetNamed(w3, s.control)); break;
            case Act::Uncheck3: click(widgetNamed(w3, "CheckBox3")); break;
            case Act::Ok: click(widgetNamed(w3, "BevelButton1")); break;
            case Act::ShowFromMain: click(widgetNamed(main, "Label1")); break;
            }
            EXPECT_EQ(checks(w3), s.checked);
            EXPECT_EQ(property(controlOf(w3, "CheckBox3"), CheckBoxProp::Value).asBoolean(), s.checked[2] == '1');
            if (!s.picture) {
                EXPECT_FALSE(view->isVisible());
                continue;
            }
            ASSERT_TRUE(view->isVisible());
            EXPECT_EQ(registered("Window3.Window3"), w3);
            EXPECT_EQ(visibleBoxes(w3), s.boxes);
            EXPECT_EQ(pixelsDifferingFrom(view, bundlePicture(s.picture), opaqueControlRects(w3)), 0);
        }
    });
}

// ---- The small dialogs -------------------------------------------------------------------------

TEST_F(ProgramQt, ResizableDialogKeepsItsButtonsAndItsBounds) {
    struct Case {
        QSize asked;
        QSize kept;
    };
    const Case cases[] = {
        {{300, 200}, {300, 200}},  // smaller than the buttons' extent (423 x 250)
        {{10, 10}, {64, 64}},
        {{40000, 40000}, {32000, 32000}},
        {{449, 279}, {449, 279}},
    };
    runProgram([&] {
        WindowObject* main = mainWindow();
        ASSERT_NE(main, nullptr);
        click(widgetNamed(main, "Label2"));
        WindowObject* w4 = registered("Window4.Window4");
        ASSERT_NE(w4, nullptr);
        QWidget* view = widgetOf(w4);
        QWidget* ok = widgetNamed(w4, "BevelButton1");
        QWidget* update = widgetNamed(w4, "BevelButton2");
        ASSERT_EQ(ok->geometry(), QRect(352, 229, 71, 21));
        ASSERT_EQ(update->geometry(), QRect(269, 229, 71, 21));
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(c.asked.width()) + "x" + std::to_string(c.asked.height()));
            // Nothing is painted at the huge sizes: only the geometry matters here.
            view->setUpdatesEnabled(false);
            resizeByWindowSystem(view, c.asked);
            EXPECT_EQ(view->size(), c.kept);
            EXPECT_EQ(property(w4, WindowProp::Width).asInteger(), c.kept.width());
            EXPECT_EQ(property(w4, WindowProp::Height).asInteger(), c.kept.height());
            EXPECT_EQ(ok->geometry(), QRect(352, 229, 71, 21));
            EXPECT_EQ(update->geometry(), QRect(269, 229, 71, 21));
            EXPECT_TRUE(view->isVisible());
            resizeByWindowSystem(view, {449, 279});
            view->setUpdatesEnabled(true);
        }
    });
}

TEST_F(ProgramQt, FixedDialogsKeepTheirSize) {
    struct Case {
        const char* label;
        const char* window;
        QSize size;
    };
    const Case cases[] = {
        {"Label3", "Window5.Window5", {449, 292}},
        {"Label4", "Window6.Window6", {409, 172}},
    };
    runProgram([&] {
        WindowObject* main = mainWindow();
        ASSERT_NE(main, nullptr);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.window);
            click(widgetNamed(main, c.label));
            WindowObject* w = registered(c.window);
            ASSERT_NE(w, nullptr);
            QWidget* view = widgetOf(w);
            EXPECT_EQ(view->minimumSize(), c.size);
            EXPECT_EQ(view->maximumSize(), c.size);
            EXPECT_FALSE(view->windowFlags() & Qt::WindowMaximizeButtonHint);
            EXPECT_FALSE(view->windowFlags() & Qt::WindowMinimizeButtonHint);
            resizeByWindowSystem(view, {200, 100});
            EXPECT_EQ(view->size(), c.size);
            EXPECT_EQ(property(w, WindowProp::Width).asInteger(), c.size.width());
            EXPECT_EQ(property(w, WindowProp::Height).asInteger(), c.size.height());
        }
    });
}

TEST_F(ProgramQt, UpdateDoesNothingAndCancelHides) {
    runProgram([&] {
        WindowObject* main = mainWindow();
        ASSERT_NE(main, nullptr);
        click(widgetNamed(main, "Label2"));
        WindowObject* w4 = registered("Window4.Window4");
        ASSERT_NE(w4, nullptr);
        auto* update = widgetNamed<QPushButton>(w4, "BevelButton2");
        ASSERT_NE(update, nullptr);
        EXPECT_EQ(update->text(), "UPDATE");
        EXPECT_FALSE(update->isEnabled());
        click(update);
        EXPECT_TRUE(widgetOf(w4)->isVisible());
        EXPECT_EQ(visibleWindows(), (Names{"Window2.Window2", "Window4.Window4"}));

        click(widgetNamed(main, "Label4"));
        WindowObject* w6 = registered("Window6.Window6");
        ASSERT_NE(w6, nullptr);
        auto* cancel = widgetNamed<QPushButton>(w6, "BevelButton2");
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(cancel->text(), "CANCEL");
        click(cancel);
        EXPECT_FALSE(widgetOf(w6)->isVisible());
        EXPECT_EQ(registered("Window6.Window6"), w6);  // hidden, not closed
        EXPECT_EQ(visibleWindows(), (Names{"Window2.Window2", "Window4.Window4"}));
    });
}

// ---- Where windows open -----------------------------------------------------------------------

// The splash and then the main window centred on the screen (the offscreen
// platform's, 800 x 800); each secondary window centred over the main window,
// wherever the user moved it, and left shown when the main window hides.
TEST_F(ProgramQt, WindowsOpenCentredOnTheScreenThenOverTheMainWindow) {
    runProgram([&] {
        loom::testing::advanceClock(1);
        WindowObject* splash = registered("Window1.Window1");
        ASSERT_NE(splash, nullptr);
        EXPECT_TRUE(testsupport::centredOn(widgetOf(splash)->geometry(), QRect(0, 0, 800, 800)));
        loom::testing::advanceClock(3699);
        WindowObject* main = registered("Window2.Window2");
        ASSERT_NE(main, nullptr);
        QWidget* mainView = widgetOf(main);
        EXPECT_TRUE(testsupport::centredOn(mainView->geometry(), QRect(0, 0, 800, 800)));  // where the splash was

        const QRect moved(150, 300, 619, 461);
        moveByWindowSystem(mainView, moved.topLeft());
        ASSERT_EQ(mainView->geometry(), moved);
        const std::pair<const char*, const char*> openings[] = {
            {"Label1", "Window3.Window3"},
            {"Label2", "Window4.Window4"},
            {"Label3", "Window5.Window5"},
            {"Label4", "Window6.Window6"},
        };
        for (const auto& [label, window] : openings) {
            SCOPED_TRACE(window);
            click(widgetNamed(main, label));
            WindowObject* shown = registered(window);
            ASSERT_NE(shown, nullptr);
            EXPECT_TRUE(testsupport::centredOn(widgetOf(shown)->geometry(), moved));
        }
        EXPECT_EQ(mainView->geometry(), moved);  // showing them moved it not
        const QRect noticeAt = widgetOf(registered("Window6.Window6"))->geometry();

        // Page4's "OK" hides the main window alone.
        loom::testing::answerOpenFileDialog(std::nullopt);
        for (const char* ok : {"BevelButton1", "BevelButton3", "BevelButton4", "BevelButton14"}) {
            QWidget* button = widgetNamed(main, ok);
            ASSERT_NE(button, nullptr);
            clickWindowAt(mainView, button->geometry().center());
        }
        EXPECT_TRUE(mainView->isHidden());
        EXPECT_EQ(visibleWindows(),
                  (Names{"Window3.Window3", "Window4.Window4", "Window5.Window5", "Window6.Window6"}));
        EXPECT_EQ(widgetOf(registered("Window6.Window6"))->geometry(), noticeAt);
    });
}

// ---- The close box ---------------------------------------------------------------------------------

TEST_F(ProgramQt, ClosedWindowIsDestroyedAndItsHotSpotBuildsAFreshOne) {
    runProgram([&] {
        WindowObject* main = mainWindow();
        ASSERT_NE(main, nullptr);
        for (const HotSpot& h : kHotSpots) {
            SCOPED_TRACE(h.window);
            click(widgetNamed(main, h.label));
            WindowObject* first = registered(h.window);
            ASSERT_NE(first, nullptr);
            const bool sections = std::string_view(h.window) == "Window3.Window3";
            if (sections) {  // leave it in another state than its first
                click(widgetNamed(first, "Label2"));
                click(widgetNamed(first, "CheckBox3"));
                ASSERT_EQ(checks(first), "1101");
            }
            QPointer<QWidget> firstView = widgetOf(first);
            firstView->close();  // what the title bar's close box asks
            loom::testing::processEvents();
            EXPECT_EQ(registered(h.window), nullptr);
            EXPECT_TRUE(firstView.isNull()) << "the closed window's widget is still there";
            EXPECT_EQ(visibleWindows(), Names{"Window2.Window2"});

            click(widgetNamed(main, h.label));
            WindowObject* fresh = registered(h.window);
            ASSERT_NE(fresh, nullptr);
            expectShownWhole(fresh, h);
            QWidget* view = widgetOf(fresh);
            if (sections) {
                EXPECT_EQ(visibleBoxes(fresh), (Names{"CheckBox1", "CheckBox2"}));
                EXPECT_EQ(checks(fresh), "1111");
            }
            click(widgetNamed(fresh, "BevelButton1"));  // its own "OK" works on the new window
            EXPECT_FALSE(view->isVisible());
            EXPECT_EQ(visibleWindows(), Names{"Window2.Window2"});
        }
    });
}

}  // namespace
}  // namespace pqt
