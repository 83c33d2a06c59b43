// Bevel buttons as the style's push buttons: their outline over the backdrop at
// rest, their hover, pressed and disabled looks, and keyboard focus as
// AcceptFocus says.
#include "QtFixture.h"
#include "support/EdgeContrast.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTest>
#include <QWindow>

namespace qttest {
namespace {

using namespace loom;
using testsupport::edgeContrast;

RecordWriter bounds(int left, int top, int width, int height) {
    RecordWriter r;
    r.integer("Left", left).integer("Top", top).integer("Width", width).integer("Height", height);
    return r;
}

const QRect kButton(20, 20, 69, 21);  // the size of the main window's "OK" and "BACK"

class ButtonTest : public QtTest {
protected:
    // A shown window of one colour, its backdrop a picture of that colour.
    WindowObject* windowOver(const QColor& color) {
        QImage image(120, 60, QImage::Format_RGB32);
        image.fill(color);
        const std::string path = (tempDir() / "backdrop.png").string();
        EXPECT_TRUE(image.save(QString::fromStdString(path)));
        m_backdrop = image;
        WindowObject* w = makeWindow(RecordWriter().integer("Width", 120).integer("Height", 60));
        Ref<PictureObject> picture = presenter().decodePicture(path);
        EXPECT_TRUE(picture);
        Window::Backdrop_Set(w, 0, picture.get());
        Window::Visible_Set(w, 0, true);
        return w;
    }
    BevelButtonObject* buttonOn(WindowObject* w, const char* caption = "OK") {
        return addControl<BevelButtonObject>(
            w, BevelButton::__Lookup(), "BevelButton1",
            bounds(kButton.x(), kButton.y(), kButton.width(), kButton.height()).string("Caption", caption));
    }
    QImage shown(WindowObject* w) {
        loom::testing::processEvents();
        return widgetOf(w)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QImage m_backdrop;
};

struct Backdrop {
    const char* name;
    QColor color;
};
void PrintTo(const Backdrop& b, std::ostream* os) { *os << b.name; }

class ButtonOverBackdrop : public ButtonTest, public ::testing::WithParamInterface<Backdrop> {};

TEST_P(ButtonOverBackdrop, ItsOutlineShowsAlongAllFourEdgesAtRest) {
    QColor color = GetParam().color;
    if (!color.isValid()) color = QApplication::palette().color(QPalette::Button);  // the button's own face
    WindowObject* w = windowOver(color);
    BevelButtonObject* button = buttonOn(w);
    auto* widget = widgetOf<QPushButton>(button);
    ASSERT_NE(widget, nullptr);
    EXPECT_FALSE(widget->isFlat());
    EXPECT_EQ(widget->text(), "OK");

    const QImage image = shown(w);
    const testsupport::EdgeShares edges = edgeContrast(image, m_backdrop, kButton);
    EXPECT_GE(edges.top, 0.9);
    EXPECT_GE(edges.bottom, 0.9);
    EXPECT_GE(edges.left, 0.9);
    EXPECT_GE(edges.right, 0.9);
    // Nothing of it is painted outside its rectangle.
    const QRect around = kButton.adjusted(-2, -2, 2, 2);
    for (int y = around.top(); y <= around.bottom(); ++y)
        for (int x = around.left(); x <= around.right(); ++x)
            if (!kButton.contains(x, y)) {
                ASSERT_EQ(image.pixelColor(x, y), color) << x << "," << y;
            }
}

INSTANTIATE_TEST_SUITE_P(Colours, ButtonOverBackdrop,
                         ::testing::Values(Backdrop{"White", QColor(255, 255, 255)},
                                           Backdrop{"PaleGrey", QColor(0xf4, 0xf5, 0xf7)},
                                           Backdrop{"ButtonFace", QColor()}, Backdrop{"Black", QColor(0, 0, 0)},
                                           Backdrop{"DarkBlue", QColor(0x1f, 0x2b, 0x48)}),
                         [](const auto& p) { return std::string(p.param.name); });

// How many pixels of the button's rectangle differ between two looks.
int differingInButton(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = kButton.top(); y <= kButton.bottom(); ++y)
        for (int x = kButton.left(); x <= kButton.right(); ++x) n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    return n;
}

TEST_F(ButtonTest, HoverAndPressShowOnTheButton) {
    WindowObject* w = windowOver(Qt::white);
    auto* widget = widgetOf<QPushButton>(buttonOn(w));
    const QImage rest = shown(w);

    // The pointer itself moves, so the window system reports it entering the
    // window wherever the window opened.
    QCursor::setPos(widgetOf(w)->mapToGlobal(kButton.center()));
    loom::testing::processEvents();
    ASSERT_TRUE(widget->underMouse());
    const QImage hover = shown(w);
    EXPECT_GT(differingInButton(hover, rest), 0);

    widget->setDown(true);
    const QImage pressed = shown(w);
    EXPECT_GT(differingInButton(pressed, rest), 0);
    EXPECT_GT(differingInButton(pressed, hover), 0);

    widget->setDown(false);
    QCursor::setPos(widgetOf(w)->mapToGlobal(QPoint(110, 55)));  // away again
    loom::testing::processEvents();
    EXPECT_EQ(differingInButton(shown(w), rest), 0);
    QCursor::setPos(QPoint(0, 0));  // out of the way of windows opened later
}

TEST_F(ButtonTest, DisabledLooksDisabledAndKeepsItsOutline) {
    WindowObject* w = windowOver(Qt::white);
    BevelButtonObject* button = buttonOn(w, "UPDATE");
    const QImage enabled = shown(w);

    setProperty(button, RectControlProp::Enabled, Value::boolean(false));
    const QImage disabled = shown(w);
    EXPECT_GT(differingInButton(disabled, enabled), 0);
    EXPECT_GE(edgeContrast(disabled, m_backdrop, kButton).least(), 0.9);
    // Its caption is still there, fainter than the enabled one's.
    auto darkest = [](const QImage& image) {
        int least = 255;
        for (int y = kButton.top() + 4; y <= kButton.bottom() - 4; ++y)
            for (int x = kButton.left() + 4; x <= kButton.right() - 4; ++x)
                least = std::min(least, qGray(image.pixel(x, y)));
        return least;
    };
    EXPECT_LT(darkest(enabled), darkest(disabled));
    EXPECT_LT(darkest(disabled), 230);

    setProperty(button, RectControlProp::Enabled, Value::boolean(true));
    EXPECT_EQ(differingInButton(shown(w), enabled), 0);
}

TEST_F(ButtonTest, TakesKeyboardFocusOnlyWhenItAcceptsFocus) {
    WindowObject* w = windowOver(Qt::white);
    BevelButtonObject* button = buttonOn(w);
    auto* field = addControl<TextFieldObject>(w, TextField::__Lookup(), "TextField1", bounds(20, 0, 60, 18));
    auto* buttonWidget = widgetOf<QPushButton>(button);
    auto* edit = widgetOf<QLineEdit>(field);
    QWidget* window = widgetOf(w);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(buttonWidget->focusPolicy(), Qt::NoFocus);  // AcceptFocus is False by default

    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, QPoint(30, 8));
    ASSERT_TRUE(edit->hasFocus());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, kButton.center());
    EXPECT_TRUE(edit->hasFocus());
    QTest::keyClick(window->windowHandle(), Qt::Key_Tab);  // Tab passes it by
    EXPECT_FALSE(buttonWidget->hasFocus());

    setProperty(button, BevelButtonProp::AcceptFocus, Value::boolean(true));
    EXPECT_EQ(buttonWidget->focusPolicy(), Qt::StrongFocus);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, kButton.center());
    EXPECT_TRUE(buttonWidget->hasFocus());
}

}  // namespace
}  // namespace qttest
