// The kinds of target a fuzzed record is applied to, chosen by the input's first byte.
#pragma once

#include "loom/Loom.h"

#include <array>

namespace fuzz {

inline const std::array<const loom::ClassRecord* (*)(), 7> kTargets{
    &loom::Window::__Lookup, &loom::Timer::__Lookup,     &loom::BevelButton::__Lookup, &loom::CheckBox::__Lookup,
    &loom::Label::__Lookup,  &loom::TextField::__Lookup, &loom::ComboBox::__Lookup,
};

}  // namespace fuzz
