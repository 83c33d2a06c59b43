// The application class: an Application that adds only an empty constructor.
#pragma once

#include "loom/Loom.h"

namespace App {
const loom::ClassRecord* __Lookup();
void __ctblinit();
void Constructor(loom::Object* self);
namespace slot {
enum : int { Constructor = loom::ApplicationSlot::Count };
}
}  // namespace App
