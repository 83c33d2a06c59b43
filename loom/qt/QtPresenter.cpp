// The presentation on Qt 6 Widgets: the event loop, the clock and its timers,
// windows and controls, pictures and the open-file dialog.
#include "Guard.h"
#include "Pictures.h"
#include "Views.h"

#include "loom/Files.h"
#include "loom/Presenter.h"
#include "loom/QtTesting.h"
#include "loom/Windows.h"

#include <QApplication>
#include <QFileDialog>
#include <QSocketNotifier>
#include <QTimer>

#include <chrono>
#include <csignal>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace loom::qt {

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] ssize_t n = write(g_signalPipe[1], &byte, 1);
}

class QtPresenter;
QtPresenter* g_qt = nullptr;

class QtPresenter final : public Presenter {
public:
    QtPresenter() : m_origin(std::chrono::steady_clock::now()) {
        static int argc = 1;
        static char name[] = "picture-wizard";
        static char* argv[] = {name, nullptr};
        QApplication::setApplicationName(QStringLiteral("picture-wizard"));
        m_app = new QApplication(argc, argv);
        m_app->setQuitOnLastWindowClosed(false);  // closing is the framework's: see closeWindow
        // The kernel's default timer slack would make every timer late by up to 50 us x 80.
        prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { onTimer(); });
        m_idleCheck.setSingleShot(true);
        m_idleCheck.setInterval(0);
        QObject::connect(&m_idleCheck, &QTimer::timeout, [this] { checkIdle(); });
        watchSignals();
    }

    ~QtPresenter() override {
        if (g_qt == this) g_qt = nullptr;
        stopAllTimers();
        delete m_signals;
        delete m_app;
    }

    // ---- loop ------------------------------------------------------------
    void run() override {
        m_running = true;
        scheduleIdleCheck();
        m_app->exec();
        m_running = false;
        if (std::exception_ptr e = takeEscapedException()) std::rethrow_exception(e);
    }

    void quit() override { m_app->quit(); }

    void post(std::function<void()> event) override {
        ++m_posted;
        QTimer::singleShot(0, m_app, [this, event = std::move(event)] {
            --m_posted;
            guarded(event);
            scheduleIdleCheck();
        });
    }

    void scheduleCheck() {
        if (m_running) m_idleCheck.start();
    }

    // Nothing more can happen once no window is visible and no timer is pending.
    void checkIdle() {
        if (m_posted == 0 && !anyWindowVisible() && !anyTimerArmed()) m_app->quit();
    }

    // ---- clock ------------------------------------------------------------
    int64_t nowMs() override {
        if (m_manual) return m_manualNow;
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_origin).count();
    }

    void wakeAt(int64_t deadlineMs) override {
        m_deadline = deadlineMs;
        if (m_manual) return;
        arm();
    }

    void arm() {
        const auto deadline = m_origin + std::chrono::milliseconds(m_deadline);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        // Qt's timers count whole milliseconds; the last one is waited out precisely in onTimer.
        m_timer.start(static_cast<int>(std::max<int64_t>(left.count() - 1, 0)));
    }

    void onTimer() {
        const auto deadline = m_origin + std::chrono::milliseconds(m_deadline);
        auto left = deadline - std::chrono::steady_clock::now();
        if (left > std::chrono::milliseconds(2)) {
            arm();
            return;
        }
        if (left > std::chrono::steady_clock::duration::zero()) std::this_thread::sleep_until(deadline);
        m_deadline = -1;
        guarded([] { runDueTimers(); });
        scheduleIdleCheck();
    }

    void useManualClock() {
        m_manual = true;
        m_timer.stop();
    }

    void advanceClock(int64_t ms) {
        const int64_t until = m_manualNow + ms;
        while (anyTimerArmed() && m_deadline >= 0 && m_deadline <= until) {
            m_manualNow = std::max(m_manualNow, m_deadline);
            m_deadline = -1;
            runDueTimers();
            processEvents();
        }
        m_manualNow = until;
    }

    void processEvents() {
        do {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        } while (m_posted > 0);
        if (std::exception_ptr e = takeEscapedException()) std::rethrow_exception(e);
    }

    // ---- windows and controls ---------------------------------------------
    void windowConstructed(WindowObject* w) override { w->view = new WindowView(w); }

    void windowDestroyed(WindowObject* w) override {
        auto* view = static_cast<WindowView*>(w->view);
        w->view = nullptr;
        for (NamedControl& n : w->controls) detachControlView(n.control);
        if (!view) return;
        view->detach();
        view->hide();
        view->deleteLater();
    }

    void controlAdded(WindowObject* w, ControlObject* c) override {
        if (auto* view = static_cast<WindowView*>(w->view)) createControlView(view, c);
    }

    void propertyChanged(Object* o, int slot) override {
        if (auto* w = dynamic_cast<WindowObject*>(o)) {
            if (auto* view = static_cast<WindowView*>(w->view)) view->apply(slot);
        } else if (auto* c = dynamic_cast<ControlObject*>(o)) {
            applyControlProperty(c, slot);
        }
    }

    void modifiedCleared(WindowObject* w) override {
        if (auto* view = static_cast<WindowView*>(w->view)) view->setWindowModified(false);
    }

    void visibilityChanged() override { scheduleIdleCheck(); }

    // ---- pictures and files ------------------------------------------------
    PictureObject* decodePicture(const std::string& path) override { return qt::decodePicture(path); }

    FolderItemObject* openFileDialog(std::string_view filter) override {
        ++m_dialogs;
        if (m_answering) return m_answer ? makeFolderItem(*m_answer) : nullptr;
        const QString chosen = QFileDialog::getOpenFileName(
            nullptr, QString(), QString(), QString::fromUtf8(filter.data(), static_cast<int>(filter.size())), nullptr,
            QFileDialog::DontUseNativeDialog);
        return chosen.isEmpty() ? nullptr : makeFolderItem(chosen.toStdString());
    }

    void answer(std::optional<std::string> path) {
        m_answering = true;
        m_answer = std::move(path);
    }
    int dialogs() const { return m_dialogs; }

private:
    void watchSignals() {
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) return;
        m_signals = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read);
        QObject::connect(m_signals, &QSocketNotifier::activated, [this] {
            char byte;
            [[maybe_unused]] ssize_t n = read(g_signalPipe[0], &byte, 1);
            m_app->quit();
        });
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGINT, &action, nullptr);
        sigaction(SIGTERM, &action, nullptr);
    }

    QApplication* m_app = nullptr;
    QSocketNotifier* m_signals = nullptr;
    QTimer m_timer;
    QTimer m_idleCheck;
    std::chrono::steady_clock::time_point m_origin;
    int64_t m_deadline = -1;
    int m_posted = 0;
    bool m_running = false;
    bool m_manual = false;
    int64_t m_manualNow = 0;
    bool m_answering = false;
    std::optional<std::string> m_answer;
    int m_dialogs = 0;
};

QtPresenter& qtPresenter() {
    presenter();  // creates the default presenter when none is installed
    if (!g_qt) std::abort();  // another presenter is installed
    return *g_qt;
}

}  // namespace

void scheduleIdleCheck() {
    if (g_qt) g_qt->scheduleCheck();
}

}  // namespace loom::qt

namespace loom {

Presenter* createDefaultPresenter() {
    qt::g_qt = new qt::QtPresenter;
    return qt::g_qt;
}

namespace testing {
void useManualClock() { qt::qtPresenter().useManualClock(); }
void advanceClock(int64_t ms) { qt::qtPresenter().advanceClock(ms); }
void processEvents() { qt::qtPresenter().processEvents(); }
void answerOpenFileDialog(std::optional<std::string> path) { qt::qtPresenter().answer(std::move(path)); }
int openFileDialogCount() { return qt::qtPresenter().dialogs(); }
}  // namespace testing

}  // namespace loom
