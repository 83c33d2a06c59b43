// The section window: three sections, each a backdrop and a set of visible
// check boxes, chosen by three hot spots; "OK" hides it.
#pragma once

#include "loom/Loom.h"

namespace Window3 {

loom::WindowObject* Window3();
const loom::ClassRecord* __Lookup();
void __ctblinit();

void Layout(loom::WindowObject* window);
void CreateControls(loom::WindowObject* window);
void _CreateControls0(loom::WindowObject* window);
loom::BevelButtonObject* BevelButton1(loom::WindowObject* window);
loom::LabelObject* Label1(loom::WindowObject* window);
loom::LabelObject* Label2(loom::WindowObject* window);
loom::LabelObject* Label3(loom::WindowObject* window);
loom::CheckBoxObject* CheckBox1(loom::WindowObject* window);
loom::CheckBoxObject* CheckBox2(loom::WindowObject* window);
loom::CheckBoxObject* CheckBox3(loom::WindowObject* window);
loom::CheckBoxObject* CheckBox4(loom::WindowObject* window);
void BevelButton1_Action(loom::WindowObject* window, loom::BevelButtonObject* button);
bool Label1_MouseDown(loom::WindowObject* window, loom::LabelObject* label, int32_t x, int32_t y);
bool Label2_MouseDown(loom::WindowObject* window, loom::LabelObject* label, int32_t x, int32_t y);
bool Label3_MouseDown(loom::WindowObject* window, loom::LabelObject* label, int32_t x, int32_t y);

namespace slot {
enum : int {
    Layout = loom::WindowSlot::Count,
    CreateControls,
    _CreateControls0,
    BevelButton1,
    Label1,
    Label2,
    Label3,
    CheckBox1,
    CheckBox2,
    CheckBox3,
    CheckBox4,
    BevelButton1_Action,
    Label1_MouseDown,
    Label2_MouseDown,
    Label3_MouseDown,
    End
};
}
static_assert(slot::End - slot::Layout == 15);

}  // namespace Window3
