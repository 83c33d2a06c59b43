// Tables here are laid out by hand.
// clang-format off
#include "forms/PluginEntrypoints.h"

using namespace loom;

// Entry 0, then the bevel button's 55 members, then 14 of five other controls.
extern constexpr std::array<std::string_view, kPluginEntrypointCount> kPluginEntrypointNames{{
    "_",
    "BevelButton.__Lookup",
    "BevelButton.Caption.Get", "BevelButton.Caption.Set",
    "BevelButton.CaptionAlign.Get", "BevelButton.CaptionAlign.Set",
    "BevelButton.CaptionPlacement.Get", "BevelButton.CaptionPlacement.Set",
    "BevelButton.CaptionDelta.Get", "BevelButton.CaptionDelta.Set",
    "BevelButton.IconAlign.Get", "BevelButton.IconAlign.Set",
    "BevelButton.IconDX.Get", "BevelButton.IconDX.Set",
    "BevelButton.IconDY.Get", "BevelButton.IconDY.Set",
    "BevelButton.Bevel.Get", "BevelButton.Bevel.Set",
    "BevelButton.HasMenu.Get", "BevelButton.HasMenu.Set",
    "BevelButton.HasBackColor.Get", "BevelButton.HasBackColor.Set",
    "BevelButton.BackColor.Get", "BevelButton.BackColor.Set",
    "BevelButton.TextColor.Get", "BevelButton.TextColor.Set",
    "BevelButton.Value.Get", "BevelButton.Value.Set",
    "BevelButton.MenuValue.Get", "BevelButton.MenuValue.Set",
    "BevelButton.ButtonType.Get", "BevelButton.ButtonType.Set",
    "BevelButton.AcceptFocus.Get", "BevelButton.AcceptFocus.Set",
    "BevelButton.TextFont.Get", "BevelButton.TextFont.Set",
    "BevelButton.TextSize.Get", "BevelButton.TextSize.Set",
    "BevelButton.TextUnit.Get", "BevelButton.TextUnit.Set",
    "BevelButton.Bold.Get", "BevelButton.Bold.Set",
    "BevelButton.Italic.Get", "BevelButton.Italic.Set",
    "BevelButton.Underline.Get", "BevelButton.Underline.Set",
    "BevelButton.Icon.Get", "BevelButton.Icon.Set",
    "BevelButton.AddRow", "BevelButton.AddSeparator", "BevelButton.DeleteAllRows", "BevelButton.InsertRow",
    "BevelButton.RemoveRow", "BevelButton.List", "BevelButton.ListCount", "BevelButton.Push",
    "Spinner.__Lookup", "Spinner.Value.Get", "Spinner.Value.Set",
    "Badge.__Lookup", "Badge.Text.Get", "Badge.Text.Set",
    "Dial.__Lookup", "Dial.Angle.Get", "Dial.Angle.Set",
    "Meter.__Lookup", "Meter.Level.Get", "Meter.Level.Set",
    "Toggle.__Lookup", "Toggle.State.Get",
}};

namespace {
// Entry numbers of the members the windows call.
constexpr int kBevelButtonLookup = 1;
constexpr int kBevelButtonTextUnitSet = 39;
static_assert(kPluginEntrypointNames[kBevelButtonLookup] == "BevelButton.__Lookup");
static_assert(kPluginEntrypointNames[kBevelButtonTextUnitSet] == "BevelButton.TextUnit.Set");
static_assert(kPluginEntrypointNames[55] == "BevelButton.Push" && kPluginEntrypointNames[56] == "Spinner.__Lookup");

Code entry(int k) {
    Code c = g_pluginEntrypoints ? g_pluginEntrypoints[k] : nullptr;
    if (!c) RaiseNilObjectException();
    return c;
}
}  // namespace

Code* g_pluginEntrypoints = nullptr;

void _InitPluginEntrypoints() {
    g_pluginEntrypoints = RuntimeAllocatePluginEntrypointsTable(kPluginEntrypointCount);
    for (int k = 0; k < kPluginEntrypointCount; ++k) {
        String* name = RuntimeNewString(kPluginEntrypointNames[static_cast<size_t>(k)]);
        g_pluginEntrypoints[k] = RuntimeLookupPluginEntrypoint(name);
        RuntimeUnlockString(name);
    }
}

namespace BevelButton {

const ClassRecord* __Lookup() { return as<const ClassRecord*()>(entry(kBevelButtonLookup))(); }

void TextUnit_Set(Object* button, int32_t index, uint8_t unit) {
    as<void(Object*, int32_t, uint8_t)>(entry(kBevelButtonTextUnitSet))(button, index, unit);
}

}  // namespace BevelButton
