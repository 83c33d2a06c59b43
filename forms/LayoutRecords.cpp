#include "forms/LayoutRecords.h"

using loom::Color;
using loom::RecordWriter;
using loom::String;

namespace records {

namespace {
constexpr Color kBlack{0, 0, 0};
constexpr Color kWhite{255, 255, 255};

// Name, Index, Left, Top, Width, Height, the four locks, TabPanelIndex, TabIndex.
RecordWriter& placed(RecordWriter& w, std::string_view name, Bounds b, int32_t tabIndex) {
    return w.string("Name", name)
        .integer("Index", loom::kNoIndex)
        .integer("Left", b.left)
        .integer("Top", b.top)
        .integer("Width", b.width)
        .integer("Height", b.height)
        .boolean("LockLeft", true)
        .boolean("LockTop", true)
        .boolean("LockRight", false)
        .boolean("LockBottom", false)
        .integer("TabPanelIndex", 0)
        .integer("TabIndex", tabIndex);
}

RecordWriter& font(RecordWriter& w) {
    return w.string("TextFont", "System").boolean("Bold", false).boolean("Italic", false).boolean("Underline", false);
}
}  // namespace

String* window(const WindowValues& v) {
    return RecordWriter()
        .integer("Placement", 0)
        .integer("Width", v.width)
        .integer("Height", v.height)
        .integer("MinWidth", 64)
        .integer("MinHeight", v.minHeight)
        .integer("MaxWidth", 32000)
        .integer("MaxHeight", 32000)
        .integer("Frame", 2)
        .boolean("Composite", false)
        .boolean("HasBackColor", false)
        .color("BackColor", kWhite)
        .string("Title", "")
        .boolean("Visible", false)
        .boolean("FullScreen", false)
        .boolean("MenuBarVisible", true)
        .boolean("CloseButton", true)
        .boolean("Resizeable", v.resizeable)
        .boolean("LiveResize", v.liveResize)
        .boolean("MaximizeButton", false)
        .boolean("MinimizeButton", v.minimizeButton)
        .integer("MacProcID", 0)
        .build();
}

String* timer(int32_t period) { return RecordWriter().integer("Mode", 0).integer("Period", period).build(); }

String* bevelButton(std::string_view name, Bounds b, int32_t tabIndex, bool visible, bool enabled,
                    std::string_view caption) {
    RecordWriter w;
    placed(w, name, b, tabIndex)
        .boolean("TabStop", true)
        .string("InitialParent", "")
        .boolean("Visible", visible)
        .string("HelpTag", "")
        .boolean("AutoDeactivate", true)
        .boolean("Enabled", enabled)
        .string("Caption", caption)
        .integer("CaptionAlign", 3)
        .integer("CaptionPlacement", 1)
        .integer("CaptionDelta", 0)
        .integer("IconAlign", 0)
        .integer("IconDX", 0)
        .integer("IconDY", 0)
        .integer("Bevel", 0)
        .integer("HasMenu", 0)
        .boolean("HasBackColor", false)
        .color("BackColor", kBlack)
        .color("TextColor", kBlack)
        .boolean("Value", false)
        .integer("MenuValue", 0)
        .integer("ButtonType", 0)
        .boolean("AcceptFocus", false);
    return font(w).build();
}

String* checkBox(std::string_view name, Bounds b, int32_t tabIndex, bool visible, bool enabled, bool checked) {
    RecordWriter w;
    placed(w, name, b, tabIndex)
        .boolean("TabStop", true)
        .string("Caption", "")
        .boolean("Enabled", enabled)
        .boolean("Visible", visible)
        .string("HelpTag", "")
        .boolean("AutoDeactivate", true);
    font(w)
        .integer("State", checked ? 1 : 0)
        .boolean("Value", checked)
        .string("DataSource", "")
        .string("DataField", "")
        .string("InitialParent", "");
    return w.build();
}

String* label(std::string_view name, Bounds b, int32_t tabIndex) {
    RecordWriter w;
    placed(w, name, b, tabIndex)
        .string("Text", "")
        .integer("TextAlign", 0)
        .color("TextColor", kBlack)
        .boolean("Multiline", false)
        .boolean("Enabled", true)
        .boolean("Visible", true)
        .boolean("Selectable", false)
        .boolean("Transparent", false)
        .string("HelpTag", "")
        .boolean("AutoDeactivate", true);
    font(w).string("DataSource", "").string("DataField", "").string("InitialParent", "");
    return w.build();
}

String* textField(std::string_view name, int32_t left, int32_t top, int32_t tabIndex) {
    RecordWriter w;
    placed(w, name, {left, top, 63, 20}, tabIndex)
        .boolean("TabStop", true)
        .boolean("Border", true)
        .boolean("Password", false)
        .boolean("UseFocusRing", true)
        .color("TextColor", kBlack)
        .color("BackColor", kWhite)
        .boolean("Enabled", true)
        .string("Format", "")
        .boolean("Visible", false)
        .string("HelpTag", "")
        .boolean("AutoDeactivate", true);
    font(w)
        .string("CueText", "")
        .string("Text", "")
        .string("Mask", "")
        .boolean("ReadOnly", false)
        .integer("LimitText", 0)
        .boolean("AcceptTabs", false)
        .integer("Alignment", 0)
        .boolean("AutomaticallyCheckSpelling", false)
        .string("DataSource", "")
        .string("DataField", "");
    return w.build();
}

String* comboBox(std::string_view name, Bounds b, int32_t tabIndex, bool visible, std::string_view items,
                 int32_t listIndex) {
    RecordWriter w;
    placed(w, name, b, tabIndex)
        .boolean("TabStop", true)
        .boolean("Enabled", true)
        .string("InitialValue", items)
        .integer("ListIndex", listIndex)
        .boolean("Visible", visible)
        .string("HelpTag", "")
        .boolean("AutoDeactivate", true)
        .boolean("UseFocusRing", true);
    font(w).string("DataSource", "").string("DataField", "").boolean("AutoComplete", false);
    return w.build();
}

}  // namespace records
