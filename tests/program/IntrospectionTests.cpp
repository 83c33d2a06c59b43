// Member invokers: every own member of the program's classes has one that
// matches its signature, and calling through it does what calling the
// operation does, refusing arguments the signature does not allow.
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

TEST(Invokers, ExistOnlyForTheNotationsForms) {
    struct Case {
        const char* signature;
        bool known;
    };
    const Case cases[] = {
        {"%%", true},
        {"%o<Timer>%", true},
        {"%%o<BevelButton>", true},
        {"%b%o<Label>i4i4", true},
        {"%i4%", true},
        {"%%i4", true},
        {"", false},
        {"%", false},
        {"%%x", false},
        {"%o<>%", false},
        {"%o<Label%", false},
        {"%i4i4%", false},
        {"%%o<A>o<B>o<C>", false},
    };
    for (const Case& c : cases) EXPECT_EQ(RuntimeInvokerFor(c.signature) != nullptr, c.known) << c.signature;
}

TEST(Invokers, EveryOwnMemberOfTheProgramsClassesHasOne) {
    testsupport::installHeadlessPresenter();
    RuntimeInit();
    Pinitialize();
    for (const ClassRecord* cls :
         {App::__Lookup(), Window1::__Lookup(), Window1::Timer1Class::__Lookup(), Window1::Timer2Class::__Lookup(),
          Window2::__Lookup(), Window3::__Lookup(), Window4::__Lookup(), Window5::__Lookup(), Window6::__Lookup()}) {
        for (size_t i = cls->parent->members.size(); i < cls->members.size(); ++i) {
            const MemberRecord& m = cls->members[i];
            EXPECT_EQ(m.invoker, code(RuntimeInvokerFor(view(m.signature))))
                << cls->registeredName() << "." << view(m.name);
            EXPECT_NE(m.invoker, nullptr) << cls->registeredName() << "." << view(m.name);
        }
    }
    Pfinalize();
    RuntimeExit();
}

const MemberRecord& memberNamed(const ClassRecord* cls, std::string_view name) {
    for (const MemberRecord& m : cls->members)
        if (view(m.name) == name) return m;
    throw std::logic_error("no member " + std::string(name));
}

TEST(Invokers, CallTheMembersOfTheMainWindow) {
    ProgramRun run;
    bool ran = false;
    run.run(nullptr, [&] {
        Ref<WindowObject> w = adopt(Window2::Window2());
        const ClassRecord* cls = Window2::__Lookup();

        // An accessor gives its control, with the value's own reference.
        const Value accessed = RuntimeInvokeMember(memberNamed(cls, "BevelButton5"), w.get(), nullptr);
        Ref<BevelButtonObject> button = adopt(Window2::BevelButton5(w.get()));
        EXPECT_EQ(accessed.type(), PropType::Object);
        EXPECT_EQ(accessed.asObject(), button.get());

        // A button handler writes its field.
        const Value args[] = {Value::object(button.get())};
        RuntimeInvokeMember(memberNamed(cls, "BevelButton5_Action"), w.get(), args);
        Ref<TextFieldObject> field = adopt(Window2::TextField1(w.get()));
        EXPECT_EQ(property(field.get(), TextFieldProp::Text).text(), "32767");

        // A hot spot shows its window and answers false.
        Ref<LabelObject> label = adopt(Window2::Label1(w.get()));
        const Value mouse[] = {Value::object(label.get()), Value::integer(3), Value::integer(4)};
        const Value handled = RuntimeInvokeMember(memberNamed(cls, "Label1_MouseDown"), w.get(), mouse);
        EXPECT_EQ(handled.type(), PropType::Boolean);
        EXPECT_FALSE(handled.asBoolean());
        EXPECT_EQ(windowsNamed("Window3.Window3"), 1);

        // Arguments the signature does not allow are refused before the call.
        setProperty(field.get(), TextFieldProp::Text, Value::string("1"));
        const Value wrongClass[] = {Value::object(label.get())};
        const Value wrongType[] = {Value::integer(5)};
        for (const Value* bad : {wrongClass, wrongType}) {
            EXPECT_EQ(
                raisedClassOf([&] { RuntimeInvokeMember(memberNamed(cls, "BevelButton5_Action"), w.get(), bad); }),
                "RuntimeException");
            EXPECT_EQ(property(field.get(), TextFieldProp::Text).text(), "1");
        }
        ran = true;
    });
    EXPECT_TRUE(ran);
}

}  // namespace
