#include "support/HeadlessPresenter.h"

#include "loom/Files.h"
#include "loom/Runtime.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <utility>

namespace testsupport {

using namespace loom;

void HeadlessPresenter::drainPosted() {
    while (!m_queue.empty() && !m_quit) {
        auto event = std::move(m_queue.front());
        m_queue.pop_front();
        event();
    }
}

void HeadlessPresenter::advance(std::chrono::nanoseconds step) {
    const Instant until = m_now + step;
    while (anyTimerArmed() && m_wake && *m_wake <= until) {
        m_now = std::max(m_now, *std::exchange(m_wake, std::nullopt));
        runDueTimers();
        drainPosted();
    }
    m_now = until;
}

void HeadlessPresenter::run() {
    m_quit = false;
    while (!m_quit) {
        if (!m_queue.empty()) {
            drainPosted();
        } else if (anyTimerArmed() && m_wake) {
            advance(std::max<std::chrono::nanoseconds>(*m_wake - m_now, {}));
        } else if (!(onIdle && onIdle())) {
            break;
        }
    }
}

// Without a decoder, a "picture" is any file whose bytes start with "PICTURE".
Ref<PictureObject> HeadlessPresenter::decodePicture(const std::string& path) {
    ++decodeCalls;
    std::ifstream in(path, std::ios::binary);
    std::string head(7, '\0');
    if (!in.read(head.data(), 7) || head != "PICTURE") return nullptr;
    auto p = newObject<PictureObject>(Picture::__Lookup());
    p->name = path.substr(path.find_last_of('/') + 1);
    return p;
}

Ref<FolderItemObject> HeadlessPresenter::openFileDialog(std::string_view filter) {
    dialogFilters.emplace_back(filter);
    return dialogAnswer.empty() ? nullptr : makeFolderItem(dialogAnswer);
}

HeadlessPresenter& installHeadlessPresenter() {
    auto p = std::make_unique<HeadlessPresenter>();
    HeadlessPresenter& installed = *p;
    RuntimeSetPresenter(std::move(p));
    return installed;
}

}  // namespace testsupport
