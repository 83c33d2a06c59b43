#include "HeadlessPresenter.h"

#include "loom/Runtime.h"

namespace bench {

void HeadlessPresenter::drainPosted() {
    while (!m_posted.empty()) {
        auto event = std::move(m_posted.front());
        m_posted.pop_front();
        event();
    }
}

void HeadlessPresenter::run() {
    drainPosted();
    if (atRun) atRun();
    drainPosted();
}

loom::PictureObject* HeadlessPresenter::decodePicture(const std::string& path) {
    auto* p = static_cast<loom::PictureObject*>(loom::RuntimeNewObject(loom::Picture::__Lookup()));
    p->name = path.substr(path.find_last_of('/') + 1);
    return p;
}

}  // namespace bench
