// Start-up, the event loop and shutdown.
#include "Internal.h"
#include "loom/CallRecord.h"
#include "loom/Presenter.h"
#include "loom/Executable.h"
#include "loom/NeverDestroyed.h"
#include "loom/Runtime.h"
#include "loom/Windows.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace loom {

namespace {
// Who owns the presentation at the end: the runtime's normal end takes every
// window's views in order (RuntimeFinalizeModuleState), while the presenter
// and its loop are still whole. The presenter itself, and the application
// object, are never destroyed by the process's exit: any exit, the normal one
// or one a library or a lost display makes from inside the loop, leaves them
// and what they still hold to the kernel.
constinit NeverDestroyed<std::unique_ptr<Presenter>> g_presenter;
using ExceptionHelper = Object* (*)(void*, void*);
ExceptionHelper g_exceptionHelper = nullptr;
constinit NeverDestroyed<Ref<Object>> g_application;
bool g_unhandled = false;
}  // namespace

Presenter::~Presenter() = default;

Presenter& presenter() {
    if (!*g_presenter) [[unlikely]] {
        // A fault of whoever started the runtime, not of the program's input.
        std::fputs(
            "loom: no presenter installed: install one (RuntimeSetPresenter, or loom::installQtPresentation) "
            "before RuntimeInit\n",
            stderr);
        std::exit(EXIT_FAILURE);
    }
    return **g_presenter;
}

Presenter* installedPresenter() { return g_presenter->get(); }

void RuntimeSetPresenter(std::unique_ptr<Presenter> p) { *g_presenter = std::move(p); }

namespace detail {

std::vector<Ref<WindowObject>>& windows() {
    // Never destroyed: what is left at exit is not freed then, when the
    // presentation may be gone. RuntimeFinalizeModuleState frees it in order.
    static NeverDestroyed<std::vector<Ref<WindowObject>>> list;
    return *list;
}

void noteUnhandled() { g_unhandled = true; }

void callProgramRoutine(std::string_view where, void (*routine)(void*), void* argument) {
    if (!g_exceptionHelper) {
        routine(argument);
        return;
    }
    const Ref<Object> exception = adopt(g_exceptionHelper(reinterpret_cast<void*>(routine), argument));
    if (!exception) return;
    std::fprintf(stderr, "%s: %s in %.*s\n", programName().c_str(), describeException(exception.get()).c_str(),
                 static_cast<int>(where.size()), where.data());
}

std::string memberName(const ClassRecord* cls, Code handler) {
    const MemberRecord* m = cls ? cls->memberByCode(handler) : nullptr;
    std::string owner(cls ? cls->registeredName() : "?");
    if (auto dot = owner.find('.'); dot != std::string::npos) owner.resize(dot);
    return owner + "." + (m ? std::string(view(m->name)) : std::string("?"));
}

}  // namespace detail

void RuntimeInit() {
    LOOM_RECORD("RuntimeInit");
    g_unhandled = false;
    presenter();  // none installed ends the process now, before anything is made
}

void RuntimeInitModuleState() { LOOM_RECORD("RuntimeInitModuleState"); }

void RuntimeFinalizeModuleState() {
    LOOM_RECORD("RuntimeFinalizeModuleState");
    // A timer the application ended before it fired is held while armed.
    stopAllTimers();
    // Windows go first: their controls' delegates may refer to them weakly.
    std::vector<Ref<WindowObject>> list;
    list.swap(detail::windows());
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        presenter().windowDestroyed(it->get());
        it->reset();
    }
}

int32_t RuntimeExit() {
    LOOM_RECORD("RuntimeExit");
    g_exceptionHelper = nullptr;
    g_application->reset();
    return g_unhandled ? 1 : 0;
}

void _RuntimeSetExceptionHelper(Code helper) {
    LOOM_RECORD("_RuntimeSetExceptionHelper");
    g_exceptionHelper = as<Object*(void*, void*)>(helper);
}

void _RunFrameworkInitialization(Code startup) {
    LOOM_RECORD("_RunFrameworkInitialization");
    as<void()>(startup)();
}

void _RuntimeInitExternalClasses() { LOOM_RECORD("_RuntimeInitExternalClasses"); }

void _RuntimeRegisterAppObject(Object* application) {
    LOOM_RECORD("_RuntimeRegisterAppObject", application ? std::string(application->cls->registeredName()) : "none");
    *g_application = retain(application);
}

Object* RuntimeApplication() { return g_application->get(); }

void _RuntimeRun() {
    LOOM_RECORD("_RuntimeRun");
    presenter().run();
}

void _UnhandledException(Object* exception) {
    LOOM_RECORD("_UnhandledException", describeException(exception));
    detail::noteUnhandled();
    std::fprintf(stderr, "%s: unhandled %s\n", programName().c_str(), describeException(exception).c_str());
}

}  // namespace loom
