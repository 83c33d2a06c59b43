// Every bevel button of the six windows as the user sees it over its backdrop:
// a push button whose outline shows along all four edges, its caption centred,
// the disabled one fainter but still a button.
#include "ProgramQtFixture.h"
#include "support/EdgeContrast.h"

#include <QPushButton>

#include <optional>
#include <string>
#include <vector>

namespace pqt {
namespace {

using namespace loom;
using testsupport::edgeContrast;

struct ButtonRow {
    const char* name;
    QRect rect;
    const char* caption;
    bool enabled;
};

// A screen: how it is reached, its backdrop, the bevel buttons on it.
struct Screen {
    const char* name;
    const char* window;   // registered class name
    int oks;              // the main window's "OK" buttons pressed first
    const char* hotSpot;  // then the main window's hot spot that shows it, if any
    const char* picture;
    std::vector<ButtonRow> buttons;
};

// clang-format off
const Screen kScreens[] = {
    {"Page1", "Window2.Window2", 0, nullptr, "p.jpg", {{"BevelButton1", {531, 420, 69, 21}, "OK", true}}},
    {"Page2", "Window2.Window2", 1, nullptr, "cd.jpg", {{"BevelButton3", {531, 420, 69, 21}, "OK", true},
                                                       {"BevelButton12", {450, 420, 69, 21}, "BACK", true}}},
    {"Page3", "Window2.Window2", 2, nullptr, "wd.jpg", {{"BevelButton4", {531, 420, 69, 21}, "OK", true},
                                                       {"BevelButton5", {232, 188, 71, 20}, "MAX", true},
                                                       {"BevelButton6", {232, 220, 71, 20}, "MAX", true},
                                                       {"BevelButton7", {232, 276, 71, 20}, "MAX", true},
                                                       {"BevelButton8", {232, 308, 71, 20}, "MAX", true},
                                                       {"BevelButton9", {523, 187, 77, 20}, "MAX", true},
                                                       {"BevelButton10", {523, 276, 77, 20}, "MAX", true},
                                                       {"BevelButton13", {450, 420, 69, 21}, "BACK", true}}},
    {"Page4", "Window2.Window2", 3, nullptr, "ad.jpg", {{"BevelButton14", {531, 420, 69, 21}, "OK", true}}},
    {"Sections", "Window3.Window3", 0, "Label1", "s1.jpg", {{"BevelButton1", {529, 366, 71, 21}, "OK", true}}},
    {"Updates", "Window4.Window4", 0, "Label2", "cfu.jpg", {{"BevelButton1", {352, 229, 71, 21}, "OK", true},
                                                           {"BevelButton2", {269, 229, 71, 21}, "UPDATE", false}}},
    {"About", "Window5.Window5", 0, "Label3", "abo.jpg", {{"BevelButton1", {352, 243, 71, 22}, "OK", true}}},
    {"Notice", "Window6.Window6", 0, "Label4", "ncm.jpg", {{"BevelButton1", {319, 141, 70, 21}, "OK", true},
                                                          {"BevelButton2", {237, 141, 70, 21}, "CANCEL", true}}},
};
// clang-format on
void PrintTo(const Screen& s, std::ostream* os) { *os << s.name; }

// The caption: the pixels inside the button much darker than its face.
QRect captionBox(const QImage& shown, const QRect& button) {
    const QRect inside = button.adjusted(3, 3, -3, -3);
    std::vector<int> greys;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) greys.push_back(qGray(shown.pixel(x, y)));
    std::nth_element(greys.begin(), greys.begin() + greys.size() / 2, greys.end());
    const int face = greys[greys.size() / 2];
    QRect box;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (qGray(shown.pixel(x, y)) < face - 40) box |= QRect(x, y, 1, 1);
    return box;
}

int darkest(const QImage& shown, const QRect& r) {
    int least = 255;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) least = std::min(least, qGray(shown.pixel(x, y)));
    return least;
}

class BevelButtonsOnScreen : public ProgramQt, public ::testing::WithParamInterface<Screen> {};

TEST_P(BevelButtonsOnScreen, ReadAsPushButtonsOverTheBackdrop) {
    const Screen& s = GetParam();
    runProgram([&] {
        loom::testing::advanceClock(3700);
        WindowObject* main = registered("Window2.Window2");
        ASSERT_NE(main, nullptr);
        loom::testing::answerOpenFileDialog(std::nullopt);
        const char* const oks[] = {"BevelButton1", "BevelButton3", "BevelButton4"};
        for (int i = 0; i < s.oks; ++i) click(widgetNamed(main, oks[i]));
        if (s.hotSpot) click(widgetNamed(main, s.hotSpot));
        WindowObject* window = registered(s.window);
        ASSERT_NE(window, nullptr);
        QWidget* view = widgetOf(window);
        ASSERT_TRUE(view->isVisible());

        const QImage backdrop = bundlePicture(s.picture);
        const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int shownButtons = 0;
        for (const NamedControl& c : window->controls)
            if (auto* b = widgetOf<QPushButton>(c.control.get()); b && b->isVisible()) ++shownButtons;
        EXPECT_EQ(shownButtons, static_cast<int>(s.buttons.size()));

        for (const ButtonRow& row : s.buttons) {
            SCOPED_TRACE(row.name);
            auto* button = widgetNamed<QPushButton>(window, row.name);
            ASSERT_NE(button, nullptr);
            ASSERT_TRUE(button->isVisible());
            EXPECT_EQ(button->geometry(), row.rect);
            EXPECT_EQ(button->text(), row.caption);
            EXPECT_EQ(button->isEnabled(), row.enabled);
            EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);  // AcceptFocus False

            const testsupport::EdgeShares edges = edgeContrast(shown, backdrop, row.rect);
            EXPECT_GE(edges.top, 0.9);
            EXPECT_GE(edges.bottom, 0.9);
            EXPECT_GE(edges.left, 0.9);
            EXPECT_GE(edges.right, 0.9);

            const QRect caption = captionBox(shown, row.rect);
            ASSERT_FALSE(caption.isEmpty());
            const QPointF off = QRectF(caption).center() - QRectF(row.rect).center();
            EXPECT_LE(std::abs(off.x()), 2.0)
                << "caption " << caption.x() << "," << caption.y() << " " << caption.width() << "x" << caption.height();
            EXPECT_LE(std::abs(off.y()), 2.0)
                << "caption " << caption.x() << "," << caption.y() << " " << caption.width() << "x" << caption.height();
        }
        // The disabled button's caption is fainter than its enabled neighbour's.
        for (const ButtonRow& row : s.buttons) {
            if (row.enabled) continue;
            const QRect enabled = s.buttons.front().rect;
            EXPECT_GT(darkest(shown, row.rect.adjusted(3, 3, -3, -3)),
                      darkest(shown, enabled.adjusted(3, 3, -3, -3)) + 40);
        }
    });
}

INSTANTIATE_TEST_SUITE_P(EachScreen, BevelButtonsOnScreen, ::testing::ValuesIn(kScreens),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace pqt
