#include "QtFixture.h"

#include "loom/QtPresentation.h"

#include <cstdlib>

// Under LeakSanitizer: fontconfig keeps its font cache for the life of the process.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace qttest {

using namespace loom;

std::function<void(ControlObject*)> onAction;
std::function<bool(LabelObject*, int32_t, int32_t)> onMouseDown;

void buttonStub(BevelButtonObject* button) {
    if (onAction) onAction(button);
}
void timerStub(TimerObject* timer) {
    if (onAction) onAction(timer);
}
bool mouseDownStub(LabelObject* label, int32_t x, int32_t y) { return onMouseDown && onMouseDown(label, x, y); }

void QtTest::SetUp() {
    installQtPresentation();
    RuntimeInit();
    registerFrameworkClasses();  // as the program's class registration does first
    if (manualClock()) loom::testing::useManualClock();
    m_liveAtStart = RuntimeLiveObjectCount();
    std::string pattern = (std::filesystem::temp_directory_path() / "pw-qt-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_dir = pattern;
}

void QtTest::TearDown() {
    onAction = nullptr;
    onMouseDown = nullptr;
    stopAllTimers();
    RuntimeFinalizeModuleState();
    loom::testing::processEvents();
    EXPECT_EQ(RuntimeLiveObjectCount(), m_liveAtStart) << "objects left alive";
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
}

WindowObject* QtTest::makeWindow(const RecordWriter& record) {
    Ref<WindowObject> w = adopt(static_cast<WindowObject*>(RuntimeNewObject(Window::__Lookup())));
    Window::Constructor(w.get());  // registers it, with a reference of its own
    String* bytes = record.build();
    _SetProperties(w.get(), bytes);
    RuntimeUnlockString(bytes);
    return w.get();
}

ControlObject* QtTest::addControlObject(WindowObject* window, const ClassRecord* cls, std::string_view name,
                                        const RecordWriter& record) {
    Ref<Object> made = adopt(Window::__New(window, cls));
    if (RuntimeObjectIsa(made.get(), RectControl::__Lookup())) RectControl::Constructor(made.get());
    String* n = RuntimeNewString(name);
    Window::_AddControl(window, n, made.get());
    RuntimeUnlockString(n);
    String* bytes = record.build();
    _SetProperties(made.get(), bytes);
    RuntimeUnlockString(bytes);
    return static_cast<ControlObject*>(made.get());  // held by the window
}

void QtTest::bind(Object* control, std::string_view event, Code stub) {
    String* e = RuntimeNewString(event);
    RuntimeAddEventHandler(control, e, stub, nullptr);
    RuntimeUnlockString(e);
}

}  // namespace qttest
