// The main window: a four-page wizard on one window, the "MAX" buttons of its
// third page and four hot spots that show the secondary windows.
// Tables here are laid out by hand.
// clang-format off
#pragma once

#include "loom/Loom.h"

namespace Window2 {

loom::WindowObject* Window2();  // the implicit instance, constructed on first call
const loom::ClassRecord* __Lookup();
void __ctblinit();

void Layout(loom::WindowObject* window);
void CreateControls(loom::WindowObject* window);
void _CreateControls0(loom::WindowObject* window);

// Control accessors.
loom::BevelButtonObject* BevelButton1(loom::WindowObject* window);
loom::ComboBoxObject* ComboBox1(loom::WindowObject* window);
loom::CheckBoxObject* CheckBox1(loom::WindowObject* window);
loom::CheckBoxObject* CheckBox2(loom::WindowObject* window);
loom::CheckBoxObject* CheckBox3(loom::WindowObject* window);
loom::BevelButtonObject* BevelButton3(loom::WindowObject* window);
loom::BevelButtonObject* BevelButton4(loom::WindowObject* window);
loom::BevelButtonObject* BevelButton5(loom::WindowObject* window);
loom::BevelButtonObject* BevelButton6(loom::WindowObject* window);
loom::BevelButtonObject* BevelButton7(loom::WindowObject* window);
loom::BevelButtonObject* BevelButton8(loom::WindowObject* window);
loom::BevelButtonObject* BevelButton9(loom::WindowObject* window);
loom::BevelButtonObject* BevelButton10(loom::WindowObject* window);
loom::TextFieldObject* TextField1(loom::WindowObject* window);
loom::TextFieldObject* TextField2(loom::WindowObject* window);
loom::TextFieldObject* TextField3(loom::WindowObject* window);
loom::TextFieldObject* TextField4(loom::WindowObject* window);
loom::TextFieldObject* TextField5(loom::WindowObject* window);
loom::TextFieldObject* TextField6(loom::WindowObject* window);
loom::LabelObject* Label1(loom::WindowObject* window);
loom::LabelObject* Label2(loom::WindowObject* window);
loom::LabelObject* Label3(loom::WindowObject* window);
loom::BevelButtonObject* BevelButton12(loom::WindowObject* window);
loom::BevelButtonObject* BevelButton13(loom::WindowObject* window);
loom::BevelButtonObject* BevelButton14(loom::WindowObject* window);
loom::LabelObject* Label4(loom::WindowObject* window);

// Page transitions ("OK" and "BACK").
void BevelButton1_Action(loom::WindowObject* window, loom::BevelButtonObject* button);
void BevelButton3_Action(loom::WindowObject* window, loom::BevelButtonObject* button);
void BevelButton4_Action(loom::WindowObject* window, loom::BevelButtonObject* button);
void BevelButton12_Action(loom::WindowObject* window, loom::BevelButtonObject* button);
void BevelButton13_Action(loom::WindowObject* window, loom::BevelButtonObject* button);
void BevelButton14_Action(loom::WindowObject* window, loom::BevelButtonObject* button);
// "MAX".
void BevelButton5_Action(loom::WindowObject* window, loom::BevelButtonObject* button);
void BevelButton6_Action(loom::WindowObject* window, loom::BevelButtonObject* button);
void BevelButton7_Action(loom::WindowObject* window, loom::BevelButtonObject* button);
void BevelButton8_Action(loom::WindowObject* window, loom::BevelButtonObject* button);
void BevelButton9_Action(loom::WindowObject* window, loom::BevelButtonObject* button);
void BevelButton10_Action(loom::WindowObject* window, loom::BevelButtonObject* button);
// Hot spots.
bool Label1_MouseDown(loom::WindowObject* window, loom::LabelObject* label, int32_t x, int32_t y);
bool Label2_MouseDown(loom::WindowObject* window, loom::LabelObject* label, int32_t x, int32_t y);
bool Label3_MouseDown(loom::WindowObject* window, loom::LabelObject* label, int32_t x, int32_t y);
bool Label4_MouseDown(loom::WindowObject* window, loom::LabelObject* label, int32_t x, int32_t y);

// Own members in the virtual table, after Window's.
namespace slot {
enum : int {
    Layout = loom::WindowSlot::Count, CreateControls, _CreateControls0,
    BevelButton1, ComboBox1, CheckBox1, CheckBox2, CheckBox3, BevelButton3, BevelButton4, BevelButton5,
    BevelButton6, BevelButton7, BevelButton8, BevelButton9, BevelButton10, TextField1, TextField2, TextField3,
    TextField4, TextField5, TextField6, Label1, Label2, Label3, BevelButton12, BevelButton13, BevelButton14,
    Label4,
    BevelButton1_Action, BevelButton3_Action, BevelButton4_Action, BevelButton5_Action, BevelButton6_Action,
    BevelButton7_Action, BevelButton8_Action, BevelButton9_Action, BevelButton10_Action, Label1_MouseDown,
    Label2_MouseDown, Label3_MouseDown, BevelButton12_Action, BevelButton13_Action, BevelButton14_Action,
    Label4_MouseDown,
    End
};
}
static_assert(slot::End - slot::Layout == 45);

}  // namespace Window2
