// What each backdrop picture shows: its size, its kind of background and every
// line of text with the rectangle it must sit in. The drawing code lives in
// generate_artwork.cpp; all wording and coordinates live in ArtworkTable.cpp.
#pragma once

#include "forms/PictureNames.h"

#include <qnamespace.h>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

namespace artwork {

// The background drawn before any text.
enum class Backdrop {
    Splash,  // full gradient with a picture emblem
    Wizard,  // dark top strip with the clickable words, header band, footer
    Guide,   // header band, section list panel, footer line
    Dialog,  // header band, footer
};

// How a line of text looks; generate_artwork.cpp maps each to a font and colour.
enum class Style {
    SplashName,
    SplashTagline,
    SplashStatus,
    Title,     // page or dialog title in the header band
    Step,      // "Step N of 4" in the wizard header band
    Subtitle,  // muted line under a title
    Heading,   // section heading in the body
    Subheading,
    Body,
    Caption,          // check box caption or field label
    CaptionDisabled,  // caption of a check box that is never enabled
    Hint,
    StripName,        // product name at the left of the top strip
    MenuWord,         // clickable word in the top strip, drawn on a pill
    ListWord,         // section list entry
    ListWordCurrent,  // the section list entry of the picture's own section
    PanelCaption,     // small heading above the section list
};

// A control shown over the picture, by what of it paints over the picture: a
// button, field or combo box its whole rectangle; a check box whose caption
// is empty only its indicator, taken as the square as high as the control at
// its left end (the style's box and its focus frame), its caption being drawn
// in the picture. Hot spots, labels without text, paint nothing and are no
// control here: their marking in the picture is all the user sees of them.
struct Control {
    enum class Paints { Whole, Indicator };
    QRect rect;
    Paints paints = Paints::Whole;

    QRect painted() const {
        return paints == Paints::Whole ? rect : QRect(rect.topLeft(), QSize(rect.height(), rect.height()));
    }
};

struct Text {
    QRect box;  // the text is drawn inside this rectangle and must fit in it
    QString words;
    Style style;
    Qt::Alignment align;
};

struct Picture {
    backdrops::Id id;  // which of the program's pictures it is
    QSize size;
    Backdrop backdrop;
    QRect band;                   // header band; empty for none
    int footerTop;                // y of the line above the buttons; 0 for none
    std::optional<QRect> panel;   // light panel behind the section list
    std::optional<QRect> badge;   // round "?" badge
    std::optional<QRect> emblem;  // the program's framed-landscape emblem
    std::vector<Text> texts;
    // Every control visible over this picture. Nothing drawn may lie under
    // what one paints, and no edge of a filled area may run under it.
    std::vector<Control> controls;

    QString name() const {  // its file name without ".jpg"
        const std::string_view n = backdrops::name(id);
        return QString::fromUtf8(n.data(), static_cast<qsizetype>(n.size()));
    }
};

std::vector<Picture> pictures();  // one of each of the program's pictures

}  // namespace artwork
