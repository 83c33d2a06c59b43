// Calls from Qt into the runtime and the program. No C++ exception may unwind
// through Qt's event loop: the first one that escapes is kept, the loop is
// ended, and run() raises it again once the loop has returned.
#pragma once

#include <exception>

namespace loom::qt {

void keepException(std::exception_ptr e);
std::exception_ptr takeException();  // the kept one, or none; clears it
bool exceptionKept();

// Counts the calls from Qt into the runtime under way: while one is, widgets
// must not be deleted synchronously (their own handler may be on the stack).
int dispatchDepth();
struct DispatchScope {
    DispatchScope();
    ~DispatchScope();
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;
};

template <typename F>
void guarded(F&& fn) noexcept {
    DispatchScope scope;
    try {
        fn();
    } catch (...) {
        keepException(std::current_exception());
    }
}

}  // namespace loom::qt
