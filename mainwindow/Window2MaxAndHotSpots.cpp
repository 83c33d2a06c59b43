// The "MAX" buttons write their literal into the field on their row; the hot
// spots show the secondary windows. None of them changes the page.
#include "dialogs/Window3.h"
#include "dialogs/Window4.h"
#include "dialogs/Window5.h"
#include "dialogs/Window6.h"
#include "forms/Handlers.h"
#include "mainwindow/Window2.h"

using namespace loom;

namespace Window2 {

namespace {

String* const k16BitMax = RuntimeNewString("32767");
String* const k8BitMax = RuntimeNewString("127");

void setText(WindowObject* w, int fieldSlot, String* text) {
    Ref<TextFieldObject> field = adopt(RuntimeVirtualCall<TextFieldObject*(WindowObject*)>(w, fieldSlot, w));
    if (!field) RaiseNilObjectException();
    TextField::Text_Set(field.get(), 0, text);
}

}  // namespace

void BevelButton5_Action(WindowObject* w, BevelButtonObject*) { setText(w, slot::TextField1, k16BitMax); }
void BevelButton6_Action(WindowObject* w, BevelButtonObject*) { setText(w, slot::TextField2, k16BitMax); }
void BevelButton7_Action(WindowObject* w, BevelButtonObject*) { setText(w, slot::TextField3, k16BitMax); }
void BevelButton8_Action(WindowObject* w, BevelButtonObject*) { setText(w, slot::TextField4, k16BitMax); }
void BevelButton9_Action(WindowObject* w, BevelButtonObject*) { setText(w, slot::TextField5, k8BitMax); }
void BevelButton10_Action(WindowObject* w, BevelButtonObject*) { setText(w, slot::TextField6, k8BitMax); }

bool Label1_MouseDown(WindowObject*, LabelObject*, int32_t, int32_t) {
    handlers::setWindowVisible(&Window3::Window3, true);
    return false;
}

bool Label2_MouseDown(WindowObject*, LabelObject*, int32_t, int32_t) {
    handlers::setWindowVisible(&Window4::Window4, true);
    return false;
}

bool Label3_MouseDown(WindowObject*, LabelObject*, int32_t, int32_t) {
    handlers::setWindowVisible(&Window5::Window5, true);
    return false;
}

bool Label4_MouseDown(WindowObject*, LabelObject*, int32_t, int32_t) {
    handlers::setWindowVisible(&Window6::Window6, true);
    return false;
}

}  // namespace Window2
