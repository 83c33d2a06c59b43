// The presenter on Qt 6 Widgets, and the application object it runs.
#pragma once

#include "loom/Presenter.h"

#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

class QSocketNotifier;

namespace loom::qt {

class WindowView;

// The QApplication, made on first use. Where no display can be reached, the
// process ends there with status 1 and one line on standard error.
void ensureApplication();

// Installed by installQtPresentation. Its constructor makes the application,
// which outlives it: its members never need to make the application themselves.
class QtPresenter final : public Presenter {
public:
    QtPresenter();
    ~QtPresenter() override;
    QtPresenter(const QtPresenter&) = delete;
    QtPresenter& operator=(const QtPresenter&) = delete;

    void run() override;
    void quit() override;
    void post(std::function<void()> event) override;
    Instant now() override;
    void wakeAt(Instant deadline) override;

    void windowConstructed(WindowObject* window) override;
    void windowDestroyed(WindowObject* window) override;
    void controlAdded(WindowObject* window, ControlObject* control) override;
    void propertyChanged(Object* o, int slot) override;
    void visibilityChanged() override;

    Ref<PictureObject> decodePicture(const std::string& path) override;
    Ref<FolderItemObject> openFileDialog(std::string_view filter) override;

    // The user closed a window or asked to quit.
    void userClosedWindow();

    // Test hooks.
    void useManualClock();
    void advanceClock(int64_t ms);
    void processEvents();
    std::optional<std::optional<std::string>> dialogAnswer;  // set: answer without showing
    int dialogCount = 0;

private:
    void scheduleDrain();
    void drainPosted();
    void requestIdleCheck();
    void startWake();
    void onWake();
    void watchSignals();

    // First of the members: the application is made before any Qt object here.
    struct Application {
        Application() { ensureApplication(); }
    } m_application;
    bool m_manualClock = false;
    Instant m_manualNow;
    std::optional<Instant> m_wakeAt;       // the deadline the wake-up is armed for
    QObject m_receiver;                    // target of queued calls on the loop
    QTimer m_wake;                         // armed for m_wakeAt
    QSocketNotifier* m_signals = nullptr;  // a child of m_receiver, from the first run
    // Each window's top-level widget, from its construction until it is destroyed.
    std::unordered_map<WindowObject*, std::unique_ptr<WindowView>> m_views;
    std::deque<std::function<void()>> m_posted;
    bool m_drainScheduled = false;
    bool m_idleCheck = false;
    bool m_running = false;
};

// The presenter installed in the runtime, when it is this layer's; else none.
QtPresenter* activePresenter();

}  // namespace loom::qt
