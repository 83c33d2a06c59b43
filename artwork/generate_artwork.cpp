// Draws the program's backdrop pictures into a folder:
//     generate_artwork <output-folder>
// Every picture is checked first: each text must fit its rectangle and stay
// inside the picture; nothing drawn (text, badge, emblem) may lie under a
// control shown over the picture, nor may the edge of a filled area (strip,
// band, panel, footer). Any failure stops the build rather than producing a
// picture with clipped or hidden artwork.

#include "ArtworkTable.h"

#include <QDir>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdio>

namespace {

using artwork::Backdrop;
using artwork::Control;
using artwork::Picture;
using artwork::Style;
using artwork::Text;

const QString kFamily = QStringLiteral("DejaVu Sans");
constexpr int kJpegQuality = 92;

// Palette.
const QColor kNavy(0x1e, 0x2a, 0x44);
const QColor kNavyDeep(0x25, 0x4a, 0x86);
const QColor kNavyPill(0x36, 0x4a, 0x70);
const QColor kAccent(0x2f, 0x80, 0xed);
const QColor kAccentSoft(0x8f, 0xbc, 0xf7);
const QColor kInk(0x1f, 0x29, 0x33);
const QColor kMuted(0x5f, 0x6b, 0x7a);
const QColor kFaint(0x9a, 0xa5, 0xb1);
const QColor kRule(0xd5, 0xdb, 0xe3);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kFooter(0xf3, 0xf5, 0xf8);
const QColor kPanel(0xf1, 0xf4, 0xf8);
const QColor kBandTop(0xe6, 0xef, 0xfc);
const QColor kBandBottom(0xf7, 0xfa, 0xfe);
const QColor kOnDark(0xff, 0xff, 0xff);
const QColor kOnDarkSoft(0xd3, 0xe2, 0xfb);
const QColor kOnDarkFaint(0xa4, 0xb9, 0xdb);

// Left padding of section list entries inside their clickable rectangle.
constexpr int kListPadding = 7;

struct Look {
    int pixelSize;
    QFont::Weight weight;
    QColor colour;
};

Look lookOf(Style style) {
    switch (style) {
    case Style::SplashName: return {30, QFont::Bold, kOnDark};
    case Style::SplashTagline: return {14, QFont::Normal, kOnDarkSoft};
    case Style::SplashStatus: return {11, QFont::Normal, kOnDarkFaint};
    case Style::Title: return {20, QFont::Bold, kNavy};
    case Style::Step: return {12, QFont::DemiBold, kAccent};
    case Style::Subtitle: return {12, QFont::Normal, kMuted};
    case Style::Heading: return {18, QFont::Bold, kNavy};
    case Style::Subheading: return {13, QFont::Bold, kNavy};
    case Style::Body: return {13, QFont::Normal, kInk};
    case Style::Caption: return {12, QFont::Normal, kInk};
    case Style::CaptionDisabled: return {12, QFont::Normal, kFaint};
    case Style::Hint: return {12, QFont::Normal, kMuted};
    case Style::StripName: return {12, QFont::Bold, kOnDark};
    case Style::MenuWord: return {11, QFont::Normal, kOnDark};
    case Style::ListWord: return {11, QFont::Normal, kInk};
    case Style::ListWordCurrent: return {11, QFont::Bold, kOnDark};
    case Style::PanelCaption: return {9, QFont::Bold, kMuted};
    }
    return {12, QFont::Normal, kInk};
}

QFont fontOf(Style style) {
    QFont font(kFamily);
    font.setPixelSize(lookOf(style).pixelSize);
    font.setWeight(lookOf(style).weight);
    font.setStyleStrategy(QFont::PreferAntialias);
    if (style == Style::PanelCaption) font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    return font;
}

// The part of a text's rectangle the words are laid out in.
QRect layoutBox(const Text& text) {
    if (text.style == Style::ListWord || text.style == Style::ListWordCurrent)
        return text.box.adjusted(kListPadding, 0, 0, 0);
    return text.box;
}

// An area the backdrop fills with a colour of its own, in painting order.
struct Fill {
    enum class Kind { Accent, Strip, Band, Panel, Footer };
    Kind kind;
    QRect area;
    const char* name;
};

std::vector<Fill> fillsOf(const Picture& picture) {
    const int width = picture.size.width();
    const int height = picture.size.height();
    std::vector<Fill> fills;
    switch (picture.backdrop) {
    case Backdrop::Splash: fills.push_back({Fill::Kind::Accent, QRect(0, height - 4, width, 4), "accent strip"}); break;
    case Backdrop::Wizard:
        fills.push_back({Fill::Kind::Strip, QRect(0, 0, width, picture.band.top()), "top strip"});
        fills.push_back({Fill::Kind::Band, picture.band, "header band"});
        break;
    case Backdrop::Guide:
    case Backdrop::Dialog:
        fills.push_back({Fill::Kind::Accent, QRect(0, 0, width, 3), "accent strip"});
        fills.push_back({Fill::Kind::Band, picture.band.adjusted(0, 3, 0, 0), "header band"});
        break;
    }
    if (picture.panel) fills.push_back({Fill::Kind::Panel, *picture.panel, "section panel"});
    if (picture.footerTop > 0)
        fills.push_back({Fill::Kind::Footer, QRect(0, picture.footerTop, width, height - picture.footerTop), "footer"});
    return fills;
}

void complain(const Picture& picture, const Text& text, const char* what) {
    std::fprintf(stderr, "generate_artwork: %s.jpg: \"%s\" %s\n", qUtf8Printable(picture.name()),
                 qUtf8Printable(text.words), what);
}

void complain(const Picture& picture, const QString& what, const Control& control) {
    const QRect r = control.painted();
    const char* part = control.paints == Control::Paints::Whole ? "control" : "check box indicator";
    std::fprintf(stderr, "generate_artwork: %s.jpg: %s lies under the %s at (%d, %d, %dx%d)\n",
                 qUtf8Printable(picture.name()), qUtf8Printable(what), part, r.x(), r.y(), r.width(), r.height());
}

// Nothing drawn lies under what a control paints. A control may sit wholly on
// a filled area (the buttons on the footer), never across its edge.
bool checkControls(const Picture& picture) {
    bool good = true;
    const auto keepOff = [&](const QRect& drawn, const QString& what) {
        for (const Control& control : picture.controls) {
            if (drawn.intersects(control.painted())) {
                complain(picture, what, control);
                good = false;
            }
        }
    };
    for (const Text& text : picture.texts) keepOff(text.box, QStringLiteral("\"%1\"").arg(text.words));
    if (picture.badge) keepOff(*picture.badge, QStringLiteral("the ? badge"));
    if (picture.emblem) keepOff(*picture.emblem, QStringLiteral("the emblem"));
    for (const Fill& fill : fillsOf(picture)) {
        for (const Control& control : picture.controls) {
            const QRect painted = control.painted();
            if (fill.area.intersects(painted) && !fill.area.contains(painted)) {
                complain(picture, QStringLiteral("an edge of the %1").arg(QLatin1String(fill.name)), control);
                good = false;
            }
        }
    }
    return good;
}

bool check(const Picture& picture) {
    bool good = true;
    const QRect bounds(QPoint(0, 0), picture.size);
    for (const Text& text : picture.texts) {
        const QFont font = fontOf(text.style);
        if (QFontInfo(font).family() != kFamily) {
            std::fprintf(stderr, "generate_artwork: font \"%s\" is not installed\n", qUtf8Printable(kFamily));
            return false;
        }
        const QFontMetrics metrics(font);
        const QRect box = layoutBox(text);
        if (!bounds.contains(text.box)) {
            complain(picture, text, "lies outside the picture");
            good = false;
        }
        if (metrics.horizontalAdvance(text.words) > box.width() || metrics.height() > box.height()) {
            complain(picture, text, "does not fit its rectangle");
            good = false;
        }
        if (picture.badge && text.box.intersects(*picture.badge)) {
            complain(picture, text, "runs under the ? badge");
            good = false;
        }
        if (picture.emblem && text.box.intersects(*picture.emblem)) {
            complain(picture, text, "runs under the emblem");
            good = false;
        }
    }
    return checkControls(picture) && good;
}

void fillVertical(QPainter& painter, const QRect& area, const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0.0, top);
    gradient.setColorAt(1.0, bottom);
    painter.fillRect(area, gradient);
}

void drawBand(QPainter& painter, const QRect& band) {
    fillVertical(painter, band, kBandTop, kBandBottom);
    painter.fillRect(QRect(band.left(), band.bottom(), band.width(), 1), kRule);
}

void drawFill(QPainter& painter, const Fill& fill) {
    switch (fill.kind) {
    case Fill::Kind::Accent: painter.fillRect(fill.area, kAccent); break;
    case Fill::Kind::Strip: painter.fillRect(fill.area, kNavy); break;
    case Fill::Kind::Band: drawBand(painter, fill.area); break;
    case Fill::Kind::Panel:
        painter.setPen(QPen(kRule, 1.0));
        painter.setBrush(kPanel);
        painter.drawRoundedRect(QRectF(fill.area).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
        break;
    case Fill::Kind::Footer:
        painter.fillRect(fill.area, kFooter);
        painter.fillRect(QRect(fill.area.topLeft(), QSize(fill.area.width(), 1)), kRule);
        break;
    }
}

// A framed landscape in white; on a light backdrop it sits on a navy tile.
void drawEmblem(QPainter& painter, const Picture& picture, const QRect& area) {
    painter.save();
    if (picture.backdrop != Backdrop::Splash) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kNavy);
        painter.drawRoundedRect(QRectF(area), 10, 10);
    }
    const QRectF frame = picture.backdrop == Backdrop::Splash ? QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5)
                                                              : QRectF(area).adjusted(12.5, 10.5, -12.5, -10.5);
    painter.setPen(QPen(kOnDark, 3.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(frame, 6, 6);

    const QRectF inner = frame.adjusted(6, 6, -6, -6);
    QPainterPath hills;
    hills.moveTo(inner.left(), inner.bottom());
    hills.lineTo(inner.left() + inner.width() * 0.35, inner.top() + inner.height() * 0.40);
    hills.lineTo(inner.left() + inner.width() * 0.55, inner.top() + inner.height() * 0.68);
    hills.lineTo(inner.left() + inner.width() * 0.72, inner.top() + inner.height() * 0.50);
    hills.lineTo(inner.right(), inner.bottom());
    hills.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAccentSoft);
    painter.drawPath(hills);

    const qreal sun = inner.height() * 0.26;
    painter.setBrush(kOnDark);
    painter.drawEllipse(QRectF(inner.right() - sun * 1.6, inner.top() + sun * 0.4, sun, sun));
    painter.restore();
}

void drawBackdrop(QPainter& painter, const Picture& picture) {
    const QRect all(QPoint(0, 0), picture.size);
    painter.fillRect(all, kPaper);
    if (picture.backdrop == Backdrop::Splash) {
        QLinearGradient gradient(all.topLeft(), all.bottomRight());
        gradient.setColorAt(0.0, kNavy);
        gradient.setColorAt(1.0, kNavyDeep);
        painter.fillRect(all, gradient);
    }
    for (const Fill& fill : fillsOf(picture)) drawFill(painter, fill);
}

void drawBadge(QPainter& painter, const QRect& badge) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAccent);
    painter.drawEllipse(QRectF(badge));
    QFont font(kFamily);
    font.setPixelSize(13);
    font.setWeight(QFont::Bold);
    painter.setFont(font);
    painter.setPen(kOnDark);
    painter.drawText(badge, Qt::AlignCenter, QStringLiteral("?"));
}

void drawText(QPainter& painter, const Text& text) {
    // Clickable words get a shape that shows exactly where to click.
    if (text.style == Style::MenuWord) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kNavyPill);
        painter.drawRoundedRect(QRectF(text.box).adjusted(0, 2, 0, -2), 4, 4);
    } else if (text.style == Style::ListWordCurrent) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kAccent);
        painter.drawRoundedRect(QRectF(text.box), 3, 3);
    }
    painter.setFont(fontOf(text.style));
    painter.setPen(lookOf(text.style).colour);
    painter.drawText(layoutBox(text), static_cast<int>(text.align), text.words);
}

QImage render(const Picture& picture) {
    QImage image(picture.size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    drawBackdrop(painter, picture);
    if (picture.emblem) drawEmblem(painter, picture, *picture.emblem);
    if (picture.badge) drawBadge(painter, *picture.badge);
    for (const Text& text : picture.texts) drawText(painter, text);
    painter.end();
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: generate_artwork <output-folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "generate_artwork: cannot create %s\n", argv[1]);
        return 1;
    }

    const std::vector<Picture> all = artwork::pictures();
    bool good = true;
    // The build expects one file of each name, and no other.
    for (size_t i = 0; i < backdrops::kCount; ++i) {
        const auto drawn =
            std::count_if(all.begin(), all.end(), [&](const Picture& p) { return static_cast<size_t>(p.id) == i; });
        if (drawn != 1) {
            std::fprintf(stderr, "generate_artwork: %.*s.jpg is drawn %d times, not once\n",
                         static_cast<int>(backdrops::kNames[i].size()), backdrops::kNames[i].data(),
                         static_cast<int>(drawn));
            good = false;
        }
    }
    for (const Picture& picture : all) good = check(picture) && good;
    if (!good) return 1;

    for (const Picture& picture : all) {
        const QString path = out.filePath(picture.name() + QStringLiteral(".jpg"));
        QImageWriter writer(path, "jpg");
        writer.setQuality(kJpegQuality);
        if (!writer.write(render(picture))) {
            std::fprintf(stderr, "generate_artwork: cannot write %s: %s\n", qUtf8Printable(path),
                         qUtf8Printable(writer.errorString()));
            return 1;
        }
    }
    return 0;
}
