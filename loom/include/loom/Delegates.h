// Delegates' invoke routines, one per signature. A routine resolves the target
// (a weak target that is gone raises NilObjectException) and calls the code.
#pragma once

#include "loom/Classes.h"

namespace loom::Delegate {

// "( Ptr, Ptr ) as Object": the code with two pointer arguments, its object result.
Object* InvokePo_Object_Ppp(Object* delegate, void* first, void* second);
// "(  )": the code with no arguments.
void InvokePP(Object* delegate);
// "( Ptr )": the code with one pointer argument.
void InvokePPp(Object* delegate, void* argument);

// Control event handlers: the code with the window, the control and the event's arguments.
void IM_Invoke(Object* delegate, TimerObject* timer);                        // "( Timer )"
void IM_Invoke(Object* delegate, BevelButtonObject* button);                 // "( BevelButton )"
bool IM_Invoke(Object* delegate, LabelObject* label, int32_t x, int32_t y);  // "( Label, Int32, Int32 ) as Boolean"

}  // namespace loom::Delegate
