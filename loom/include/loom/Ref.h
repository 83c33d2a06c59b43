// Scoped references: releases what it holds when it goes out of scope, on every
// way out, an exception included.
#pragma once

#include "loom/Runtime.h"

#include <utility>

namespace loom {

template <typename T>
class Ref {
public:
    Ref() = default;
    explicit Ref(T* adopted) : m_p(adopted) {}  // takes over one reference
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    Ref(Ref&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    Ref& operator=(Ref&& o) noexcept {
        reset(std::exchange(o.m_p, nullptr));
        return *this;
    }
    ~Ref() { RuntimeUnlockObject(m_p); }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    T* release() { return std::exchange(m_p, nullptr); }  // hands the reference on
    void reset(T* adopted = nullptr) {
        T* old = std::exchange(m_p, adopted);
        RuntimeUnlockObject(old);
    }

private:
    T* m_p = nullptr;
};

template <typename T>
Ref<T> adopt(T* p) {
    return Ref<T>(p);
}

// Calls the operation at `slot` of the object's virtual table, as a routine of type F.
template <typename F, typename... A>
decltype(auto) RuntimeVirtualCall(const Object* self, int slot, A&&... args) {
    return as<F>(self->cls->vtable->entries.at(static_cast<size_t>(slot)))(std::forward<A>(args)...);
}

}  // namespace loom
