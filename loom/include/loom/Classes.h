// The framework's own classes: their instance types, their records and the
// slots of their properties and virtual operations.
// Tables here are laid out by hand.
// clang-format off
#pragma once

#include "loom/Clock.h"
#include "loom/Object.h"
#include "loom/Ref.h"

#include <cstdint>
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
    void* image = nullptr;
    void (*freeImage)(void*) = nullptr;
    ~PictureObject() override;
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
    WindowObject* window = nullptr;  // the owner, none once it is freed
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
    bool registered = false;             // kept under its class's registered name
    bool modified = false;               // the window's modified mark
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
// Virtual operations of Window, in table order (52).
namespace WindowSlot {
enum : int {
    Show, ShowWithin, ShowModalWithin, Hide, Close, Refresh, RefreshRect, ShowModal, NewDragItem,
    AcceptTextDrop, AcceptPictureDrop, AcceptFileDrop, AcceptMacDataDrop, AcceptRawDataDrop, Control,
    SetFocus, DrawInto, _DrawBackground, UpdateNow, _AddControl, _AddMenuHandler, Window,
    Operator_Convert, __New, _Move, Maximize, Minimize, Restore, _Update, _CallMoved, _EnableMenuItems,
    _CallActivated, _CallDeactivated, _HandleMenuCommand, _UnifiedClose, _CallMouseDown, _CallResized,
    _CallResizing, _RemoveControl, _MouseEnter, _MouseExit, _MouseMove, _Paint, _MouseWheel, _KeyDown,
    __DependencyList, Constructor, TrueWindow, FocusNext, FocusPrevious, _ControlByName,
    _ControlByNameIndex,
    Count
};
}
static_assert(WindowSlot::Count == 52);

// Events of Window, in table order (33).
namespace WindowEvent {
enum : int {
    Layout, CreateControls, AddMenuHandlers, SetupBindings, Open, Close, CancelClose, KeyDown, KeyUp,
    MouseMove, MouseEnter, MouseExit, Paint, MouseDown, MouseDrag, MouseUp, EnableMenuItems, Resized,
    Resizing, Moved, DropObject, Activate, Deactivate, Minimize, Maximize, Restore, MouseWheel,
    ConstructContextualMenu, ContextualMenuAction, DragEnter, DragExit, DragOver, ContentsChanged,
    Count
};
}
static_assert(WindowEvent::Count == 33);

// Properties of Window, in table order (48): the 21 that window records name first.
namespace WindowProp {
enum : int {
    Placement, Width, Height, MinWidth, MinHeight, MaxWidth, MaxHeight, Frame, Composite, HasBackColor,
    BackColor, Title, Visible, FullScreen, MenuBarVisible, CloseButton, Resizeable, LiveResize,
    MaximizeButton, MinimizeButton, MacProcId,
    Backdrop, ContentsChanged, Left, Top, MouseX, MouseY, ControlCount, Handle, Focus, MouseCursor, MenuBar,
    Graphics, DockItem, ImplicitInstance, Modal, Minimized, Maximized, Active, Opacity, HelpTag,
    DefaultButton, CancelButton, Tag, ShowInTaskbar, Movable, AlwaysOnTop, _mImp,
    Count
};
}
static_assert(WindowProp::Count == 48);

// Member tables. Window's: its virtual operations, its properties, then further
// methods. Application's: its virtual operations alone (events are no members).
inline constexpr int kWindowMemberTotal = 129;
inline constexpr int kApplicationMemberTotal = 17;

namespace ApplicationSlot {
enum : int {
    NewDocument, OpenDocument, DoEvents, _AddMenuHandler, _AddPollableObject, _RemovePollableObject,
    AddTrayItem, RemoveTrayItem, YieldToNextThread, SleepCurrentThread, _DoSingleEvent, _EnableMenuItems,
    _CallOpen, _HandleMenuCommand, _LoadPictureFromBundle, _LoadBundleSound, __DependencyList,
    Count
};
}
static_assert(ApplicationSlot::Count == 17);
static_assert(kApplicationMemberTotal == ApplicationSlot::Count);

namespace ApplicationEvent {
enum : int {
    Open, Close, EnableMenuItems, NewDocument, OpenDocument, HandleAppleEvent, Activate, Deactivate,
    UnhandledException, CancelClose,
    Count
};
}
static_assert(ApplicationEvent::Count == 10);

namespace TimerSlot {
enum : int { Reset, addActionNotificationReceiver, removeActionNotificationReceiver, _CallAction, Count };
}
namespace TimerProp {
enum : int { Mode, Period, Enabled, _mImp, Count };
}

namespace PictureProp {
enum : int { Width, Height, Count };
}

// Controls: Control's slots and properties, then RectControl's, then the class's own.
namespace ControlSlot {
enum : int { Close, Window, Count };
}
namespace RectControlSlot {
enum : int { Constructor = ControlSlot::Count, Refresh, Invalidate, SetFocus, DrawInto, Count };
}
namespace ControlProp {
enum : int { Name, Index, TabPanelIndex, Handle, MouseX, MouseY, Count };
}
namespace RectControlProp {
enum : int {
    Left = ControlProp::Count, Top, Width, Height, LockLeft, LockTop, LockRight, LockBottom, TabIndex,
    TabStop, InitialParent, Visible, HelpTag, AutoDeactivate, Enabled, MouseCursor,
    Count
};
}
namespace BevelButtonProp {
enum : int {
    Caption = RectControlProp::Count, CaptionAlign, CaptionPlacement, CaptionDelta, IconAlign, IconDX,
    IconDY, Bevel, HasMenu, HasBackColor, BackColor, TextColor, Value, MenuValue, ButtonType, AcceptFocus,
    TextFont, TextSize, TextUnit, Bold, Italic, Underline, Icon,
    Count
};
}
namespace CheckBoxProp {
enum : int {
    Caption = RectControlProp::Count, TextFont, TextSize, TextUnit, Bold, Italic, Underline, State, Value,
    DataSource, DataField,
    Count
};
}
namespace LabelProp {
enum : int {
    Text = RectControlProp::Count, TextAlign, TextColor, MultiLine, Selectable, Transparent, TextFont,
    TextSize, TextUnit, Bold, Italic, Underline, DataSource, DataField,
    Count
};
}
// TextEdit declares the names it shares with TextField, and one of its own.
namespace TextEditProp {
enum : int {
    Text = RectControlProp::Count, Border, ReadOnly, TextColor, BackColor, TextFont, Bold, Italic,
    Underline, Alignment, Format, Mask, UseFocusRing, AcceptTabs, DataSource, DataField,
    AutomaticallyCheckSpelling, SelStart, SelLength,
    Count
};
}
namespace TextFieldProp {
enum : int {
    Text = TextEditProp::Count, Border, ReadOnly, TextColor, BackColor, TextFont, Bold, Italic, Underline,
    Alignment, Format, Mask, UseFocusRing, AcceptTabs, DataSource, DataField, Password, CueText,
    LimitText, TextSize, TextUnit,
    Count
};
}
namespace PopupMenuProp {
enum : int {
    InitialValue = RectControlProp::Count, ListIndex, TextFont, TextSize, TextUnit, Bold, Italic, Underline,
    DataSource, DataField, ListCount,
    Count
};
}
namespace ComboBoxProp {
enum : int { UseFocusRing = PopupMenuProp::Count, AutoComplete, Text, Count };
}

}  // namespace loom
