// Windows and controls as widgets: geometry, visibility, window bounds and
// flags, the backdrop, and what the user does written back to the objects.
#include "QtFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <vector>

namespace qttest {
namespace {

using namespace loom;

RecordWriter bounds(int left, int top, int width, int height) {
    RecordWriter r;
    r.integer("Left", left).integer("Top", top).integer("Width", width).integer("Height", height);
    return r;
}

RecordWriter windowRecord(int width, int height) {
    RecordWriter r;
    r.integer("Width", width).integer("Height", height).string("Title", "Test");
    return r;
}

// A picture file of four coloured quadrants, so scaling or offset shows.
const QColor kQuadrants[4] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
std::string writeQuadrants(const std::filesystem::path& dir, int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixelColor(x, y, kQuadrants[(y >= h / 2 ? 2 : 0) + (x >= w / 2 ? 1 : 0)]);
    const std::string path = (dir / "quadrants.png").string();
    EXPECT_TRUE(image.save(QString::fromStdString(path)));
    return path;
}

QImage grab(WindowObject* w) { return widgetOf(w)->grab().toImage(); }

// A window class whose Layout marks the window modified, and what its view showed then.
bool g_viewModifiedInLayout = false;
void markModified(WindowObject* w) {
    setProperty(w, WindowProp::ContentsChanged, Value::boolean(true));
    g_viewModifiedInLayout = widgetOf(w)->isWindowModified();
}
const ClassRecord* markingWindowClass() {
    static ClassRecord* cls = [] {
        ClassRecord* c =
            RuntimeNewClass(Window::__Lookup(), kWindowMemberTotal, 0, WindowEvent::Count, 0, WindowProp::Count, 0);
        c->name = RuntimeNewString("MarkingWindow");
        c->events[WindowEvent::Layout].handler = code(&markModified);
        return c;
    }();
    return cls;
}

// ---- Controls: geometry, visibility, enabled ---------------------------------------------------

struct ControlKind {
    const char* name;
    const ClassRecord* (*cls)();
};

class ControlGeometry : public QtTest, public ::testing::WithParamInterface<ControlKind> {};

TEST_P(ControlGeometry, FollowsLayoutAndLaterChanges) {
    WindowObject* w = makeWindow(windowRecord(300, 200));
    ControlObject* c = addControlObject(w, GetParam().cls(), "C",
                                        bounds(11, 22, 133, 44).boolean("Visible", false).boolean("Enabled", false));
    QWidget* widget = widgetOf(c);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget(), widgetOf(w));
    EXPECT_EQ(widget->geometry(), QRect(11, 22, 133, 44));
    EXPECT_TRUE(widget->isHidden());
    EXPECT_FALSE(widget->isEnabled());

    // Shown while its window is hidden: visible to the window, not on screen.
    setProperty(c, RectControlProp::Visible, Value::boolean(true));
    setProperty(c, RectControlProp::Enabled, Value::boolean(true));
    setProperty(c, RectControlProp::Left, Value::integer(5));
    setProperty(c, RectControlProp::Height, Value::integer(30));
    EXPECT_TRUE(widget->isVisibleTo(widgetOf(w)));
    EXPECT_FALSE(widget->isVisible());
    EXPECT_TRUE(widget->isEnabled());
    EXPECT_EQ(widget->geometry(), QRect(5, 22, 133, 30));

    Window::Visible_Set(w, 0, true);
    EXPECT_TRUE(widget->isVisible());
    RectControl::Visible_Set(c, 0, false);
    EXPECT_FALSE(widget->isVisible());
}

INSTANTIATE_TEST_SUITE_P(EachKind, ControlGeometry,
                         ::testing::Values(ControlKind{"BevelButton", &BevelButton::__Lookup},
                                           ControlKind{"Label", &Label::__Lookup},
                                           ControlKind{"CheckBox", &CheckBox::__Lookup},
                                           ControlKind{"TextField", &TextField::__Lookup},
                                           ControlKind{"ComboBox", &ComboBox::__Lookup}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(QtTest, TimerHasNoWidgetAndTabOrderIsCreationOrder) {
    WindowObject* w = makeWindow(windowRecord(300, 200));
    auto* timer = addControl<TimerObject>(w, Timer::__Lookup(), "Timer1", RecordWriter().integer("Period", 10));
    EXPECT_EQ(timer->view, nullptr);
    auto* second = addControl<TextFieldObject>(w, TextField::__Lookup(), "B", bounds(0, 40, 50, 20));
    auto* first = addControl<TextFieldObject>(w, TextField::__Lookup(), "A", bounds(0, 0, 50, 20));
    EXPECT_EQ(widgetOf(second)->nextInFocusChain(), widgetOf(first));
}

// ---- Windows ------------------------------------------------------------------------------------------

TEST_F(QtTest, FixedWindowHasExactlyItsSize) {
    WindowObject* w = makeWindow(windowRecord(320, 240).boolean("CloseButton", false).boolean("MinimizeButton", true));
    QWidget* view = widgetOf(w);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isHidden());
    EXPECT_EQ(view->size(), QSize(320, 240));
    EXPECT_EQ(view->minimumSize(), QSize(320, 240));
    EXPECT_EQ(view->maximumSize(), QSize(320, 240));
    EXPECT_EQ(view->windowTitle(), "Test");
    const Qt::WindowFlags flags = view->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowTitleHint);

    setProperty(w, WindowProp::Width, Value::integer(400));
    EXPECT_EQ(view->size(), QSize(400, 240));
    EXPECT_EQ(view->maximumSize(), QSize(400, 240));
}

TEST_F(QtTest, ResizableWindowTakesItsBoundsAndReportsUserResizes) {
    WindowObject* w = makeWindow(windowRecord(320, 240)
                                     .integer("MinWidth", 100)
                                     .integer("MinHeight", 90)
                                     .integer("MaxWidth", 800)
                                     .integer("MaxHeight", 700)
                                     .boolean("Resizeable", true));
    QWidget* view = widgetOf(w);
    EXPECT_EQ(view->size(), QSize(320, 240));
    EXPECT_EQ(view->minimumSize(), QSize(100, 90));
    EXPECT_EQ(view->maximumSize(), QSize(800, 700));

    Window::Visible_Set(w, 0, true);
    loom::testing::processEvents();
    EXPECT_EQ(property(w, WindowProp::Width).asInteger(), 320);  // showing is no resize by the user

    view->resize(500, 410);  // as the window system does when the user drags
    loom::testing::processEvents();
    EXPECT_EQ(property(w, WindowProp::Width).asInteger(), 500);
    EXPECT_EQ(property(w, WindowProp::Height).asInteger(), 410);
    EXPECT_EQ(view->size(), QSize(500, 410));
}

TEST_F(QtTest, FixedWindowIgnoresOutsideResizes) {
    WindowObject* w = makeWindow(windowRecord(320, 240));
    Window::Visible_Set(w, 0, true);
    widgetOf(w)->resize(500, 410);
    loom::testing::processEvents();
    EXPECT_EQ(property(w, WindowProp::Width).asInteger(), 320);
    EXPECT_EQ(widgetOf(w)->size(), QSize(320, 240));
}

// The modified mark is the window's ContentsChanged; its view shows it, and
// constructing the window clears it, even when its Layout set it.
TEST_F(QtTest, ViewShowsTheModifiedMarkThatConstructionClears) {
    g_viewModifiedInLayout = false;
    Ref<WindowObject> w = adopt(static_cast<WindowObject*>(RuntimeNewObject(markingWindowClass())));
    Window::Constructor(w.get());
    EXPECT_TRUE(g_viewModifiedInLayout);
    EXPECT_FALSE(property(w.get(), WindowProp::ContentsChanged).asBoolean());
    EXPECT_FALSE(widgetOf(w.get())->isWindowModified());

    setProperty(w.get(), WindowProp::ContentsChanged, Value::boolean(true));
    EXPECT_TRUE(widgetOf(w.get())->isWindowModified());
    setProperty(w.get(), WindowProp::ContentsChanged, Value::boolean(false));
    EXPECT_FALSE(widgetOf(w.get())->isWindowModified());
}

TEST_F(QtTest, BackdropIsPaintedAtNaturalSizeAndNotWhenCleared) {
    WindowObject* w = makeWindow(windowRecord(100, 80));
    Window::Visible_Set(w, 0, true);
    const QImage bare = grab(w);

    Ref<PictureObject> picture = presenter().decodePicture(writeQuadrants(tempDir(), 40, 30));
    ASSERT_TRUE(picture);
    Window::Backdrop_Set(w, 0, picture.get());
    const QImage drawn = grab(w);
    ASSERT_EQ(drawn.size(), QSize(100, 80));
    EXPECT_EQ(drawn.pixelColor(0, 0), kQuadrants[0]);
    EXPECT_EQ(drawn.pixelColor(19, 14), kQuadrants[0]);
    EXPECT_EQ(drawn.pixelColor(20, 14), kQuadrants[1]);
    EXPECT_EQ(drawn.pixelColor(19, 15), kQuadrants[2]);
    EXPECT_EQ(drawn.pixelColor(39, 29), kQuadrants[3]);
    // Beyond the picture the window is as it was without one.
    EXPECT_EQ(drawn.pixelColor(40, 29), bare.pixelColor(40, 29));
    EXPECT_EQ(drawn.pixelColor(39, 30), bare.pixelColor(39, 30));
    EXPECT_EQ(drawn.pixelColor(99, 79), bare.pixelColor(99, 79));

    Window::Backdrop_Set(w, 0, nullptr);
    EXPECT_EQ(grab(w), bare);
}

TEST_F(QtTest, LabelPaintsOnlyItsText) {
    WindowObject* w = makeWindow(windowRecord(100, 80));
    Ref<PictureObject> picture = presenter().decodePicture(writeQuadrants(tempDir(), 100, 80));
    ASSERT_TRUE(picture);
    Window::Backdrop_Set(w, 0, picture.get());
    Window::Visible_Set(w, 0, true);
    const QImage backdrop = grab(w);
    auto* label = addControl<LabelObject>(w, Label::__Lookup(), "Label1", bounds(0, 0, 100, 80));
    EXPECT_EQ(grab(w), backdrop);  // an empty label is a transparent hot spot
    setProperty(label, LabelProp::Text, Value::string("Hello"));
    EXPECT_NE(grab(w), backdrop);
    setProperty(label, LabelProp::Text, Value::string(""));
    EXPECT_EQ(grab(w), backdrop);
}

// ---- User actions -----------------------------------------------------------------------------------------

TEST_F(QtTest, ClickReachesTheLaterLabelOverACheckBox) {
    WindowObject* w = makeWindow(windowRecord(200, 100));
    auto* box = addControl<CheckBoxObject>(w, CheckBox::__Lookup(), "CheckBox1",
                                           bounds(10, 10, 120, 30).string("Caption", "Box"));
    auto* label = addControl<LabelObject>(w, Label::__Lookup(), "Label4", bounds(50, 5, 100, 60));
    bind(label, "MouseDown", code(&mouseDownStub));
    std::vector<QPoint> clicks;
    onMouseDown = [&](LabelObject* l, int32_t x, int32_t y) {
        EXPECT_EQ(l, label);
        clicks.emplace_back(x, y);
        return true;
    };
    Window::Visible_Set(w, 0, true);
    loom::testing::processEvents();
    // Through the window, as the window system delivers it.
    QTest::mouseClick(widgetOf(w)->windowHandle(), Qt::LeftButton, {}, QPoint(70, 20));
    loom::testing::processEvents();
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], QPoint(20, 15));
    EXPECT_EQ(property(box, CheckBoxProp::State).asInteger(), 0);
    EXPECT_FALSE(widgetOf<QCheckBox>(box)->isChecked());
}

TEST_F(QtTest, CheckBoxShowsStateAndWritesUserToggles) {
    WindowObject* w = makeWindow(windowRecord(200, 100));
    auto* box = addControl<CheckBoxObject>(w, CheckBox::__Lookup(), "CheckBox1",
                                           bounds(10, 10, 120, 30).string("Caption", "Keep"));
    auto* widget = widgetOf<QCheckBox>(box);
    EXPECT_EQ(widget->text(), "Keep");
    EXPECT_EQ(widget->checkState(), Qt::Unchecked);

    widget->click();
    EXPECT_EQ(property(box, CheckBoxProp::State).asInteger(), 1);
    EXPECT_TRUE(property(box, CheckBoxProp::Value).asBoolean());
    widget->click();
    EXPECT_EQ(property(box, CheckBoxProp::State).asInteger(), 0);
    EXPECT_FALSE(property(box, CheckBoxProp::Value).asBoolean());

    setProperty(box, CheckBoxProp::State, Value::integer(2, PropType::Enumeration));
    EXPECT_EQ(widget->checkState(), Qt::PartiallyChecked);
    setProperty(box, CheckBoxProp::Value, Value::boolean(true));
    EXPECT_EQ(widget->checkState(), Qt::Checked);
    EXPECT_EQ(property(box, CheckBoxProp::State).asInteger(), 2);  // a program change is not echoed
}

TEST_F(QtTest, TextFieldWritesEditsAndTakesProgramText) {
    WindowObject* w = makeWindow(windowRecord(200, 100));
    auto* field = addControl<TextFieldObject>(w, TextField::__Lookup(), "TextField1",
                                              bounds(10, 10, 120, 24).string("Text", "ab"));
    auto* edit = widgetOf<QLineEdit>(field);
    EXPECT_EQ(edit->text(), "ab");
    edit->setCursorPosition(2);
    QTest::keyClicks(edit, "c d");
    EXPECT_EQ(property(field, TextFieldProp::Text).text(), "abc d");

    String* replaced = RuntimeNewString("new text");
    TextField::Text_Set(field, 0, replaced);
    RuntimeUnlockString(replaced);
    EXPECT_EQ(edit->text(), "new text");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(property(field, TextFieldProp::Text).text(), "new tex");
}

struct ComboCase {
    const char* name;
    const char* initial;
    std::vector<QString> items;
};

class ComboItems : public QtTest, public ::testing::WithParamInterface<ComboCase> {};

TEST_P(ComboItems, EachEndsWithACarriageReturn) {
    WindowObject* w = makeWindow(windowRecord(200, 100));
    auto* combo = addControl<ComboBoxObject>(w, ComboBox::__Lookup(), "ComboBox1",
                                             bounds(10, 10, 150, 24).string("InitialValue", GetParam().initial));
    auto* widget = widgetOf<QComboBox>(combo);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->isEditable());
    std::vector<QString> items;
    for (int i = 0; i < widget->count(); ++i) items.push_back(widget->itemText(i));
    EXPECT_EQ(items, GetParam().items);
    EXPECT_EQ(widget->currentIndex(), -1);
}

INSTANTIATE_TEST_SUITE_P(Items, ComboItems,
                         ::testing::Values(ComboCase{"Trailing", "One\rTwo words\r", {"One", "Two words"}},
                                           ComboCase{"Unterminated", "One\rTwo", {"One", "Two"}},
                                           ComboCase{"EmptyMiddle", "A\r\rC\r", {"A", "", "C"}},
                                           ComboCase{"None", "", {}}, ComboCase{"OnlyReturn", "\r", {""}}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(QtTest, ComboBoxChoosesByIndexAndWritesUserChoices) {
    WindowObject* w = makeWindow(windowRecord(200, 100));
    auto* combo = addControl<ComboBoxObject>(
        w, ComboBox::__Lookup(), "ComboBox1",
        bounds(10, 10, 150, 24).string("InitialValue", "Red\rGreen\rBlue\r").integer("ListIndex", 0));
    auto* widget = widgetOf<QComboBox>(combo);
    EXPECT_EQ(widget->currentIndex(), 0);
    EXPECT_EQ(widget->currentText(), "Red");
    setProperty(combo, PopupMenuProp::ListIndex, Value::integer(2));
    EXPECT_EQ(widget->currentText(), "Blue");
    setProperty(combo, PopupMenuProp::ListIndex, Value::integer(-1));
    EXPECT_EQ(widget->currentIndex(), -1);
    EXPECT_EQ(property(combo, ComboBoxProp::Text).text(), "");  // program changes are not echoed

    setProperty(combo, PopupMenuProp::ListIndex, Value::integer(0));
    QTest::keyClick(widget, Qt::Key_Down);  // the user picks the next item
    EXPECT_EQ(property(combo, PopupMenuProp::ListIndex).asInteger(), 1);
    EXPECT_EQ(property(combo, ComboBoxProp::Text).text(), "Green");

    QTest::keyClicks(widget->lineEdit(), "ish");
    EXPECT_EQ(property(combo, ComboBoxProp::Text).text(), "Greenish");
    EXPECT_EQ(widget->count(), 3);
}

TEST_F(QtTest, CloseBoxFreesTheWindowAndItsWidget) {
    WindowObject* w = makeWindow(windowRecord(200, 100));
    auto* button = addControl<BevelButtonObject>(w, BevelButton::__Lookup(), "B", bounds(0, 0, 50, 20));
    Window::Visible_Set(w, 0, true);
    QPointer<QWidget> view = widgetOf(w);
    QPointer<QWidget> buttonView = widgetOf(button);
    WeakAnchor* anchor = RuntimeWeakAnchor(w);

    EXPECT_FALSE(view->close());  // the framework closes it, not Qt
    EXPECT_EQ(anchor->object, nullptr);
    EXPECT_TRUE(RuntimeWindows().empty());
    loom::testing::processEvents();
    EXPECT_TRUE(view.isNull());
    EXPECT_TRUE(buttonView.isNull());
    RuntimeReleaseWeak(anchor);
}

TEST_F(QtTest, ButtonHandlerMayCloseItsOwnWindow) {
    WindowObject* w = makeWindow(windowRecord(200, 100));
    auto* button = addControl<BevelButtonObject>(w, BevelButton::__Lookup(), "BevelButton1",
                                                 bounds(0, 0, 80, 24).string("Caption", "Go"));
    bind(button, "Action", code(&buttonStub));
    int presses = 0;
    onAction = [&](ControlObject* c) {
        ++presses;
        closeWindow(c->window.get());  // frees the window, the button and their widgets
    };
    Window::Visible_Set(w, 0, true);
    QPointer<QPushButton> widget = widgetOf<QPushButton>(button);
    EXPECT_EQ(widget->text(), "Go");
    QTest::mouseClick(widget, Qt::LeftButton);
    EXPECT_EQ(presses, 1);
    EXPECT_TRUE(RuntimeWindows().empty());
    loom::testing::processEvents();
    EXPECT_TRUE(widget.isNull());
}

}  // namespace
}  // namespace qttest
