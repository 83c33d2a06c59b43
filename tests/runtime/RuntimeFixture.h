// Shared pieces of the runtime tests: a fixture that starts the runtime on a
// headless presenter, scoped strings, and a catcher for raised exceptions.
#pragma once

#include "loom/Loom.h"
#include "support/HeadlessPresenter.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

namespace loom {
// Readable values in assertion messages.
inline void PrintTo(const Value& v, std::ostream* os) { *os << typeName(v.type()) << ' ' << v.describe(); }
}  // namespace loom

namespace rt {

// Bytes as upper-case hexadecimal pairs separated by blanks: "4D 6F 64 65".
std::string hex(std::string_view bytes);
// A byte string from byte values, for record pieces that are not text.
std::string raw(std::initializer_list<int> bytes);

// A new counted string, released at the end of its scope.
class Text {
public:
    explicit Text(std::string_view bytes) : m_s(loom::adopt(loom::RuntimeNewString(bytes))) {}
    loom::String* get() const { return m_s.get(); }

private:
    loom::Ref<loom::String> m_s;
};

// What a call raised: the exception's class and its message.
struct Caught {
    bool raised = false;
    const loom::ClassRecord* cls = nullptr;
    std::string message;
    bool isa(const loom::ClassRecord* c) const;  // along the class chain
};

template <typename F>
Caught catchRaised(F&& f) {
    Caught c;
    try {
        f();
    } catch (const loom::Raised& r) {
        c.raised = true;
        c.cls = r.exception() ? r.exception()->cls : nullptr;
        if (loom::RuntimeObjectIsa(r.exception(), loom::RuntimeException::__Lookup()))
            c.message = static_cast<const loom::ExceptionObject*>(r.exception())->message;
    }
    return c;
}

// An exception helper as a program installs one: runs the routine and hands
// back a runtime exception it raised, with a reference; passes others on.
loom::Object* catchingHelper(void* routine, void* argument);

// Starts the runtime on a fresh headless presenter and, at the end, drops what
// a case may leave behind: armed timers, registered windows, the helper.
class RuntimeTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    template <typename T = loom::Object>
    loom::Ref<T> make(const loom::ClassRecord* cls) {
        return loom::newObject<T>(cls);
    }

    // Every property of `o` other than those in `except` still holds its initial value.
    static void expectInitialProperties(const loom::Object* o, std::initializer_list<int> except = {});

    testsupport::HeadlessPresenter* clock = nullptr;
    int64_t liveAtStart = 0;
};

}  // namespace rt
