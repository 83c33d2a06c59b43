#include "startup/App.h"

#include "forms/ClassSetup.h"

#include <array>

using namespace loom;

namespace App {

namespace {
const ClassRecord* g_record = nullptr;

// name, signature, code
const std::array<setup::Member, 1> kMembers{{
    /* 1 */ {"Constructor", "%%", code(&App::Constructor)},
}};
static_assert(kMembers.size() == 1);
}  // namespace

void Constructor(Object*) {}

void __ctblinit() { setup::setUpClass(g_record, {"App", &Application::__Lookup, kMembers, {}, {}}); }

const ClassRecord* __Lookup() {
    if (!g_record) __ctblinit();
    return g_record;
}

}  // namespace App
