// Window3's behaviour. A section is the backdrop and the visibility of
// CheckBox2 to CheckBox4; each hot spot sets all four unconditionally.
#include "dialogs/Window3.h"
#include "forms/Handlers.h"
#include "forms/PictureCatalogue.h"

using namespace loom;
using handlers::setBackdrop;
using handlers::setVisible;

namespace Window3 {

namespace {
constexpr bool kShow = true, kHide = false;
}

void BevelButton1_Action(WindowObject*, BevelButtonObject*) { handlers::setWindowVisible(&Window3::Window3, false); }

bool Label1_MouseDown(WindowObject* w, LabelObject*, int32_t, int32_t) {
    setBackdrop(&Window3::Window3, &_x_s1::s1);
    setVisible<CheckBoxObject>(w, slot::CheckBox2, kShow);
    setVisible<CheckBoxObject>(w, slot::CheckBox3, kHide);
    setVisible<CheckBoxObject>(w, slot::CheckBox4, kHide);
    return false;
}

bool Label2_MouseDown(WindowObject* w, LabelObject*, int32_t, int32_t) {
    setBackdrop(&Window3::Window3, &_x_s2::s2);
    setVisible<CheckBoxObject>(w, slot::CheckBox2, kHide);
    setVisible<CheckBoxObject>(w, slot::CheckBox3, kShow);
    setVisible<CheckBoxObject>(w, slot::CheckBox4, kShow);
    return false;
}

bool Label3_MouseDown(WindowObject* w, LabelObject*, int32_t, int32_t) {
    setBackdrop(&Window3::Window3, &_x_s3::s3);
    setVisible<CheckBoxObject>(w, slot::CheckBox3, kHide);
    setVisible<CheckBoxObject>(w, slot::CheckBox4, kHide);
    setVisible<CheckBoxObject>(w, slot::CheckBox2, kShow);
    return false;
}

}  // namespace Window3
