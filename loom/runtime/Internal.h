// Runtime internals shared by its modules.
#pragma once

#include "loom/Classes.h"

#include <string_view>

namespace loom::detail {

// Runs program code through the exception helper the program installed: a
// runtime exception that comes back is reported with `where` and dropped.
// Any other exception passes on to the caller.
template <typename F>
void callProgram(std::string_view where, F&& fn);
void callProgramRoutine(std::string_view where, void (*routine)(void*), void* argument);

template <typename F>
void callProgram(std::string_view where, F&& fn) {
    callProgramRoutine(
        where, [](void* p) { (*static_cast<F*>(p))(); }, &fn);
}

// "Window2.BevelButton1_Action": the member of `cls` whose code is `handler`.
std::string memberName(const ClassRecord* cls, Code handler);

// The framework's module state.
std::vector<Ref<WindowObject>>& windows();  // constructed windows
void noteUnhandled();                       // an exception reached the last catch

}  // namespace loom::detail
