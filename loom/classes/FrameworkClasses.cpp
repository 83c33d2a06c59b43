// The framework's classes. Each table lists, in order: the virtual operations a
// class adds to its parent's, its properties (name, declared type, initial
// value), its events, and its further members.
// Tables here are laid out by hand.
// clang-format off
#include "ClassBuilder.h"
#include "loom/Files.h"
#include "loom/Runtime.h"
#include "loom/Windows.h"

namespace loom {

using detail::allocate;
using detail::buildClass;
using T = PropType;

namespace {
Value I(int32_t v) { return Value::integer(v); }
Value E(int32_t v) { return Value::integer(v, T::Enumeration); }
Value B(bool v) { return Value::boolean(v); }
Value S(std::string_view v = {}) { return Value::string(v); }
Value C(uint8_t r, uint8_t g, uint8_t b) { return Value::color({r, g, b}); }
Value F(float v) { return Value::single(v); }
Value U(uint8_t v) { return Value::byteEnum(v); }
Value O() { return Value::object(nullptr); }
constexpr int32_t kNoIndex = INT32_MIN;

// Window operations the framework implements; the rest raise "not supported".
void windowShow(WindowObject* w) { Window::Visible_Set(w, 0, true); }
void windowHide(WindowObject* w) { Window::Visible_Set(w, 0, false); }
void windowClose(WindowObject* w) { closeWindow(w); }
WindowObject* windowSelf(WindowObject* w) {
    RuntimeLockObject(w);
    return w;
}
Object* windowControlAt(WindowObject* w, int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= w->controls.size()) return nullptr;
    Object* c = w->controls[static_cast<size_t>(index)].control;
    RuntimeLockObject(c);
    return c;
}
WindowObject* controlWindow(ControlObject* c) {
    RuntimeLockObject(c->window);
    return c->window;
}
void controlClose(ControlObject* c) { RectControl::Visible_Set(c, 0, false); }
void timerReset(TimerObject* t) { Timer::Mode_Set(t, 0, property(t, TimerProp::Mode).asInteger()); }
void timerCallAction(TimerObject* t) { fireTimer(t); }
}  // namespace

namespace ObjectClass {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({"Object", nullptr, allocate<Object>, {}, {}, {}, {}});
    return r;
}
}  // namespace ObjectClass

namespace Application {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({
        "Application", ObjectClass::__Lookup(), allocate<ApplicationObject>,
        {{"NewDocument", nullptr}, {"OpenDocument", nullptr}, {"DoEvents", nullptr}, {"_AddMenuHandler", nullptr},
         {"_AddPollableObject", nullptr}, {"_RemovePollableObject", nullptr}, {"AddTrayItem", nullptr},
         {"RemoveTrayItem", nullptr}, {"YieldToNextThread", nullptr}, {"SleepCurrentThread", nullptr},
         {"_DoSingleEvent", nullptr}, {"_EnableMenuItems", nullptr}, {"_CallOpen", nullptr},
         {"_HandleMenuCommand", nullptr}, {"_LoadPictureFromBundle", nullptr}, {"_LoadBundleSound", nullptr},
         {"__DependencyList", nullptr}},
        {},
        {"Open", "Close", "EnableMenuItems", "NewDocument", "OpenDocument", "HandleAppleEvent", "Activate",
         "Deactivate", "UnhandledException", "CancelClose"},
        {}});
    return r;
}
}  // namespace Application

namespace RuntimeException {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({"RuntimeException", ObjectClass::__Lookup(), allocate<ExceptionObject>,
                                              {}, {{"Message", T::String, S()}, {"ErrorNumber", T::Integer, I(0)}},
                                              {}, {}});
    return r;
}
}  // namespace RuntimeException

namespace NilObjectException {
const ClassRecord* __Lookup() {
    static const ClassRecord* r =
        buildClass({"NilObjectException", RuntimeException::__Lookup(), nullptr, {}, {}, {}, {}});
    return r;
}
}  // namespace NilObjectException

namespace Picture {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({"Picture", ObjectClass::__Lookup(), allocate<PictureObject>, {},
                                              {{"Width", T::Integer, I(0)}, {"Height", T::Integer, I(0)}}, {}, {}});
    return r;
}
}  // namespace Picture

namespace FolderItem {
const ClassRecord* __Lookup() {
    static const ClassRecord* r =
        buildClass({"FolderItem", ObjectClass::__Lookup(), allocate<FolderItemObject>, {}, {}, {}, {}});
    return r;
}
}  // namespace FolderItem

namespace Delegate {
const ClassRecord* __Lookup() {
    static const ClassRecord* r =
        buildClass({"Delegate", ObjectClass::__Lookup(), allocate<DelegateObject>, {}, {}, {}, {}});
    return r;
}
}  // namespace Delegate

namespace Window {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({
        "Window", ObjectClass::__Lookup(), allocate<WindowObject>,
        {{"Show", code(&windowShow)}, {"ShowWithin", nullptr}, {"ShowModalWithin", nullptr}, {"Hide", code(&windowHide)},
         {"Close", code(&windowClose)}, {"Refresh", nullptr}, {"RefreshRect", nullptr}, {"ShowModal", nullptr},
         {"NewDragItem", nullptr}, {"AcceptTextDrop", nullptr}, {"AcceptPictureDrop", nullptr},
         {"AcceptFileDrop", nullptr}, {"AcceptMacDataDrop", nullptr}, {"AcceptRawDataDrop", nullptr},
         {"Control", code(&windowControlAt)}, {"SetFocus", nullptr}, {"DrawInto", nullptr}, {"_DrawBackground", nullptr},
         {"UpdateNow", nullptr}, {"_AddControl", code(&Window::_AddControl)}, {"_AddMenuHandler", nullptr},
         {"Window", code(&windowSelf)}, {"Operator_Convert", nullptr}, {"__New", code(&Window::__New)},
         {"_Move", nullptr}, {"Maximize", nullptr}, {"Minimize", nullptr}, {"Restore", nullptr}, {"_Update", nullptr},
         {"_CallMoved", nullptr}, {"_EnableMenuItems", nullptr}, {"_CallActivated", nullptr},
         {"_CallDeactivated", nullptr}, {"_HandleMenuCommand", nullptr}, {"_UnifiedClose", nullptr},
         {"_CallMouseDown", nullptr}, {"_CallResized", nullptr}, {"_CallResizing", nullptr},
         {"_RemoveControl", nullptr}, {"_MouseEnter", nullptr}, {"_MouseExit", nullptr}, {"_MouseMove", nullptr},
         {"_Paint", nullptr}, {"_MouseWheel", nullptr}, {"_KeyDown", nullptr}, {"__DependencyList", nullptr},
         {"Constructor", code(&Window::Constructor)}, {"TrueWindow", code(&windowSelf)}, {"FocusNext", nullptr},
         {"FocusPrevious", nullptr}, {"_ControlByName", code(&Window::_ControlByName)},
         {"_ControlByNameIndex", nullptr}},
        {{"Placement", T::Integer, I(0)}, {"Width", T::Integer, I(300)}, {"Height", T::Integer, I(300)},
         {"MinWidth", T::Integer, I(64)}, {"MinHeight", T::Integer, I(64)}, {"MaxWidth", T::Integer, I(32000)},
         {"MaxHeight", T::Integer, I(32000)}, {"Frame", T::Integer, I(0)}, {"Composite", T::Boolean, B(false)},
         {"HasBackColor", T::Boolean, B(false)}, {"BackColor", T::Color, C(255, 255, 255)},
         {"Title", T::String, S()}, {"Visible", T::Boolean, B(false)}, {"FullScreen", T::Boolean, B(false)},
         {"MenuBarVisible", T::Boolean, B(true)}, {"CloseButton", T::Boolean, B(true)},
         {"Resizeable", T::Boolean, B(false)}, {"LiveResize", T::Boolean, B(false)},
         {"MaximizeButton", T::Boolean, B(false)}, {"MinimizeButton", T::Boolean, B(false)},
         {"MacProcId", T::Integer, I(0)},
         {"Backdrop", T::Object, O()}, {"ContentsChanged", T::Boolean, B(false)}, {"Left", T::Integer, I(0)},
         {"Top", T::Integer, I(0)}, {"MouseX", T::Integer, I(0)}, {"MouseY", T::Integer, I(0)},
         {"ControlCount", T::Integer, I(0)}, {"Handle", T::Integer, I(0)}, {"Focus", T::Object, O()},
         {"MouseCursor", T::Object, O()}, {"MenuBar", T::Object, O()}, {"Graphics", T::Object, O()},
         {"DockItem", T::Object, O()}, {"ImplicitInstance", T::Boolean, B(true)}, {"Modal", T::Boolean, B(false)},
         {"Minimized", T::Boolean, B(false)}, {"Maximized", T::Boolean, B(false)}, {"Active", T::Boolean, B(false)},
         {"Opacity", T::Single, F(1.0f)}, {"HelpTag", T::String, S()}, {"DefaultButton", T::Object, O()},
         {"CancelButton", T::Object, O()}, {"Tag", T::String, S()}, {"ShowInTaskbar", T::Boolean, B(true)},
         {"Movable", T::Boolean, B(true)}, {"AlwaysOnTop", T::Boolean, B(false)}, {"_mImp", T::Object, O()}},
        {"Layout", "CreateControls", "AddMenuHandlers", "SetupBindings", "Open", "Close", "CancelClose", "KeyDown",
         "KeyUp", "MouseMove", "MouseEnter", "MouseExit", "Paint", "MouseDown", "MouseDrag", "MouseUp",
         "EnableMenuItems", "Resized", "Resizing", "Moved", "DropObject", "Activate", "Deactivate", "Minimize",
         "Maximize", "Restore", "MouseWheel", "ConstructContextualMenu", "ContextualMenuAction", "DragEnter",
         "DragExit", "DragOver", "ContentsChanged"},
        {"Bounds", "SetBounds", "CountControls", "ControlAt", "BringToFront", "SendToBack", "Invalidate", "Activate",
         "IsActive", "Center", "ToggleFullScreen", "SetTitle", "TitleText", "SetBackdrop", "BackdropPicture", "SetVisible",
         "IsVisible", "ContentBounds", "ScreenOf", "PointToScreen", "PointFromScreen", "GrabImage", "StartDrag",
         "SetCursor", "ClearCursor", "SetModified", "IsModified", "NativeHandle", "Flush"}});
    return r;
}
}  // namespace Window

namespace Timer {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({
        "Timer", ObjectClass::__Lookup(), allocate<TimerObject>,
        {{"Reset", code(&timerReset)}, {"addActionNotificationReceiver", nullptr},
         {"removeActionNotificationReceiver", nullptr}, {"_CallAction", code(&timerCallAction)}},
        {{"Mode", T::Integer, I(0)}, {"Period", T::Integer, I(1000)}, {"Enabled", T::Boolean, B(true)},
         {"_mImp", T::Object, O()}},
        {"Action"},
        {}});
    return r;
}
}  // namespace Timer

namespace Control {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({
        "Control", ObjectClass::__Lookup(), allocate<ControlObject>,
        {{"Close", code(&controlClose)}, {"Window", code(&controlWindow)}},
        {{"Name", T::String, S()}, {"Index", T::Integer, I(kNoIndex)}, {"TabPanelIndex", T::Integer, I(0)},
         {"Handle", T::Integer, I(0)}, {"MouseX", T::Integer, I(0)}, {"MouseY", T::Integer, I(0)}},
        {"Open", "Close"},
        {}});
    return r;
}
}  // namespace Control

namespace RectControl {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({
        "RectControl", Control::__Lookup(), allocate<RectControlObject>,
        {{"Constructor", code(&RectControl::Constructor)}, {"Refresh", nullptr}, {"Invalidate", nullptr},
         {"SetFocus", nullptr}, {"DrawInto", nullptr}},
        {{"Left", T::Integer, I(0)}, {"Top", T::Integer, I(0)}, {"Width", T::Integer, I(80)},
         {"Height", T::Integer, I(20)}, {"LockLeft", T::Boolean, B(true)}, {"LockTop", T::Boolean, B(true)},
         {"LockRight", T::Boolean, B(false)}, {"LockBottom", T::Boolean, B(false)}, {"TabIndex", T::Integer, I(0)},
         {"TabStop", T::Boolean, B(true)}, {"InitialParent", T::String, S()}, {"Visible", T::Boolean, B(true)},
         {"HelpTag", T::String, S()}, {"AutoDeactivate", T::Boolean, B(true)}, {"Enabled", T::Boolean, B(true)},
         {"MouseCursor", T::Object, O()}},
        {"MouseDown", "MouseUp", "MouseEnter", "MouseExit", "MouseMove", "MouseDrag", "GotFocus", "LostFocus",
         "KeyDown", "KeyUp"},
        {}});
    return r;
}
}  // namespace RectControl

namespace BevelButton {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({
        "BevelButton", RectControl::__Lookup(), allocate<BevelButtonObject>, {},
        {{"Caption", T::String, S()}, {"CaptionAlign", T::Integer, I(3)}, {"CaptionPlacement", T::Integer, I(1)},
         {"CaptionDelta", T::Integer, I(0)}, {"IconAlign", T::Integer, I(0)}, {"IconDX", T::Integer, I(0)},
         {"IconDY", T::Integer, I(0)}, {"Bevel", T::Integer, I(0)}, {"HasMenu", T::Integer, I(0)},
         {"HasBackColor", T::Boolean, B(false)}, {"BackColor", T::Color, C(0, 0, 0)},
         {"TextColor", T::Color, C(0, 0, 0)}, {"Value", T::Boolean, B(false)}, {"MenuValue", T::Integer, I(0)},
         {"ButtonType", T::Integer, I(0)}, {"AcceptFocus", T::Boolean, B(false)}, {"TextFont", T::String, S("System")},
         {"TextSize", T::Single, F(0)}, {"TextUnit", T::ByteEnumeration, U(0)}, {"Bold", T::Boolean, B(false)},
         {"Italic", T::Boolean, B(false)}, {"Underline", T::Boolean, B(false)}, {"Icon", T::Object, O()}},
        {"Action"},
        {}});
    return r;
}
}  // namespace BevelButton

namespace CheckBox {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({
        "CheckBox", RectControl::__Lookup(), allocate<CheckBoxObject>, {},
        {{"Caption", T::String, S()}, {"TextFont", T::String, S("System")}, {"TextSize", T::Single, F(0)},
         {"TextUnit", T::ByteEnumeration, U(0)}, {"Bold", T::Boolean, B(false)}, {"Italic", T::Boolean, B(false)},
         {"Underline", T::Boolean, B(false)}, {"State", T::Enumeration, E(0)}, {"Value", T::Boolean, B(false)},
         {"DataSource", T::String, S()}, {"DataField", T::String, S()}},
        {"Action"},
        {}});
    return r;
}
}  // namespace CheckBox

namespace Label {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({
        "Label", RectControl::__Lookup(), allocate<LabelObject>, {},
        {{"Text", T::String, S()}, {"TextAlign", T::Integer, I(0)}, {"TextColor", T::Color, C(0, 0, 0)},
         {"MultiLine", T::Boolean, B(false)}, {"Selectable", T::Boolean, B(false)},
         {"Transparent", T::Boolean, B(false)}, {"TextFont", T::String, S("System")}, {"TextSize", T::Single, F(0)},
         {"TextUnit", T::ByteEnumeration, U(0)}, {"Bold", T::Boolean, B(false)}, {"Italic", T::Boolean, B(false)},
         {"Underline", T::Boolean, B(false)}, {"DataSource", T::String, S()}, {"DataField", T::String, S()}},
        {},
        {}});
    return r;
}
}  // namespace Label

namespace TextEdit {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({
        "TextEdit", RectControl::__Lookup(), allocate<TextEditObject>, {},
        {{"Text", T::String, S()}, {"Border", T::Boolean, B(true)}, {"ReadOnly", T::Boolean, B(false)},
         {"TextColor", T::Color, C(0, 0, 0)}, {"BackColor", T::Color, C(255, 255, 255)},
         {"TextFont", T::String, S("System")}, {"Bold", T::Boolean, B(false)}, {"Italic", T::Boolean, B(false)},
         {"Underline", T::Boolean, B(false)}, {"Alignment", T::Integer, I(0)}, {"Format", T::String, S()},
         {"Mask", T::String, S()}, {"UseFocusRing", T::Boolean, B(true)}, {"AcceptTabs", T::Boolean, B(false)},
         {"DataSource", T::String, S()}, {"DataField", T::String, S()},
         {"AutomaticallyCheckSpelling", T::Boolean, B(false)}, {"SelStart", T::Integer, I(0)},
         {"SelLength", T::Integer, I(0)}},
        {"TextChange", "SelChange"},
        {}});
    return r;
}
}  // namespace TextEdit

namespace TextField {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({
        "TextField", TextEdit::__Lookup(), allocate<TextFieldObject>, {},
        {{"Text", T::String, S()}, {"Border", T::Boolean, B(true)}, {"ReadOnly", T::Boolean, B(false)},
         {"TextColor", T::Color, C(0, 0, 0)}, {"BackColor", T::Color, C(255, 255, 255)},
         {"TextFont", T::String, S("System")}, {"Bold", T::Boolean, B(false)}, {"Italic", T::Boolean, B(false)},
         {"Underline", T::Boolean, B(false)}, {"Alignment", T::Integer, I(0)}, {"Format", T::String, S()},
         {"Mask", T::String, S()}, {"UseFocusRing", T::Boolean, B(true)}, {"AcceptTabs", T::Boolean, B(false)},
         {"DataSource", T::String, S()}, {"DataField", T::String, S()}, {"Password", T::Boolean, B(false)},
         {"CueText", T::String, S()}, {"LimitText", T::Integer, I(0)}, {"TextSize", T::Single, F(0)},
         {"TextUnit", T::ByteEnumeration, U(0)}},
        {},
        {}});
    return r;
}
}  // namespace TextField

namespace PopupMenu {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({
        "PopupMenu", RectControl::__Lookup(), allocate<PopupMenuObject>, {},
        {{"InitialValue", T::String, S()}, {"ListIndex", T::Integer, I(-1)}, {"TextFont", T::String, S("System")},
         {"TextSize", T::Single, F(0)}, {"TextUnit", T::ByteEnumeration, U(0)}, {"Bold", T::Boolean, B(false)},
         {"Italic", T::Boolean, B(false)}, {"Underline", T::Boolean, B(false)}, {"DataSource", T::String, S()},
         {"DataField", T::String, S()}, {"ListCount", T::Integer, I(0)}},
        {"Change"},
        {}});
    return r;
}
}  // namespace PopupMenu

namespace ComboBox {
const ClassRecord* __Lookup() {
    static const ClassRecord* r = buildClass({
        "ComboBox", PopupMenu::__Lookup(), allocate<ComboBoxObject>, {},
        {{"UseFocusRing", T::Boolean, B(true)}, {"AutoComplete", T::Boolean, B(false)}, {"Text", T::String, S()}},
        {"TextChange"},
        {}});
    return r;
}
}  // namespace ComboBox

void registerFrameworkClasses() {
    ObjectClass::__Lookup();
    RuntimeException::__Lookup();
    NilObjectException::__Lookup();
    Delegate::__Lookup();
    FolderItem::__Lookup();
    Picture::__Lookup();
    Application::__Lookup();
    Window::__Lookup();
    Timer::__Lookup();
    Control::__Lookup();
    RectControl::__Lookup();
    BevelButton::__Lookup();
    CheckBox::__Lookup();
    Label::__Lookup();
    TextEdit::__Lookup();
    TextField::__Lookup();
    PopupMenu::__Lookup();
    ComboBox::__Lookup();
}

}  // namespace loom
