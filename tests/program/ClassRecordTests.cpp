// The program's class records: counts, own members in order, attributes,
// bound events, and that building them again changes nothing.
#include "ProgramHarness.h"
#include "dialogs/Window3.h"
#include "dialogs/Window4.h"
#include "dialogs/Window5.h"
#include "dialogs/Window6.h"
#include "mainwindow/Window2.h"
#include "startup/App.h"
#include "startup/Main.h"
#include "startup/Window1.h"

#include <gtest/gtest.h>

using namespace loom;
using namespace progtest;

namespace {

// Registers every class as Pmain does, without running the program.
class ClassRecords : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::installHeadlessPresenter();
        RuntimeInit();
        Pinitialize();
    }
    void TearDown() override {
        Pfinalize();
        RuntimeExit();
    }
};

std::string attributeValue(const Attribute& a) { return a.value ? std::string(view(a.value)) : "<none>"; }

// "name=value" for each attribute of the member.
std::vector<std::string> attributesOf(const MemberRecord& m) {
    std::vector<std::string> out;
    for (const Attribute& a : m.attributes) out.push_back(std::string(view(a.name)) + "=" + attributeValue(a));
    return out;
}

std::vector<std::string> classAttributesOf(const ClassRecord* cls) {
    std::vector<std::string> out;
    for (const Attribute& a : cls->classAttributes) out.push_back(std::string(view(a.name)) + "=" + attributeValue(a));
    return out;
}

struct OwnMember {
    std::string name, signature;
};

std::vector<OwnMember> ownMembers(const ClassRecord* cls) {
    std::vector<OwnMember> out;
    for (size_t i = cls->parent->members.size(); i < cls->members.size(); ++i)
        out.push_back({std::string(view(cls->members[i].name)), std::string(view(cls->members[i].signature))});
    return out;
}

std::vector<std::string> boundEvents(const ClassRecord* cls) {
    std::vector<std::string> out;
    for (const EventRecord& e : cls->events)
        if (e.handler) out.emplace_back(view(e.name));
    return out;
}

}  // namespace

TEST_F(ClassRecords, AccessorsAreIdempotent) {
    const size_t count = RuntimeClassRecords().size();
    struct Accessor {
        const ClassRecord* (*lookup)();
        void (*build)();
    };
    for (const Accessor& a :
         {Accessor{&App::__Lookup, &App::__ctblinit}, Accessor{&Window1::__Lookup, &Window1::__ctblinit},
          Accessor{&Window1::Timer1Class::__Lookup, &Window1::Timer1Class::__ctblinit},
          Accessor{&Window1::Timer2Class::__Lookup, &Window1::Timer2Class::__ctblinit},
          Accessor{&Window2::__Lookup, &Window2::__ctblinit}, Accessor{&Window3::__Lookup, &Window3::__ctblinit},
          Accessor{&Window4::__Lookup, &Window4::__ctblinit}, Accessor{&Window5::__Lookup, &Window5::__ctblinit},
          Accessor{&Window6::__Lookup, &Window6::__ctblinit}}) {
        const ClassRecord* first = a.lookup();
        a.build();
        EXPECT_EQ(a.lookup(), first) << first->registeredName();
    }
    Pinitialize();
    EXPECT_EQ(RuntimeClassRecords().size(), count);
}

TEST_F(ClassRecords, AppAddsOnlyItsConstructor) {
    const ClassRecord* app = App::__Lookup();
    EXPECT_EQ(app->registeredName(), "App");
    EXPECT_EQ(app->parent, Application::__Lookup());
    ASSERT_EQ(app->vtable->entries.size(), 18u);  // Application's 17, then Constructor
    EXPECT_EQ(app->vtable->entries[17], code(&App::Constructor));
    for (size_t i = 0; i < 17; ++i) EXPECT_EQ(app->vtable->entries[i], Application::__Lookup()->vtable->entries[i]);
    ASSERT_EQ(app->members.size(), Application::__Lookup()->members.size() + 1);
    const MemberRecord& ctor = app->members.back();
    EXPECT_EQ(view(ctor.name), "Constructor");
    EXPECT_EQ(view(ctor.signature), "%%");
    EXPECT_EQ(ctor.code, code(&App::Constructor));
    EXPECT_EQ(attributesOf(ctor), std::vector<std::string>{"__Scope=Public"});
}

TEST_F(ClassRecords, AppBindsNoneOfTheApplicationsTenEventsAndHasNoClassAttribute) {
    const ClassRecord* app = App::__Lookup();
    const std::vector<std::string> kApplicationEvents{
        "Open",     "Close",      "EnableMenuItems",    "NewDocument", "OpenDocument", "HandleAppleEvent",
        "Activate", "Deactivate", "UnhandledException", "CancelClose"};
    std::vector<std::string> events;
    for (const EventRecord& e : app->events) events.emplace_back(view(e.name));
    EXPECT_EQ(events, kApplicationEvents);
    EXPECT_EQ(boundEvents(app), std::vector<std::string>{});
    EXPECT_EQ(classAttributesOf(app), std::vector<std::string>{});
    // Application's 17 operations and App's Constructor are its members; events are none.
    EXPECT_EQ(app->members.size(), 18u);
    EXPECT_EQ(app->properties.size(), Application::__Lookup()->properties.size());
}

TEST_F(ClassRecords, SplashWindowMembersEventsAndAttributes) {
    const ClassRecord* w1 = Window1::__Lookup();
    EXPECT_EQ(w1->registeredName(), "Window1.Window1");
    EXPECT_EQ(w1->parent, Window::__Lookup());
    EXPECT_EQ(w1->members.size(), 129u + 8u);
    EXPECT_EQ(w1->vtable->entries.size(), 52u + 8u);

    const std::vector<std::pair<std::string, std::string>> kOwn{{"Layout", "%%"},
                                                                {"CreateControls", "%%"},
                                                                {"_CreateControls0", "%%"},
                                                                {"Timer1", "%o<Timer>%"},
                                                                {"Timer2", "%o<Timer>%"},
                                                                {"Timer1_Action", "%%o<Timer>"},
                                                                {"Timer2_Action", "%%o<Timer>"},
                                                                {"Event_Open", "%%"}};
    const auto own = ownMembers(w1);
    ASSERT_EQ(own.size(), kOwn.size());
    for (size_t i = 0; i < kOwn.size(); ++i) {
        EXPECT_EQ(own[i].name, kOwn[i].first) << i;
        EXPECT_EQ(own[i].signature, kOwn[i].second) << i;
        const MemberRecord& m = w1->members[129 + i];
        EXPECT_EQ(m.code, w1->vtable->entries[52 + i]) << own[i].name;  // the member is its own vtable entry
        const std::vector<std::string> expected = own[i].name == "_CreateControls0"
                                                      ? std::vector<std::string>{"__Scope=Public", "Hidden=<none>"}
                                                      : std::vector<std::string>{"__Scope=Public"};
        EXPECT_EQ(attributesOf(m), expected) << own[i].name;
    }
    EXPECT_EQ(boundEvents(w1), (std::vector<std::string>{"Layout", "CreateControls", "Open"}));
    EXPECT_EQ(w1->events[WindowEvent::Layout].handler, code(&Window1::Layout));
    EXPECT_EQ(w1->events[WindowEvent::CreateControls].handler, code(&Window1::CreateControls));
    EXPECT_EQ(w1->events[WindowEvent::Open].handler, code(&Window1::Event_Open));
    EXPECT_EQ(classAttributesOf(w1), std::vector<std::string>{"__Scope=Public"});
}

TEST_F(ClassRecords, TimerClassesArePrivateTimersWithTheirOwnMembers) {
    const std::vector<std::string> kOwn{"_SetWindow", "Window", "_Index", "_SetIndex", "Constructor"};
    for (auto [cls, name] : {std::pair{Window1::Timer1Class::__Lookup(), "Window1.Timer1"},
                             std::pair{Window1::Timer2Class::__Lookup(), "Window1.Timer2"}}) {
        EXPECT_EQ(cls->registeredName(), name);
        EXPECT_EQ(cls->parent, Timer::__Lookup());
        std::vector<std::string> own;
        for (const OwnMember& m : ownMembers(cls)) own.push_back(m.name);
        EXPECT_EQ(own, kOwn) << name;
        EXPECT_EQ(cls->vtable->entries.size(), Timer::__Lookup()->vtable->entries.size() + kOwn.size());
        EXPECT_EQ(classAttributesOf(cls), std::vector<std::string>{"__Scope=Private"}) << name;
        EXPECT_TRUE(boundEvents(cls).empty());
    }
    EXPECT_NE(Window1::Timer1Class::__Lookup(), Window1::Timer2Class::__Lookup());
}

TEST_F(ClassRecords, MainWindowCountsAndItsFirstHandler) {
    const ClassRecord* w2 = Window2::__Lookup();
    EXPECT_EQ(w2->vtable->entries.size(), 97u);
    EXPECT_EQ(w2->members.size(), 174u);
    EXPECT_EQ(w2->events.size(), 33u);
    EXPECT_EQ(w2->properties.size(), 48u);
    EXPECT_EQ(w2->classAttributes.size(), 1u);
    EXPECT_EQ(classAttributesOf(w2), std::vector<std::string>{"__Scope=Public"});
    EXPECT_EQ(boundEvents(w2), (std::vector<std::string>{"Layout", "CreateControls"}));

    // The 30th own member and the 30th own vtable entry: BevelButton1_Action.
    const MemberRecord& thirtieth = w2->members[129 + 29];
    EXPECT_EQ(view(thirtieth.name), "BevelButton1_Action");
    EXPECT_EQ(view(thirtieth.signature), "%%o<BevelButton>");
    EXPECT_EQ(thirtieth.code, code(&Window2::BevelButton1_Action));
    EXPECT_EQ(w2->vtable->entries[52 + 29], code(&Window2::BevelButton1_Action));
    for (size_t i = 129; i < w2->members.size(); ++i) {
        const auto attributes = attributesOf(w2->members[i]);
        ASSERT_FALSE(attributes.empty());
        EXPECT_EQ(attributes[0], "__Scope=Public") << view(w2->members[i].name);
        EXPECT_EQ(attributes.size(), view(w2->members[i].name) == "_CreateControls0" ? 2u : 1u);
    }
}

TEST_F(ClassRecords, DialogMemberCounts) {
    struct Count {
        const ClassRecord* cls;
        const char* name;
        size_t members, own;
    };
    for (const Count& c :
         {Count{Window3::__Lookup(), "Window3.Window3", 144, 15}, Count{Window4::__Lookup(), "Window4.Window4", 135, 6},
          Count{Window5::__Lookup(), "Window5.Window5", 134, 5},
          Count{Window6::__Lookup(), "Window6.Window6", 136, 7}}) {
        EXPECT_EQ(c.cls->registeredName(), c.name);
        EXPECT_EQ(c.cls->members.size(), c.members) << c.name;
        EXPECT_EQ(ownMembers(c.cls).size(), c.own) << c.name;
        EXPECT_EQ(c.cls->vtable->entries.size(), 52 + c.own) << c.name;
        EXPECT_EQ(boundEvents(c.cls), (std::vector<std::string>{"Layout", "CreateControls"})) << c.name;
        EXPECT_EQ(classAttributesOf(c.cls), std::vector<std::string>{"__Scope=Public"}) << c.name;
    }
}

TEST(ClassRecordsInRun, MainWindowButtonIsBoundToItsOwnHandlerEntry) {
    ProgramRun run;
    bool checked = false;
    run.run(
        [&] {
            Ref<WindowObject> w = adopt(Window2::Window2());
            Ref<BevelButtonObject> button = adopt(Window2::BevelButton1(w.get()));
            Ref<Object> delegate = adopt(RuntimeEventDelegate(button.get(), kept("Action")));
            ASSERT_TRUE(delegate);
            EXPECT_EQ(RuntimeDelegateCode(delegate.get()), Window2::__Lookup()->vtable->entries[52 + 29]);
            checked = true;
        },
        nullptr);
    EXPECT_TRUE(checked);
}

// ---- Own members of the windows built on demand -------------------------------------------------

namespace {

constexpr const char* kNone = "%%";
constexpr const char* kButtonAccessor = "%o<BevelButton>%";
constexpr const char* kComboAccessor = "%o<ComboBox>%";
constexpr const char* kCheckAccessor = "%o<CheckBox>%";
constexpr const char* kFieldAccessor = "%o<TextField>%";
constexpr const char* kLabelAccessor = "%o<Label>%";
constexpr const char* kButtonHandler = "%%o<BevelButton>";
constexpr const char* kLabelHandler = "%b%o<Label>i4i4";

struct OwnMemberTable {
    const char* window;
    const ClassRecord* (*lookup)();
    std::vector<OwnMember> members;  // in virtual-table order after Window's
};

void PrintTo(const OwnMemberTable& t, std::ostream* os) { *os << t.window; }

const std::vector<OwnMemberTable>& ownMemberTables() {
    static const std::vector<OwnMemberTable> tables{
        {"Window2.Window2",
         &Window2::__Lookup,
         {{"Layout", kNone},
          {"CreateControls", kNone},
          {"_CreateControls0", kNone},
          {"BevelButton1", kButtonAccessor},
          {"ComboBox1", kComboAccessor},
          {"CheckBox1", kCheckAccessor},
          {"CheckBox2", kCheckAccessor},
          {"CheckBox3", kCheckAccessor},
          {"BevelButton3", kButtonAccessor},
          {"BevelButton4", kButtonAccessor},
          {"BevelButton5", kButtonAccessor},
          {"BevelButton6", kButtonAccessor},
          {"BevelButton7", kButtonAccessor},
          {"BevelButton8", kButtonAccessor},
          {"BevelButton9", kButtonAccessor},
          {"BevelButton10", kButtonAccessor},
          {"TextField1", kFieldAccessor},
          {"TextField2", kFieldAccessor},
          {"TextField3", kFieldAccessor},
          {"TextField4", kFieldAccessor},
          {"TextField5", kFieldAccessor},
          {"TextField6", kFieldAccessor},
          {"Label1", kLabelAccessor},
          {"Label2", kLabelAccessor},
          {"Label3", kLabelAccessor},
          {"BevelButton12", kButtonAccessor},
          {"BevelButton13", kButtonAccessor},
          {"BevelButton14", kButtonAccessor},
          {"Label4", kLabelAccessor},
          {"BevelButton1_Action", kButtonHandler},
          {"BevelButton3_Action", kButtonHandler},
          {"BevelButton4_Action", kButtonHandler},
          {"BevelButton5_Action", kButtonHandler},
          {"BevelButton6_Action", kButtonHandler},
          {"BevelButton7_Action", kButtonHandler},
          {"BevelButton8_Action", kButtonHandler},
          {"BevelButton9_Action", kButtonHandler},
          {"BevelButton10_Action", kButtonHandler},
          {"Label1_MouseDown", kLabelHandler},
          {"Label2_MouseDown", kLabelHandler},
          {"Label3_MouseDown", kLabelHandler},
          {"BevelButton12_Action", kButtonHandler},
          {"BevelButton13_Action", kButtonHandler},
          {"BevelButton14_Action", kButtonHandler},
          {"Label4_MouseDown", kLabelHandler}}},
        {"Window3.Window3",
         &Window3::__Lookup,
         {{"Layout", kNone},
          {"CreateControls", kNone},
          {"_CreateControls0", kNone},
          {"BevelButton1", kButtonAccessor},
          {"Label1", kLabelAccessor},
          {"Label2", kLabelAccessor},
          {"Label3", kLabelAccessor},
          {"CheckBox1", kCheckAccessor},
          {"CheckBox2", kCheckAccessor},
          {"CheckBox3", kCheckAccessor},
          {"CheckBox4", kCheckAccessor},
          {"BevelButton1_Action", kButtonHandler},
          {"Label1_MouseDown", kLabelHandler},
          {"Label2_MouseDown", kLabelHandler},
          {"Label3_MouseDown", kLabelHandler}}},
        {"Window4.Window4",
         &Window4::__Lookup,
         {{"Layout", kNone},
          {"CreateControls", kNone},
          {"_CreateControls0", kNone},
          {"BevelButton1", kButtonAccessor},
          {"BevelButton2", kButtonAccessor},
          {"BevelButton1_Action", kButtonHandler}}},
        {"Window5.Window5",
         &Window5::__Lookup,
         {{"Layout", kNone},
          {"CreateControls", kNone},
          {"_CreateControls0", kNone},
          {"BevelButton1", kButtonAccessor},
          {"BevelButton1_Action", kButtonHandler}}},
        {"Window6.Window6",
         &Window6::__Lookup,
         {{"Layout", kNone},
          {"CreateControls", kNone},
          {"_CreateControls0", kNone},
          {"BevelButton1", kButtonAccessor},
          {"BevelButton2", kButtonAccessor},
          {"BevelButton1_Action", kButtonHandler},
          {"BevelButton2_Action", kButtonHandler}}},
    };
    return tables;
}

class WindowOwnMembers : public ClassRecords, public ::testing::WithParamInterface<OwnMemberTable> {};

}  // namespace

// Each own member in its place, a virtual method carrying its own virtual-table
// entry, with __Scope "Public" and, on _CreateControls0 alone, Hidden.
TEST_P(WindowOwnMembers, NamesSignaturesAndAttributesInOrder) {
    const OwnMemberTable& table = GetParam();
    const ClassRecord* cls = table.lookup();
    ASSERT_EQ(cls->registeredName(), table.window);
    ASSERT_EQ(cls->parent, Window::__Lookup());
    const auto own = ownMembers(cls);
    ASSERT_EQ(own.size(), table.members.size());
    ASSERT_EQ(cls->vtable->entries.size(), 52 + table.members.size());
    for (size_t i = 0; i < table.members.size(); ++i) {
        const OwnMember& want = table.members[i];
        SCOPED_TRACE(std::to_string(i + 1) + ": " + want.name);
        EXPECT_EQ(own[i].name, want.name);
        EXPECT_EQ(own[i].signature, want.signature);
        const MemberRecord& m = cls->members[129 + i];
        EXPECT_EQ(m.kind, kMethodVirtual);
        EXPECT_NE(m.code, nullptr);
        EXPECT_EQ(m.code, cls->vtable->entries[52 + i]);
        const std::vector<std::string> attributes = want.name == "_CreateControls0"
                                                        ? std::vector<std::string>{"__Scope=Public", "Hidden=<none>"}
                                                        : std::vector<std::string>{"__Scope=Public"};
        EXPECT_EQ(attributesOf(m), attributes);
    }
    // The two bound window events run the members named for them.
    EXPECT_EQ(cls->events[WindowEvent::Layout].handler, cls->members[129 + 0].code);
    EXPECT_EQ(cls->events[WindowEvent::CreateControls].handler, cls->members[129 + 1].code);
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowOwnMembers, ::testing::ValuesIn(ownMemberTables()), [](const auto& row) {
    std::string n = row.param.window;
    return n.substr(0, n.find('.'));
});
