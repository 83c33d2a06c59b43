// Windows, controls, timers and their events: the operations the program calls.
#pragma once

#include "loom/Classes.h"

#include <cstdint>

namespace loom {

// The window constructed for that registered class name, with a reference for
// the caller, or none.
WindowObject* _GetImplicitWindow(String* className);

namespace Window {
// Raises Layout, then CreateControls, clears the modified mark (ContentsChanged)
// and registers the window under its class's name; Open follows once, from the
// event loop.
void Constructor(WindowObject* window);
Object* __New(WindowObject* window, const ClassRecord* controlClass);  // a new control it owns
void _AddControl(WindowObject* window, String* name, Object* control);
Object* _ControlByName(WindowObject* window, String* name);  // with a reference, or none
void Backdrop_Set(WindowObject* window, int32_t index, PictureObject* picture);
void Visible_Set(WindowObject* window, int32_t index, bool visible);  // returns at once
}  // namespace Window

namespace RectControl {
void Constructor(Object* control);
void Visible_Set(Object* control, int32_t index, bool visible);
}  // namespace RectControl

namespace TextField {
void Text_Set(Object* field, int32_t index, String* text);
void TextUnit_Set(Object* field, int32_t index, uint8_t unit);
}  // namespace TextField
namespace CheckBox {
void TextUnit_Set(Object* box, int32_t index, uint8_t unit);
}
namespace Label {
void TextUnit_Set(Object* label, int32_t index, uint8_t unit);
}
namespace PopupMenu {
void TextUnit_Set(Object* menu, int32_t index, uint8_t unit);
}
// The bevel button's members are plug-in entry points, found by name only.

namespace Timer {
// Mode 0 stops the timer; 1 fires Action once, Period ms after this call.
void Mode_Set(Object* timer, int32_t index, int32_t mode);
}  // namespace Timer

// Binds `event` (a name of the control's event table) to `stub`, which the
// framework calls with the control and the event's arguments.
void RuntimeAddEventHandler(Object* control, String* event, Code stub, Object* delegate);
// The delegate bound to that event of the control, with a reference, or none.
Object* RuntimeEventDelegate(Object* control, String* event);

// The modal open-file dialog; the chosen file with a reference, or none.
FolderItemObject* GetOpenFolderItem(String* fileTypeFilter);

// Property values, for the presentation layer and for tests.
const Value& property(const Object* o, int slot);
void setProperty(Object* o, int slot, Value v);  // notifies the presentation
std::string objectName(const Object* o);         // a window's class name, a control's name

// The windows registered under their class names, in the order constructed.
std::vector<WindowObject*> RuntimeWindows();

// What the framework does when the user closes a window: it drops the window's
// registration and frees it; the next reference constructs a new one.
void closeWindow(WindowObject* window);

// Raising events into program code, through the exception helper.
void raiseWindowEvent(WindowObject* window, int event);
void fireTimer(TimerObject* timer);                         // Action
void pressButton(BevelButtonObject* button);                // Action
bool clickLabel(LabelObject* label, int32_t x, int32_t y);  // MouseDown; false when unhandled

}  // namespace loom
