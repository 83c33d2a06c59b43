// The main window's hot spots and the windows they show: Window3's sections,
// the small dialogs' buttons, and windows closed and shown again.
#include "ProgramHarness.h"
#include "dialogs/Window3.h"
#include "mainwindow/Window2.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace loom;
using progtest::ProgramRun;
using progtest::registered;

namespace {

using Lines = std::vector<std::string>;

// Clicks the hot spot of that name on the window, recording what it does.
bool click(WindowObject* window, const char* labelName) {
    auto* label = progtest::controlAs<LabelObject>(window, labelName);
    if (!label) {
        ADD_FAILURE() << "no label " << labelName;
        return true;
    }
    CallRecord::start();
    return clickLabel(label, 4, 4);
}

void press(WindowObject* window, const char* buttonName) {
    auto* b = progtest::controlAs<BevelButtonObject>(window, buttonName);
    if (!b) {
        ADD_FAILURE() << "no button " << buttonName;
        return;
    }
    CallRecord::start();
    pressButton(b);
}

Lines visibleControls(WindowObject* w) {
    Lines out;
    for (const NamedControl& c : w->controls)
        if (progtest::isVisible(c.control.get())) out.emplace_back(view(c.name));
    return out;
}

// Window3's check boxes as "name=State/Value".
Lines checkStates(WindowObject* w) {
    Lines out;
    for (const char* name : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"}) {
        Object* box = progtest::controlNamed(w, name);
        out.push_back(std::string(name) + "=" + std::to_string(property(box, CheckBoxProp::State).asInteger()) + "/" +
                      (property(box, CheckBoxProp::Value).asBoolean() ? "true" : "false"));
    }
    return out;
}

const Lines kAllChecked{"CheckBox1=1/true", "CheckBox2=1/true", "CheckBox3=1/true", "CheckBox4=1/true"};
const Lines kSection1Visible{"BevelButton1", "Label1", "Label2", "Label3", "CheckBox1", "CheckBox2"};
const Lines kSection2Visible{"BevelButton1", "Label1", "Label2", "Label3", "CheckBox1", "CheckBox3", "CheckBox4"};

struct HotSpot {
    const char* label;
    const char* window;
    size_t controls;
    const char* picture;
};
const HotSpot kHotSpots[] = {
    {"Label1", "Window3.Window3", 8, "s1.jpg"},
    {"Label2", "Window4.Window4", 2, "cfu.jpg"},
    {"Label3", "Window5.Window5", 1, "abo.jpg"},
    {"Label4", "Window6.Window6", 2, "ncm.jpg"},
};

}  // namespace

TEST(HotSpots, ShowTheirWindowsBuildingEachOnceAndLeaveTheMainWindowAlone) {
    ProgramRun run;
    const int status = run.run(nullptr, [&] {
        Ref<WindowObject> main = adopt(Window2::Window2());
        ASSERT_TRUE(progtest::isVisible(main.get()));
        const Lines mainPage = visibleControls(main.get());
        for (const HotSpot& h : kHotSpots) {
            SCOPED_TRACE(h.label);
            const std::string window = h.window;
            ASSERT_EQ(progtest::windowsNamed(window), 0);

            EXPECT_FALSE(click(main.get(), h.label));
            EXPECT_EQ(progtest::countLine("Window.Constructor " + window), 1);
            EXPECT_EQ(progtest::countLine("_SetProperties " + window + " 267"), 1);
            EXPECT_LT(progtest::indexOf("Window.Constructor " + window),
                      progtest::indexOf("Window.Visible.Set " + window + " true"));
            EXPECT_EQ(progtest::linesOf({"Window.Visible.Set", "RectControl.Visible.Set"}),
                      Lines{"Window.Visible.Set " + window + " true"});
            EXPECT_EQ(progtest::linesOf({"Window.Backdrop.Set"}),
                      Lines{"Window.Backdrop.Set " + window + " " + h.picture});  // its Layout's only
            WindowObject* shown = registered(window);
            ASSERT_NE(shown, nullptr);
            EXPECT_TRUE(progtest::isVisible(shown));
            EXPECT_EQ(shown->controls.size(), h.controls);
            EXPECT_EQ(progtest::backdropOf(shown), h.picture);

            EXPECT_FALSE(click(main.get(), h.label));
            EXPECT_EQ(
                progtest::linesOf({"Window.Constructor", "_SetProperties", "Window.__New", "Window.Backdrop.Set"}),
                Lines{});
            EXPECT_EQ(progtest::countLine("RuntimeNewObject " + window), 0);
            EXPECT_EQ(progtest::windowsNamed(window), 1);
            EXPECT_EQ(registered(window), shown);
            EXPECT_TRUE(progtest::isVisible(shown));

            EXPECT_TRUE(progtest::isVisible(main.get()));
            EXPECT_EQ(visibleControls(main.get()), mainPage);
            EXPECT_EQ(progtest::backdropOf(main.get()), "p.jpg");
        }
    });
    EXPECT_EQ(status, 0);
}

// Without their pictures, the dialogs are built and shown whole.
TEST(HotSpots, ShowTheirWindowsWithoutTheirPictures) {
    ProgramRun run;
    for (const HotSpot& h : kHotSpots) run.bundle.remove(h.picture);
    run.run(nullptr, [&] {
        Ref<WindowObject> main = adopt(Window2::Window2());
        for (const HotSpot& h : kHotSpots) {
            SCOPED_TRACE(h.label);
            EXPECT_FALSE(click(main.get(), h.label));
            WindowObject* shown = registered(h.window);
            ASSERT_NE(shown, nullptr);
            EXPECT_TRUE(progtest::isVisible(shown));
            EXPECT_EQ(progtest::backdropOf(shown), "none");
            EXPECT_EQ(shown->controls.size(), h.controls);
            EXPECT_EQ(progtest::countLine("_SetProperties " + std::string(h.window) + " 267"), 1);
        }
    });
}

TEST(SectionWindow, StartsInTheFirstSectionWithEveryBoxChecked) {
    ProgramRun run;
    run.run(nullptr, [&] {
        Ref<WindowObject> main = adopt(Window2::Window2());
        click(main.get(), "Label1");
        WindowObject* w3 = registered("Window3.Window3");
        ASSERT_NE(w3, nullptr);
        EXPECT_EQ(progtest::backdropOf(w3), "s1.jpg");
        EXPECT_EQ(visibleControls(w3), kSection1Visible);
        EXPECT_EQ(checkStates(w3), kAllChecked);
    });
}

TEST(SectionWindow, EachSectionHandlerSetsTheBackdropThenItsThreeBoxes) {
    struct Case {
        const char* label;
        Lines calls;
        Lines visible;
    };
    const Case cases[] = {
        {"Label2",
         {"Window.Backdrop.Set Window3.Window3 s2.jpg", "RectControl.Visible.Set CheckBox2 false",
          "RectControl.Visible.Set CheckBox3 true", "RectControl.Visible.Set CheckBox4 true"},
         kSection2Visible},
        {"Label3",
         {"Window.Backdrop.Set Window3.Window3 s3.jpg", "RectControl.Visible.Set CheckBox3 false",
          "RectControl.Visible.Set CheckBox4 false", "RectControl.Visible.Set CheckBox2 true"},
         kSection1Visible},
        {"Label1",
         {"Window.Backdrop.Set Window3.Window3 s1.jpg", "RectControl.Visible.Set CheckBox2 true",
          "RectControl.Visible.Set CheckBox3 false", "RectControl.Visible.Set CheckBox4 false"},
         kSection1Visible},
        {"Label2",
         {"Window.Backdrop.Set Window3.Window3 s2.jpg", "RectControl.Visible.Set CheckBox2 false",
          "RectControl.Visible.Set CheckBox3 true", "RectControl.Visible.Set CheckBox4 true"},
         kSection2Visible},
    };
    ProgramRun run;
    run.run(nullptr, [&] {
        Ref<WindowObject> main = adopt(Window2::Window2());
        click(main.get(), "Label1");
        WindowObject* w3 = registered("Window3.Window3");
        ASSERT_NE(w3, nullptr);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.label);
            EXPECT_FALSE(click(w3, c.label));
            EXPECT_EQ(progtest::linesOf({"Window.Backdrop.Set", "RectControl.Visible.Set", "Window.Visible.Set"}),
                      c.calls);
            EXPECT_EQ(visibleControls(w3), c.visible);
            EXPECT_TRUE(progtest::isVisible(w3));
        }
    });
}

TEST(SectionWindow, KeepsTheUsersChoicesAndSectionWhileHiddenAndShownAgain) {
    ProgramRun run;
    run.run(nullptr, [&] {
        Ref<WindowObject> main = adopt(Window2::Window2());
        click(main.get(), "Label1");
        WindowObject* w3 = registered("Window3.Window3");
        ASSERT_NE(w3, nullptr);
        Object* box3 = progtest::controlNamed(w3, "CheckBox3");
        setProperty(box3, CheckBoxProp::State, Value::integer(0, PropType::Enumeration));
        setProperty(box3, CheckBoxProp::Value, Value::boolean(false));
        const Lines unchecked{"CheckBox1=1/true", "CheckBox2=1/true", "CheckBox3=0/false", "CheckBox4=1/true"};

        for (const char* section : {"Label2", "Label3", "Label1", "Label2"}) click(w3, section);
        EXPECT_EQ(checkStates(w3), unchecked);

        press(w3, "BevelButton1");  // OK, in Section2
        EXPECT_EQ(progtest::linesOf({"Window.Visible.Set"}), Lines{"Window.Visible.Set Window3.Window3 false"});
        EXPECT_FALSE(progtest::isVisible(w3));
        EXPECT_TRUE(progtest::isVisible(main.get()));

        click(main.get(), "Label1");
        EXPECT_EQ(registered("Window3.Window3"), w3);
        EXPECT_EQ(progtest::linesOf({"Window.Constructor", "Window.Backdrop.Set", "RectControl.Visible.Set"}), Lines{});
        EXPECT_TRUE(progtest::isVisible(w3));
        EXPECT_EQ(progtest::backdropOf(w3), "s2.jpg");
        EXPECT_EQ(visibleControls(w3), kSection2Visible);
        EXPECT_EQ(checkStates(w3), unchecked);
    });
}

TEST(SmallDialogs, EachEnabledButtonHidesItsDialog) {
    struct Case {
        const char* label;
        const char* window;
        const char* button;
    };
    const Case cases[] = {
        {"Label2", "Window4.Window4", "BevelButton1"},  // OK
        {"Label3", "Window5.Window5", "BevelButton1"},  // OK
        {"Label4", "Window6.Window6", "BevelButton1"},  // OK
        {"Label4", "Window6.Window6", "BevelButton2"},  // CANCEL
    };
    ProgramRun run;
    run.run(nullptr, [&] {
        Ref<WindowObject> main = adopt(Window2::Window2());
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.window) + " " + c.button);
            click(main.get(), c.label);
            WindowObject* w = registered(c.window);
            ASSERT_NE(w, nullptr);
            ASSERT_TRUE(progtest::isVisible(w));
            press(w, c.button);
            EXPECT_EQ(progtest::linesOf({"Window.Visible.Set", "RectControl.Visible.Set", "Window.Backdrop.Set"}),
                      Lines{"Window.Visible.Set " + std::string(c.window) + " false"});
            EXPECT_FALSE(progtest::isVisible(w));
            EXPECT_TRUE(progtest::isVisible(main.get()));
        }
    });
}

TEST(SmallDialogs, UpdateIsDisabledAndBoundToNothing) {
    ProgramRun run;
    run.run(nullptr, [&] {
        Ref<WindowObject> main = adopt(Window2::Window2());
        click(main.get(), "Label2");
        WindowObject* w4 = registered("Window4.Window4");
        ASSERT_NE(w4, nullptr);
        Object* update = progtest::controlNamed(w4, "BevelButton2");
        ASSERT_NE(update, nullptr);
        EXPECT_EQ(property(update, BevelButtonProp::Caption).text(), "UPDATE");
        EXPECT_FALSE(property(update, RectControlProp::Enabled).asBoolean());
        EXPECT_TRUE(progtest::isVisible(update));
        String* action = RuntimeNewString("Action");
        Ref<Object> delegate = adopt(RuntimeEventDelegate(update, action));
        RuntimeUnlockString(action);
        EXPECT_EQ(delegate.get(), nullptr);

        press(w4, "BevelButton2");
        EXPECT_EQ(CallRecord::lines(), Lines{});
        EXPECT_TRUE(progtest::isVisible(w4));
    });
}

// Closing a window drops it; its hot spot then builds a new one, as it first was.
TEST(ClosedWindows, TheirHotSpotBuildsAFreshWindow) {
    ProgramRun run;
    run.run(nullptr, [&] {
        Ref<WindowObject> main = adopt(Window2::Window2());
        for (const HotSpot& h : kHotSpots) {
            SCOPED_TRACE(h.window);
            click(main.get(), h.label);
            WindowObject* first = registered(h.window);
            ASSERT_NE(first, nullptr);
            const bool isSectionWindow = std::string_view(h.window) == "Window3.Window3";
            if (isSectionWindow) {
                click(first, "Label2");
                Object* box3 = progtest::controlNamed(first, "CheckBox3");
                setProperty(box3, CheckBoxProp::State, Value::integer(0, PropType::Enumeration));
                setProperty(box3, CheckBoxProp::Value, Value::boolean(false));
            }
            closeWindow(first);
            EXPECT_EQ(progtest::windowsNamed(h.window), 0);

            EXPECT_FALSE(click(main.get(), h.label));
            EXPECT_EQ(progtest::countLine("Window.Constructor " + std::string(h.window)), 1);
            WindowObject* fresh = registered(h.window);
            ASSERT_NE(fresh, nullptr);
            EXPECT_TRUE(progtest::isVisible(fresh));
            EXPECT_EQ(fresh->controls.size(), h.controls);
            EXPECT_EQ(progtest::backdropOf(fresh), h.picture);
            if (isSectionWindow) {
                EXPECT_EQ(visibleControls(fresh), kSection1Visible);
                EXPECT_EQ(checkStates(fresh), kAllChecked);
                EXPECT_FALSE(click(fresh, "Label2"));  // its hot spots work on the new window
                EXPECT_EQ(visibleControls(fresh), kSection2Visible);
            }
            EXPECT_TRUE(progtest::isVisible(main.get()));
        }
    });
}
