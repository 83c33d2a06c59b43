// The entry point and the fixed start-up order.
#pragma once

#include "loom/Loom.h"

#include <cstdint>

int32_t Pmain();     // "% main"
void Pinitialize();  // "% initialize": every class, then the module state
void Pfinalize();    // "% finalize"
void _Main();
void _Startup();
void _InitFileTypes();
void _NewAppInstance();
void _ApplicationAddMenuHandlers();
void _MakeDefaultView();
// The exception-protection routine: calls `routine` with `argument` and returns
// the runtime exception it raised, or none; any other exception passes on.
loom::Object* _CallFunctionWithExceptionHandling(void* routine, void* argument);
