// The main window's four pages, driven by pressing the real buttons: each
// transition's calls in order, what survives going back and forth, and MAX.
#include "ProgramHarness.h"
#include "loom/Testing.h"
#include "mainwindow/Window2.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace loom;
using progtest::ProgramRun;

namespace {

using Lines = std::vector<std::string>;

// What a transition does, as the call record shows it.
Lines transitionCalls() {
    return progtest::linesOf({"GetOpenFolderItem", "Window.Backdrop.Set", "RectControl.Visible.Set",
                              "Window.Visible.Set", "TextField.Text.Set"});
}

std::string shows(const char* control) { return std::string("RectControl.Visible.Set ") + control + " true"; }
std::string hides(const char* control) { return std::string("RectControl.Visible.Set ") + control + " false"; }
std::string backdrop(const char* picture) { return std::string("Window.Backdrop.Set Window2.Window2 ") + picture; }

// Page1 "OK" (BevelButton1): the open-file dialog, then Page2.
const Lines kPage1Ok{
    "GetOpenFolderItem \"\"", backdrop("cd.jpg"),    shows("CheckBox1"),     shows("CheckBox2"),
    shows("CheckBox3"),       shows("ComboBox1"),    hides("BevelButton1"),  shows("BevelButton3"),
    hides("BevelButton13"),   hides("BevelButton4"), shows("BevelButton12"),
};
// Page2 "OK" (BevelButton3): Page3.
const Lines kPage2Ok{
    backdrop("wd.jpg"),     hides("CheckBox1"),     hides("CheckBox2"),     hides("CheckBox3"),
    hides("ComboBox1"),     shows("TextField1"),    shows("TextField2"),    shows("TextField3"),
    shows("TextField4"),    shows("TextField5"),    shows("TextField6"),    hides("BevelButton3"),
    shows("BevelButton4"),  shows("BevelButton5"),  shows("BevelButton6"),  shows("BevelButton7"),
    shows("BevelButton8"),  shows("BevelButton9"),  shows("BevelButton10"), hides("BevelButton1"),
    shows("BevelButton13"), hides("BevelButton12"),
};
// Page3 "OK" (BevelButton4): Page4.
const Lines kPage3Ok{
    backdrop("ad.jpg"),     hides("TextField1"),    hides("TextField2"),    hides("TextField3"),
    hides("TextField4"),    hides("TextField5"),    hides("TextField6"),    hides("BevelButton5"),
    hides("BevelButton6"),  hides("BevelButton7"),  hides("BevelButton8"),  hides("BevelButton9"),
    hides("BevelButton10"), hides("BevelButton3"),  hides("BevelButton12"), hides("BevelButton13"),
    hides("BevelButton4"),  shows("BevelButton14"),
};
// Page4 "OK" (BevelButton14): the main window is hidden.
const Lines kPage4Ok{"Window.Visible.Set Window2.Window2 false"};
// Page2 "BACK" (BevelButton12): Page1.
const Lines kPage2Back{
    backdrop("p.jpg"),      hides("TextField1"),   hides("TextField2"),   hides("TextField3"),   hides("TextField4"),
    hides("TextField5"),    hides("TextField6"),   shows("BevelButton1"), hides("BevelButton3"), hides("BevelButton5"),
    hides("BevelButton6"),  hides("BevelButton7"), hides("BevelButton8"), hides("BevelButton9"), hides("BevelButton10"),
    hides("BevelButton12"), hides("BevelButton4"), hides("CheckBox1"),    hides("CheckBox2"),    hides("CheckBox3"),
    hides("ComboBox1"),
};
// Page3 "BACK" (BevelButton13): Page2.
const Lines kPage3Back{
    backdrop("cd.jpg"),    shows("CheckBox1"),     shows("CheckBox2"),     shows("CheckBox3"),
    shows("ComboBox1"),    hides("BevelButton13"), shows("BevelButton12"), shows("BevelButton3"),
    hides("BevelButton4"), hides("BevelButton5"),  hides("BevelButton6"),  hides("BevelButton7"),
    hides("BevelButton8"), hides("BevelButton9"),  hides("BevelButton10"), hides("TextField1"),
    hides("TextField2"),   hides("TextField3"),    hides("TextField4"),    hides("TextField5"),
    hides("TextField6"),
};

// The visible controls of each page, in creation order.
const Lines kPage1Visible{"BevelButton1", "Label1", "Label2", "Label3", "Label4"};
const Lines kPage2Visible{"ComboBox1", "CheckBox1", "CheckBox2", "CheckBox3",     "BevelButton3",
                          "Label1",    "Label2",    "Label3",    "BevelButton12", "Label4"};
const Lines kPage3Visible{"BevelButton4", "BevelButton5",  "BevelButton6", "BevelButton7", "BevelButton8",
                          "BevelButton9", "BevelButton10", "TextField1",   "TextField2",   "TextField3",
                          "TextField4",   "TextField5",    "TextField6",   "Label1",       "Label2",
                          "Label3",       "BevelButton13", "Label4"};
const Lines kPage4Visible{"Label1", "Label2", "Label3", "BevelButton14", "Label4"};

const char* const kOkButtons[] = {"BevelButton1", "BevelButton3", "BevelButton4", "BevelButton14"};

// The main window as the running program shows it.
struct Wizard {
    Ref<WindowObject> window = adopt(Window2::Window2());

    Object* control(const char* name) const { return progtest::controlNamed(window.get(), name); }
    // Presses the button and returns what the transition did.
    Lines press(const char* button) const {
        auto* b = progtest::controlAs<BevelButtonObject>(window.get(), button);
        if (!b) {
            ADD_FAILURE() << "no button " << button;
            return {};
        }
        CallRecord::start();
        pressButton(b);
        CallRecord::stop();
        return transitionCalls();
    }
    Lines visibleControls() const {
        Lines out;
        for (const NamedControl& c : window->controls)
            if (progtest::isVisible(c.control.get())) out.emplace_back(view(c.name));
        return out;
    }
    int visibleOkButtons() const {
        int n = 0;
        for (const char* ok : kOkButtons) n += progtest::isVisible(control(ok)) ? 1 : 0;
        return n;
    }
    void type(const char* fieldName, std::string_view text) const {
        setProperty(control(fieldName), TextFieldProp::Text, Value::string(text));
    }
    std::string_view text(const char* fieldName) const {
        return property(control(fieldName), TextFieldProp::Text).text();
    }
};

}  // namespace

TEST(Wizard, EachTransitionMakesItsCallsInOrder) {
    struct Step {
        const char* button;
        const Lines* calls;
        const Lines* visibleAfter;
        bool windowVisibleAfter;
    };
    const Step steps[] = {
        {"BevelButton1", &kPage1Ok, &kPage2Visible, true},     // Page1 -> Page2
        {"BevelButton12", &kPage2Back, &kPage1Visible, true},  // Page2 -> Page1
        {"BevelButton1", &kPage1Ok, &kPage2Visible, true},     // Page1 -> Page2
        {"BevelButton3", &kPage2Ok, &kPage3Visible, true},     // Page2 -> Page3
        {"BevelButton13", &kPage3Back, &kPage2Visible, true},  // Page3 -> Page2
        {"BevelButton3", &kPage2Ok, &kPage3Visible, true},     // Page2 -> Page3
        {"BevelButton4", &kPage3Ok, &kPage4Visible, true},     // Page3 -> Page4
        {"BevelButton14", &kPage4Ok, &kPage4Visible, false},   // Page4: the window goes
    };
    ASSERT_EQ(kPage1Ok.size(), 2u + 9u);
    ASSERT_EQ(kPage2Ok.size(), 1u + 21u);
    ASSERT_EQ(kPage3Ok.size(), 1u + 17u);
    ASSERT_EQ(kPage2Back.size(), 1u + 20u);
    ASSERT_EQ(kPage3Back.size(), 1u + 20u);
    ProgramRun run;
    const int status = run.run(nullptr, [&] {
        Wizard wizard;
        ASSERT_TRUE(progtest::isVisible(wizard.window.get()));
        EXPECT_EQ(wizard.visibleControls(), kPage1Visible);
        int step = 0;
        for (const Step& s : steps) {
            SCOPED_TRACE("step " + std::to_string(++step) + ": " + s.button);
            EXPECT_EQ(wizard.press(s.button), *s.calls);
            EXPECT_EQ(wizard.visibleControls(), *s.visibleAfter);
            EXPECT_EQ(wizard.visibleOkButtons(), 1);
            EXPECT_EQ(progtest::isVisible(wizard.window.get()), s.windowVisibleAfter);
        }
        EXPECT_TRUE(progtest::isVisible(wizard.control("BevelButton14")));
        EXPECT_EQ(run.presenter->dialogFilters, Lines({"", ""}));
    });
    EXPECT_EQ(status, 0);
}

class FirstPageOk : public ::testing::TestWithParam<bool> {};

// The dialog's answer, a cancel or a chosen file, makes no difference.
TEST_P(FirstPageOk, AsksForAnyFileAndMovesOnWhateverTheAnswer) {
    ProgramRun run;
    if (GetParam()) run.presenter->dialogAnswer = (run.bundle.resources() / "p.jpg").string();
    run.run(nullptr, [&] {
        Wizard wizard;
        EXPECT_EQ(wizard.press("BevelButton1"), kPage1Ok);
        EXPECT_EQ(run.presenter->dialogFilters, Lines{""});
        EXPECT_EQ(wizard.visibleControls(), kPage2Visible);
        EXPECT_EQ(progtest::backdropOf(wizard.window.get()), "cd.jpg");
    });
}

INSTANTIATE_TEST_SUITE_P(DialogAnswer, FirstPageOk, ::testing::Bool(),
                         [](const auto& row) { return std::string(row.param ? "Chosen" : "Cancelled"); });

TEST(Wizard, ChoicesOnThePagesSurviveGoingBackAndForth) {
    ProgramRun run;
    run.run(nullptr, [&] {
        Wizard wizard;
        wizard.press("BevelButton1");  // Page2
        Object* box1 = wizard.control("CheckBox1");
        Object* box3 = wizard.control("CheckBox3");
        Object* combo = wizard.control("ComboBox1");
        setProperty(box1, CheckBoxProp::State, Value::integer(1, PropType::Enumeration));
        setProperty(box1, CheckBoxProp::Value, Value::boolean(true));
        setProperty(box3, CheckBoxProp::State, Value::integer(2, PropType::Enumeration));
        setProperty(combo, PopupMenuProp::ListIndex, Value::integer(2));
        setProperty(combo, ComboBoxProp::Text, Value::string("Jorge"));

        wizard.press("BevelButton12");  // back to Page1
        EXPECT_EQ(wizard.visibleControls(), kPage1Visible);
        wizard.press("BevelButton1");  // Page2 again, through the dialog again
        EXPECT_EQ(run.presenter->dialogFilters, Lines({"", ""}));
        EXPECT_EQ(wizard.visibleControls(), kPage2Visible);
        EXPECT_EQ(property(box1, CheckBoxProp::State).asInteger(), 1);
        EXPECT_TRUE(property(box1, CheckBoxProp::Value).asBoolean());
        EXPECT_EQ(property(box3, CheckBoxProp::State).asInteger(), 2);
        EXPECT_FALSE(property(box3, CheckBoxProp::Value).asBoolean());
        EXPECT_EQ(property(combo, PopupMenuProp::ListIndex).asInteger(), 2);
        EXPECT_EQ(property(combo, ComboBoxProp::Text).text(), "Jorge");

        // Typed text survives Page3 -> Page2 -> Page3.
        wizard.press("BevelButton3");
        const char* const fields[] = {"TextField1", "TextField2", "TextField3",
                                      "TextField4", "TextField5", "TextField6"};
        const char* const typed[] = {"1", "22", "333", "4444", "55", "6"};
        for (int i = 0; i < 6; ++i) wizard.type(fields[i], typed[i]);
        wizard.press("BevelButton13");
        wizard.press("BevelButton3");
        EXPECT_EQ(wizard.visibleControls(), kPage3Visible);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(wizard.text(fields[i]), typed[i]) << fields[i];
    });
}

// Without "wd.jpg", Page3 has no backdrop, and each visit tries the picture again.
TEST(Wizard, MissingThirdPagePictureIsTriedOnEveryVisit) {
    ProgramRun run;
    run.bundle.remove("wd.jpg");
    const std::string wdFile = "FolderItem.OpenAsPicture " + (run.bundle.resources() / "wd.jpg").string();
    run.run(nullptr, [&] {
        Wizard wizard;
        wizard.press("BevelButton1");

        Lines calls = wizard.press("BevelButton3");
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.front(), backdrop("none"));
        EXPECT_EQ(Lines(calls.begin() + 1, calls.end()), Lines(kPage2Ok.begin() + 1, kPage2Ok.end()));
        EXPECT_EQ(progtest::countLine(wdFile), 1);
        EXPECT_EQ(wizard.visibleControls(), kPage3Visible);
        EXPECT_EQ(progtest::backdropOf(wizard.window.get()), "none");

        wizard.press("BevelButton13");
        const int decodesBefore = run.presenter->decodeCalls;
        calls = wizard.press("BevelButton3");
        EXPECT_EQ(progtest::countLine(wdFile), 1);
        EXPECT_EQ(run.presenter->decodeCalls, decodesBefore + 1);
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.front(), backdrop("none"));

        run.bundle.addPicture("wd.jpg");
        wizard.press("BevelButton13");
        EXPECT_EQ(wizard.press("BevelButton3"), kPage2Ok);
        EXPECT_EQ(progtest::backdropOf(wizard.window.get()), "wd.jpg");
    });
}

TEST(Wizard, MaxButtonsWriteTheirLiteralOverTypedDigits) {
    struct Case {
        const char* button;
        const char* field;
        const char* literal;
    };
    const Case cases[] = {
        {"BevelButton5", "TextField1", "32767"}, {"BevelButton6", "TextField2", "32767"},
        {"BevelButton7", "TextField3", "32767"}, {"BevelButton8", "TextField4", "32767"},
        {"BevelButton9", "TextField5", "127"},   {"BevelButton10", "TextField6", "127"},
    };
    ProgramRun run;
    run.run(nullptr, [&] {
        Wizard wizard;
        wizard.press("BevelButton1");
        wizard.press("BevelButton3");
        for (const Case& c : cases) {
            SCOPED_TRACE(c.button);
            wizard.type(c.field, "98765");
            EXPECT_EQ(wizard.press(c.button),
                      Lines{std::string("TextField.Text.Set ") + c.field + " \"" + c.literal + "\""});
            EXPECT_EQ(wizard.text(c.field), c.literal);
            EXPECT_EQ(wizard.visibleControls(), kPage3Visible);
        }
        // Each wrote only its own field.
        for (const Case& c : cases) EXPECT_EQ(wizard.text(c.field), c.literal) << c.field;
    });
}

// ---- Transitions that fail part-way ---------------------------------------------------------------

namespace {

// What the framework reports of exceptions that end handlers while `action` runs.
std::string reportDuring(const std::function<void()>& action) {
    ::testing::internal::CaptureStderr();
    action();
    return ::testing::internal::GetCapturedStderr();
}

}  // namespace

// The catalogue raises for a picture it does not hold yet once the executable's
// folder has no parent: the transition ends before its backdrop, and nothing
// after that point changes. On Page1's "OK" the dialog has been shown by then.
TEST(Wizard, APictureAccessorThatRaisesEndsTheTransitionBeforeItsBackdrop) {
    ProgramRun run;
    run.run(nullptr, [&] {
        Wizard wizard;
        loom::testing::setExecutablePath("/picture-wizard");
        Lines calls;
        std::string report = reportDuring([&] { calls = wizard.press("BevelButton1"); });
        EXPECT_EQ(calls, Lines{"GetOpenFolderItem \"\""});
        EXPECT_EQ(run.presenter->dialogFilters, Lines{""});
        EXPECT_NE(report.find("NilObjectException"), std::string::npos) << report;
        EXPECT_NE(report.find("Window2.BevelButton1_Action"), std::string::npos) << report;
        EXPECT_EQ(wizard.visibleControls(), kPage1Visible);
        EXPECT_EQ(progtest::backdropOf(wizard.window.get()), "p.jpg");
        EXPECT_TRUE(progtest::isVisible(wizard.window.get()));

        // With the bundle back, the same button leads on; Page2's "OK" then meets
        // the raising catalogue and changes nothing at all.
        loom::testing::setExecutablePath(run.bundle.executable());
        EXPECT_EQ(wizard.press("BevelButton1"), kPage1Ok);
        loom::testing::setExecutablePath("/picture-wizard");
        report = reportDuring([&] { calls = wizard.press("BevelButton3"); });
        EXPECT_EQ(calls, Lines{});
        EXPECT_NE(report.find("Window2.BevelButton3_Action"), std::string::npos) << report;
        EXPECT_EQ(wizard.visibleControls(), kPage2Visible);
        EXPECT_EQ(progtest::backdropOf(wizard.window.get()), "cd.jpg");
        loom::testing::setExecutablePath(run.bundle.executable());
    });
}

// A control the window no longer holds under its name: the transition keeps the
// steps made before it and makes none after it.
TEST(Wizard, AMissingControlEndsTheTransitionAtItsStep) {
    ProgramRun run;
    run.run(nullptr, [&] {
        Wizard wizard;
        for (NamedControl& c : wizard.window->controls)
            if (view(c.name) == "CheckBox3") c.name = adopt(RuntimeNewString("Forgotten"));
        Lines calls;
        const std::string report = reportDuring([&] { calls = wizard.press("BevelButton1"); });
        EXPECT_EQ(calls, (Lines{"GetOpenFolderItem \"\"", backdrop("cd.jpg"), shows("CheckBox1"), shows("CheckBox2")}));
        EXPECT_NE(report.find("NilObjectException"), std::string::npos) << report;
        EXPECT_EQ(wizard.visibleControls(),
                  (Lines{"BevelButton1", "CheckBox1", "CheckBox2", "Label1", "Label2", "Label3", "Label4"}));
        EXPECT_EQ(progtest::backdropOf(wizard.window.get()), "cd.jpg");
    });
}
