#include "RuntimeFixture.h"

#include "loom/Testing.h"

#include <algorithm>

namespace rt {

using namespace loom;

std::string hex(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        if (!out.empty()) out += ' ';
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::string raw(std::initializer_list<int> bytes) {
    std::string out;
    for (int b : bytes) out += static_cast<char>(b);
    return out;
}

bool Caught::isa(const ClassRecord* c) const {
    for (const ClassRecord* p = cls; p; p = p->parent)
        if (p == c) return true;
    return false;
}

Object* catchingHelper(void* routine, void* argument) {
    try {
        reinterpret_cast<void (*)(void*)>(routine)(argument);
    } catch (const Raised& r) {
        if (!RuntimeObjectIsa(r.exception(), RuntimeException::__Lookup())) throw;
        RuntimeLockObject(r.exception());
        return r.exception();
    }
    return nullptr;
}

void RuntimeTest::SetUp() {
    clock = &testsupport::installHeadlessPresenter();
    RuntimeInit();
    registerFrameworkClasses();  // as the program's class registration does first
    liveAtStart = RuntimeLiveObjectCount();
}

void RuntimeTest::TearDown() {
    CallRecord::stop();
    _RuntimeSetExceptionHelper(nullptr);
    stopAllTimers();
    clock->drainPosted();
    RuntimeFinalizeModuleState();
    loom::testing::setExecutablePath("");
    // Whatever a case made, the runtime or the case itself, has been freed by now.
    EXPECT_EQ(RuntimeLiveObjectCount(), liveAtStart) << "objects left alive";
}

void RuntimeTest::expectInitialProperties(const Object* o, std::initializer_list<int> except) {
    const auto& declared = o->cls->properties;
    ASSERT_EQ(o->props.size(), declared.size());
    for (size_t i = 0; i < declared.size(); ++i) {
        if (std::find(except.begin(), except.end(), static_cast<int>(i)) != except.end()) continue;
        EXPECT_EQ(o->props[i], declared[i].initial) << o->cls->registeredName() << "." << view(declared[i].name);
    }
}

}  // namespace rt
