// Where windows open: centred on the screen when none of the application's
// windows is visible, else centred over the window the user worked in last,
// always whole on the screen; shown again where the user put them.
#include "QtFixture.h"
#include "support/Centred.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QWindow>

namespace qttest {
namespace {

using namespace loom;

class Placement : public QtTest {
protected:
    WindowObject* window(QSize size) {
        RecordWriter r;
        r.integer("Width", size.width()).integer("Height", size.height()).string("Title", "Placed");
        return makeWindow(r);
    }
    // Asked once a window exists: the first window makes the Qt application.
    static QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

void show(WindowObject* w) {
    Window::Visible_Set(w, 0, true);
    loom::testing::processEvents();
}
void hide(WindowObject* w) {
    Window::Visible_Set(w, 0, false);
    loom::testing::processEvents();
}
QRect placeOf(WindowObject* w) { return widgetOf(w)->geometry(); }

// As the window system does when the user drags a window.
void moveByWindowSystem(WindowObject* w, QPoint to) {
    widgetOf(w)->windowHandle()->setPosition(to);
    loom::testing::processEvents();
}

TEST_F(Placement, FirstWindowOpensCentredOnTheScreen) {
    WindowObject* w = window({300, 200});
    ASSERT_EQ(screenArea(), QRect(0, 0, 800, 800));  // the offscreen platform's screen
    EXPECT_TRUE(widgetOf(w)->isHidden());
    show(w);
    EXPECT_EQ(placeOf(w), QRect(250, 300, 300, 200));
}

struct OverCase {
    const char* name;
    QRect anchor;
    QSize size;
    QRect expected;
};

void PrintTo(const OverCase& c, std::ostream* os) { *os << c.name; }

class OpensOver : public Placement, public ::testing::WithParamInterface<OverCase> {};

TEST_P(OpensOver, TheVisibleWindowKeptWholeOnTheScreen) {
    const OverCase& c = GetParam();
    WindowObject* anchor = window(c.anchor.size());
    show(anchor);
    moveByWindowSystem(anchor, c.anchor.topLeft());
    ASSERT_EQ(placeOf(anchor), c.anchor);
    // The offscreen platform draws a frame of 2 pixels around a shown window;
    // a window kept on the screen keeps its frame on it too.
    ASSERT_EQ(widgetOf(anchor)->frameGeometry(), c.anchor.adjusted(-2, -2, 2, 2));
    WindowObject* w = window(c.size);
    show(w);
    EXPECT_EQ(placeOf(w), c.expected);
    EXPECT_EQ(placeOf(anchor), c.anchor);  // the anchor is not touched
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, OpensOver, ::testing::Values(
    //       name            anchor                        size           expected
    OverCase{"Smaller",      QRect(40, 30, 400, 300),      {200, 100},    QRect(140, 130, 200, 100)},
    OverCase{"SameSize",     QRect(100, 50, 400, 300),     {400, 300},    QRect(100, 50, 400, 300)},
    OverCase{"Larger",       QRect(300, 200, 100, 80),     {300, 200},    QRect(200, 140, 300, 200)},
    OverCase{"NearTheRight", QRect(500, 350, 400, 300),    {300, 250},    QRect(498, 375, 300, 250)},
    OverCase{"NearTheTop",   QRect(200, 2, 100, 80),       {260, 180},    QRect(120, 2, 260, 180)},
    OverCase{"NearTheLeft",  QRect(2, 2, 100, 80),         {260, 180},    QRect(2, 2, 260, 180)},
    OverCase{"BeyondScreen", QRect(100, 100, 200, 100),    {900, 700},    QRect(2, 2, 900, 700)}),
    [](const auto& p) { return std::string(p.param.name); });
// clang-format on

TEST_F(Placement, OpensOverTheWindowTheUserWorkedInLast) {
    WindowObject* left = window({300, 300});
    WindowObject* right = window({300, 300});
    show(left);
    moveByWindowSystem(left, {20, 20});
    show(right);
    moveByWindowSystem(right, {460, 200});

    // Shown last, `right` is the one worked in; a click in `left` makes it `left`.
    WindowObject* first = window({100, 60});
    show(first);
    EXPECT_TRUE(testsupport::centredOn(placeOf(first), placeOf(right)));

    QTest::mouseClick(widgetOf(left)->windowHandle(), Qt::LeftButton, {}, QPoint(150, 150));
    loom::testing::processEvents();
    WindowObject* second = window({100, 60});
    show(second);
    EXPECT_TRUE(testsupport::centredOn(placeOf(second), placeOf(left)));

    // Activated by the window system, as when the user switches windows.
    widgetOf(right)->activateWindow();
    loom::testing::processEvents();
    ASSERT_TRUE(widgetOf(right)->isActiveWindow());
    WindowObject* third = window({100, 60});
    show(third);
    EXPECT_TRUE(testsupport::centredOn(placeOf(third), placeOf(right)));
}

TEST_F(Placement, HiddenOrClosedWindowsAreNoAnchor) {
    WindowObject* main = window({400, 300});
    show(main);
    moveByWindowSystem(main, {10, 20});
    WindowObject* other = window({200, 200});
    show(other);
    moveByWindowSystem(other, {550, 350});

    hide(other);  // shown last, but hidden now
    WindowObject* a = window({100, 100});
    show(a);
    EXPECT_TRUE(testsupport::centredOn(placeOf(a), placeOf(main)));

    QPointer<QWidget> aView = widgetOf(a);
    ASSERT_FALSE(aView->close());  // the close box: the framework frees the window
    loom::testing::processEvents();
    ASSERT_TRUE(aView.isNull());
    WindowObject* b = window({100, 100});
    show(b);
    EXPECT_TRUE(testsupport::centredOn(placeOf(b), placeOf(main)));

    hide(main);
    hide(b);
    WindowObject* alone = window({200, 100});
    show(alone);
    EXPECT_TRUE(testsupport::centredOn(placeOf(alone), screenArea()));
}

TEST_F(Placement, ShownAgainOverItsAnchorUnlessTheUserMovedIt) {
    WindowObject* main = window({400, 300});
    show(main);
    WindowObject* dialog = window({200, 100});
    show(dialog);
    EXPECT_TRUE(testsupport::centredOn(placeOf(dialog), placeOf(main)));

    // Not moved by the user: shown again, it follows the main window.
    hide(dialog);
    moveByWindowSystem(main, {30, 40});
    show(dialog);
    EXPECT_TRUE(testsupport::centredOn(placeOf(dialog), placeOf(main)));

    // Moved by the user: it comes back where the user put it.
    moveByWindowSystem(dialog, {520, 430});
    hide(dialog);
    moveByWindowSystem(main, {300, 200});
    show(dialog);
    EXPECT_EQ(placeOf(dialog), QRect(520, 430, 200, 100));
    show(dialog);  // shown while shown: it stays too
    EXPECT_EQ(placeOf(dialog), QRect(520, 430, 200, 100));
}

TEST_F(Placement, ClosingOneWindowLeavesTheOthersWhereTheyAre) {
    WindowObject* main = window({400, 300});
    show(main);
    WindowObject* a = window({200, 100});
    show(a);
    moveByWindowSystem(a, {0, 400});
    WindowObject* b = window({200, 100});
    show(b);
    const QRect mainAt = placeOf(main);
    const QRect aAt = placeOf(a);

    ASSERT_FALSE(widgetOf(b)->close());
    loom::testing::processEvents();
    EXPECT_EQ(RuntimeWindows(), (std::vector<WindowObject*>{main, a}));
    EXPECT_TRUE(widgetOf(main)->isVisible());
    EXPECT_TRUE(widgetOf(a)->isVisible());
    EXPECT_EQ(placeOf(main), mainAt);
    EXPECT_EQ(placeOf(a), aAt);
}

}  // namespace
}  // namespace qttest
