// The framework's own classes: their instance types, their records and the
// slots of their properties and virtual operations.
// Tables here are laid out by hand.
// clang-format off
#pragma once

#include "loom/ClassTables.h"
#include "loom/Clock.h"
#include "loom/Object.h"
#include "loom/Ref.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace loom {

struct WindowObject;

// ---- Instance types ------------------------------------------------------------
struct ApplicationObject : Object {};

struct ExceptionObject : Object {
    std::string message;
};

// A decoded image. The pixels belong to the presentation layer.
struct PictureObject : Object {
    std::string name;  // the file it was read from, for diagnostics; its size is in its properties
    // The decoded image, of the presentation's own type, freed with the picture.
    std::shared_ptr<const void> image;
};

struct FolderItemObject : Object {
    std::string path;
};

struct DelegateObject : Object {
    Code invoke = nullptr;
    Code routine = nullptr;
    Ref<Object> strongTarget;    // with the weak flag 0
    WeakRef<Object> weakTarget;  // with the weak flag 1
    Ref<String> signature;
    bool weak = false;
};

struct EventBinding {
    int event = -1;  // index in the control's event table
    Code stub = nullptr;
    Ref<Object> delegate;
};

// Every object a window keeps as a named control.
struct ControlObject : Object {
    WeakRef<WindowObject> window;  // the window it was made for or last added to; none once that is freed
    std::vector<EventBinding> bindings;
    bool constructed = false;
    void* view = nullptr;  // the presentation layer's widget
    const EventBinding* binding(int event) const;
};

struct TimerObject : ControlObject {
    std::optional<Instant> deadline;  // on the framework clock; none when not armed
};

struct RectControlObject : ControlObject {};
struct BevelButtonObject : RectControlObject {
    std::vector<Value> menuRows;  // the rows of its menu, each a string
};
struct LabelObject : RectControlObject {};
struct CheckBoxObject : RectControlObject {};
struct TextEditObject : RectControlObject {};
struct TextFieldObject : TextEditObject {};
struct PopupMenuObject : RectControlObject {};
struct ComboBoxObject : PopupMenuObject {};

struct NamedControl {
    Ref<String> name;
    Ref<ControlObject> control;
};

struct WindowObject : Object {
    std::vector<NamedControl> controls;  // in the order they were added; each held
    bool openRaised = false;
    void* view = nullptr;
    ~WindowObject() override;
};

// ---- Records --------------------------------------------------------------------
// Each framework class has a namespace named after it with its record accessor.
namespace ObjectClass { const ClassRecord* __Lookup(); }
namespace Application { const ClassRecord* __Lookup(); }
namespace RuntimeException { const ClassRecord* __Lookup(); }
namespace NilObjectException { const ClassRecord* __Lookup(); }
namespace Picture { const ClassRecord* __Lookup(); }
namespace FolderItem { const ClassRecord* __Lookup(); }
namespace Delegate { const ClassRecord* __Lookup(); }
namespace Window { const ClassRecord* __Lookup(); }
namespace Timer { const ClassRecord* __Lookup(); }
namespace Control { const ClassRecord* __Lookup(); }
namespace RectControl { const ClassRecord* __Lookup(); }
namespace BevelButton { const ClassRecord* __Lookup(); }
namespace Label { const ClassRecord* __Lookup(); }
namespace CheckBox { const ClassRecord* __Lookup(); }
namespace TextEdit { const ClassRecord* __Lookup(); }
namespace TextField { const ClassRecord* __Lookup(); }
namespace PopupMenu { const ClassRecord* __Lookup(); }
namespace ComboBox { const ClassRecord* __Lookup(); }

// Builds every framework class record, in the framework's order. Idempotent.
void registerFrameworkClasses();
// Every record made so far, in the order made (the framework's and the program's).
const std::vector<const ClassRecord*>& RuntimeClassRecords();

// ---- Slots ------------------------------------------------------------------------
// Made from the classes' lists in ClassTables.h: a slot is a position in the
// virtual table, the property table or the event table. A class's own slots
// follow its parent's.
#define LOOM_SLOT_(name, ...) name,
#define LOOM_SLOTS_(LIST) LIST(LOOM_SLOT_) Count
#define LOOM_SLOTS_AFTER_(PARENT_COUNT, LIST) LastInherited = (PARENT_COUNT) - 1, LIST(LOOM_SLOT_) Count
#define LOOM_COUNT_(...) +1

namespace ApplicationSlot { enum : int { LOOM_SLOTS_(LOOM_APPLICATION_OPERATIONS) }; }
namespace ApplicationEvent { enum : int { LOOM_SLOTS_(LOOM_APPLICATION_EVENTS) }; }
static_assert(ApplicationSlot::Count == 17);
static_assert(ApplicationEvent::Count == 10);

namespace WindowSlot { enum : int { LOOM_SLOTS_(LOOM_WINDOW_OPERATIONS) }; }
namespace WindowEvent { enum : int { LOOM_SLOTS_(LOOM_WINDOW_EVENTS) }; }
namespace WindowProp { enum : int { LOOM_SLOTS_(LOOM_WINDOW_PROPERTIES) }; }
static_assert(WindowSlot::Count == 52);
static_assert(WindowEvent::Count == 33);
static_assert(WindowProp::Count == 48);
static_assert(WindowProp::MacProcId == 20);  // the last of the 21 that window records name

// Member tables. Window's: its virtual operations, its properties, then further
// methods. Application's: its virtual operations alone (events are no members).
inline constexpr int kWindowMemberTotal =
    int{WindowSlot::Count} + int{WindowProp::Count} + (0 LOOM_WINDOW_METHODS(LOOM_COUNT_));
inline constexpr int kApplicationMemberTotal = ApplicationSlot::Count;
static_assert(kWindowMemberTotal == 129);

namespace TimerSlot { enum : int { LOOM_SLOTS_(LOOM_TIMER_OPERATIONS) }; }
namespace TimerProp { enum : int { LOOM_SLOTS_(LOOM_TIMER_PROPERTIES) }; }
static_assert(TimerSlot::Count == 4);
static_assert(TimerProp::Count == 4);

namespace PictureProp { enum : int { LOOM_SLOTS_(LOOM_PICTURE_PROPERTIES) }; }
static_assert(PictureProp::Count == 2);

// Controls: Control's slots and properties, then RectControl's, then the class's own.
namespace ControlSlot { enum : int { LOOM_SLOTS_(LOOM_CONTROL_OPERATIONS) }; }
namespace RectControlSlot { enum : int { LOOM_SLOTS_AFTER_(ControlSlot::Count, LOOM_RECTCONTROL_OPERATIONS) }; }
namespace ControlProp { enum : int { LOOM_SLOTS_(LOOM_CONTROL_PROPERTIES) }; }
namespace RectControlProp { enum : int { LOOM_SLOTS_AFTER_(ControlProp::Count, LOOM_RECTCONTROL_PROPERTIES) }; }
namespace BevelButtonProp { enum : int { LOOM_SLOTS_AFTER_(RectControlProp::Count, LOOM_BEVELBUTTON_PROPERTIES) }; }
namespace CheckBoxProp { enum : int { LOOM_SLOTS_AFTER_(RectControlProp::Count, LOOM_CHECKBOX_PROPERTIES) }; }
namespace LabelProp { enum : int { LOOM_SLOTS_AFTER_(RectControlProp::Count, LOOM_LABEL_PROPERTIES) }; }
namespace TextEditProp { enum : int { LOOM_SLOTS_AFTER_(RectControlProp::Count, LOOM_TEXTEDIT_PROPERTIES) }; }
namespace TextFieldProp { enum : int { LOOM_SLOTS_AFTER_(TextEditProp::Count, LOOM_TEXTFIELD_PROPERTIES) }; }
namespace PopupMenuProp { enum : int { LOOM_SLOTS_AFTER_(RectControlProp::Count, LOOM_POPUPMENU_PROPERTIES) }; }
namespace ComboBoxProp { enum : int { LOOM_SLOTS_AFTER_(PopupMenuProp::Count, LOOM_COMBOBOX_PROPERTIES) }; }
static_assert(ControlSlot::Count == 2 && RectControlSlot::Count == 7);
static_assert(ControlProp::Count == 6 && RectControlProp::Count == 22);
static_assert(BevelButtonProp::Count == 45);
static_assert(CheckBoxProp::Count == 33);
static_assert(LabelProp::Count == 36);
static_assert(TextEditProp::Count == 41 && TextFieldProp::Count == 62);
static_assert(PopupMenuProp::Count == 33 && ComboBoxProp::Count == 36);

#undef LOOM_SLOT_
#undef LOOM_SLOTS_
#undef LOOM_SLOTS_AFTER_
#undef LOOM_COUNT_

}  // namespace loom
