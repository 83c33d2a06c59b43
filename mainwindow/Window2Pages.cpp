// The wizard's pages. A page is its backdrop and which controls are visible;
// each transition sets both from a fixed list, backdrop first, one call per
// control, in this order, without looking at what they were.
#include "forms/Handlers.h"
#include "forms/PictureCatalogue.h"
#include "mainwindow/Window2.h"

using namespace loom;
using handlers::setBackdrop;
using handlers::setVisible;

namespace Window2 {

namespace {
constexpr bool kShow = true, kHide = false;
String* const kAllFiles = RuntimeNewString("");
}  // namespace

// Page1 "OK": the open-file dialog, then Page2. The file chosen is not used.
void BevelButton1_Action(WindowObject* w, BevelButtonObject*) {
    RuntimeUnlockObject(GetOpenFolderItem(kAllFiles));
    setBackdrop(&Window2::Window2, &_x_cd::cd);
    setVisible<CheckBoxObject>(w, slot::CheckBox1, kShow);
    setVisible<CheckBoxObject>(w, slot::CheckBox2, kShow);
    setVisible<CheckBoxObject>(w, slot::CheckBox3, kShow);
    setVisible<ComboBoxObject>(w, slot::ComboBox1, kShow);
    setVisible<BevelButtonObject>(w, slot::BevelButton1, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton3, kShow);
    setVisible<BevelButtonObject>(w, slot::BevelButton13, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton4, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton12, kShow);
}

// Page2 "OK": Page3.
void BevelButton3_Action(WindowObject* w, BevelButtonObject*) {
    setBackdrop(&Window2::Window2, &_x_wd::wd);
    setVisible<CheckBoxObject>(w, slot::CheckBox1, kHide);
    setVisible<CheckBoxObject>(w, slot::CheckBox2, kHide);
    setVisible<CheckBoxObject>(w, slot::CheckBox3, kHide);
    setVisible<ComboBoxObject>(w, slot::ComboBox1, kHide);
    setVisible<TextFieldObject>(w, slot::TextField1, kShow);
    setVisible<TextFieldObject>(w, slot::TextField2, kShow);
    setVisible<TextFieldObject>(w, slot::TextField3, kShow);
    setVisible<TextFieldObject>(w, slot::TextField4, kShow);
    setVisible<TextFieldObject>(w, slot::TextField5, kShow);
    setVisible<TextFieldObject>(w, slot::TextField6, kShow);
    setVisible<BevelButtonObject>(w, slot::BevelButton3, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton4, kShow);
    setVisible<BevelButtonObject>(w, slot::BevelButton5, kShow);
    setVisible<BevelButtonObject>(w, slot::BevelButton6, kShow);
    setVisible<BevelButtonObject>(w, slot::BevelButton7, kShow);
    setVisible<BevelButtonObject>(w, slot::BevelButton8, kShow);
    setVisible<BevelButtonObject>(w, slot::BevelButton9, kShow);
    setVisible<BevelButtonObject>(w, slot::BevelButton10, kShow);
    setVisible<BevelButtonObject>(w, slot::BevelButton1, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton13, kShow);
    setVisible<BevelButtonObject>(w, slot::BevelButton12, kHide);
}

// Page3 "OK": Page4.
void BevelButton4_Action(WindowObject* w, BevelButtonObject*) {
    setBackdrop(&Window2::Window2, &_x_ad::ad);
    setVisible<TextFieldObject>(w, slot::TextField1, kHide);
    setVisible<TextFieldObject>(w, slot::TextField2, kHide);
    setVisible<TextFieldObject>(w, slot::TextField3, kHide);
    setVisible<TextFieldObject>(w, slot::TextField4, kHide);
    setVisible<TextFieldObject>(w, slot::TextField5, kHide);
    setVisible<TextFieldObject>(w, slot::TextField6, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton5, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton6, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton7, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton8, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton9, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton10, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton3, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton12, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton13, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton4, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton14, kShow);
}

// Page4 "OK": the main window is hidden; the page stays as it is.
void BevelButton14_Action(WindowObject*, BevelButtonObject*) { handlers::setWindowVisible(&Window2::Window2, false); }

// Page2 "BACK": Page1.
void BevelButton12_Action(WindowObject* w, BevelButtonObject*) {
    setBackdrop(&Window2::Window2, &_x_p::p);
    setVisible<TextFieldObject>(w, slot::TextField1, kHide);
    setVisible<TextFieldObject>(w, slot::TextField2, kHide);
    setVisible<TextFieldObject>(w, slot::TextField3, kHide);
    setVisible<TextFieldObject>(w, slot::TextField4, kHide);
    setVisible<TextFieldObject>(w, slot::TextField5, kHide);
    setVisible<TextFieldObject>(w, slot::TextField6, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton1, kShow);
    setVisible<BevelButtonObject>(w, slot::BevelButton3, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton5, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton6, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton7, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton8, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton9, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton10, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton12, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton4, kHide);
    setVisible<CheckBoxObject>(w, slot::CheckBox1, kHide);
    setVisible<CheckBoxObject>(w, slot::CheckBox2, kHide);
    setVisible<CheckBoxObject>(w, slot::CheckBox3, kHide);
    setVisible<ComboBoxObject>(w, slot::ComboBox1, kHide);
}

// Page3 "BACK": Page2.
void BevelButton13_Action(WindowObject* w, BevelButtonObject*) {
    setBackdrop(&Window2::Window2, &_x_cd::cd);
    setVisible<CheckBoxObject>(w, slot::CheckBox1, kShow);
    setVisible<CheckBoxObject>(w, slot::CheckBox2, kShow);
    setVisible<CheckBoxObject>(w, slot::CheckBox3, kShow);
    setVisible<ComboBoxObject>(w, slot::ComboBox1, kShow);
    setVisible<BevelButtonObject>(w, slot::BevelButton13, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton12, kShow);
    setVisible<BevelButtonObject>(w, slot::BevelButton3, kShow);
    setVisible<BevelButtonObject>(w, slot::BevelButton4, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton5, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton6, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton7, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton8, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton9, kHide);
    setVisible<BevelButtonObject>(w, slot::BevelButton10, kHide);
    setVisible<TextFieldObject>(w, slot::TextField1, kHide);
    setVisible<TextFieldObject>(w, slot::TextField2, kHide);
    setVisible<TextFieldObject>(w, slot::TextField3, kHide);
    setVisible<TextFieldObject>(w, slot::TextField4, kHide);
    setVisible<TextFieldObject>(w, slot::TextField5, kHide);
    setVisible<TextFieldObject>(w, slot::TextField6, kHide);
}

}  // namespace Window2
