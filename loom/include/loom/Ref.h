// Scoped references. A Ref holds one reference to a counted object or string
// and releases it when it goes out of scope, on every way out, an exception
// included. A WeakRef keeps its object's anchor, not the object: it reads none
// once the object is freed.
#pragma once

#include "loom/Counting.h"

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
class Ref {
public:
    Ref() = default;
    explicit Ref(T* adopted) noexcept : m_p(adopted) {}  // takes over one reference
    static Ref adopt(T* p) noexcept { return Ref(p); }
    static Ref retain(T* p) {  // takes a reference of its own
        detail::retainCounted(p);
        return Ref(p);
    }

    Ref(const Ref& o) : m_p(o.m_p) { detail::retainCounted(m_p); }
    Ref(Ref&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    template <typename U>
    requires std::is_convertible_v<U*, T*> Ref(Ref<U>&& o)
    noexcept : m_p(o.release()) {}
    Ref& operator=(const Ref& o) {
        detail::retainCounted(o.m_p);  // first: the old value may be the only holder of the new
        reset(o.m_p);
        return *this;
    }
    Ref& operator=(Ref&& o) noexcept {
        reset(std::exchange(o.m_p, nullptr));
        return *this;
    }
    ~Ref() { detail::releaseCounted(m_p); }

    T* get() const noexcept { return m_p; }
    T* operator->() const noexcept { return m_p; }
    T& operator*() const noexcept { return *m_p; }
    // Passes as the plain pointer the runtime's operations take. A temporary
    // does not, so that no pointer outlives the reference that kept it valid.
    operator T*() const& noexcept { return m_p; }
    operator T*() const&& = delete;
    explicit operator bool() const noexcept { return m_p != nullptr; }

    T* release() noexcept { return std::exchange(m_p, nullptr); }  // hands the reference on
    void reset(T* adopted = nullptr) noexcept {
        T* old = std::exchange(m_p, adopted);
        detail::releaseCounted(old);
    }

private:
    T* m_p = nullptr;
};

template <typename T>
Ref<T> adopt(T* p) noexcept {
    return Ref<T>::adopt(p);
}
template <typename T>
Ref<T> retain(T* p) {
    return Ref<T>::retain(p);
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
    Ref<T> strong() const { return Ref<T>::retain(get()); }                                     // none once freed
    explicit operator bool() const noexcept { return get() != nullptr; }

private:
    WeakAnchor* m_anchor = nullptr;
};

}  // namespace loom
