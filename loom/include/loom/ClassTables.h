// The framework classes' tables, each written once as a list: Classes.h makes
// the slot enumerations from them, FrameworkClasses.cpp the class records.
// A class's lists hold what it adds to its parent's, in table order:
//   ..._OPERATIONS(X)  X(name)                  virtual operations
//   ..._PROPERTIES(X)  X(name, type, initial)   declared type (a PropType) and
//                                               the value a new instance holds:
//                                               an integer, a flag, a text, a
//                                               colour's red, green and blue;
//                                               none given for "" or no object
//   ..._EVENTS(X)      X(name)                  events
//   ..._METHODS(X)     X(name)                  further members, not virtual
// Tables here are laid out by hand.
// clang-format off
#pragma once

#include <cstdint>

namespace loom {

// The Index of a control that is not part of a control array.
inline constexpr int32_t kNoIndex = INT32_MIN;

}  // namespace loom

// ---- Application ----------------------------------------------------------------
#define LOOM_APPLICATION_OPERATIONS(X) \
    X(NewDocument) X(OpenDocument) X(DoEvents) X(_AddMenuHandler) X(_AddPollableObject) X(_RemovePollableObject) \
    X(AddTrayItem) X(RemoveTrayItem) X(YieldToNextThread) X(SleepCurrentThread) X(_DoSingleEvent) \
    X(_EnableMenuItems) X(_CallOpen) X(_HandleMenuCommand) X(_LoadPictureFromBundle) X(_LoadBundleSound) \
    X(__DependencyList)
#define LOOM_APPLICATION_EVENTS(X) \
    X(Open) X(Close) X(EnableMenuItems) X(NewDocument) X(OpenDocument) X(HandleAppleEvent) X(Activate) \
    X(Deactivate) X(UnhandledException) X(CancelClose)

// ---- RuntimeException, Picture ------------------------------------------------------
#define LOOM_RUNTIMEEXCEPTION_PROPERTIES(X) \
    X(Message, String) X(ErrorNumber, Integer, 0)
#define LOOM_PICTURE_PROPERTIES(X) \
    X(Width, Integer, 0) X(Height, Integer, 0)

// ---- Window ---------------------------------------------------------------------------
#define LOOM_WINDOW_OPERATIONS(X) \
    X(Show) X(ShowWithin) X(ShowModalWithin) X(Hide) X(Close) X(Refresh) X(RefreshRect) X(ShowModal) \
    X(NewDragItem) X(AcceptTextDrop) X(AcceptPictureDrop) X(AcceptFileDrop) X(AcceptMacDataDrop) \
    X(AcceptRawDataDrop) X(Control) X(SetFocus) X(DrawInto) X(_DrawBackground) X(UpdateNow) X(_AddControl) \
    X(_AddMenuHandler) X(Window) X(Operator_Convert) X(__New) X(_Move) X(Maximize) X(Minimize) X(Restore) \
    X(_Update) X(_CallMoved) X(_EnableMenuItems) X(_CallActivated) X(_CallDeactivated) X(_HandleMenuCommand) \
    X(_UnifiedClose) X(_CallMouseDown) X(_CallResized) X(_CallResizing) X(_RemoveControl) X(_MouseEnter) \
    X(_MouseExit) X(_MouseMove) X(_Paint) X(_MouseWheel) X(_KeyDown) X(__DependencyList) X(Constructor) \
    X(TrueWindow) X(FocusNext) X(FocusPrevious) X(_ControlByName) X(_ControlByNameIndex)
// The 21 that window records name come first.
#define LOOM_WINDOW_PROPERTIES(X) \
    X(Placement, Integer, 0) X(Width, Integer, 300) X(Height, Integer, 300) X(MinWidth, Integer, 64) \
    X(MinHeight, Integer, 64) X(MaxWidth, Integer, 32000) X(MaxHeight, Integer, 32000) X(Frame, Integer, 0) \
    X(Composite, Boolean, false) X(HasBackColor, Boolean, false) X(BackColor, Color, 255, 255, 255) \
    X(Title, String) X(Visible, Boolean, false) X(FullScreen, Boolean, false) X(MenuBarVisible, Boolean, true) \
    X(CloseButton, Boolean, true) X(Resizeable, Boolean, false) X(LiveResize, Boolean, false) \
    X(MaximizeButton, Boolean, false) X(MinimizeButton, Boolean, false) X(MacProcId, Integer, 0) \
    X(Backdrop, Object) X(ContentsChanged, Boolean, false) X(Left, Integer, 0) X(Top, Integer, 0) \
    X(MouseX, Integer, 0) X(MouseY, Integer, 0) X(ControlCount, Integer, 0) X(Handle, Integer, 0) \
    X(Focus, Object) X(MouseCursor, Object) X(MenuBar, Object) X(Graphics, Object) X(DockItem, Object) \
    X(ImplicitInstance, Boolean, true) X(Modal, Boolean, false) X(Minimized, Boolean, false) \
    X(Maximized, Boolean, false) X(Active, Boolean, false) X(Opacity, Single, 1.0f) X(HelpTag, String) \
    X(DefaultButton, Object) X(CancelButton, Object) X(Tag, String) X(ShowInTaskbar, Boolean, true) \
    X(Movable, Boolean, true) X(AlwaysOnTop, Boolean, false) X(_mImp, Object)
#define LOOM_WINDOW_EVENTS(X) \
    X(Layout) X(CreateControls) X(AddMenuHandlers) X(SetupBindings) X(Open) X(Close) X(CancelClose) X(KeyDown) \
    X(KeyUp) X(MouseMove) X(MouseEnter) X(MouseExit) X(Paint) X(MouseDown) X(MouseDrag) X(MouseUp) \
    X(EnableMenuItems) X(Resized) X(Resizing) X(Moved) X(DropObject) X(Activate) X(Deactivate) X(Minimize) \
    X(Maximize) X(Restore) X(MouseWheel) X(ConstructContextualMenu) X(ContextualMenuAction) X(DragEnter) \
    X(DragExit) X(DragOver) X(ContentsChanged)
#define LOOM_WINDOW_METHODS(X) \
    X(Bounds) X(SetBounds) X(CountControls) X(ControlAt) X(BringToFront) X(SendToBack) X(Invalidate) X(Activate) \
    X(IsActive) X(Center) X(ToggleFullScreen) X(SetTitle) X(TitleText) X(SetBackdrop) X(BackdropPicture) \
    X(SetVisible) X(IsVisible) X(ContentBounds) X(ScreenOf) X(PointToScreen) X(PointFromScreen) X(GrabImage) \
    X(StartDrag) X(SetCursor) X(ClearCursor) X(SetModified) X(IsModified) X(NativeHandle) X(Flush)

// ---- Timer ----------------------------------------------------------------------------
#define LOOM_TIMER_OPERATIONS(X) \
    X(Reset) X(addActionNotificationReceiver) X(removeActionNotificationReceiver) X(_CallAction)
#define LOOM_TIMER_PROPERTIES(X) \
    X(Mode, Integer, 0) X(Period, Integer, 1000) X(Enabled, Boolean, true) X(_mImp, Object)
#define LOOM_TIMER_EVENTS(X) \
    X(Action)

// ---- Control, RectControl -----------------------------------------------------------
#define LOOM_CONTROL_OPERATIONS(X) \
    X(Close) X(Window)
#define LOOM_CONTROL_PROPERTIES(X) \
    X(Name, String) X(Index, Integer, loom::kNoIndex) X(TabPanelIndex, Integer, 0) X(Handle, Integer, 0) \
    X(MouseX, Integer, 0) X(MouseY, Integer, 0)
#define LOOM_CONTROL_EVENTS(X) \
    X(Open) X(Close)

#define LOOM_RECTCONTROL_OPERATIONS(X) \
    X(Constructor) X(Refresh) X(Invalidate) X(SetFocus) X(DrawInto)
#define LOOM_RECTCONTROL_PROPERTIES(X) \
    X(Left, Integer, 0) X(Top, Integer, 0) X(Width, Integer, 80) X(Height, Integer, 20) \
    X(LockLeft, Boolean, true) X(LockTop, Boolean, true) X(LockRight, Boolean, false) \
    X(LockBottom, Boolean, false) X(TabIndex, Integer, 0) X(TabStop, Boolean, true) X(InitialParent, String) \
    X(Visible, Boolean, true) X(HelpTag, String) X(AutoDeactivate, Boolean, true) X(Enabled, Boolean, true) \
    X(MouseCursor, Object)
#define LOOM_RECTCONTROL_EVENTS(X) \
    X(MouseDown) X(MouseUp) X(MouseEnter) X(MouseExit) X(MouseMove) X(MouseDrag) X(GotFocus) X(LostFocus) \
    X(KeyDown) X(KeyUp)

// ---- The controls -----------------------------------------------------------------------
#define LOOM_BEVELBUTTON_PROPERTIES(X) \
    X(Caption, String) X(CaptionAlign, Integer, 3) X(CaptionPlacement, Integer, 1) X(CaptionDelta, Integer, 0) \
    X(IconAlign, Integer, 0) X(IconDX, Integer, 0) X(IconDY, Integer, 0) X(Bevel, Integer, 0) \
    X(HasMenu, Integer, 0) X(HasBackColor, Boolean, false) X(BackColor, Color, 0, 0, 0) \
    X(TextColor, Color, 0, 0, 0) X(Value, Boolean, false) X(MenuValue, Integer, 0) X(ButtonType, Integer, 0) \
    X(AcceptFocus, Boolean, false) X(TextFont, String, "System") X(TextSize, Single, 0) \
    X(TextUnit, ByteEnumeration, 0) X(Bold, Boolean, false) X(Italic, Boolean, false) \
    X(Underline, Boolean, false) X(Icon, Object)
#define LOOM_BEVELBUTTON_EVENTS(X) \
    X(Action)

#define LOOM_CHECKBOX_PROPERTIES(X) \
    X(Caption, String) X(TextFont, String, "System") X(TextSize, Single, 0) X(TextUnit, ByteEnumeration, 0) \
    X(Bold, Boolean, false) X(Italic, Boolean, false) X(Underline, Boolean, false) X(State, Enumeration, 0) \
    X(Value, Boolean, false) X(DataSource, String) X(DataField, String)
#define LOOM_CHECKBOX_EVENTS(X) \
    X(Action)

#define LOOM_LABEL_PROPERTIES(X) \
    X(Text, String) X(TextAlign, Integer, 0) X(TextColor, Color, 0, 0, 0) X(MultiLine, Boolean, false) \
    X(Selectable, Boolean, false) X(Transparent, Boolean, false) X(TextFont, String, "System") \
    X(TextSize, Single, 0) X(TextUnit, ByteEnumeration, 0) X(Bold, Boolean, false) X(Italic, Boolean, false) \
    X(Underline, Boolean, false) X(DataSource, String) X(DataField, String)

// TextEdit declares the names it shares with TextField, and one of its own.
#define LOOM_TEXTEDIT_PROPERTIES(X) \
    X(Text, String) X(Border, Boolean, true) X(ReadOnly, Boolean, false) X(TextColor, Color, 0, 0, 0) \
    X(BackColor, Color, 255, 255, 255) X(TextFont, String, "System") X(Bold, Boolean, false) \
    X(Italic, Boolean, false) X(Underline, Boolean, false) X(Alignment, Integer, 0) X(Format, String) \
    X(Mask, String) X(UseFocusRing, Boolean, true) X(AcceptTabs, Boolean, false) X(DataSource, String) \
    X(DataField, String) X(AutomaticallyCheckSpelling, Boolean, false) X(SelStart, Integer, 0) \
    X(SelLength, Integer, 0)
#define LOOM_TEXTEDIT_EVENTS(X) \
    X(TextChange) X(SelChange)

#define LOOM_TEXTFIELD_PROPERTIES(X) \
    X(Text, String) X(Border, Boolean, true) X(ReadOnly, Boolean, false) X(TextColor, Color, 0, 0, 0) \
    X(BackColor, Color, 255, 255, 255) X(TextFont, String, "System") X(Bold, Boolean, false) \
    X(Italic, Boolean, false) X(Underline, Boolean, false) X(Alignment, Integer, 0) X(Format, String) \
    X(Mask, String) X(UseFocusRing, Boolean, true) X(AcceptTabs, Boolean, false) X(DataSource, String) \
    X(DataField, String) X(Password, Boolean, false) X(CueText, String) X(LimitText, Integer, 0) \
    X(TextSize, Single, 0) X(TextUnit, ByteEnumeration, 0)

#define LOOM_POPUPMENU_PROPERTIES(X) \
    X(InitialValue, String) X(ListIndex, Integer, -1) X(TextFont, String, "System") X(TextSize, Single, 0) \
    X(TextUnit, ByteEnumeration, 0) X(Bold, Boolean, false) X(Italic, Boolean, false) \
    X(Underline, Boolean, false) X(DataSource, String) X(DataField, String) X(ListCount, Integer, 0)
#define LOOM_POPUPMENU_EVENTS(X) \
    X(Change)

#define LOOM_COMBOBOX_PROPERTIES(X) \
    X(UseFocusRing, Boolean, true) X(AutoComplete, Boolean, false) X(Text, String)
#define LOOM_COMBOBOX_EVENTS(X) \
    X(TextChange)
