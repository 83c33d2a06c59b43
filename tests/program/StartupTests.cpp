// Start-up through Pmain: the fixed order of the framework's stages, the one
// application object, and where exceptions end up.
#include "ProgramHarness.h"
#include "forms/PluginEntrypoints.h"
#include "loom/Testing.h"
#include "startup/App.h"
#include "startup/Main.h"
#include "startup/Window1.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace loom;
using namespace progtest;

namespace {

// ---- A spy on App's constructor, in App's virtual table ----------------------------
using Constructor = void (*)(Object*);
Constructor g_originalConstructor = nullptr;
int g_constructorCalls = 0;
Object* g_constructed = nullptr;

void recordingConstructor(Object* self) {
    ++g_constructorCalls;
    g_constructed = self;
    LOOM_RECORD("App.Constructor", std::string(self->cls->registeredName()));
    g_originalConstructor(self);
}

void raisingConstructor(Object*) { RaiseNilObjectException(); }

// Registers the classes now and puts `replacement` at App's Constructor entry.
void replaceAppConstructor(Constructor replacement) {
    Code& entry = App::__Lookup()->vtable->entries.at(static_cast<size_t>(App::slot::Constructor));
    g_originalConstructor = as<void(Object*)>(entry);
    entry = code(replacement);
}

// The stages of Pmain, as the framework records them.
const std::initializer_list<std::string_view> kStageOps{"RuntimeInit",
                                                        "RuntimeInitModuleState",
                                                        "_RuntimeSetExceptionHelper",
                                                        "_RunFrameworkInitialization",
                                                        "_RuntimeInitExternalClasses",
                                                        "RuntimeAllocatePluginEntrypointsTable",
                                                        "_RuntimeRegisterAppObject",
                                                        "Window.Constructor",
                                                        "_RuntimeRun",
                                                        "_UnhandledException",
                                                        "RuntimeFinalizeModuleState",
                                                        "RuntimeExit"};

}  // namespace

TEST(Startup, PmainRunsTheStagesInTheirFixedOrder) {
    ProgramRun run;
    bool splashHiddenAtRun = false;
    CallRecord::start();
    const int status = run.run(
        [&] {
            Ref<WindowObject> splash = adopt(_GetImplicitWindow(kept("Window1.Window1")));
            splashHiddenAtRun = splash && !isVisible(splash.get());
        },
        nullptr);
    CallRecord::stop();
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(splashHiddenAtRun);

    const std::vector<std::string> kStages{
        "RuntimeInit",
        "RuntimeInitModuleState",
        "_RuntimeSetExceptionHelper",
        "_RunFrameworkInitialization",
        "_RuntimeInitExternalClasses",
        "RuntimeAllocatePluginEntrypointsTable 70",
        "_RuntimeRegisterAppObject App",
        "Window.Constructor Window1.Window1",
        "_RuntimeRun",
        "Window.Constructor Window2.Window2",  // the splash's hand-over, inside the loop
        "RuntimeFinalizeModuleState",
        "RuntimeExit",
    };
    EXPECT_EQ(linesOf(kStageOps), kStages);
    const auto& lines = CallRecord::lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "RuntimeInit");
    EXPECT_EQ(lines.back(), "RuntimeExit");

    // Every class is registered between RuntimeInit and the module state.
    const int init = indexOf("RuntimeInit"), moduleState = indexOf("RuntimeInitModuleState");
    int newClass = 0;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (opOf(lines[static_cast<size_t>(i)]) != "RuntimeNewClass") continue;
        ++newClass;
        EXPECT_GT(i, init);
        EXPECT_LT(i, moduleState) << lines[static_cast<size_t>(i)];
    }
    const auto& records = RuntimeClassRecords();
    EXPECT_EQ(newClass, static_cast<int>(records.size()));

    // The framework's classes first, then the program's, in this order, and no other.
    const std::vector<std::string> kProgramClasses{"App",
                                                   "Window1.Window1",
                                                   "Window1.Timer1",
                                                   "Window1.Timer2",
                                                   "Window2.Window2",
                                                   "Window3.Window3",
                                                   "Window4.Window4",
                                                   "Window5.Window5",
                                                   "Window6.Window6"};
    ASSERT_GT(records.size(), kProgramClasses.size());
    const size_t frameworkCount = records.size() - kProgramClasses.size();
    std::vector<std::string> tail;
    for (size_t i = frameworkCount; i < records.size(); ++i) tail.emplace_back(records[i]->registeredName());
    EXPECT_EQ(tail, kProgramClasses);
    std::set<std::string> framework;
    for (size_t i = 0; i < frameworkCount; ++i) framework.emplace(records[i]->registeredName());
    EXPECT_EQ(framework.size(), frameworkCount);
    for (const char* name : {"Object", "Application", "Window", "Timer", "BevelButton", "Label", "CheckBox",
                             "TextField", "ComboBox", "NilObjectException"})
        EXPECT_TRUE(framework.count(name)) << name;

    // The 70 plug-in lookups, after the external classes and before the application.
    std::vector<std::string> lookups;
    const int external = indexOf("_RuntimeInitExternalClasses"), app = indexOf("RuntimeNewObject App");
    for (int i = external; i < app; ++i)
        if (opOf(lines[static_cast<size_t>(i)]) == "RuntimeLookupPluginEntrypoint")
            lookups.push_back(lines[static_cast<size_t>(i)].substr(sizeof("RuntimeLookupPluginEntrypoint")));
    EXPECT_EQ(static_cast<int>(linesOf({"RuntimeLookupPluginEntrypoint"}).size()), 70);
    ASSERT_EQ(lookups.size(), 70u);
    EXPECT_EQ(lookups.front(), "_");
    EXPECT_EQ(lookups[1], "BevelButton.__Lookup");
    EXPECT_EQ(lookups.back(), "Toggle.State.Get");
    EXPECT_EQ(std::set<std::string>(lookups.begin(), lookups.end()).size(), 70u);
    ASSERT_NE(g_pluginEntrypoints, nullptr);
    for (int k = 0; k < 70; ++k) EXPECT_NE(g_pluginEntrypoints[k], nullptr) << lookups[static_cast<size_t>(k)];

    // The splash is built inside the framework initialisation, after the application.
    EXPECT_LT(indexOf("_RuntimeRegisterAppObject App"), indexOf("_GetImplicitWindow Window1.Window1"));
    EXPECT_EQ(countLine("_UnhandledException"), 0);
}

TEST(Startup, OneApplicationIsConstructedOnceAndRegistered) {
    ProgramRun run;
    replaceAppConstructor(&recordingConstructor);
    const Object* heldDuringRun = nullptr;
    const ClassRecord* heldClass = nullptr;
    CallRecord::start();
    const int status = run.run(
        [&] {
            heldDuringRun = RuntimeApplication();
            heldClass = heldDuringRun ? heldDuringRun->cls : nullptr;
        },
        nullptr);
    CallRecord::stop();
    EXPECT_EQ(status, 0);

    const std::vector<std::string> kAppStages{
        "_RuntimeInitExternalClasses",   "RuntimeAllocatePluginEntrypointsTable 70",
        "RuntimeNewObject App",          "App.Constructor App",
        "_RuntimeRegisterAppObject App", "_RuntimeRun",
        "RuntimeFinalizeModuleState",    "RuntimeExit"};
    // Only the application's RuntimeNewObject among the objects made.
    std::vector<std::string> appLines;
    for (const std::string& l : CallRecord::lines())
        if (l == "RuntimeNewObject App" || opOf(l) != "RuntimeNewObject")
            for (std::string_view op : {"_RuntimeInitExternalClasses", "RuntimeAllocatePluginEntrypointsTable",
                                        "RuntimeNewObject", "App.Constructor", "_RuntimeRegisterAppObject",
                                        "_RuntimeRun", "RuntimeFinalizeModuleState", "RuntimeExit"})
                if (opOf(l) == op) appLines.push_back(l);
    EXPECT_EQ(appLines, kAppStages);
    // Made, constructed and registered one after the other.
    const int made = indexOf("RuntimeNewObject App");
    EXPECT_EQ(indexOf("App.Constructor App"), made + 1);
    EXPECT_EQ(indexOf("_RuntimeRegisterAppObject App"), made + 2);

    EXPECT_EQ(g_constructorCalls, 1);
    EXPECT_EQ(countLine("RuntimeNewObject App"), 1);
    ASSERT_NE(heldDuringRun, nullptr);
    EXPECT_EQ(heldDuringRun, g_constructed);
    EXPECT_EQ(heldClass, App::__Lookup());     // the application is freed by now
    EXPECT_EQ(RuntimeApplication(), nullptr);  // released by RuntimeExit
}

TEST(Startup, AnExceptionInStartupIsUnhandledOnceAndTheRunIsSkipped) {
    ProgramRun run;
    replaceAppConstructor(&raisingConstructor);
    CallRecord::start();
    const int status = run.run([] { ADD_FAILURE() << "the event loop ran"; }, nullptr);
    CallRecord::stop();
    EXPECT_NE(status, 0);

    const auto unhandled = linesOf({"_UnhandledException"});
    ASSERT_EQ(unhandled.size(), 1u);
    EXPECT_EQ(unhandled[0].rfind("_UnhandledException NilObjectException", 0), 0u) << unhandled[0];
    const std::vector<std::string> kStages{"RuntimeInit",
                                           "RuntimeInitModuleState",
                                           "_RuntimeSetExceptionHelper",
                                           "_RunFrameworkInitialization",
                                           "_RuntimeInitExternalClasses",
                                           "RuntimeAllocatePluginEntrypointsTable 70",
                                           unhandled[0],
                                           "RuntimeFinalizeModuleState",
                                           "RuntimeExit"};
    EXPECT_EQ(linesOf(kStageOps), kStages);
    EXPECT_EQ(RuntimeApplication(), nullptr);
    EXPECT_TRUE(RuntimeWindows().empty());
}

TEST(Startup, AnExceptionEscapingTheEventLoopIsUnhandledAndPmainStillExits) {
    ProgramRun run;
    CallRecord::start();
    const int status = run.run(nullptr, [] { RuntimeRaise(RuntimeNewObject(Window::__Lookup())); });
    CallRecord::stop();
    EXPECT_NE(status, 0);

    const std::vector<std::string> kEnd{"_RuntimeRun", "_UnhandledException Window", "RuntimeFinalizeModuleState",
                                        "RuntimeExit"};
    const auto stages = linesOf({"_RuntimeRun", "_UnhandledException", "RuntimeFinalizeModuleState", "RuntimeExit"});
    EXPECT_EQ(stages, kEnd);
    EXPECT_EQ(CallRecord::lines().back(), "RuntimeExit");
    EXPECT_TRUE(RuntimeWindows().empty());
}

// ---- The exception-protection routine -------------------------------------------------

namespace {
Object* g_raised = nullptr;
int g_ran = 0;

void normalRoutine(void* argument) { *static_cast<int*>(argument) += 1; }
void raiseOf(const ClassRecord* cls) {
    g_raised = RuntimeNewObject(cls);
    RuntimeRaise(g_raised);
}
void raisesNil(void*) { raiseOf(NilObjectException::__Lookup()); }
void raisesRuntime(void*) { raiseOf(RuntimeException::__Lookup()); }
void raisesWindow(void*) { raiseOf(Window::__Lookup()); }

Object* protect(void (*routine)(void*), void* argument) {
    return _CallFunctionWithExceptionHandling(reinterpret_cast<void*>(routine), argument);
}
}  // namespace

TEST(Startup, ExceptionProtectionReturnsRuntimeExceptionsAndPassesOthers) {
    testsupport::installHeadlessPresenter();
    RuntimeInit();

    g_ran = 0;
    EXPECT_EQ(protect(&normalRoutine, &g_ran), nullptr);
    EXPECT_EQ(g_ran, 1);

    struct Case {
        const char* what;
        void (*routine)(void*);
    };
    for (const Case& c : {Case{"NilObjectException", &raisesNil}, Case{"RuntimeException", &raisesRuntime}}) {
        g_raised = nullptr;
        Ref<Object> returned = adopt(protect(c.routine, nullptr));
        ASSERT_NE(returned.get(), nullptr) << c.what;
        EXPECT_EQ(returned.get(), g_raised) << c.what;  // the exception itself
        EXPECT_EQ(returned->cls->registeredName(), c.what);
        EXPECT_GE(returned->refs, 1);
    }

    g_raised = nullptr;
    bool passed = false;
    try {
        Ref<Object> none = adopt(protect(&raisesWindow, nullptr));
    } catch (const Raised& r) {
        passed = true;
        EXPECT_EQ(r.exception(), g_raised);
    }
    EXPECT_TRUE(passed);
    EXPECT_EQ(RuntimeExit(), 0);
}

// ---- The delegates start-up makes ------------------------------------------------------

namespace {

// What one delegate was made with, and a weak reference that tells when it is freed.
struct Made {
    Code invoke = nullptr;
    Code routine = nullptr;
    bool hasTarget = false;
    bool weak = false;
    std::string signature;
    WeakAnchor* anchor = nullptr;
    bool alive() const { return anchor->object != nullptr; }
};

// Notes every delegate that RuntimeCreateDelegate makes while it lives;
// `onMade` runs as each is noted, with every one noted so far.
class DelegatesMade {
public:
    DelegatesMade() {
        loom::testing::observeDelegates([this](Object* o) {
            const auto* d = static_cast<const DelegateObject*>(o);
            made.push_back({d->invoke, d->routine, d->strongTarget || d->weakTarget, d->weak,
                            std::string(view(d->signature)), RuntimeWeakAnchor(o)});
            if (onMade) onMade();
        });
    }
    ~DelegatesMade() {
        loom::testing::observeDelegates({});
        for (const Made& m : made) RuntimeReleaseWeak(m.anchor);
    }
    DelegatesMade(const DelegatesMade&) = delete;
    DelegatesMade& operator=(const DelegatesMade&) = delete;

    std::vector<Made> made;
    std::function<void()> onMade;
};

// One row of start-up's delegate table.
struct DelegateRow {
    const char* signature;
    size_t length;
    Code invoke;
};
const DelegateRow kHelperRow{"( Ptr, Ptr ) as Object", 22, code(&Delegate::InvokePo_Object_Ppp)};
const DelegateRow kStartupRow{"(  )", 4, code(&Delegate::InvokePP)};
const DelegateRow kRoutineRow{"( Ptr )", 7, code(&Delegate::InvokePPp)};

void expectRow(const Made& m, const DelegateRow& row, Code routine) {
    SCOPED_TRACE(row.signature);
    EXPECT_EQ(m.signature, row.signature);
    EXPECT_EQ(m.signature.size(), row.length);
    EXPECT_EQ(m.invoke, row.invoke);
    EXPECT_EQ(m.routine, routine);
    EXPECT_FALSE(m.hasTarget);
    EXPECT_FALSE(m.weak);
}

std::function<void()> g_duringStartup;
void checkingConstructor(Object* self) {
    if (g_duringStartup) g_duringStartup();
    g_originalConstructor(self);
}

int g_routineCalls = 0;
std::function<void()> g_insideRoutine;
void routineChecking(void*) {
    ++g_routineCalls;
    if (g_insideRoutine) g_insideRoutine();
}
void routineRaising(void*) {
    routineChecking(nullptr);
    RaiseNilObjectException();
}

}  // namespace

// _Main's two delegates: each carries its row of the table and is freed once
// its address has been handed over, the first before the second is made.
TEST(Startup, MainsDelegatesCarryTheirRowsAndGoOnceTheirAddressIsHandedOver) {
    ProgramRun run;
    DelegatesMade delegates;
    bool helperGoneWhenStartupMade = false;
    delegates.onMade = [&] {
        if (delegates.made.size() == 2) helperGoneWhenStartupMade = !delegates.made[0].alive();
    };
    replaceAppConstructor(&checkingConstructor);
    bool startupAliveDuringStartup = false;
    g_duringStartup = [&] { startupAliveDuringStartup = delegates.made.size() >= 2 && delegates.made[1].alive(); };
    bool bothGoneAtRun = false;
    size_t madeBeforeRun = 0;
    const int status = run.run(
        [&] {
            madeBeforeRun = delegates.made.size();
            bothGoneAtRun = madeBeforeRun >= 2 && !delegates.made[0].alive() && !delegates.made[1].alive();
        },
        nullptr);
    g_duringStartup = nullptr;
    EXPECT_EQ(status, 0);

    ASSERT_GE(delegates.made.size(), 2u);
    expectRow(delegates.made[0], kHelperRow, code(&_CallFunctionWithExceptionHandling));
    expectRow(delegates.made[1], kStartupRow, code(&_Startup));
    EXPECT_TRUE(helperGoneWhenStartupMade);
    EXPECT_TRUE(startupAliveDuringStartup);
    EXPECT_TRUE(bothGoneAtRun);

    // The framework calls the program through the protection routine from then
    // on: each call's delegate is of the third row, and gone once it returned.
    int routineDelegates = 0;
    for (size_t i = 2; i < madeBeforeRun; ++i) {
        const Made& m = delegates.made[i];
        if (m.signature != kRoutineRow.signature) continue;
        ++routineDelegates;
        EXPECT_EQ(m.signature.size(), kRoutineRow.length);
        EXPECT_EQ(m.invoke, kRoutineRow.invoke);
        EXPECT_FALSE(m.hasTarget);
        EXPECT_FALSE(m.weak);
        EXPECT_FALSE(m.alive());
    }
    EXPECT_GE(routineDelegates, 2);  // at least the splash's Layout and CreateControls
}

TEST(Startup, ProtectionCallsTheRoutineThroughADelegateItReleasesOnEveryWayOut) {
    testsupport::installHeadlessPresenter();
    RuntimeInit();
    struct Case {
        const char* what;
        void (*routine)(void*);
        bool raises;
    };
    for (const Case& c : {Case{"returns", &routineChecking, false}, Case{"raises", &routineRaising, true}}) {
        SCOPED_TRACE(c.what);
        DelegatesMade delegates;
        bool aliveDuringCall = false;
        g_insideRoutine = [&] { aliveDuringCall = delegates.made.size() == 1 && delegates.made[0].alive(); };
        g_routineCalls = 0;
        Ref<Object> result = adopt(_CallFunctionWithExceptionHandling(reinterpret_cast<void*>(c.routine), nullptr));
        g_insideRoutine = nullptr;
        EXPECT_EQ(result.get() != nullptr, c.raises);
        EXPECT_EQ(g_routineCalls, 1);
        ASSERT_EQ(delegates.made.size(), 1u);
        expectRow(delegates.made[0], kRoutineRow, reinterpret_cast<Code>(c.routine));
        EXPECT_TRUE(aliveDuringCall);
        EXPECT_FALSE(delegates.made[0].alive());
    }
    EXPECT_EQ(RuntimeExit(), 0);
}
