// Class records: what RuntimeNewClass copies, and the framework classes' tables.
// Tables here are laid out by hand.
// clang-format off
#include "RuntimeFixture.h"

#include <set>
#include <string>
#include <vector>

namespace rt {
namespace {

using namespace loom;

using ClassRecordTest = RuntimeTest;

TEST_F(ClassRecordTest, NewClassCopiesTheParentsEntriesFirst) {
    const ClassRecord* parent = Window::__Lookup();
    const struct {
        int32_t members, events, properties;
    } totals[] = {
        {kWindowMemberTotal + 3, WindowEvent::Count + 2, WindowProp::Count + 4},
        {kWindowMemberTotal, WindowEvent::Count, WindowProp::Count},
        {0, 0, 0},  // totals below the parent's keep every inherited entry
    };
    for (const auto& t : totals) {
        SCOPED_TRACE(t.members);
        const int32_t firstNameRefs = parent->members[0].name->refs;
        ClassRecord* cls = RuntimeNewClass(parent, t.members, 0, t.events, 0, t.properties, 2);
        ASSERT_EQ(cls->members.size(), static_cast<size_t>(std::max(t.members, kWindowMemberTotal)));
        ASSERT_EQ(cls->events.size(), static_cast<size_t>(std::max(t.events, int32_t{WindowEvent::Count})));
        ASSERT_EQ(cls->properties.size(), static_cast<size_t>(std::max(t.properties, int32_t{WindowProp::Count})));
        EXPECT_EQ(cls->classAttributes.size(), 2u);
        EXPECT_EQ(cls->parent, parent);
        EXPECT_EQ(cls->allocate, parent->allocate);
        EXPECT_EQ(parent->members[0].name->refs, firstNameRefs + 1);  // the copy holds the name

        for (size_t i = 0; i < cls->members.size(); ++i) {
            const MemberRecord& m = cls->members[i];
            if (i < parent->members.size()) {
                EXPECT_EQ(m.name, parent->members[i].name) << i;
                EXPECT_EQ(m.kind, parent->members[i].kind) << i;
                EXPECT_EQ(m.code, parent->members[i].code) << i;
            } else {
                EXPECT_EQ(m.name, nullptr) << i;
                EXPECT_EQ(m.code, nullptr) << i;
            }
        }
        for (size_t i = 0; i < cls->events.size(); ++i)
            EXPECT_EQ(cls->events[i].name, i < parent->events.size() ? parent->events[i].name : nullptr) << i;
        for (size_t i = 0; i < cls->properties.size(); ++i) {
            const PropertyRecord& p = cls->properties[i];
            if (i < parent->properties.size()) {
                EXPECT_EQ(p.name, parent->properties[i].name) << i;
                EXPECT_EQ(p.type, parent->properties[i].type) << i;
                EXPECT_EQ(p.initial, parent->properties[i].initial) << i;
            } else {
                EXPECT_EQ(p.name, nullptr) << i;
            }
        }
    }
    // The parent is untouched.
    EXPECT_EQ(parent->members.size(), static_cast<size_t>(kWindowMemberTotal));
    EXPECT_EQ(parent->properties.size(), static_cast<size_t>(WindowProp::Count));
}

TEST_F(ClassRecordTest, AnInstanceOfANewClassStartsWithTheInheritedValues) {
    ClassRecord* cls = RuntimeNewClass(Window::__Lookup(), kWindowMemberTotal, 0, WindowEvent::Count, 0,
                                       WindowProp::Count, 0);
    cls->name = RuntimeNewString("Window9");
    Ref<Object> w = make(cls);
    EXPECT_NE(dynamic_cast<WindowObject*>(w.get()), nullptr);
    EXPECT_TRUE(RuntimeObjectIsa(w.get(), Window::__Lookup()));
    expectInitialProperties(w.get());
}

// A subclass's member table starts as a copy of its parent's. Giving an
// inherited entry attributes of its own must leave the parent's entry as it was.
TEST_F(ClassRecordTest, AttributesOfAnInheritedEntryAreTheSubclassesOwn) {
    const int32_t entry = kWindowMemberTotal;  // the parent's own member, after Window's
    ClassRecord* parent = RuntimeNewClass(Window::__Lookup(), kWindowMemberTotal + 1, 0, WindowEvent::Count, 0,
                                          WindowProp::Count, 0);
    // Texts stored in a record keep their one reference for good, as records do.
    String* scope = RuntimeNewString("__Scope");
    String* isPublic = RuntimeNewString("Public");
    String* hidden = RuntimeNewString("Hidden");
    Attribute* parents = RuntimeAllocateAttributeTable(parent->members.data(), entry, 2);
    parents[0] = {scope, isPublic};
    parents[1] = {hidden, nullptr};

    ClassRecord* child = RuntimeNewClass(parent, kWindowMemberTotal + 1, 0, WindowEvent::Count, 0,
                                         WindowProp::Count, 0);
    ASSERT_EQ(child->members[entry].attributes.size(), 2u);  // inherited as they are
    EXPECT_EQ(child->members[entry].attributes[0].name, scope);
    EXPECT_EQ(child->members[entry].attributes[1].name, hidden);

    Attribute* childs = RuntimeAllocateAttributeTable(child->members.data(), entry, 1);
    childs[0] = {hidden, nullptr};

    const MemberRecord& kept = parent->members[entry];
    ASSERT_EQ(kept.attributes.size(), 2u);
    EXPECT_EQ(kept.attributes[0].name, scope);
    EXPECT_EQ(kept.attributes[0].value, isPublic);
    EXPECT_EQ(kept.attributes[1].name, hidden);
    EXPECT_EQ(kept.attributes[1].value, nullptr);
    const MemberRecord& own = child->members[entry];
    ASSERT_EQ(own.attributes.size(), 1u);
    EXPECT_EQ(own.attributes[0].name, hidden);
    EXPECT_EQ(own.attributes[0].value, nullptr);
}

// An index of an enumeration of Classes.h and the name the record must hold there.
struct Named {
    int index;
    const char* name;
};
#define N(ns, id) Named{ns::id, #id}

void expectNames(const std::vector<Named>& expected, int count, const std::vector<std::string_view>& actual,
                 const char* table) {
    SCOPED_TRACE(table);
    ASSERT_EQ(expected.size(), static_cast<size_t>(count)) << "the case table is incomplete";
    ASSERT_EQ(actual.size(), static_cast<size_t>(count));
    std::set<int> seen;
    for (const Named& n : expected) {
        EXPECT_TRUE(seen.insert(n.index).second) << n.name;
        EXPECT_EQ(actual.at(static_cast<size_t>(n.index)), n.name);
    }
}

std::vector<std::string_view> memberNames(const ClassRecord* cls, size_t from, size_t count) {
    std::vector<std::string_view> names;
    for (size_t i = from; i < from + count && i < cls->members.size(); ++i) names.push_back(view(cls->members[i].name));
    return names;
}
std::vector<std::string_view> eventNames(const ClassRecord* cls, size_t from = 0) {
    std::vector<std::string_view> names;
    for (size_t i = from; i < cls->events.size(); ++i) names.push_back(view(cls->events[i].name));
    return names;
}
std::vector<std::string_view> propertyNames(const ClassRecord* cls) {
    std::vector<std::string_view> names;
    for (const PropertyRecord& p : cls->properties) names.push_back(view(p.name));
    return names;
}

// The virtual operations lead the member table, each with its table entry's code.
void expectOperations(const ClassRecord* cls, size_t count) {
    ASSERT_NE(cls->vtable, nullptr);
    ASSERT_EQ(cls->vtable->entries.size(), count);
    for (size_t i = 0; i < count; ++i) {
        EXPECT_EQ(cls->members[i].kind, kMethodVirtual) << view(cls->members[i].name);
        EXPECT_EQ(cls->members[i].code, cls->vtable->entries[i]) << view(cls->members[i].name);
        EXPECT_NE(cls->vtable->entries[i], nullptr) << view(cls->members[i].name);
    }
}

// The operations, events and properties of the framework classes that the
// program extends, in their tables' order, typed apart from the enumerations
// above, so that a pair swapped in both an enumeration and a table shows.
using Names = std::vector<std::string_view>;
const Names kApplicationOperations{
    "NewDocument", "OpenDocument", "DoEvents", "_AddMenuHandler", "_AddPollableObject", "_RemovePollableObject",
    "AddTrayItem", "RemoveTrayItem", "YieldToNextThread", "SleepCurrentThread", "_DoSingleEvent",
    "_EnableMenuItems", "_CallOpen", "_HandleMenuCommand", "_LoadPictureFromBundle", "_LoadBundleSound",
    "__DependencyList"};
const Names kApplicationEvents{"Open", "Close", "EnableMenuItems", "NewDocument", "OpenDocument",
                               "HandleAppleEvent", "Activate", "Deactivate", "UnhandledException", "CancelClose"};
const Names kWindowOperations{
    "Show", "ShowWithin", "ShowModalWithin", "Hide", "Close", "Refresh", "RefreshRect", "ShowModal", "NewDragItem",
    "AcceptTextDrop", "AcceptPictureDrop", "AcceptFileDrop", "AcceptMacDataDrop", "AcceptRawDataDrop", "Control",
    "SetFocus", "DrawInto", "_DrawBackground", "UpdateNow", "_AddControl", "_AddMenuHandler", "Window",
    "Operator_Convert", "__New", "_Move", "Maximize", "Minimize", "Restore", "_Update", "_CallMoved",
    "_EnableMenuItems", "_CallActivated", "_CallDeactivated", "_HandleMenuCommand", "_UnifiedClose",
    "_CallMouseDown", "_CallResized", "_CallResizing", "_RemoveControl", "_MouseEnter", "_MouseExit", "_MouseMove",
    "_Paint", "_MouseWheel", "_KeyDown", "__DependencyList", "Constructor", "TrueWindow", "FocusNext",
    "FocusPrevious", "_ControlByName", "_ControlByNameIndex"};
const Names kWindowEvents{
    "Layout", "CreateControls", "AddMenuHandlers", "SetupBindings", "Open", "Close", "CancelClose", "KeyDown",
    "KeyUp", "MouseMove", "MouseEnter", "MouseExit", "Paint", "MouseDown", "MouseDrag", "MouseUp",
    "EnableMenuItems", "Resized", "Resizing", "Moved", "DropObject", "Activate", "Deactivate", "Minimize",
    "Maximize", "Restore", "MouseWheel", "ConstructContextualMenu", "ContextualMenuAction", "DragEnter",
    "DragExit", "DragOver", "ContentsChanged"};
// The window properties that window records name, first in the table, as declared.
const Names kWindowRecordProperties{
    "Placement", "Width", "Height", "MinWidth", "MinHeight", "MaxWidth", "MaxHeight", "Frame", "Composite",
    "HasBackColor", "BackColor", "Title", "Visible", "FullScreen", "MenuBarVisible", "CloseButton", "Resizeable",
    "LiveResize", "MaximizeButton", "MinimizeButton", "MacProcId"};
const Names kTimerOperations{"Reset", "addActionNotificationReceiver", "removeActionNotificationReceiver",
                             "_CallAction"};
const Names kTimerProperties{"Mode", "Period", "Enabled", "_mImp"};

TEST_F(ClassRecordTest, Application) {
    const ClassRecord* cls = Application::__Lookup();
    // Its members are its 17 operations: events are no members.
    EXPECT_EQ(cls->members.size(), 17u);
    EXPECT_EQ(kApplicationMemberTotal, 17);
    EXPECT_EQ(memberNames(cls, 0, cls->members.size()), kApplicationOperations);
    EXPECT_EQ(eventNames(cls), kApplicationEvents);
    expectOperations(cls, ApplicationSlot::Count);
    expectNames({N(ApplicationSlot, NewDocument), N(ApplicationSlot, OpenDocument), N(ApplicationSlot, DoEvents),
                 N(ApplicationSlot, _AddMenuHandler), N(ApplicationSlot, _AddPollableObject),
                 N(ApplicationSlot, _RemovePollableObject), N(ApplicationSlot, AddTrayItem),
                 N(ApplicationSlot, RemoveTrayItem), N(ApplicationSlot, YieldToNextThread),
                 N(ApplicationSlot, SleepCurrentThread), N(ApplicationSlot, _DoSingleEvent),
                 N(ApplicationSlot, _EnableMenuItems), N(ApplicationSlot, _CallOpen),
                 N(ApplicationSlot, _HandleMenuCommand), N(ApplicationSlot, _LoadPictureFromBundle),
                 N(ApplicationSlot, _LoadBundleSound), N(ApplicationSlot, __DependencyList)},
                ApplicationSlot::Count, memberNames(cls, 0, ApplicationSlot::Count), "operations");
    expectNames({N(ApplicationEvent, Open), N(ApplicationEvent, Close), N(ApplicationEvent, EnableMenuItems),
                 N(ApplicationEvent, NewDocument), N(ApplicationEvent, OpenDocument),
                 N(ApplicationEvent, HandleAppleEvent), N(ApplicationEvent, Activate), N(ApplicationEvent, Deactivate),
                 N(ApplicationEvent, UnhandledException), N(ApplicationEvent, CancelClose)},
                ApplicationEvent::Count, eventNames(cls), "events");
}

TEST_F(ClassRecordTest, Window) {
    const ClassRecord* cls = Window::__Lookup();
    ASSERT_EQ(cls->members.size(), 129u);
    EXPECT_EQ(kWindowMemberTotal, 129);
    EXPECT_EQ(memberNames(cls, 0, 52), kWindowOperations);
    EXPECT_EQ(eventNames(cls), kWindowEvents);
    const Names properties = propertyNames(cls);
    EXPECT_EQ(Names(properties.begin(), properties.begin() + 21), kWindowRecordProperties);
    expectOperations(cls, WindowSlot::Count);
    expectNames({N(WindowSlot, Show), N(WindowSlot, ShowWithin), N(WindowSlot, ShowModalWithin), N(WindowSlot, Hide),
                 N(WindowSlot, Close), N(WindowSlot, Refresh), N(WindowSlot, RefreshRect), N(WindowSlot, ShowModal),
                 N(WindowSlot, NewDragItem), N(WindowSlot, AcceptTextDrop), N(WindowSlot, AcceptPictureDrop),
                 N(WindowSlot, AcceptFileDrop), N(WindowSlot, AcceptMacDataDrop), N(WindowSlot, AcceptRawDataDrop),
                 N(WindowSlot, Control), N(WindowSlot, SetFocus), N(WindowSlot, DrawInto),
                 N(WindowSlot, _DrawBackground), N(WindowSlot, UpdateNow), N(WindowSlot, _AddControl),
                 N(WindowSlot, _AddMenuHandler), N(WindowSlot, Window), N(WindowSlot, Operator_Convert),
                 N(WindowSlot, __New), N(WindowSlot, _Move), N(WindowSlot, Maximize), N(WindowSlot, Minimize),
                 N(WindowSlot, Restore), N(WindowSlot, _Update), N(WindowSlot, _CallMoved),
                 N(WindowSlot, _EnableMenuItems), N(WindowSlot, _CallActivated), N(WindowSlot, _CallDeactivated),
                 N(WindowSlot, _HandleMenuCommand), N(WindowSlot, _UnifiedClose), N(WindowSlot, _CallMouseDown),
                 N(WindowSlot, _CallResized), N(WindowSlot, _CallResizing), N(WindowSlot, _RemoveControl),
                 N(WindowSlot, _MouseEnter), N(WindowSlot, _MouseExit), N(WindowSlot, _MouseMove),
                 N(WindowSlot, _Paint), N(WindowSlot, _MouseWheel), N(WindowSlot, _KeyDown),
                 N(WindowSlot, __DependencyList), N(WindowSlot, Constructor), N(WindowSlot, TrueWindow),
                 N(WindowSlot, FocusNext), N(WindowSlot, FocusPrevious), N(WindowSlot, _ControlByName),
                 N(WindowSlot, _ControlByNameIndex)},
                WindowSlot::Count, memberNames(cls, 0, WindowSlot::Count), "operations");
    expectNames({N(WindowEvent, Layout), N(WindowEvent, CreateControls), N(WindowEvent, AddMenuHandlers),
                 N(WindowEvent, SetupBindings), N(WindowEvent, Open), N(WindowEvent, Close),
                 N(WindowEvent, CancelClose), N(WindowEvent, KeyDown), N(WindowEvent, KeyUp),
                 N(WindowEvent, MouseMove), N(WindowEvent, MouseEnter), N(WindowEvent, MouseExit),
                 N(WindowEvent, Paint), N(WindowEvent, MouseDown), N(WindowEvent, MouseDrag), N(WindowEvent, MouseUp),
                 N(WindowEvent, EnableMenuItems), N(WindowEvent, Resized), N(WindowEvent, Resizing),
                 N(WindowEvent, Moved), N(WindowEvent, DropObject), N(WindowEvent, Activate),
                 N(WindowEvent, Deactivate), N(WindowEvent, Minimize), N(WindowEvent, Maximize),
                 N(WindowEvent, Restore), N(WindowEvent, MouseWheel), N(WindowEvent, ConstructContextualMenu),
                 N(WindowEvent, ContextualMenuAction), N(WindowEvent, DragEnter), N(WindowEvent, DragExit),
                 N(WindowEvent, DragOver), N(WindowEvent, ContentsChanged)},
                WindowEvent::Count, eventNames(cls), "events");
    const std::vector<Named> props{
        N(WindowProp, Placement), N(WindowProp, Width), N(WindowProp, Height), N(WindowProp, MinWidth),
        N(WindowProp, MinHeight), N(WindowProp, MaxWidth), N(WindowProp, MaxHeight), N(WindowProp, Frame),
        N(WindowProp, Composite), N(WindowProp, HasBackColor), N(WindowProp, BackColor), N(WindowProp, Title),
        N(WindowProp, Visible), N(WindowProp, FullScreen), N(WindowProp, MenuBarVisible), N(WindowProp, CloseButton),
        N(WindowProp, Resizeable), N(WindowProp, LiveResize), N(WindowProp, MaximizeButton),
        N(WindowProp, MinimizeButton), N(WindowProp, MacProcId), N(WindowProp, Backdrop),
        N(WindowProp, ContentsChanged), N(WindowProp, Left), N(WindowProp, Top), N(WindowProp, MouseX),
        N(WindowProp, MouseY), N(WindowProp, ControlCount), N(WindowProp, Handle), N(WindowProp, Focus),
        N(WindowProp, MouseCursor), N(WindowProp, MenuBar), N(WindowProp, Graphics), N(WindowProp, DockItem),
        N(WindowProp, ImplicitInstance), N(WindowProp, Modal), N(WindowProp, Minimized), N(WindowProp, Maximized),
        N(WindowProp, Active), N(WindowProp, Opacity), N(WindowProp, HelpTag), N(WindowProp, DefaultButton),
        N(WindowProp, CancelButton), N(WindowProp, Tag), N(WindowProp, ShowInTaskbar), N(WindowProp, Movable),
        N(WindowProp, AlwaysOnTop), N(WindowProp, _mImp)};
    expectNames(props, WindowProp::Count, propertyNames(cls), "properties");
    // Each property has its member entry, after the operations.
    expectNames(props, WindowProp::Count, memberNames(cls, WindowSlot::Count, WindowProp::Count), "property members");
    for (size_t i = WindowSlot::Count; i < size_t{WindowSlot::Count} + size_t{WindowProp::Count}; ++i)
        EXPECT_EQ(cls->members[i].kind, kProperty) << view(cls->members[i].name);
}

TEST_F(ClassRecordTest, Timer) {
    const ClassRecord* cls = Timer::__Lookup();
    EXPECT_EQ(memberNames(cls, 0, 4), kTimerOperations);
    EXPECT_EQ(propertyNames(cls), kTimerProperties);
    expectOperations(cls, TimerSlot::Count);
    expectNames({N(TimerSlot, Reset), N(TimerSlot, addActionNotificationReceiver),
                 N(TimerSlot, removeActionNotificationReceiver), N(TimerSlot, _CallAction)},
                TimerSlot::Count, memberNames(cls, 0, TimerSlot::Count), "operations");
    EXPECT_EQ(eventNames(cls), std::vector<std::string_view>{"Action"});
    expectNames({N(TimerProp, Mode), N(TimerProp, Period), N(TimerProp, Enabled), N(TimerProp, _mImp)}, TimerProp::Count,
                propertyNames(cls), "properties");
    EXPECT_EQ(cls->properties[TimerProp::Mode].type, PropType::Integer);
    EXPECT_EQ(cls->properties[TimerProp::Period].type, PropType::Integer);
    EXPECT_EQ(cls->properties[TimerProp::Enabled].type, PropType::Boolean);
}

TEST_F(ClassRecordTest, ControlChains) {
    const struct {
        const ClassRecord* (*cls)();
        std::vector<std::string_view> chain;
    } cases[] = {
        {BevelButton::__Lookup, {"BevelButton", "RectControl", "Control", "Object"}},
        {CheckBox::__Lookup, {"CheckBox", "RectControl", "Control", "Object"}},
        {Label::__Lookup, {"Label", "RectControl", "Control", "Object"}},
        {ComboBox::__Lookup, {"ComboBox", "PopupMenu", "RectControl", "Control", "Object"}},
        {TextField::__Lookup, {"TextField", "TextEdit", "RectControl", "Control", "Object"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string_view> chain;
        for (const ClassRecord* r = c.cls(); r; r = r->parent) chain.push_back(r->registeredName());
        EXPECT_EQ(chain, c.chain);
        // Every control can be made, and is a ControlObject the windows can hold.
        Ref<Object> o = make(c.cls());
        EXPECT_NE(dynamic_cast<ControlObject*>(o.get()), nullptr) << chain.front();
    }
    const std::vector<std::string_view> rectEvents = eventNames(RectControl::__Lookup());
    EXPECT_NE(std::find(rectEvents.begin(), rectEvents.end(), "MouseDown"), rectEvents.end());
    EXPECT_EQ(eventNames(BevelButton::__Lookup(), RectControl::__Lookup()->events.size()),
              std::vector<std::string_view>{"Action"});
}

// Every name a layout record of that kind carries: its slot and declared type.
struct RecordName {
    const char* name;
    int slot;
    PropType type;
};

constexpr PropType kI = PropType::Integer, kE = PropType::Enumeration, kB = PropType::Boolean, kS = PropType::String,
                   kC = PropType::Color;

// The names every control record carries.
std::vector<RecordName> controlNames(std::vector<RecordName> own) {
    std::vector<RecordName> names{
        {"Name", ControlProp::Name, kS}, {"Index", ControlProp::Index, kI},
        {"Left", RectControlProp::Left, kI}, {"Top", RectControlProp::Top, kI},
        {"Width", RectControlProp::Width, kI}, {"Height", RectControlProp::Height, kI},
        {"LockLeft", RectControlProp::LockLeft, kB}, {"LockTop", RectControlProp::LockTop, kB},
        {"LockRight", RectControlProp::LockRight, kB}, {"LockBottom", RectControlProp::LockBottom, kB},
        {"TabPanelIndex", ControlProp::TabPanelIndex, kI}, {"TabIndex", RectControlProp::TabIndex, kI},
        {"InitialParent", RectControlProp::InitialParent, kS}, {"Visible", RectControlProp::Visible, kB},
        {"HelpTag", RectControlProp::HelpTag, kS}, {"AutoDeactivate", RectControlProp::AutoDeactivate, kB},
        {"Enabled", RectControlProp::Enabled, kB}};
    names.insert(names.end(), own.begin(), own.end());
    return names;
}

TEST_F(ClassRecordTest, EveryNameTheLayoutRecordsCarryIsDeclared) {
    const struct {
        const char* kind;
        const ClassRecord* (*cls)();
        std::vector<RecordName> names;
    } kinds[] = {
        {"window", Window::__Lookup,
         {{"Placement", WindowProp::Placement, kI}, {"Width", WindowProp::Width, kI},
          {"Height", WindowProp::Height, kI}, {"MinWidth", WindowProp::MinWidth, kI},
          {"MinHeight", WindowProp::MinHeight, kI}, {"MaxWidth", WindowProp::MaxWidth, kI},
          {"MaxHeight", WindowProp::MaxHeight, kI}, {"Frame", WindowProp::Frame, kI},
          {"Composite", WindowProp::Composite, kB}, {"HasBackColor", WindowProp::HasBackColor, kB},
          {"BackColor", WindowProp::BackColor, kC}, {"Title", WindowProp::Title, kS},
          {"Visible", WindowProp::Visible, kB}, {"FullScreen", WindowProp::FullScreen, kB},
          {"MenuBarVisible", WindowProp::MenuBarVisible, kB}, {"CloseButton", WindowProp::CloseButton, kB},
          {"Resizeable", WindowProp::Resizeable, kB}, {"LiveResize", WindowProp::LiveResize, kB},
          {"MaximizeButton", WindowProp::MaximizeButton, kB}, {"MinimizeButton", WindowProp::MinimizeButton, kB},
          {"MacProcID", WindowProp::MacProcId, kI}}},
        {"timer", Timer::__Lookup, {{"Mode", TimerProp::Mode, kI}, {"Period", TimerProp::Period, kI}}},
        {"bevel button", BevelButton::__Lookup,
         controlNames({{"TabStop", RectControlProp::TabStop, kB}, {"Caption", BevelButtonProp::Caption, kS},
                       {"CaptionAlign", BevelButtonProp::CaptionAlign, kI},
                       {"CaptionPlacement", BevelButtonProp::CaptionPlacement, kI},
                       {"CaptionDelta", BevelButtonProp::CaptionDelta, kI},
                       {"IconAlign", BevelButtonProp::IconAlign, kI}, {"IconDX", BevelButtonProp::IconDX, kI},
                       {"IconDY", BevelButtonProp::IconDY, kI}, {"Bevel", BevelButtonProp::Bevel, kI},
                       {"HasMenu", BevelButtonProp::HasMenu, kI},
                       {"HasBackColor", BevelButtonProp::HasBackColor, kB},
                       {"BackColor", BevelButtonProp::BackColor, kC}, {"TextColor", BevelButtonProp::TextColor, kC},
                       {"Value", BevelButtonProp::Value, kB}, {"MenuValue", BevelButtonProp::MenuValue, kI},
                       {"ButtonType", BevelButtonProp::ButtonType, kI},
                       {"AcceptFocus", BevelButtonProp::AcceptFocus, kB},
                       {"TextFont", BevelButtonProp::TextFont, kS}, {"Bold", BevelButtonProp::Bold, kB},
                       {"Italic", BevelButtonProp::Italic, kB}, {"Underline", BevelButtonProp::Underline, kB}})},
        {"check box", CheckBox::__Lookup,
         controlNames({{"TabStop", RectControlProp::TabStop, kB}, {"Caption", CheckBoxProp::Caption, kS},
                       {"TextFont", CheckBoxProp::TextFont, kS}, {"Bold", CheckBoxProp::Bold, kB},
                       {"Italic", CheckBoxProp::Italic, kB}, {"Underline", CheckBoxProp::Underline, kB},
                       {"State", CheckBoxProp::State, kE}, {"Value", CheckBoxProp::Value, kB},
                       {"DataSource", CheckBoxProp::DataSource, kS}, {"DataField", CheckBoxProp::DataField, kS}})},
        {"label", Label::__Lookup,
         controlNames({{"Text", LabelProp::Text, kS}, {"TextAlign", LabelProp::TextAlign, kI},
                       {"TextColor", LabelProp::TextColor, kC}, {"Multiline", LabelProp::MultiLine, kB},
                       {"Selectable", LabelProp::Selectable, kB}, {"Transparent", LabelProp::Transparent, kB},
                       {"TextFont", LabelProp::TextFont, kS}, {"Bold", LabelProp::Bold, kB},
                       {"Italic", LabelProp::Italic, kB}, {"Underline", LabelProp::Underline, kB},
                       {"DataSource", LabelProp::DataSource, kS}, {"DataField", LabelProp::DataField, kS}})},
        {"text field", TextField::__Lookup,
         controlNames({{"TabStop", RectControlProp::TabStop, kB}, {"Border", TextFieldProp::Border, kB},
                       {"Password", TextFieldProp::Password, kB}, {"UseFocusRing", TextFieldProp::UseFocusRing, kB},
                       {"TextColor", TextFieldProp::TextColor, kC}, {"BackColor", TextFieldProp::BackColor, kC},
                       {"Format", TextFieldProp::Format, kS}, {"TextFont", TextFieldProp::TextFont, kS},
                       {"Bold", TextFieldProp::Bold, kB}, {"Italic", TextFieldProp::Italic, kB},
                       {"Underline", TextFieldProp::Underline, kB}, {"CueText", TextFieldProp::CueText, kS},
                       {"Text", TextFieldProp::Text, kS}, {"Mask", TextFieldProp::Mask, kS},
                       {"ReadOnly", TextFieldProp::ReadOnly, kB}, {"LimitText", TextFieldProp::LimitText, kI},
                       {"AcceptTabs", TextFieldProp::AcceptTabs, kB}, {"Alignment", TextFieldProp::Alignment, kI},
                       {"AutomaticallyCheckSpelling", TextEditProp::AutomaticallyCheckSpelling, kB},
                       {"DataSource", TextFieldProp::DataSource, kS}, {"DataField", TextFieldProp::DataField, kS}})},
        {"combo box", ComboBox::__Lookup,
         controlNames({{"TabStop", RectControlProp::TabStop, kB},
                       {"InitialValue", PopupMenuProp::InitialValue, kS}, {"ListIndex", PopupMenuProp::ListIndex, kI},
                       {"UseFocusRing", ComboBoxProp::UseFocusRing, kB}, {"TextFont", PopupMenuProp::TextFont, kS},
                       {"Bold", PopupMenuProp::Bold, kB}, {"Italic", PopupMenuProp::Italic, kB},
                       {"Underline", PopupMenuProp::Underline, kB}, {"DataSource", PopupMenuProp::DataSource, kS},
                       {"DataField", PopupMenuProp::DataField, kS},
                       {"AutoComplete", ComboBoxProp::AutoComplete, kB}})},
    };
    for (const auto& k : kinds) {
        const ClassRecord* cls = k.cls();
        for (const RecordName& n : k.names) {
            SCOPED_TRACE(std::string(k.kind) + " " + n.name);
            const int slot = findProperty(cls, n.name);
            ASSERT_EQ(slot, n.slot);
            EXPECT_EQ(cls->properties[static_cast<size_t>(slot)].type, n.type)
                << typeName(cls->properties[static_cast<size_t>(slot)].type);
        }
    }
}

}  // namespace
}  // namespace rt
