// Calls from Qt into the runtime and the program. No C++ exception may unwind
// through Qt's event loop: one that escapes is kept, the loop is ended, and
// run() raises it again once the loop has returned.
#pragma once

#include <exception>

namespace loom::qt {

void keepEscapedException(std::exception_ptr e);
std::exception_ptr takeEscapedException();

template <typename F> void guarded(F&& f) {
    try {
        f();
    } catch (...) {
        keepEscapedException(std::current_exception());
    }
}

// Asks the presenter to check, once the loop is idle, whether anything more can happen.
void scheduleIdleCheck();

}  // namespace loom::qt
