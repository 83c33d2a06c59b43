// Tables here are laid out by hand.
// clang-format off
#include "ArtworkTable.h"

namespace artwork {
namespace {

using backdrops::Id;

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignCenter;

// Check box indicators are about 16 px wide; their caption starts 22 px in.
constexpr int kCheckCaptionInset = 22;
// Gap between a field label's right end and the field.
constexpr int kLabelGap = 5;

Text line(int x, int y, int w, int h, const QString& words, Style style, Qt::Alignment align = kLeft)
{
    return Text{QRect(x, y, w, h), words, style, align};
}

// A check box whose own caption is empty, and its caption in the picture:
// right of the indicator, centred in the control's height, `width` px wide.
void addCheckBox(Picture& p, const QRect& control, int width, const QString& words, Style style = Style::Caption)
{
    p.controls.push_back(Control{control, Control::Paints::Indicator});
    p.texts.push_back(Text{QRect(control.x() + kCheckCaptionInset, control.y(), width, control.height()), words,
                           style, kLeft});
}

Control whole(const QRect& control)
{
    return Control{control, Control::Paints::Whole};
}

// Label to the left of a field, right-aligned, from x `minX` up to just before it.
Text fieldLabel(const QRect& field, int minX, const QString& words)
{
    return Text{QRect(minX, field.y(), field.x() - kLabelGap - minX, field.height()), words, Style::Caption,
                kRight};
}

// The four wizard pages share the window size, the top strip with its three
// clickable words, the header band and the OK button. The "?" badge marks the
// hot spot Label4 where no control lies over it.
constexpr QSize kMainSize(619, 461);
const QRect kMainOk(531, 420, 69, 21);
const QRect kMainBack(450, 420, 69, 21);

Picture wizardPage(Id id, const QString& title, const QString& subtitle, int step)
{
    Picture p{id, kMainSize, Backdrop::Wizard, QRect(0, 22, 619, 74), 404, std::nullopt,
              QRect(293, 300, 20, 20), std::nullopt, {}, {whole(kMainOk)}};
    p.texts = {
        line(12, 0, 160, 21, QStringLiteral("Picture Wizard"), Style::StripName),
        line(260, 0, 43, 21, QStringLiteral("Guide"), Style::MenuWord, kCentre),
        line(364, 0, 80, 21, QStringLiteral("Updates"), Style::MenuWord, kCentre),
        line(447, 0, 36, 21, QStringLiteral("About"), Style::MenuWord, kCentre),
        line(28, 36, 420, 30, title, Style::Title),
        line(28, 68, 420, 18, subtitle, Style::Subtitle),
        line(460, 40, 136, 20, QStringLiteral("Step %1 of 4").arg(step), Style::Step, kRight),
    };
    return p;
}

Picture welcomePage()
{
    Picture p = wizardPage(Id::p, QStringLiteral("Welcome to Picture Wizard"),
                           QStringLiteral("Getting started"), 1);
    p.texts.push_back(line(40, 124, 540, 20, QStringLiteral("This wizard takes you through four short pages."),
                           Style::Body));
    p.texts.push_back(line(40, 150, 540, 20, QStringLiteral("Next, it will ask you for a file."), Style::Body));
    p.texts.push_back(line(40, 190, 540, 20, QStringLiteral("Press OK to continue."), Style::Body));
    return p;
}

Picture profilePage()
{
    Picture p = wizardPage(Id::cd, QStringLiteral("Choose a profile"),
                           QStringLiteral("Who is this set-up for?"), 2);
    const QRect combo(163, 168, 118, 22);
    // Label4's square is CheckBox3's indicator here: left unmarked, as any mark
    // would lie under the box or show from behind it.
    p.badge.reset();
    p.controls.push_back(whole(kMainBack));
    p.controls.push_back(whole(combo));
    p.texts.push_back(
        line(40, 124, 540, 20, QStringLiteral("Pick the profile the wizard should use."), Style::Body));
    p.texts.push_back(fieldLabel(combo, 40, QStringLiteral("Profile:")));
    // The first check box is never enabled, so its caption is drawn greyed.
    addCheckBox(p, QRect(67, 196, 69, 20), 160, QStringLiteral("Locked"), Style::CaptionDisabled);
    addCheckBox(p, QRect(67, 220, 69, 20), 160, QStringLiteral("Favourite"));
    addCheckBox(p, QRect(293, 300, 69, 20), 200, QStringLiteral("Show tips"));
    return p;
}

Picture limitsPage()
{
    Picture p = wizardPage(Id::wd, QStringLiteral("Limits"),
                           QStringLiteral("How large things may get"), 3);
    // Label4's square is half under the fourth MAX button here: left unmarked,
    // as what is left beside the button is too small for a mark.
    p.badge.reset();
    p.controls.push_back(whole(kMainBack));
    struct Field {
        QRect field;
        QRect max;
        int labelMinX;
        QString label;
    };
    const Field fields[] = {
        {QRect(163, 188, 63, 20), QRect(232, 188, 71, 20), 20, QStringLiteral("Width:")},
        {QRect(163, 219, 63, 20), QRect(232, 220, 71, 20), 20, QStringLiteral("Height:")},
        {QRect(163, 276, 63, 20), QRect(232, 276, 71, 20), 20, QStringLiteral("Columns:")},
        {QRect(163, 308, 63, 20), QRect(232, 308, 71, 20), 20, QStringLiteral("Rows:")},
        {QRect(456, 188, 63, 20), QRect(523, 187, 77, 20), 310, QStringLiteral("Quality:")},
        {QRect(456, 276, 63, 20), QRect(523, 276, 77, 20), 310, QStringLiteral("Layers:")},
    };
    p.texts.push_back(line(40, 124, 540, 20,
                           QStringLiteral("Type a limit in each field, or press MAX for the largest value."),
                           Style::Body));
    for (const Field& f : fields) {
        p.controls.push_back(whole(f.field));
        p.controls.push_back(whole(f.max));
        p.texts.push_back(fieldLabel(f.field, f.labelMinX, f.label));
    }
    p.texts.push_back(
        line(40, 350, 540, 18, QStringLiteral("Width, height, columns and rows: up to 32767."), Style::Hint));
    p.texts.push_back(line(40, 370, 540, 18, QStringLiteral("Quality and layers: up to 127."), Style::Hint));
    return p;
}

Picture donePage()
{
    Picture p = wizardPage(Id::ad, QStringLiteral("All done"), QStringLiteral("Nothing left to do"), 4);
    p.texts.push_back(line(40, 124, 540, 20, QStringLiteral("The wizard has finished."), Style::Body));
    p.texts.push_back(line(40, 150, 540, 20, QStringLiteral("Press OK to close the wizard."), Style::Body));
    return p;
}

// The guide window: one picture per section, the section list on the left
// with the picture's own section highlighted, then the section's heading and
// its first line.
Picture guidePage(Id id, int current, const QString& heading, const QString& body)
{
    Picture p{id, QSize(619, 461), Backdrop::Guide, QRect(0, 0, 619, 80), 352, QRect(31, 100, 110, 90),
              std::nullopt, std::nullopt, {}, {whole(QRect(529, 366, 71, 21))}};
    const QRect spots[] = {QRect(43, 127, 86, 15), QRect(43, 146, 86, 15), QRect(43, 164, 86, 15)};
    const QString names[] = {QStringLiteral("General"), QStringLiteral("Display"), QStringLiteral("Advanced")};
    p.texts = {
        line(24, 16, 420, 30, QStringLiteral("Picture Wizard Guide"), Style::Title),
        line(24, 50, 420, 18, QStringLiteral("Pick a section on the left."), Style::Subtitle),
        line(43, 106, 86, 16, QStringLiteral("SECTIONS"), Style::PanelCaption),
    };
    for (int i = 0; i < 3; ++i)
        p.texts.push_back(Text{spots[i], names[i], i == current ? Style::ListWordCurrent : Style::ListWord, kLeft});
    p.texts.push_back(line(194, 122, 380, 28, heading, Style::Heading));
    p.texts.push_back(line(194, 154, 380, 20, body, Style::Body));
    return p;
}

const QRect kCheckBox1(194, 191, 100, 20);
const QRect kCheckBox2(194, 212, 100, 20);
const QRect kCheckBox3(194, 277, 100, 20);
const QRect kCheckBox4(194, 296, 100, 20);
constexpr int kGuideCaptionWidth = 360;

Picture generalSection()
{
    Picture p = guidePage(Id::s1, 0, QStringLiteral("General"),
                          QStringLiteral("How the wizard starts and closes."));
    addCheckBox(p, kCheckBox1, kGuideCaptionWidth, QStringLiteral("Show the splash window"));
    addCheckBox(p, kCheckBox2, kGuideCaptionWidth, QStringLiteral("Ask before closing"));
    return p;
}

Picture displaySection()
{
    Picture p = guidePage(Id::s2, 1, QStringLiteral("Display"),
                          QStringLiteral("How text and pictures are shown."));
    addCheckBox(p, kCheckBox1, kGuideCaptionWidth, QStringLiteral("Use large text"));
    p.texts.push_back(line(194, 250, 380, 20, QStringLiteral("Pictures"), Style::Subheading));
    addCheckBox(p, kCheckBox3, kGuideCaptionWidth, QStringLiteral("Smooth scaling"));
    addCheckBox(p, kCheckBox4, kGuideCaptionWidth, QStringLiteral("Show a grid"));
    return p;
}

Picture advancedSection()
{
    Picture p = guidePage(Id::s3, 2, QStringLiteral("Advanced"),
                          QStringLiteral("Options for experienced users."));
    addCheckBox(p, kCheckBox1, kGuideCaptionWidth, QStringLiteral("Keep a log file"));
    addCheckBox(p, kCheckBox2, kGuideCaptionWidth, QStringLiteral("Check for updates at start"));
    return p;
}

Picture splash()
{
    return Picture{Id::li,
                   QSize(440, 147),
                   Backdrop::Splash,
                   QRect(),
                   0,
                   std::nullopt,
                   std::nullopt,
                   QRect(336, 34, 76, 62),
                   {
                       line(28, 28, 300, 40, QStringLiteral("Picture Wizard"), Style::SplashName),
                       line(30, 70, 300, 20, QStringLiteral("Set things up, one page at a time."),
                            Style::SplashTagline),
                       line(30, 112, 200, 16, QStringLiteral("Starting\u2026"), Style::SplashStatus),
                   },
                   {}};
}

Picture updatesDialog()
{
    return Picture{Id::cfu,
                   QSize(449, 279),
                   Backdrop::Dialog,
                   QRect(0, 0, 449, 56),
                   214,
                   std::nullopt,
                   std::nullopt,
                   std::nullopt,
                   {
                       line(20, 14, 409, 28, QStringLiteral("Check for updates"), Style::Title),
                       line(24, 78, 400, 20, QStringLiteral("You are running Picture Wizard 1.0."), Style::Body),
                       line(24, 102, 400, 20, QStringLiteral("No newer version is available."), Style::Body),
                       line(24, 138, 400, 18, QStringLiteral("There is nothing to update right now."), Style::Hint),
                   },
                   {whole(QRect(269, 229, 71, 21)), whole(QRect(352, 229, 71, 21))}};
}

Picture aboutDialog()
{
    return Picture{Id::abo,
                   QSize(449, 292),
                   Backdrop::Dialog,
                   QRect(0, 0, 449, 56),
                   228,
                   std::nullopt,
                   std::nullopt,
                   QRect(345, 76, 76, 62),
                   {
                       line(20, 14, 409, 28, QStringLiteral("About Picture Wizard"), Style::Title),
                       line(24, 78, 300, 24, QStringLiteral("Picture Wizard"), Style::Heading),
                       line(24, 106, 300, 20, QStringLiteral("Version 1.0"), Style::Body),
                       line(24, 142, 400, 18, QStringLiteral("A four-page wizard dressed in pictures."), Style::Hint),
                   },
                   {whole(QRect(352, 243, 71, 22))}};
}

Picture noticeDialog()
{
    return Picture{Id::ncm,
                   QSize(409, 172),
                   Backdrop::Dialog,
                   QRect(0, 0, 409, 44),
                   128,
                   std::nullopt,
                   std::nullopt,
                   std::nullopt,
                   {
                       line(20, 8, 369, 28, QStringLiteral("Notice"), Style::Title),
                       line(20, 58, 369, 20, QStringLiteral("Settings made in this wizard are not saved."),
                            Style::Body),
                       line(20, 82, 369, 20, QStringLiteral("They are reset each time Picture Wizard starts."),
                            Style::Body),
                   },
                   {whole(QRect(237, 141, 70, 21)), whole(QRect(319, 141, 70, 21))}};
}

}  // namespace

std::vector<Picture> pictures()
{
    return {splash(),         welcomePage(),    profilePage(),     limitsPage(),
            donePage(),       generalSection(), displaySection(),  advancedSection(),
            updatesDialog(),  aboutDialog(),    noticeDialog()};
}

}  // namespace artwork
