// Every layout record the program applies, compared whole and byte for byte:
// the 47 records that _SetProperties is given while the six windows are
// constructed, against records written out here from the layout tables. The
// entries that every record of a kind shares are typed as hex; the values that
// differ from one object to the next go through the small encoder below, from
// the tables of each window. A record read back by name could not tell a
// swapped pair of entries or a name spelt in another case; these bytes can.
// Tables here are laid out by hand.
// clang-format off
#include "ProgramHarness.h"
#include "dialogs/Window3.h"
#include "dialogs/Window4.h"
#include "dialogs/Window5.h"
#include "dialogs/Window6.h"
#include "loom/Testing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

using namespace loom;
using progtest::ProgramRun;

namespace {

// "4D 6F 64 65 20" as the bytes it spells.
std::string hex(std::string_view text) {
    std::string out;
    int pending = -1;
    for (char ch : text) {
        if (ch == ' ') continue;
        int digit = -1;
        if (ch >= '0' && ch <= '9') digit = ch - '0';
        if (ch >= 'A' && ch <= 'F') digit = ch - 'A' + 10;
        if (digit < 0) throw std::invalid_argument("not a hex digit in " + std::string(text));
        if (pending < 0) {
            pending = digit;
        } else {
            out += static_cast<char>(pending * 16 + digit);
            pending = -1;
        }
    }
    if (pending >= 0) throw std::invalid_argument("odd number of hex digits in " + std::string(text));
    return out;
}

// ---- Entries that differ from one object to the next: name, blank, value --------------------

std::string bigEndian(uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 8) & 0xFF),
            static_cast<char>(v & 0xFF)};
}
std::string intEntry(std::string_view name, int32_t v) {
    return std::string(name) + ' ' + bigEndian(static_cast<uint32_t>(v));
}
std::string boolEntry(std::string_view name, bool v) { return std::string(name) + ' ' + (v ? '\x01' : '\x00'); }
std::string textEntry(std::string_view name, std::string_view v) {
    return std::string(name) + ' ' + bigEndian(static_cast<uint32_t>(v.size())) + std::string(v);
}

// ---- Entries that every record of a kind shares ------------------------------------------------

const std::string kPlacement = hex(
    "50 6C 61 63 65 6D 65 6E 74 20 00 00 00 00 "  // Placement 0
);
const std::string kMinWidth = hex(
    "4D 69 6E 57 69 64 74 68 20 00 00 00 40 "  // MinWidth 64
);
const std::string kMaxWidthToCloseButton = hex(
    "4D 61 78 57 69 64 74 68 20 00 00 7D 00 "  // MaxWidth 32000
    "4D 61 78 48 65 69 67 68 74 20 00 00 7D 00 "  // MaxHeight 32000
    "46 72 61 6D 65 20 00 00 00 02 "  // Frame 2
    "43 6F 6D 70 6F 73 69 74 65 20 00 "  // Composite false
    "48 61 73 42 61 63 6B 43 6F 6C 6F 72 20 00 "  // HasBackColor false
    "42 61 63 6B 43 6F 6C 6F 72 20 FF FF FF "  // BackColor FF FF FF
    "54 69 74 6C 65 20 00 00 00 00 "  // Title ""
    "56 69 73 69 62 6C 65 20 00 "  // Visible false
    "46 75 6C 6C 53 63 72 65 65 6E 20 00 "  // FullScreen false
    "4D 65 6E 75 42 61 72 56 69 73 69 62 6C 65 20 01 "  // MenuBarVisible true
    "43 6C 6F 73 65 42 75 74 74 6F 6E 20 01 "  // CloseButton true
);
const std::string kMaximizeButton = hex(
    "4D 61 78 69 6D 69 7A 65 42 75 74 74 6F 6E 20 00 "  // MaximizeButton false
);
const std::string kMacProcID = hex(
    "4D 61 63 50 72 6F 63 49 44 20 00 00 00 00 "  // "MacProcID" 0, so spelt
);

const std::string kIndex = hex(
    "49 6E 64 65 78 20 80 00 00 00 "  // Index -2147483648
);
const std::string kLocksAndPanel = hex(
    "4C 6F 63 6B 4C 65 66 74 20 01 "  // LockLeft true
    "4C 6F 63 6B 54 6F 70 20 01 "  // LockTop true
    "4C 6F 63 6B 52 69 67 68 74 20 00 "  // LockRight false
    "4C 6F 63 6B 42 6F 74 74 6F 6D 20 00 "  // LockBottom false
    "54 61 62 50 61 6E 65 6C 49 6E 64 65 78 20 00 00 00 00 "  // TabPanelIndex 0
);
const std::string kHelpTagAutoDeactivate = hex(
    "48 65 6C 70 54 61 67 20 00 00 00 00 "  // HelpTag ""
    "41 75 74 6F 44 65 61 63 74 69 76 61 74 65 20 01 "  // AutoDeactivate true
);
const std::string kFontSystemPlain = hex(
    "54 65 78 74 46 6F 6E 74 20 00 00 00 06 53 79 73 74 65 6D "  // TextFont "System"
    "42 6F 6C 64 20 00 "  // Bold false
    "49 74 61 6C 69 63 20 00 "  // Italic false
    "55 6E 64 65 72 6C 69 6E 65 20 00 "  // Underline false
);

// Bevel button: entries 13 and 14, 16 and 17, then 20 to 38.
const std::string kButtonTabStopInitialParent = hex(
    "54 61 62 53 74 6F 70 20 01 "  // TabStop true
    "49 6E 69 74 69 61 6C 50 61 72 65 6E 74 20 00 00 00 00 "  // InitialParent ""
);
const std::string kButtonAfterCaption = hex(
    "43 61 70 74 69 6F 6E 41 6C 69 67 6E 20 00 00 00 03 "  // CaptionAlign 3
    "43 61 70 74 69 6F 6E 50 6C 61 63 65 6D 65 6E 74 20 00 00 00 01 "  // CaptionPlacement 1
    "43 61 70 74 69 6F 6E 44 65 6C 74 61 20 00 00 00 00 "  // CaptionDelta 0
    "49 63 6F 6E 41 6C 69 67 6E 20 00 00 00 00 "  // IconAlign 0
    "49 63 6F 6E 44 58 20 00 00 00 00 "  // IconDX 0
    "49 63 6F 6E 44 59 20 00 00 00 00 "  // IconDY 0
    "42 65 76 65 6C 20 00 00 00 00 "  // Bevel 0
    "48 61 73 4D 65 6E 75 20 00 00 00 00 "  // HasMenu 0, four bytes
    "48 61 73 42 61 63 6B 43 6F 6C 6F 72 20 00 "  // HasBackColor false
    "42 61 63 6B 43 6F 6C 6F 72 20 00 00 00 "  // BackColor 00 00 00
    "54 65 78 74 43 6F 6C 6F 72 20 00 00 00 "  // TextColor 00 00 00
    "56 61 6C 75 65 20 00 "  // Value false, one byte
    "4D 65 6E 75 56 61 6C 75 65 20 00 00 00 00 "  // MenuValue 0
    "42 75 74 74 6F 6E 54 79 70 65 20 00 00 00 00 "  // ButtonType 0
    "41 63 63 65 70 74 46 6F 63 75 73 20 00 "  // AcceptFocus false
) + kFontSystemPlain;

// Check box: entry 6, entries 13 and 14, 17 to 22, then 25 to 27.
const std::string kCheckHeight = hex(
    "48 65 69 67 68 74 20 00 00 00 14 "  // Height 20
);
const std::string kCheckTabStopCaption = hex(
    "54 61 62 53 74 6F 70 20 01 "  // TabStop true
    "43 61 70 74 69 6F 6E 20 00 00 00 00 "  // Caption ""
);
const std::string kCheckAfterVisible = kHelpTagAutoDeactivate + kFontSystemPlain;
const std::string kCheckAfterValue = hex(
    "44 61 74 61 53 6F 75 72 63 65 20 00 00 00 00 "  // DataSource ""
    "44 61 74 61 46 69 65 6C 64 20 00 00 00 00 "  // DataField ""
    "49 6E 69 74 69 61 6C 50 61 72 65 6E 74 20 00 00 00 00 "  // InitialParent ""
);

// Label: entries 13 to 29.
const std::string kLabelAfterTabIndex = hex(
    "54 65 78 74 20 00 00 00 00 "  // Text ""
    "54 65 78 74 41 6C 69 67 6E 20 00 00 00 00 "  // TextAlign 0
    "54 65 78 74 43 6F 6C 6F 72 20 00 00 00 "  // TextColor 00 00 00
    "4D 75 6C 74 69 6C 69 6E 65 20 00 "  // "Multiline" false, so spelt
    "45 6E 61 62 6C 65 64 20 01 "  // Enabled true
    "56 69 73 69 62 6C 65 20 01 "  // Visible true
    "53 65 6C 65 63 74 61 62 6C 65 20 00 "  // Selectable false
    "54 72 61 6E 73 70 61 72 65 6E 74 20 00 "  // Transparent false
) + kHelpTagAutoDeactivate + kFontSystemPlain + hex(
    "44 61 74 61 53 6F 75 72 63 65 20 00 00 00 00 "  // DataSource ""
    "44 61 74 61 46 69 65 6C 64 20 00 00 00 00 "  // DataField ""
    "49 6E 69 74 69 61 6C 50 61 72 65 6E 74 20 00 00 00 00 "  // InitialParent ""
);

// Text field: entries 5 to 11, then 13 to 37.
const std::string kFieldSizeLocksAndPanel = hex(
    "57 69 64 74 68 20 00 00 00 3F "  // Width 63
    "48 65 69 67 68 74 20 00 00 00 14 "  // Height 20
) + kLocksAndPanel;
const std::string kFieldAfterTabIndex = hex(
    "54 61 62 53 74 6F 70 20 01 "  // TabStop true
    "42 6F 72 64 65 72 20 01 "  // Border true
    "50 61 73 73 77 6F 72 64 20 00 "  // Password false
    "55 73 65 46 6F 63 75 73 52 69 6E 67 20 01 "  // UseFocusRing true
    "54 65 78 74 43 6F 6C 6F 72 20 00 00 00 "  // TextColor 00 00 00
    "42 61 63 6B 43 6F 6C 6F 72 20 FF FF FF "  // BackColor FF FF FF
    "45 6E 61 62 6C 65 64 20 01 "  // Enabled true
    "46 6F 72 6D 61 74 20 00 00 00 00 "  // Format ""
    "56 69 73 69 62 6C 65 20 00 "  // Visible false
) + kHelpTagAutoDeactivate + kFontSystemPlain + hex(
    "43 75 65 54 65 78 74 20 00 00 00 00 "  // CueText ""
    "54 65 78 74 20 00 00 00 00 "  // Text ""
    "4D 61 73 6B 20 00 00 00 00 "  // Mask ""
    "52 65 61 64 4F 6E 6C 79 20 00 "  // ReadOnly false
    "4C 69 6D 69 74 54 65 78 74 20 00 00 00 00 "  // LimitText 0
    "41 63 63 65 70 74 54 61 62 73 20 00 "  // AcceptTabs false
    "41 6C 69 67 6E 6D 65 6E 74 20 00 00 00 00 "  // Alignment 0
    "41 75 74 6F 6D 61 74 69 63 61 6C 6C 79 43 68 65 63 6B 53 70 65 6C 6C 69 6E 67 20 00 "  // AutomaticallyCheckSpelling false
    "44 61 74 61 53 6F 75 72 63 65 20 00 00 00 00 "  // DataSource ""
    "44 61 74 61 46 69 65 6C 64 20 00 00 00 00 "  // DataField ""
);

// ---- The records, kind by kind ------------------------------------------------------------------

enum class Kind { Window, Timer, BevelButton, CheckBox, Label, TextField, ComboBox };

struct Golden {
    std::string target;  // "Window2.Window2", or the window and the control: "Window2.Window2 Label4"
    Kind kind;
    std::string bytes;
    size_t statedSize;  // the record's length as the layout tables state it
};

constexpr size_t kSystem = 6;  // the font name every control record carries

Golden window(const char* name, int32_t width, int32_t height, int32_t minHeight, bool resizeable, bool liveResize,
              bool minimizeButton) {
    return {name, Kind::Window,
            kPlacement + intEntry("Width", width) + intEntry("Height", height) + kMinWidth +
                intEntry("MinHeight", minHeight) + kMaxWidthToCloseButton + boolEntry("Resizeable", resizeable) +
                boolEntry("LiveResize", liveResize) + kMaximizeButton + boolEntry("MinimizeButton", minimizeButton) +
                kMacProcID,
            267};
}

std::string on(const char* window, const std::string& control) { return std::string(window) + " " + control; }

Golden button(const char* window, const std::string& name, int32_t left, int32_t top, int32_t width, int32_t height,
              int32_t tabIndex, bool visible, bool enabled, const std::string& caption) {
    return {on(window, name), Kind::BevelButton,
            textEntry("Name", name) + kIndex + intEntry("Left", left) + intEntry("Top", top) +
                intEntry("Width", width) + intEntry("Height", height) + kLocksAndPanel +
                intEntry("TabIndex", tabIndex) + kButtonTabStopInitialParent + boolEntry("Visible", visible) +
                kHelpTagAutoDeactivate + boolEntry("Enabled", enabled) + textEntry("Caption", caption) +
                kButtonAfterCaption,
            455 + name.size() + caption.size() + kSystem};
}

Golden check(const char* window, const std::string& name, int32_t left, int32_t top, int32_t width, int32_t tabIndex,
             bool enabled, bool visible, bool checked) {
    return {on(window, name), Kind::CheckBox,
            textEntry("Name", name) + kIndex + intEntry("Left", left) + intEntry("Top", top) +
                intEntry("Width", width) + kCheckHeight + kLocksAndPanel + intEntry("TabIndex", tabIndex) +
                kCheckTabStopCaption + boolEntry("Enabled", enabled) + boolEntry("Visible", visible) +
                kCheckAfterVisible + intEntry("State", checked ? 1 : 0) + boolEntry("Value", checked) +
                kCheckAfterValue,
            299 + name.size() + kSystem};
}

Golden label(const char* window, const std::string& name, int32_t left, int32_t top, int32_t width, int32_t height,
             int32_t tabIndex) {
    return {on(window, name), Kind::Label,
            textEntry("Name", name) + kIndex + intEntry("Left", left) + intEntry("Top", top) +
                intEntry("Width", width) + intEntry("Height", height) + kLocksAndPanel +
                intEntry("TabIndex", tabIndex) + kLabelAfterTabIndex,
            333 + name.size() + kSystem};
}

Golden field(const char* window, const std::string& name, int32_t left, int32_t top, int32_t tabIndex) {
    return {on(window, name), Kind::TextField,
            textEntry("Name", name) + kIndex + intEntry("Left", left) + intEntry("Top", top) +
                kFieldSizeLocksAndPanel + intEntry("TabIndex", tabIndex) + kFieldAfterTabIndex,
            429 + name.size() + kSystem};
}

// The program's 47 records, in the order the windows apply them: the splash at
// start-up, the main window at the hand-over, then Window3 to Window6.
const std::vector<Golden>& goldenRecords() {
    static const std::vector<Golden> records{
        window("Window1.Window1", 440, 147, 64, false, false, true),
        {"Window1.Window1 Timer1", Kind::Timer, hex("4D 6F 64 65 20 00 00 00 00 50 65 72 69 6F 64 20 00 00 00 01"), 20},
        {"Window1.Window1 Timer2", Kind::Timer, hex("4D 6F 64 65 20 00 00 00 00 50 65 72 69 6F 64 20 00 00 0E 74"), 20},

        window("Window2.Window2", 619, 461, 64, false, false, true),
        button("Window2.Window2", "BevelButton1", 531, 420, 69, 21, 0, true, true, "OK"),
        {"Window2.Window2 ComboBox1", Kind::ComboBox, hex(
            "4E 61 6D 65 20 00 00 00 09 43 6F 6D 62 6F 42 6F 78 31 "  // Name "ComboBox1"
            "49 6E 64 65 78 20 80 00 00 00 "  // Index -2147483648
            "4C 65 66 74 20 00 00 00 A3 "  // Left 163
            "54 6F 70 20 00 00 00 A8 "  // Top 168
            "57 69 64 74 68 20 00 00 00 76 "  // Width 118
            "48 65 69 67 68 74 20 00 00 00 16 "  // Height 22
            "4C 6F 63 6B 4C 65 66 74 20 01 "  // LockLeft true
            "4C 6F 63 6B 54 6F 70 20 01 "  // LockTop true
            "4C 6F 63 6B 52 69 67 68 74 20 00 "  // LockRight false
            "4C 6F 63 6B 42 6F 74 74 6F 6D 20 00 "  // LockBottom false
            "54 61 62 50 61 6E 65 6C 49 6E 64 65 78 20 00 00 00 00 "  // TabPanelIndex 0
            "54 61 62 49 6E 64 65 78 20 00 00 00 02 "  // TabIndex 2
            "54 61 62 53 74 6F 70 20 01 "  // TabStop true
            "45 6E 61 62 6C 65 64 20 01 "  // Enabled true
            "49 6E 69 74 69 61 6C 56 61 6C 75 65 20 00 00 00 1D "  // InitialValue, 29 bytes:
            "4E 6F 62 6C 65 20 36 0D 53 70 61 72 74 61 6E 20 4D 50 0D 4A 6F 72 67 65 0D 4B 61 74 0D "
            "4C 69 73 74 49 6E 64 65 78 20 00 00 00 00 "  // ListIndex 0
            "56 69 73 69 62 6C 65 20 00 "  // Visible false
            "48 65 6C 70 54 61 67 20 00 00 00 00 "  // HelpTag ""
            "41 75 74 6F 44 65 61 63 74 69 76 61 74 65 20 01 "  // AutoDeactivate true
            "55 73 65 46 6F 63 75 73 52 69 6E 67 20 01 "  // UseFocusRing true
            "54 65 78 74 46 6F 6E 74 20 00 00 00 06 53 79 73 74 65 6D "  // TextFont "System"
            "42 6F 6C 64 20 00 "  // Bold false
            "49 74 61 6C 69 63 20 00 "  // Italic false
            "55 6E 64 65 72 6C 69 6E 65 20 00 "  // Underline false
            "44 61 74 61 53 6F 75 72 63 65 20 00 00 00 00 "  // DataSource ""
            "44 61 74 61 46 69 65 6C 64 20 00 00 00 00 "  // DataField ""
            "41 75 74 6F 43 6F 6D 70 6C 65 74 65 20 00 "  // AutoComplete false
            ), 311 + 9 + 29 + kSystem},
        //    window             name        Left Top Width  Tab  Enabled Visible checked
        check("Window2.Window2", "CheckBox1",  67, 220,  69,   3, true,   false,  false),
        check("Window2.Window2", "CheckBox2",  67, 196,  69,   4, false,  false,  false),
        check("Window2.Window2", "CheckBox3", 293, 300,  69,   5, true,   false,  false),
        //     window             name             Left Top Width Height Tab Visible Enabled Caption
        button("Window2.Window2", "BevelButton3",  531, 420, 69, 21,  6, false, true, "OK"),
        button("Window2.Window2", "BevelButton4",  531, 420, 69, 21,  7, false, true, "OK"),
        button("Window2.Window2", "BevelButton5",  232, 188, 71, 20,  8, false, true, "MAX"),
        button("Window2.Window2", "BevelButton6",  232, 220, 71, 20,  9, false, true, "MAX"),
        button("Window2.Window2", "BevelButton7",  232, 276, 71, 20, 10, false, true, "MAX"),
        button("Window2.Window2", "BevelButton8",  232, 308, 71, 20, 11, false, true, "MAX"),
        button("Window2.Window2", "BevelButton9",  523, 187, 77, 20, 12, false, true, "MAX"),
        button("Window2.Window2", "BevelButton10", 523, 276, 77, 20, 13, false, true, "MAX"),
        //    window             name         Left Top  Tab
        field("Window2.Window2", "TextField1", 163, 188, 14),
        field("Window2.Window2", "TextField2", 163, 219, 15),
        field("Window2.Window2", "TextField3", 163, 276, 16),
        field("Window2.Window2", "TextField4", 163, 308, 17),
        field("Window2.Window2", "TextField5", 456, 188, 18),
        field("Window2.Window2", "TextField6", 456, 276, 19),
        //    window             name     Left Top Width Height Tab
        label("Window2.Window2", "Label1", 260, 0, 43, 21, 20),
        label("Window2.Window2", "Label2", 364, 0, 80, 21, 21),
        label("Window2.Window2", "Label3", 447, 0, 36, 21, 22),
        button("Window2.Window2", "BevelButton12", 450, 420, 69, 21, 24, false, true, "BACK"),
        button("Window2.Window2", "BevelButton13", 450, 420, 69, 21, 25, false, true, "BACK"),
        button("Window2.Window2", "BevelButton14", 531, 420, 69, 21, 26, false, true, "OK"),
        label("Window2.Window2", "Label4", 293, 300, 20, 20, 27),

        window("Window3.Window3", 619, 461, 65, false, false, false),
        button("Window3.Window3", "BevelButton1", 529, 366, 71, 21, 0, true, true, "OK"),
        label("Window3.Window3", "Label1", 43, 127, 86, 15, 1),
        label("Window3.Window3", "Label2", 43, 146, 86, 15, 2),
        label("Window3.Window3", "Label3", 43, 164, 86, 15, 3),
        check("Window3.Window3", "CheckBox1", 194, 191, 100, 4, true, true,  true),
        check("Window3.Window3", "CheckBox2", 194, 212, 100, 5, true, true,  true),
        check("Window3.Window3", "CheckBox3", 194, 277, 100, 6, true, false, true),
        check("Window3.Window3", "CheckBox4", 194, 296, 100, 7, true, false, true),

        window("Window4.Window4", 449, 279, 64, true, true, true),
        button("Window4.Window4", "BevelButton1", 352, 229, 71, 21, 0, true, true,  "OK"),
        button("Window4.Window4", "BevelButton2", 269, 229, 71, 21, 1, true, false, "UPDATE"),

        window("Window5.Window5", 449, 292, 64, false, false, false),
        button("Window5.Window5", "BevelButton1", 352, 243, 71, 22, 0, true, true, "OK"),

        window("Window6.Window6", 409, 172, 64, false, false, false),
        button("Window6.Window6", "BevelButton1", 319, 141, 70, 21, 0, true, true, "OK"),
        button("Window6.Window6", "BevelButton2", 237, 141, 70, 21, 1, true, true, "CANCEL"),
    };
    return records;
}

// ---- What the windows apply ------------------------------------------------------------------------

struct Applied {
    std::string target;
    std::string bytes;
};

std::string targetOf(const Object* target) {
    if (const auto* c = dynamic_cast<const ControlObject*>(target))
        if (const WindowObject* w = c->window.get()) return std::string(w->cls->registeredName()) + " " + objectName(target);
    return objectName(target);
}

std::string hexOf(std::string_view bytes) {
    std::string out;
    char two[4];
    for (unsigned char b : bytes) {
        std::snprintf(two, sizeof two, "%02X ", b);
        out += two;
    }
    return out;
}

// Where two records first differ, with the bytes around it, or "" when equal.
std::string difference(const std::string& want, const std::string& got) {
    if (want == got) return "";
    size_t at = 0;
    while (at < want.size() && at < got.size() && want[at] == got[at]) ++at;
    const size_t from = at < 16 ? 0 : at - 16;
    return "first difference at byte " + std::to_string(at) + " of " + std::to_string(want.size()) + " expected, " +
           std::to_string(got.size()) + " applied\n  expected: ... " + hexOf(std::string_view(want).substr(from, 40)) +
           "\n  applied:  ... " + hexOf(std::string_view(got).substr(from, 40)) + "\n  as text:  " +
           std::string(std::string_view(got).substr(from, 40));
}

}  // namespace

TEST(RecordBytes, EveryRecordTheWindowsApplyIsTheWrittenOutOneByteForByte) {
    // First the tables above against the lengths and counts that the layout
    // tables state, so that a slip in them is told apart from a fault in the program.
    const std::vector<Golden>& golden = goldenRecords();
    std::map<Kind, int> perKind;
    for (const Golden& g : golden) {
        ++perKind[g.kind];
        ASSERT_EQ(g.bytes.size(), g.statedSize) << g.target;
    }
    const std::map<Kind, int> kCounts{{Kind::Window, 6},   {Kind::Timer, 2}, {Kind::BevelButton, 18},
                                      {Kind::CheckBox, 7}, {Kind::Label, 7}, {Kind::TextField, 6},
                                      {Kind::ComboBox, 1}};
    ASSERT_EQ(perKind, kCounts);
    ASSERT_EQ(golden.size(), 47u);

    std::vector<Applied> applied;
    loom::testing::observeSetProperties(
        [&](const Object* target, std::string_view record) { applied.push_back({targetOf(target), std::string(record)}); });
    ProgramRun run;
    const int status = run.run(nullptr, [] {
        // The splash was built at start-up, the main window at the hand-over.
        for (WindowObject* (*accessor)() : {&Window3::Window3, &Window4::Window4, &Window5::Window5, &Window6::Window6})
            Ref<WindowObject> built = adopt(accessor());
    });
    loom::testing::observeSetProperties({});
    EXPECT_EQ(status, 0);

    std::vector<std::string> targets, expectedTargets;
    for (const Applied& a : applied) targets.push_back(a.target);
    for (const Golden& g : golden) expectedTargets.push_back(g.target);
    ASSERT_EQ(targets, expectedTargets);
    for (size_t i = 0; i < golden.size(); ++i) {
        SCOPED_TRACE(std::to_string(i + 1) + ": " + golden[i].target);
        EXPECT_EQ(difference(golden[i].bytes, applied[i].bytes), "");
    }
}
