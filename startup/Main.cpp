#include "startup/Main.h"

#include "dialogs/Window3.h"
#include "dialogs/Window4.h"
#include "dialogs/Window5.h"
#include "dialogs/Window6.h"
#include "forms/PluginEntrypoints.h"
#include "mainwindow/Window2.h"
#include "startup/App.h"
#include "startup/Window1.h"

using namespace loom;

namespace {
String* const kHelperSignature = RuntimeNewString("( Ptr, Ptr ) as Object");
String* const kStartupSignature = RuntimeNewString("(  )");
String* const kRoutineSignature = RuntimeNewString("( Ptr )");
}  // namespace

int32_t Pmain() {
    RuntimeInit();
    Pinitialize();
    _Main();
    Pfinalize();
    return RuntimeExit();
}

void Pinitialize() {
    registerFrameworkClasses();
    App::__ctblinit();
    Window1::__ctblinit();
    Window1::Timer1Class::__ctblinit();
    Window1::Timer2Class::__ctblinit();
    Window2::__ctblinit();
    Window3::__ctblinit();
    Window4::__ctblinit();
    Window5::__ctblinit();
    Window6::__ctblinit();
    RuntimeInitModuleState();
}

void Pfinalize() { RuntimeFinalizeModuleState(); }

void _Main() {
    Object* delegate = nullptr;
    try {
        delegate = RuntimeCreateDelegate(code(&Delegate::InvokePo_Object_Ppp),
                                         code(&_CallFunctionWithExceptionHandling), nullptr, kHelperSignature, 0);
        _RuntimeSetExceptionHelper(RuntimeDelegateCode(delegate));
        RuntimeUnlockObject(std::exchange(delegate, nullptr));

        delegate = RuntimeCreateDelegate(code(&Delegate::InvokePP), code(&_Startup), nullptr, kStartupSignature, 0);
        _RunFrameworkInitialization(RuntimeDelegateCode(delegate));
        RuntimeUnlockObject(std::exchange(delegate, nullptr));

        _RuntimeRun();
    } catch (...) {
        // Both references go once _UnhandledException returns, or raises: the
        // delegate not yet released first, then the exception.
        Ref<Object> exception = adopt(RuntimeCurrentException());
        Ref<Object> pending = adopt(std::exchange(delegate, nullptr));
        _UnhandledException(exception.get());
    }
}

void _Startup() {
    _RuntimeInitExternalClasses();
    _InitPluginEntrypoints();
    _InitFileTypes();
    _NewAppInstance();
    _ApplicationAddMenuHandlers();
    _MakeDefaultView();
}

void _InitFileTypes() {}

void _NewAppInstance() {
    Ref<Object> app = adopt(RuntimeNewObject(App::__Lookup()));
    RuntimeVirtualCall<void(Object*)>(app.get(), App::slot::Constructor, app.get());
    _RuntimeRegisterAppObject(app.get());
}

void _ApplicationAddMenuHandlers() {}

void _MakeDefaultView() { RuntimeUnlockObject(Window1::Window1()); }

Object* _CallFunctionWithExceptionHandling(void* routine, void* argument) {
    Object* result = nullptr;
    Ref<Object> delegate = adopt(RuntimeCreateDelegate(code(&Delegate::InvokePPp), reinterpret_cast<Code>(routine),
                                                       nullptr, kRoutineSignature, 0));
    try {
        Delegate::InvokePPp(delegate.get(), argument);
    } catch (const Raised& raised) {
        if (!RuntimeObjectIsa(raised.exception(), RuntimeException::__Lookup())) throw;
        result = raised.exception();
        RuntimeLockObject(result);
    }
    return result;
}
