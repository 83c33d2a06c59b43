// Runtime objects built by hand and shown by the Qt presenter, offscreen.
#pragma once

#include "ControlViews.h"
#include "loom/Loom.h"
#include "loom/Presenter.h"
#include "loom/QtTesting.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

// Rectangles in failure messages; declared for every file of the suite, so
// that each prints them alike.
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << "x" << r.height() << ")";
}

namespace qttest {

// Starts the runtime on a fresh Qt presenter with the manual clock (unless a
// case asks for the real one) and, at the end, checks that everything made
// was freed.
class QtTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    virtual bool manualClock() const { return true; }

    // A registered window of the framework's Window class with that record applied.
    loom::WindowObject* makeWindow(const loom::RecordWriter& record);
    // A constructed control of `cls` added to `window` under `name`, then its record.
    template <typename T>
    T* addControl(loom::WindowObject* window, const loom::ClassRecord* cls, std::string_view name,
                  const loom::RecordWriter& record) {
        return static_cast<T*>(addControlObject(window, cls, name, record));
    }
    loom::ControlObject* addControlObject(loom::WindowObject* window, const loom::ClassRecord* cls,
                                          std::string_view name, const loom::RecordWriter& record);
    // Binds `event` of the control to `stub`, without a delegate.
    static void bind(loom::Object* control, std::string_view event, loom::Code stub);

    std::filesystem::path tempDir() const { return m_dir; }

private:
    int64_t m_liveAtStart = 0;
    std::filesystem::path m_dir;
};

class RealClockTest : public QtTest {
protected:
    bool manualClock() const override { return false; }
};

inline QWidget* widgetOf(const loom::WindowObject* w) { return static_cast<QWidget*>(w->view); }
template <typename W = QWidget>
W* widgetOf(const loom::ControlObject* c) {
    auto* v = static_cast<loom::qt::ControlView*>(c->view);
    return v ? dynamic_cast<W*>(v->widget()) : nullptr;
}

// What control handlers do, set by each case; the stubs call it.
extern std::function<void(loom::ControlObject*)> onAction;
void buttonStub(loom::BevelButtonObject* button);
void timerStub(loom::TimerObject* timer);
extern std::function<bool(loom::LabelObject*, int32_t, int32_t)> onMouseDown;
bool mouseDownStub(loom::LabelObject* label, int32_t x, int32_t y);

}  // namespace qttest
