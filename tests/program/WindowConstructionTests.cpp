// How every window is built: Layout, then each control completely before the
// next, each layout record used up; and what the accessors give back.
// Tables here are laid out by hand.
// clang-format off
#include "ProgramHarness.h"
#include "loom/Testing.h"
#include "dialogs/Window3.h"
#include "dialogs/Window4.h"
#include "dialogs/Window5.h"
#include "dialogs/Window6.h"
#include "mainwindow/Window2.h"
#include "startup/Window1.h"
#include "forms/WindowProtocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

using namespace loom;
using progtest::ProgramRun;

namespace {

// One control as the protocol makes it.
struct ControlRow {
    const char* name;
    const char* madeFrom;   // the class it is created from
    const char* castTo;     // the class it is found again as
    const char* textUnit;   // its text-unit setter, or none for a timer
    int recordBytes;        // its layout record's size
    const char* signature;  // its handler's delegate signature, or none when unbound
    const char* event;
};

constexpr const char* kButtonSig = "( BevelButton )";
constexpr const char* kLabelSig = "( Label, Int32, Int32 ) as Boolean";
constexpr const char* kTimerSig = "( Timer )";

// Record sizes: a bevel button's is 455 plus its name, caption and font name;
// a check box's 299, a label's 333, a text field's 429 and a combo box's 311
// plus their string values; a timer's 20; a window's 267.
ControlRow button(const char* name, int bytes, bool bound = true) {
    return {name, "BevelButton", "BevelButton", "BevelButton.TextUnit.Set", bytes, bound ? kButtonSig : nullptr,
            "Action"};
}
ControlRow label(const char* name, int bytes) {
    return {name, "Label", "Label", "Label.TextUnit.Set", bytes, kLabelSig, "MouseDown"};
}
ControlRow check(const char* name, int bytes) {
    return {name, "CheckBox", "CheckBox", "CheckBox.TextUnit.Set", bytes, nullptr, nullptr};
}
ControlRow field(const char* name, int bytes) {
    return {name, "TextField", "TextField", "TextField.TextUnit.Set", bytes, nullptr, nullptr};
}

const std::vector<ControlRow>& splashControls() {
    static const std::vector<ControlRow> rows{
        {"Timer1", "Window1.Timer1", "Timer", nullptr, 20, kTimerSig, "Action"},
        {"Timer2", "Window1.Timer2", "Timer", nullptr, 20, kTimerSig, "Action"},
    };
    return rows;
}

const std::vector<ControlRow>& mainControls() {
    static const std::vector<ControlRow> rows{
        button("BevelButton1", 475),
        {"ComboBox1", "ComboBox", "ComboBox", "PopupMenu.TextUnit.Set", 355, nullptr, nullptr},
        check("CheckBox1", 314), check("CheckBox2", 314), check("CheckBox3", 314),
        button("BevelButton3", 475), button("BevelButton4", 475),
        button("BevelButton5", 476), button("BevelButton6", 476), button("BevelButton7", 476),
        button("BevelButton8", 476), button("BevelButton9", 476), button("BevelButton10", 477),
        field("TextField1", 445), field("TextField2", 445), field("TextField3", 445),
        field("TextField4", 445), field("TextField5", 445), field("TextField6", 445),
        label("Label1", 345), label("Label2", 345), label("Label3", 345),
        button("BevelButton12", 478), button("BevelButton13", 478), button("BevelButton14", 476),
        label("Label4", 345),
    };
    return rows;
}

struct WindowRow {
    const char* name;
    WindowObject* (*accessor)();
    const char* backdrop;
    std::vector<ControlRow> controls;
};

void PrintTo(const WindowRow& w, std::ostream* os) { *os << w.name; }

const std::vector<WindowRow>& builtOnDemand() {
    static const std::vector<WindowRow> rows{
        {"Window2.Window2", &Window2::Window2, "p.jpg", mainControls()},
        {"Window3.Window3", &Window3::Window3, "s1.jpg",
         {button("BevelButton1", 475), label("Label1", 345), label("Label2", 345), label("Label3", 345),
          check("CheckBox1", 314), check("CheckBox2", 314), check("CheckBox3", 314), check("CheckBox4", 314)}},
        {"Window4.Window4", &Window4::Window4, "cfu.jpg",
         {button("BevelButton1", 475), button("BevelButton2", 479, false)}},
        {"Window5.Window5", &Window5::Window5, "abo.jpg", {button("BevelButton1", 475)}},
        {"Window6.Window6", &Window6::Window6, "ncm.jpg",
         {button("BevelButton1", 475), button("BevelButton2", 479)}},
    };
    return rows;
}

// What constructing the window records: Layout's backdrop and window record,
// then each control's steps, then the accessor's cast.
std::vector<std::string> expectedConstruction(const std::string& window, const std::string& backdrop,
                                              const std::vector<ControlRow>& controls) {
    std::vector<std::string> out{"Window.Constructor " + window, "Window.Backdrop.Set " + window + " " + backdrop,
                                 "_SetProperties " + window + " 267"};
    for (const ControlRow& c : controls) {
        const std::string name = c.name;
        const std::string find = "Window._ControlByName " + window + " " + name;
        const std::string cast = "RuntimeCheckCast " + name + " " + c.castTo;
        out.push_back("Window.__New " + window + " " + c.madeFrom);
        // A rect control is constructed by RectControl's constructor, a timer by its own class's.
        out.push_back(std::string(c.textUnit ? "RectControl.Constructor " : "TimerClass.Constructor ") + c.madeFrom);
        out.push_back("Window._AddControl " + window + " " + name);
        if (c.textUnit) out.insert(out.end(), {find, cast, std::string(c.textUnit) + " " + name + " 0"});
        out.insert(out.end(), {find, cast, "_SetProperties " + name + " " + std::to_string(c.recordBytes)});
        if (c.signature)
            out.insert(out.end(), {find, cast,
                                   "RuntimeCreateDelegate \"" + std::string(c.signature) + "\" " + window + " weak=1",
                                   "RuntimeAddEventHandler " + name + " " + c.event});
    }
    out.push_back("RuntimeCheckCast " + window + " " + window);
    return out;
}

// The construction steps among `lines`: the protocol's operations, without the
// framework's own protection delegates.
std::vector<std::string> constructionSteps(const std::vector<std::string>& lines) {
    static const std::vector<std::string_view> ops{
        "Window.Constructor", "Window.Backdrop.Set", "_SetProperties", "Window.__New", "RectControl.Constructor",
        "TimerClass.Constructor",
        "Window._AddControl", "Window._ControlByName", "RuntimeCheckCast", "BevelButton.TextUnit.Set",
        "Label.TextUnit.Set", "CheckBox.TextUnit.Set", "TextField.TextUnit.Set", "PopupMenu.TextUnit.Set",
        "RuntimeCreateDelegate", "RuntimeAddEventHandler"};
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        if (line.starts_with("RuntimeCreateDelegate \"( Ptr )\"")) continue;
        if (std::find(ops.begin(), ops.end(), progtest::opOf(line)) != ops.end()) out.push_back(line);
    }
    return out;
}

// The framework records RectControl's constructor but not a timer control
// class's own, which is the program's: while this lives, each timer class's
// Constructor entry in its virtual table notes its call in the call record as
// "TimerClass.Constructor <class>" and then runs the class's own.
class TimerConstructorsRecorded {
public:
    TimerConstructorsRecorded() {
        for (const ClassRecord* cls : {Window1::Timer1Class::__Lookup(), Window1::Timer2Class::__Lookup()}) {
            // Own members follow the parent's in both tables, in the same order.
            const size_t parentMembers = cls->parent->members.size();
            const size_t parentOps = cls->parent->vtable->entries.size();
            size_t slot = 0;
            for (size_t i = parentMembers; i < cls->members.size(); ++i) {
                const size_t at = parentOps + (i - parentMembers);
                if (view(cls->members[i].name) == "Constructor" && cls->members[i].code == cls->vtable->entries.at(at))
                    slot = at;
            }
            if (slot == 0)
                throw std::logic_error("no own Constructor in the virtual table of " + std::string(cls->registeredName()));
            spied().push_back({cls, slot, cls->vtable->entries[slot]});
            cls->vtable->entries[slot] = code(&spy);
        }
    }
    ~TimerConstructorsRecorded() {
        for (const Spied& s : spied()) s.cls->vtable->entries[s.slot] = s.original;
        spied().clear();
    }
    TimerConstructorsRecorded(const TimerConstructorsRecorded&) = delete;
    TimerConstructorsRecorded& operator=(const TimerConstructorsRecorded&) = delete;

private:
    struct Spied {
        const ClassRecord* cls;
        size_t slot;
        Code original;
    };
    static std::vector<Spied>& spied() {
        static std::vector<Spied> s;
        return s;
    }
    static void spy(Object* timer) {
        LOOM_RECORD("TimerClass.Constructor", std::string(timer->cls->registeredName()));
        for (const Spied& s : spied())
            if (s.cls == timer->cls) as<void(Object*)>(s.original)(timer);
    }
};

}  // namespace

TEST(WindowConstruction, SplashFollowsTheProtocolDuringStartup) {
    ProgramRun run;
    const TimerConstructorsRecorded timerConstructors;
    CallRecord::start();
    EXPECT_EQ(run.run(nullptr, nullptr), 0);
    const auto& lines = CallRecord::lines();
    const int from = progtest::indexOf("Window.Constructor Window1.Window1");
    const int to = progtest::indexOf("_RuntimeRun");
    ASSERT_GE(from, 0);
    ASSERT_GT(to, from);
    EXPECT_EQ(constructionSteps({lines.begin() + from, lines.begin() + to}),
              expectedConstruction("Window1.Window1", "li.jpg", splashControls()));
}

class WindowBuiltOnDemand : public ::testing::TestWithParam<WindowRow> {};

TEST_P(WindowBuiltOnDemand, FollowsTheProtocol) {
    ProgramRun run;
    const WindowRow& row = GetParam();
    std::vector<std::string> steps;
    int constructed = -1;
    const int status = run.run(
        [&] {
            ASSERT_EQ(progtest::windowsNamed(row.name), 0);
            CallRecord::start();
            Ref<WindowObject> w = adopt(row.accessor());
            CallRecord::stop();
            steps = constructionSteps(CallRecord::lines());
            constructed = progtest::windowsNamed(row.name);
        },
        nullptr);
    EXPECT_EQ(steps, expectedConstruction(row.name, row.backdrop, row.controls));
    EXPECT_EQ(constructed, 1);
    EXPECT_EQ(status, 0);
}

TEST_P(WindowBuiltOnDemand, SecondReferenceGivesTheSameWindowAndBuildsNothing) {
    ProgramRun run;
    const WindowRow& row = GetParam();
    run.run(
        [&] {
            Ref<WindowObject> first = adopt(row.accessor());
            ASSERT_TRUE(first);
            EXPECT_FALSE(progtest::isVisible(first.get()));
            CallRecord::start();
            Ref<WindowObject> second = adopt(row.accessor());
            CallRecord::stop();
            EXPECT_EQ(second.get(), first.get());
            EXPECT_EQ(progtest::linesOf({"RuntimeNewObject", "Window.Constructor", "Window.Backdrop.Set",
                                         "_SetProperties", "Window.__New"}),
                      std::vector<std::string>{});
            EXPECT_EQ(progtest::windowsNamed(row.name), 1);
            EXPECT_EQ(first->controls.size(), row.controls.size());
        },
        nullptr);
}

// The catalogue raises for the backdrop once the executable's folder has no
// parent: Layout ends there, so neither the backdrop nor the window's record is
// applied, and every property the record names keeps a new window's value.
TEST_P(WindowBuiltOnDemand, APictureAccessorThatRaisesLeavesTheWindowsRecordUnapplied) {
    ProgramRun run;
    const WindowRow& row = GetParam();
    run.run(
        [&] {
            loom::testing::setExecutablePath("/picture-wizard");
            ::testing::internal::CaptureStderr();
            CallRecord::start();
            Ref<WindowObject> w = adopt(row.accessor());
            CallRecord::stop();
            const std::string report = ::testing::internal::GetCapturedStderr();
            loom::testing::setExecutablePath(run.bundle.executable());
            ASSERT_TRUE(w);

            const std::string layout = std::string(row.name).substr(0, std::string(row.name).find('.')) + ".Layout";
            EXPECT_NE(report.find("NilObjectException"), std::string::npos) << report;
            EXPECT_NE(report.find(layout), std::string::npos) << report;
            EXPECT_EQ(progtest::linesOf({"Window.Backdrop.Set"}), std::vector<std::string>{});
            EXPECT_EQ(progtest::countLine("_SetProperties " + std::string(row.name) + " 267"), 0);
            EXPECT_EQ(progtest::backdropOf(w.get()), "none");
            const ClassRecord* window = Window::__Lookup();
            for (int slot = 0; slot < 21; ++slot) {
                const PropertyRecord& p = window->properties[static_cast<size_t>(slot)];
                EXPECT_TRUE(property(w.get(), slot) == p.initial) << view(p.name);
            }
        },
        nullptr);
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowBuiltOnDemand, ::testing::ValuesIn(builtOnDemand()),
                         [](const auto& row) {
                             std::string n = row.param.name;
                             return n.substr(0, n.find('.'));
                         });

// ---- An exception part-way through the controls ---------------------------------------------------

namespace {
using NewControl = Object* (*)(WindowObject*, const ClassRecord*);
NewControl g_originalNew = nullptr;

// Window.__New as the main window calls it, refusing the text field class.
Object* refusingTextFields(WindowObject* window, const ClassRecord* cls) {
    if (cls == TextField::__Lookup()) RaiseRuntimeException("no text field can be made");
    return g_originalNew(window, cls);
}
}  // namespace

// The first text field is the main window's 14th control: the 13 before it stay
// registered, each complete, and nothing is made after it.
TEST(WindowConstruction, AnExceptionPartWayThroughTheControlsLeavesTheEarlierOnesRegistered) {
    ProgramRun run;
    run.run(
        [&] {
            Code& entry = Window2::__Lookup()->vtable->entries.at(WindowSlot::__New);
            g_originalNew = as<Object*(WindowObject*, const ClassRecord*)>(entry);
            entry = code(&refusingTextFields);
            ::testing::internal::CaptureStderr();
            CallRecord::start();
            Ref<WindowObject> w = adopt(Window2::Window2());
            CallRecord::stop();
            const std::string report = ::testing::internal::GetCapturedStderr();
            entry = code(g_originalNew);
            ASSERT_TRUE(w);
            EXPECT_NE(report.find("no text field can be made"), std::string::npos) << report;
            EXPECT_NE(report.find("Window2.CreateControls"), std::string::npos) << report;

            const std::vector<std::string> kEarlier{
                "BevelButton1", "ComboBox1",    "CheckBox1",    "CheckBox2",    "CheckBox3",
                "BevelButton3", "BevelButton4", "BevelButton5", "BevelButton6", "BevelButton7",
                "BevelButton8", "BevelButton9", "BevelButton10"};
            std::vector<std::string> registered, recordsApplied;
            for (const NamedControl& c : w->controls) registered.emplace_back(view(c.name));
            EXPECT_EQ(registered, kEarlier);
            for (const std::string& line : progtest::linesOf({"_SetProperties"}))
                recordsApplied.push_back(line.substr(line.find(' ') + 1, line.rfind(' ') - line.find(' ') - 1));
            std::vector<std::string> expectedApplied{"Window2.Window2"};
            expectedApplied.insert(expectedApplied.end(), kEarlier.begin(), kEarlier.end());
            EXPECT_EQ(recordsApplied, expectedApplied);
            EXPECT_EQ(progtest::countLine("RuntimeAddEventHandler BevelButton10 Action"), 1);
            EXPECT_EQ(progtest::linesOf({"Window.__New"}).size(), kEarlier.size());
        },
        nullptr);
}

// ---- The main window as built ------------------------------------------------------------------

class MainWindowAsBuilt : public ::testing::TestWithParam<bool> {};

// With its backdrop picture, or without it: the window is otherwise whole.
TEST_P(MainWindowAsBuilt, IsHiddenWithItsControlsInTheirInitialState) {
    const bool picturePresent = GetParam();
    ProgramRun run;
    if (!picturePresent) run.bundle.remove("p.jpg");
    run.run(
        [&] {
            Ref<WindowObject> w = adopt(Window2::Window2());
            ASSERT_TRUE(w);
            EXPECT_FALSE(progtest::isVisible(w.get()));
            EXPECT_EQ(property(w.get(), WindowProp::Width).asInteger(), 619);
            EXPECT_EQ(property(w.get(), WindowProp::Height).asInteger(), 461);
            EXPECT_EQ(progtest::backdropOf(w.get()), picturePresent ? "p.jpg" : "none");

            const auto& rows = mainControls();
            ASSERT_EQ(w->controls.size(), rows.size());
            std::vector<std::string> visible, disabled;
            for (size_t i = 0; i < rows.size(); ++i) {
                const NamedControl& c = w->controls[i];
                SCOPED_TRACE(rows[i].name);
                EXPECT_EQ(view(c.name), rows[i].name);
                EXPECT_EQ(c.control->cls->registeredName(), rows[i].madeFrom);
                EXPECT_TRUE(c.control->constructed);
                if (progtest::isVisible(c.control.get())) visible.emplace_back(view(c.name));
                if (!property(c.control.get(), RectControlProp::Enabled).asBoolean()) disabled.emplace_back(view(c.name));
                const ClassRecord* cls = c.control->cls;
                const int unit = findProperty(cls, "TextUnit");
                ASSERT_GE(unit, 0);
                EXPECT_EQ(property(c.control.get(), unit).asInteger(), 0);
            }
            EXPECT_EQ(visible, (std::vector<std::string>{"BevelButton1", "Label1", "Label2", "Label3", "Label4"}));
            EXPECT_EQ(disabled, std::vector<std::string>{"CheckBox2"});

            auto* combo = progtest::controlAs<ComboBoxObject>(w.get(), "ComboBox1");
            ASSERT_NE(combo, nullptr);
            const std::string_view items = property(combo, PopupMenuProp::InitialValue).text();
            EXPECT_EQ(items, std::string_view("Noble 6\rSpartan MP\rJorge\rKat\r"));
            EXPECT_EQ(items.size(), 29u);
            EXPECT_EQ(property(combo, PopupMenuProp::ListIndex).asInteger(), 0);
            for (const char* caption : {"BevelButton1", "BevelButton14"})
                EXPECT_EQ(property(progtest::controlNamed(w.get(), caption), BevelButtonProp::Caption).text(), "OK");
        },
        nullptr);
}

INSTANTIATE_TEST_SUITE_P(Backdrop, MainWindowAsBuilt, ::testing::Bool(),
                         [](const auto& row) { return std::string(row.param ? "Present" : "Missing"); });

// ---- Accessors -------------------------------------------------------------------------------------

namespace {
template <auto F> Object* asObject(WindowObject* w) { return F(w); }

struct AccessorRow {
    const char* window;
    const char* control;
    Object* (*accessor)(WindowObject*);
};
}  // namespace

TEST(ControlAccessors, GiveTheControlOfTheirNameAndRaiseForNoWindow) {
    const AccessorRow rows[] = {
        {"Window1.Window1", "Timer1", &asObject<&Window1::Timer1>},
        {"Window1.Window1", "Timer2", &asObject<&Window1::Timer2>},
        {"Window2.Window2", "BevelButton1", &asObject<&Window2::BevelButton1>},
        {"Window2.Window2", "ComboBox1", &asObject<&Window2::ComboBox1>},
        {"Window2.Window2", "CheckBox1", &asObject<&Window2::CheckBox1>},
        {"Window2.Window2", "CheckBox2", &asObject<&Window2::CheckBox2>},
        {"Window2.Window2", "CheckBox3", &asObject<&Window2::CheckBox3>},
        {"Window2.Window2", "BevelButton3", &asObject<&Window2::BevelButton3>},
        {"Window2.Window2", "BevelButton4", &asObject<&Window2::BevelButton4>},
        {"Window2.Window2", "BevelButton5", &asObject<&Window2::BevelButton5>},
        {"Window2.Window2", "BevelButton6", &asObject<&Window2::BevelButton6>},
        {"Window2.Window2", "BevelButton7", &asObject<&Window2::BevelButton7>},
        {"Window2.Window2", "BevelButton8", &asObject<&Window2::BevelButton8>},
        {"Window2.Window2", "BevelButton9", &asObject<&Window2::BevelButton9>},
        {"Window2.Window2", "BevelButton10", &asObject<&Window2::BevelButton10>},
        {"Window2.Window2", "TextField1", &asObject<&Window2::TextField1>},
        {"Window2.Window2", "TextField2", &asObject<&Window2::TextField2>},
        {"Window2.Window2", "TextField3", &asObject<&Window2::TextField3>},
        {"Window2.Window2", "TextField4", &asObject<&Window2::TextField4>},
        {"Window2.Window2", "TextField5", &asObject<&Window2::TextField5>},
        {"Window2.Window2", "TextField6", &asObject<&Window2::TextField6>},
        {"Window2.Window2", "Label1", &asObject<&Window2::Label1>},
        {"Window2.Window2", "Label2", &asObject<&Window2::Label2>},
        {"Window2.Window2", "Label3", &asObject<&Window2::Label3>},
        {"Window2.Window2", "BevelButton12", &asObject<&Window2::BevelButton12>},
        {"Window2.Window2", "BevelButton13", &asObject<&Window2::BevelButton13>},
        {"Window2.Window2", "BevelButton14", &asObject<&Window2::BevelButton14>},
        {"Window2.Window2", "Label4", &asObject<&Window2::Label4>},
        {"Window3.Window3", "BevelButton1", &asObject<&Window3::BevelButton1>},
        {"Window3.Window3", "Label1", &asObject<&Window3::Label1>},
        {"Window3.Window3", "Label2", &asObject<&Window3::Label2>},
        {"Window3.Window3", "Label3", &asObject<&Window3::Label3>},
        {"Window3.Window3", "CheckBox1", &asObject<&Window3::CheckBox1>},
        {"Window3.Window3", "CheckBox2", &asObject<&Window3::CheckBox2>},
        {"Window3.Window3", "CheckBox3", &asObject<&Window3::CheckBox3>},
        {"Window3.Window3", "CheckBox4", &asObject<&Window3::CheckBox4>},
        {"Window4.Window4", "BevelButton1", &asObject<&Window4::BevelButton1>},
        {"Window4.Window4", "BevelButton2", &asObject<&Window4::BevelButton2>},
        {"Window5.Window5", "BevelButton1", &asObject<&Window5::BevelButton1>},
        {"Window6.Window6", "BevelButton1", &asObject<&Window6::BevelButton1>},
        {"Window6.Window6", "BevelButton2", &asObject<&Window6::BevelButton2>},
    };
    ProgramRun run;
    const int status = run.run(
        [&] {
            Ref<WindowObject> windows[] = {adopt(Window1::Window1()), adopt(Window2::Window2()),
                                           adopt(Window3::Window3()), adopt(Window4::Window4()),
                                           adopt(Window5::Window5()), adopt(Window6::Window6())};
            for (const AccessorRow& r : rows) {
                SCOPED_TRACE(std::string(r.window) + " " + r.control);
                WindowObject* w = nullptr;
                for (auto& candidate : windows)
                    if (candidate->cls->registeredName() == r.window) w = candidate.get();
                ASSERT_NE(w, nullptr);
                Ref<Object> found = adopt(r.accessor(w));
                EXPECT_EQ(found.get(), progtest::controlNamed(w, r.control));
                EXPECT_NE(found.get(), nullptr);

                bool raisedNil = false;
                try {
                    Ref<Object> none = adopt(r.accessor(nullptr));
                } catch (const Raised& e) {
                    raisedNil = e.exception()->cls == NilObjectException::__Lookup();
                }
                EXPECT_TRUE(raisedNil);
            }
        },
        nullptr);
    EXPECT_EQ(status, 0);
}

TEST(ControlAccessors, AMissingNameGivesNone) {
    ProgramRun run;
    run.run(
        [&] {
            Ref<WindowObject> w = adopt(Window2::Window2());
            String* missing = RuntimeNewString("BevelButton2");  // the main window has none of that name
            Ref<Object> found = adopt(protocol::control(w.get(), missing, ::BevelButton::__Lookup()));
            RuntimeUnlockString(missing);
            EXPECT_EQ(found.get(), nullptr);
        },
        nullptr);
}
