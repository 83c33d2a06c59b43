// A presenter that shows nothing, for timing the program's own share: posted
// events run when drained, the clock stands still so no timer ever fires, and
// every picture is an empty object, whatever its file holds. (The tests'
// headless presenter moves its clock to each timer and reads picture files.)
#pragma once

#include "loom/Presenter.h"

#include <deque>
#include <functional>

namespace bench {

class FrozenClockPresenter final : public loom::Presenter {
public:
    // Runs what start-up posted, then atRun; the loop then ends.
    void run() override;
    void quit() override {}
    void post(std::function<void()> event) override { m_posted.push_back(std::move(event)); }
    loom::Instant now() override { return {}; }
    void wakeAt(loom::Instant) override {}
    loom::Ref<loom::PictureObject> decodePicture(const std::string& path) override;
    loom::Ref<loom::FolderItemObject> openFileDialog(std::string_view) override { return nullptr; }  // "cancel"

    void drainPosted();
    std::function<void()> atRun;

private:
    std::deque<std::function<void()>> m_posted;
};

}  // namespace bench
