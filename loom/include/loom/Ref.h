// Scoped references. A Ref holds one reference to a counted object or string
// and releases it when it goes out of scope, on every way out, an exception
// included. A WeakRef keeps its object's anchor, not the object: it reads none
// once the object is freed.
//
// Where ownership is spelled out: the program-facing interface (the dotted-name
// operations and the runtime's C-style calls) passes plain pointers, and the
// program relies on its conventions: an operation that returns an object or a
// string hands the caller one reference, and arguments are borrowed unless the
// operation says it takes one over. Inside the framework every owner is a Ref,
// a WeakRef or a std::unique_ptr, and a function that hands its caller a
// reference returns one of them. A plain pointer becomes a Ref by adopt() (the
// reference an operation handed over) or retain() (one of its own), and leaves
// one by get() (borrowed) or release() (handed on, where an operation returns).
#pragma once

#include "loom/Counting.h"

#include <cstddef>
#include <type_traits>
#include <utility>

namespace loom {

namespace detail {
// How each counted type is retained and released.
inline void retainCounted(Object* o) { RuntimeLockObject(o); }
inline void releaseCounted(Object* o) { RuntimeUnlockObject(o); }
inline void retainCounted(String* s) { RuntimeLockString(s); }
inline void releaseCounted(String* s) { RuntimeUnlockString(s); }
}  // namespace detail

template <typename T>
class Ref;
template <typename T>
Ref<T> adopt(T* p) noexcept;
template <typename T>
Ref<T> retain(T* p) noexcept;

template <typename T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) noexcept {}  // none, as a pointer converts
    Ref(const Ref& o) noexcept : m_p(o.m_p) { detail::retainCounted(m_p); }
    Ref(Ref&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    template <typename U>
    requires std::is_convertible_v<U*, T*> Ref(const Ref<U>& o)
    noexcept : m_p(o.m_p) { detail::retainCounted(m_p); }
    template <typename U>
    requires std::is_convertible_v<U*, T*> Ref(Ref<U>&& o)
    noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    // By value: the new reference is held before the old one goes, which may
    // have been the only holder of the new.
    Ref& operator=(Ref o) noexcept {
        std::swap(m_p, o.m_p);
        return *this;
    }
    ~Ref() { detail::releaseCounted(m_p); }

    // A temporary gives no pointer: none may outlive the reference that kept it valid.
    T* get() const& noexcept { return m_p; }
    T* get() const&& = delete;
    T* operator->() const noexcept { return m_p; }
    T& operator*() const noexcept { return *m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }

    [[nodiscard]] T* release() noexcept { return std::exchange(m_p, nullptr); }  // hands the reference on
    void reset() noexcept { detail::releaseCounted(std::exchange(m_p, nullptr)); }

private:
    struct Adopting {};
    Ref(T* p, Adopting) noexcept : m_p(p) {}
    friend Ref adopt<T>(T* p) noexcept;
    friend Ref retain<T>(T* p) noexcept;
    template <typename U>
    friend class Ref;

    T* m_p = nullptr;
};

// Takes over the one reference the pointer came with.
template <typename T>
Ref<T> adopt(T* p) noexcept {
    return Ref<T>(p, typename Ref<T>::Adopting{});
}
// Takes a reference of its own.
template <typename T>
Ref<T> retain(T* p) noexcept {
    detail::retainCounted(p);
    return Ref<T>(p, typename Ref<T>::Adopting{});
}

template <typename T, typename U>
requires requires(T* a, U* b) { a == b; }
bool operator==(const Ref<T>& a, const Ref<U>& b) noexcept { return a.get() == b.get(); }
template <typename T, typename U>
requires requires(T* a, U* b) { a == b; }
bool operator==(const Ref<T>& a, U* b) noexcept { return a.get() == b; }
template <typename T>
bool operator==(const Ref<T>& a, std::nullptr_t) noexcept {
    return a.get() == nullptr;
}

template <typename T>
class WeakRef {
public:
    WeakRef() = default;
    explicit WeakRef(T* o) : m_anchor(RuntimeWeakAnchor(o)) {}
    WeakRef(const WeakRef& o) : m_anchor(o.m_anchor) { RuntimeRetainWeak(m_anchor); }
    WeakRef(WeakRef&& o) noexcept : m_anchor(std::exchange(o.m_anchor, nullptr)) {}
    WeakRef& operator=(WeakRef o) noexcept {
        std::swap(m_anchor, o.m_anchor);
        return *this;
    }
    ~WeakRef() { RuntimeReleaseWeak(m_anchor); }

    T* get() const noexcept { return m_anchor ? static_cast<T*>(m_anchor->object) : nullptr; }  // none once freed
    Ref<T> strong() const { return retain(get()); }                                             // none once freed
    explicit operator bool() const noexcept { return get() != nullptr; }

private:
    WeakAnchor* m_anchor = nullptr;
};

}  // namespace loom
