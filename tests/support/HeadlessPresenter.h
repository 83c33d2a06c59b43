// A presenter without a display, for tests of the runtime and the program's
// logic and for the record fuzzer: a manual clock that moves to each timer
// as it runs, a queue of posted events and a scripted idle step.
#pragma once

#include "loom/Presenter.h"

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

class HeadlessPresenter : public loom::Presenter {
public:
    // run() drains posted events, then fires timers in deadline order (moving the
    // clock forward to each), then asks onIdle; it returns when quit() is called,
    // or when nothing is queued, no timer is armed and onIdle returns false.
    void run() override;
    void quit() override { m_quit = true; }
    void post(std::function<void()> event) override { m_queue.push_back(std::move(event)); }
    loom::Instant now() override { return m_now; }
    void wakeAt(loom::Instant deadline) override { m_wake = deadline; }
    loom::Ref<loom::PictureObject> decodePicture(const std::string& path) override;
    loom::Ref<loom::FolderItemObject> openFileDialog(std::string_view filter) override;

    void drainPosted();  // runs every posted event
    // Moves the clock and fires what is due, each timer at its own deadline.
    void advance(std::chrono::nanoseconds step);
    void advance(int64_t ms) { advance(std::chrono::milliseconds(ms)); }

    std::function<bool()> onIdle;            // one step of a scripted run; false ends it
    std::vector<std::string> dialogFilters;  // each open-file dialog asked for
    std::string dialogAnswer;                // the file it "chooses"; empty cancels
    int decodeCalls = 0;

private:
    std::deque<std::function<void()>> m_queue;
    loom::Instant m_now;
    std::optional<loom::Instant> m_wake;
    bool m_quit = false;
};

// Installs a new headless presenter and returns it (the runtime owns it).
HeadlessPresenter& installHeadlessPresenter();

}  // namespace testsupport
