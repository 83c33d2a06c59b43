// The plug-in entry points, resolved by name at start-up. Every member of the
// bevel button that a window calls runs through its entry.
#pragma once

#include "loom/Loom.h"

#include <array>
#include <cstdint>
#include <string_view>

inline constexpr int kPluginEntrypointCount = 70;
extern const std::array<std::string_view, kPluginEntrypointCount> kPluginEntrypointNames;
extern loom::Code* g_pluginEntrypoints;

void _InitPluginEntrypoints();

// The bevel button's members used by the windows, each through its entry; an
// entry that did not resolve raises NilObjectException.
namespace BevelButton {
const loom::ClassRecord* __Lookup();
void TextUnit_Set(loom::Object* button, int32_t index, uint8_t unit);
}  // namespace BevelButton
