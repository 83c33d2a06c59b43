// The real program, started through Pmain on the Qt presenter (offscreen, with
// the manual clock) and the bundle's own pictures; a case acts inside the event
// loop with Qt's input events and checks what the widgets show.
#pragma once

#include "ControlViews.h"
#include "loom/Loom.h"
#include "loom/QtTesting.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pqt {

class ProgramQt : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the program; `script` runs inside its event loop once start-up is
    // done and the splash's Open has run. Returns Pmain's status.
    int runProgram(std::function<void()> script);

    // The most top-level program windows visible at once, at any Show or Hide so far.
    int mostWindowsVisibleAtOnce() const;

private:
    int64_t m_liveAtStart = 0;
};

// ---- Windows and controls ----------------------------------------------------------------
loom::WindowObject* registered(std::string_view className);  // "Window2.Window2"; none if gone
loom::ControlObject* controlOf(loom::WindowObject* window, std::string_view name);
QWidget* widgetOf(const loom::WindowObject* window);
template <typename W = QWidget>
W* widgetOf(const loom::ControlObject* control) {
    auto* v = control ? static_cast<loom::qt::ControlView*>(control->view) : nullptr;
    return v ? dynamic_cast<W*>(v->widget()) : nullptr;
}
template <typename W = QWidget>
W* widgetNamed(loom::WindowObject* window, std::string_view name) {
    return widgetOf<W>(controlOf(window, name));
}
// The names of the window's controls whose widgets are visible on screen, in creation order.
std::vector<std::string> visibleControls(loom::WindowObject* window);
// The program's top-level widgets that are visible, by window class name.
std::vector<std::string> visibleWindows();

// ---- Input, as the window system delivers it ---------------------------------------------
// A left click at `at` in the window's coordinates: Qt finds the widget under it.
void clickWindowAt(QWidget* topLevel, QPoint at);
// A left click in the middle of the widget (for a check box, of its indicator),
// delivered at that point of its window.
void click(QWidget* widget);
void typeInto(QWidget* field, const QString& text);
// The window system gives the top-level window a new size, or moves it (as when the user drags it).
void resizeByWindowSystem(QWidget* topLevel, QSize size);
void moveByWindowSystem(QWidget* topLevel, QPoint to);

// ---- Pictures ------------------------------------------------------------------------------
// The bundle's picture file, decoded here from its Resources folder.
QImage bundlePicture(std::string_view file);
// How many pixels of the window's grab outside `exclude` differ from `picture`
// (or lie beyond it); the window's widgets are painted in the grab.
int pixelsDifferingFrom(QWidget* topLevel, const QImage& picture, const std::vector<QRect>& exclude);
// The rectangles of the window's visible controls other than its labels.
std::vector<QRect> opaqueControlRects(loom::WindowObject* window);

}  // namespace pqt
