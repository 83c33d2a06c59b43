// A value that lives until the process ends and is never destroyed by it.
// Whatever ends the process (return from main, exit() called by a library,
// a display lost inside Qt's loop) runs the exit handlers while other
// libraries are half gone: a value that reaches into them (widgets, Qt
// objects, the program's objects) must not be destroyed there. What it holds
// at the end stays reachable from it and is left to the kernel.
#pragma once

#include <utility>

namespace loom {

template <typename T>
class NeverDestroyed {
public:
    template <typename... Args>
    constexpr explicit NeverDestroyed(Args&&... args) : m_value(std::forward<Args>(args)...) {}
    ~NeverDestroyed() {}  // m_value's destructor is never run
    NeverDestroyed(const NeverDestroyed&) = delete;
    NeverDestroyed& operator=(const NeverDestroyed&) = delete;

    T& operator*() { return m_value; }
    T* operator->() { return &m_value; }

private:
    union {
        T m_value;
    };
};

}  // namespace loom
