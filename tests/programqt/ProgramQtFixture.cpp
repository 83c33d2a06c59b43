#include "ProgramQtFixture.h"

#include "QtPresenter.h"
#include "WindowView.h"
#include "forms/PictureCatalogue.h"
#include "loom/QtPresentation.h"
#include "loom/Testing.h"
#include "startup/Main.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <memory>

// Under LeakSanitizer: fontconfig keeps its font cache for the life of the process.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace pqt {

using namespace loom;

namespace {

int visibleTopLevelCount() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (dynamic_cast<qt::WindowView*>(w) && w->isVisible()) ++n;
    return n;
}

// Watches every window shown or hidden, however briefly.
class ShowWatch final : public QObject {
public:
    int most = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && dynamic_cast<qt::WindowView*>(watched))
            most = std::max(most, visibleTopLevelCount());
        return false;
    }
};

std::unique_ptr<ShowWatch> g_watch;

// The catalogue keeps each picture it loaded for the life of the process.
void fillPictureCatalogue() {
    PictureObject* (*const accessors[])() = {&_x_li::li, &_x_s1::s1, &_x_s2::s2, &_x_s3::s3, &_x_abo::abo, &_x_cfu::cfu,
                                             &_x_ad::ad, &_x_cd::cd, &_x_wd::wd, &_x_p::p,   &_x_ncm::ncm};
    for (auto accessor : accessors) {
        PictureObject* picture = accessor();
        EXPECT_NE(picture, nullptr);
        RuntimeUnlockObject(picture);
    }
}

}  // namespace

void ProgramQt::SetUp() {
    loom::installQtPresentation();  // as the program's entry does
    loom::testing::setExecutablePath(PW_BUNDLE_DIR "/bin/picture-wizard");
    loom::testing::useManualClock();
}

void ProgramQt::TearDown() {
    if (g_watch) {
        qApp->removeEventFilter(g_watch.get());
        g_watch.reset();
    }
}

int ProgramQt::runProgram(std::function<void()> script) {
    m_liveAtStart = RuntimeLiveObjectCount();
    loom::testing::atLoopStart(std::move(script));
    g_watch = std::make_unique<ShowWatch>();
    qApp->installEventFilter(g_watch.get());
    const int status = Pmain();
    loom::testing::processEvents();  // widgets whose deletion was deferred
    const QWidgetList left = QApplication::topLevelWidgets();
    EXPECT_TRUE(std::none_of(left.begin(), left.end(), [](QWidget* w) { return dynamic_cast<qt::WindowView*>(w); }))
        << "a window's widget outlived the program";
    // Everything the run made is freed but the catalogue's pictures.
    fillPictureCatalogue();
    EXPECT_EQ(RuntimeLiveObjectCount(), m_liveAtStart + 11) << "objects left alive";
    return status;
}

int ProgramQt::mostWindowsVisibleAtOnce() const { return g_watch ? g_watch->most : 0; }

// ---- Windows and controls ----------------------------------------------------------------

WindowObject* registered(std::string_view className) {
    for (WindowObject* w : RuntimeWindows())
        if (w->cls->registeredName() == className) return w;
    return nullptr;
}

ControlObject* controlOf(WindowObject* window, std::string_view name) {
    if (!window) return nullptr;
    for (const NamedControl& c : window->controls)
        if (view(c.name) == name) return c.control.get();
    return nullptr;
}

QWidget* widgetOf(const WindowObject* window) { return window ? static_cast<QWidget*>(window->view) : nullptr; }

std::vector<std::string> visibleControls(WindowObject* window) {
    std::vector<std::string> out;
    for (const NamedControl& c : window->controls)
        if (QWidget* w = widgetOf(c.control.get()); w && w->isVisible()) out.emplace_back(view(c.name));
    return out;
}

std::vector<std::string> visibleWindows() {
    std::vector<std::string> out;
    for (WindowObject* w : RuntimeWindows())
        if (QWidget* v = widgetOf(w); v && v->isVisible()) out.emplace_back(w->cls->registeredName());
    return out;
}

// ---- Input ---------------------------------------------------------------------------------

void clickWindowAt(QWidget* topLevel, QPoint at) {
    ASSERT_NE(topLevel, nullptr);
    ASSERT_TRUE(topLevel->isVisible());
    ASSERT_NE(topLevel->windowHandle(), nullptr);
    QTest::mouseClick(topLevel->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    loom::testing::processEvents();
}

void click(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    QPoint at = widget->rect().center();
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(box);
        at = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
    }
    QWidget* window = widget->window();
    const QPoint inWindow = widget->mapTo(window, at);
    // The click goes where the user aims: the widget must be the one on top there.
    QWidget* hit = window->childAt(inWindow);
    ASSERT_TRUE(hit == widget || widget->isAncestorOf(hit)) << "another widget lies over the target";
    clickWindowAt(window, inWindow);
}

void typeInto(QWidget* field, const QString& text) {
    ASSERT_NE(field, nullptr);
    click(field);
    QTest::keyClicks(field, text);
    loom::testing::processEvents();
}

void resizeByWindowSystem(QWidget* topLevel, QSize size) {
    ASSERT_NE(topLevel, nullptr);
    ASSERT_NE(topLevel->windowHandle(), nullptr);
    topLevel->windowHandle()->resize(size);
    loom::testing::processEvents();
}

void moveByWindowSystem(QWidget* topLevel, QPoint to) {
    ASSERT_NE(topLevel, nullptr);
    ASSERT_NE(topLevel->windowHandle(), nullptr);
    topLevel->windowHandle()->setPosition(to);
    loom::testing::processEvents();
}

// ---- Pictures ------------------------------------------------------------------------------

QImage bundlePicture(std::string_view file) {
    const QString path = QString::fromStdString(std::string(PW_BUNDLE_DIR "/Resources/") + std::string(file));
    QImage image(path);
    EXPECT_FALSE(image.isNull()) << path.toStdString();
    return image.convertToFormat(QImage::Format_RGB32);
}

int pixelsDifferingFrom(QWidget* topLevel, const QImage& picture, const std::vector<QRect>& exclude) {
    const QImage shown = topLevel->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QPoint p(x, y);
            if (std::any_of(exclude.begin(), exclude.end(), [&](const QRect& r) { return r.contains(p); })) continue;
            if (!picture.rect().contains(p) || shown.pixel(p) != picture.pixel(p)) ++differing;
        }
    return differing;
}

std::vector<QRect> opaqueControlRects(WindowObject* window) {
    std::vector<QRect> out;
    for (const NamedControl& c : window->controls) {
        QWidget* w = widgetOf(c.control.get());
        if (w && w->isVisible() && !dynamic_cast<LabelObject*>(c.control.get())) out.push_back(w->geometry());
    }
    return out;
}

}  // namespace pqt
