// The presenter on Qt 6 Widgets: the event loop, posted events, the clock and
// timers, the end of the application, and the open-file dialog.
#include "QtPresenter.h"

#include "ControlViews.h"
#include "Display.h"
#include "Guard.h"
#include "Pictures.h"
#include "WindowView.h"
#include "loom/Files.h"
#include "loom/Executable.h"
#include "loom/NeverDestroyed.h"
#include "loom/QtPresentation.h"
#include "loom/QtProbes.h"
#include "loom/QtTesting.h"
#include "loom/Runtime.h"
#include "loom/Windows.h"

#include <QApplication>
#include <QFileDialog>
#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <stdexcept>
#include <utility>

namespace loom::qt {

namespace {
int g_signalPipe[2] = {-1, -1};

extern "C" void onSignal(int) {
    const char byte = 1;
    const ssize_t written = write(g_signalPipe[1], &byte, 1);
    static_cast<void>(written);
}

// SIGINT and SIGTERM from the presenter's making on: one that comes before
// the loop runs waits in the pipe, and ends the loop at its first turn.
void catchTerminationSignals() {
    if (g_signalPipe[0] < 0 && pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void rethrowKept() {
    if (std::exception_ptr e = takeException()) std::rethrow_exception(e);
}
}  // namespace

void ensureApplication() {
    if (QApplication::instance()) return;
    // Qt aborts when it cannot start: what the environment tells is looked at
    // first, and what Qt tells while it starts ends the process as what it is.
    const DisplayProbe display;
    if (!display.found()) failToStart(display.problem());
    // Qt keeps argv for the life of the application, which is never
    // destroyed: neither are the strings it points into.
    static int argc = 1;
    static NeverDestroyed<std::string> name(programName());
    static char platformOption[] = "-platform";
    static NeverDestroyed<std::string> platform(display.platform());
    static char* argv[] = {name->data(), nullptr, nullptr, nullptr};
    if (!platform->empty()) {
        argv[argc++] = platformOption;
        argv[argc++] = platform->data();
    }
    // Kept for the life of the process: widgets may outlive any scope here.
    static QApplication* app = nullptr;
    {
        const StartupMessages starting(display);
        app = new QApplication(argc, argv);
    }
    // The runtime decides when the application ends.
    app->setQuitOnLastWindowClosed(false);
}

QtPresenter* activePresenter() { return dynamic_cast<QtPresenter*>(installedPresenter()); }

// The application is made with the presenter (its first member), before
// anything else, and lives as long as the process. Without a display the
// process ends there.
QtPresenter::QtPresenter() {
    // Timers fire within a millisecond of their deadline.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_wake, &QTimer::timeout, &m_receiver, [this] { onWake(); });
    catchTerminationSignals();
}

QtPresenter::~QtPresenter() {
    // A window that outlives this presenter keeps no widget of it.
    while (!m_views.empty()) windowDestroyed(m_views.begin()->first);
}

// ---- Event loop ---------------------------------------------------------------------

void QtPresenter::run() {
    watchSignals();
    m_running = true;
    // At start-up no window may be visible yet: decide once posted events have run.
    requestIdleCheck();
    QApplication::exec();
    m_running = false;
    rethrowKept();
}

void QtPresenter::quit() {
    // exit() ends every running loop (a modal dialog's too) without closing windows.
    if (m_running) QCoreApplication::exit(0);
}

void QtPresenter::post(std::function<void()> event) {
    m_posted.push_back(std::move(event));
    scheduleDrain();
}

void QtPresenter::scheduleDrain() {
    if (m_drainScheduled) return;
    m_drainScheduled = true;
    QMetaObject::invokeMethod(
        &m_receiver, [this] { drainPosted(); }, Qt::QueuedConnection);
}

void QtPresenter::drainPosted() {
    m_drainScheduled = false;
    // Only what is queued now: events posted meanwhile wait for the next turn,
    // so Qt's own events are not starved.
    for (size_t n = m_posted.size(); n > 0 && !m_posted.empty() && !exceptionKept(); --n) {
        std::function<void()> event = std::move(m_posted.front());
        m_posted.pop_front();
        guarded(event);
    }
    if (!m_posted.empty()) {
        scheduleDrain();
        return;
    }
    if (m_idleCheck) {
        m_idleCheck = false;
        // Nothing more can happen: no window to act in and no timer to fire.
        if (m_running && !anyWindowVisible() && !anyTimerArmed()) quit();
    }
}

void QtPresenter::requestIdleCheck() {
    m_idleCheck = true;
    scheduleDrain();
}

void QtPresenter::visibilityChanged() { requestIdleCheck(); }

void QtPresenter::userClosedWindow() {
    if (!anyWindowVisible()) quit();
}

void QtPresenter::watchSignals() {
    if (m_signals || g_signalPipe[0] < 0) return;
    m_signals = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &m_receiver);
    QObject::connect(m_signals, &QSocketNotifier::activated, [this] {
        char buffer[16];
        while (read(g_signalPipe[0], buffer, sizeof buffer) > 0) {
        }
        quit();
    });
}

// ---- Clock and timers -------------------------------------------------------------------

Instant QtPresenter::now() { return m_manualClock ? m_manualNow : std::chrono::steady_clock::now(); }

void QtPresenter::wakeAt(Instant deadline) {
    probes::wakeRequested(deadline);
    // One wake-up, for the earliest deadline asked for.
    if (m_wakeAt && *m_wakeAt <= deadline) return;
    m_wakeAt = deadline;
    if (m_manualClock) return;
    startWake();
}

void QtPresenter::startWake() {
    int64_t wait =
        std::chrono::duration_cast<std::chrono::milliseconds>(*m_wakeAt - std::chrono::steady_clock::now()).count();
    // The kernel may let a poll of t milliseconds sleep t/1000 longer, whatever
    // the timer slack, and a sleeping thread may wake a good part of a
    // millisecond late: the wait ends that much early, and onWake polls the
    // loop for the last two milliseconds.
    if (wait >= 20)
        wait -= wait / 500 + 2;
    else
        wait = std::max<int64_t>(wait - 2, 0);
    m_wake.start(static_cast<int>(std::min<int64_t>(wait, std::numeric_limits<int>::max())));
}

void QtPresenter::onWake() {
    if (!m_wakeAt) return;
    if (std::chrono::steady_clock::now() < *m_wakeAt) {  // early: never fire early
        startWake();
        return;
    }
    const Instant due = *std::exchange(m_wakeAt, std::nullopt);
    probes::timersDue(due);
    guarded([] { runDueTimers(); });
    requestIdleCheck();
}

// ---- Windows and controls ---------------------------------------------------------------

void QtPresenter::windowConstructed(WindowObject* window) {
    if (window->view) return;
    auto view = std::make_unique<WindowView>(window);
    window->view = view.get();
    m_views.emplace(window, std::move(view));
}

void QtPresenter::windowDestroyed(WindowObject* window) {
    for (NamedControl& c : window->controls) {
        if (auto* v = static_cast<ControlView*>(c.control->view)) v->control = nullptr;
        c.control->view = nullptr;
    }
    window->view = nullptr;
    auto held = m_views.extract(window);
    if (held.empty()) return;
    std::unique_ptr<WindowView> view = std::move(held.mapped());
    view->detach();
    // Inside a call from Qt the widget's own handler may still be running: Qt
    // deletes it once control is back in its loop.
    if (dispatchDepth() > 0) view.release()->deleteLater();
}

void QtPresenter::controlAdded(WindowObject* window, ControlObject* control) {
    if (control->view) return;
    if (!window->view) windowConstructed(window);
    auto* windowView = static_cast<WindowView*>(window->view);
    if (ControlView* v = makeControlView(control, windowView)) {
        control->view = v;
        v->applyAll();
    }
}

void QtPresenter::propertyChanged(Object* o, int slot) {
    // Told by class record, as the runtime tells classes apart: every class
    // under Window makes a WindowObject, every class under Control a ControlObject
    // (a timer is neither, and has no view). This runs for each property a
    // handler sets; a dynamic_cast here cost more than the rest of the call.
    if (RuntimeObjectIsa(o, Control::__Lookup())) {
        if (auto* view = static_cast<ControlView*>(static_cast<ControlObject*>(o)->view)) view->apply(slot);
    } else if (RuntimeObjectIsa(o, Window::__Lookup())) {
        if (auto* view = static_cast<WindowView*>(static_cast<WindowObject*>(o)->view)) view->apply(slot);
    }
}

// ---- Files ------------------------------------------------------------------------------

Ref<PictureObject> QtPresenter::decodePicture(const std::string& path) { return decodePictureFile(path); }

Ref<FolderItemObject> QtPresenter::openFileDialog(std::string_view filter) {
    ++dialogCount;
    if (dialogAnswer) return *dialogAnswer ? makeFolderItem(**dialogAnswer) : nullptr;
    const QString nameFilter =
        filter.empty() ? QString() : QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size()));
    QString path;
    guarded([&] {
        // The dialog's own loop runs Qt's calls into the runtime: they must not
        // delete widgets under it.
        path = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), QString(), nameFilter, nullptr,
                                            QFileDialog::DontUseNativeDialog);
    });
    if (path.isEmpty()) return nullptr;
    return makeFolderItem(path.toStdString());
}

// ---- Test hooks ----------------------------------------------------------------------------

void QtPresenter::useManualClock() {
    if (m_manualClock) return;
    m_manualNow = now();
    m_manualClock = true;
    m_wake.stop();
}

void QtPresenter::advanceClock(int64_t ms) {
    const Instant until = m_manualNow + std::chrono::milliseconds(ms);
    while (m_wakeAt && *m_wakeAt <= until && !exceptionKept()) {
        m_manualNow = std::max(m_manualNow, *std::exchange(m_wakeAt, std::nullopt));
        guarded([] { runDueTimers(); });
        drainPosted();
    }
    m_manualNow = std::max(m_manualNow, until);
    rethrowKept();
}

void QtPresenter::processEvents() {
    drainPosted();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    drainPosted();
    rethrowKept();
}

}  // namespace loom::qt

namespace loom {

void installQtPresentation() { RuntimeSetPresenter(std::make_unique<qt::QtPresenter>()); }

namespace testing {
namespace {
qt::QtPresenter& qtPresenter() {
    qt::QtPresenter* p = qt::activePresenter();
    if (!p) throw std::logic_error("the installed presenter is not the Qt presenter");
    return *p;
}
}  // namespace

void useManualClock() { qtPresenter().useManualClock(); }
void advanceClock(int64_t ms) { qtPresenter().advanceClock(ms); }
void processEvents() { qtPresenter().processEvents(); }
void answerOpenFileDialog(std::optional<std::string> path) { qtPresenter().dialogAnswer = std::move(path); }
int openFileDialogCount() { return qtPresenter().dialogCount; }
void atLoopStart(std::function<void()> step) {
    qt::ensureApplication();
    // Queued now, it runs when run() first processes Qt's events: nothing before does.
    QMetaObject::invokeMethod(
        qApp,
        [step = std::move(step)] {
            qt::QtPresenter& p = qtPresenter();
            qt::guarded([&] {
                p.processEvents();  // what start-up posted runs first
                step();
            });
            p.quit();
        },
        Qt::QueuedConnection);
}
}  // namespace testing

}  // namespace loom
