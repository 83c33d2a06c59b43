// The program's layout records, written entry by entry in each kind's fixed
// order; only the values that differ from one object to the next are arguments.
#pragma once

#include "loom/Loom.h"

#include <cstdint>
#include <string_view>

namespace records {

struct WindowValues {
    int32_t width, height;
    int32_t minHeight = 64;
    bool resizeable = false;
    bool liveResize = false;
    bool minimizeButton = true;
};

struct Bounds {
    int32_t left, top, width, height;
};

loom::String* window(const WindowValues& v);
loom::String* timer(int32_t period);
loom::String* bevelButton(std::string_view name, Bounds b, int32_t tabIndex, bool visible, bool enabled,
                          std::string_view caption);
loom::String* checkBox(std::string_view name, Bounds b, int32_t tabIndex, bool visible, bool enabled, bool checked);
loom::String* label(std::string_view name, Bounds b, int32_t tabIndex);
loom::String* textField(std::string_view name, int32_t left, int32_t top, int32_t tabIndex);
loom::String* comboBox(std::string_view name, Bounds b, int32_t tabIndex, bool visible, std::string_view items,
                       int32_t listIndex);

}  // namespace records
