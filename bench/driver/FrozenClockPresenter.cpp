#include "FrozenClockPresenter.h"

#include "loom/Runtime.h"

namespace bench {

void FrozenClockPresenter::drainPosted() {
    while (!m_posted.empty()) {
        auto event = std::move(m_posted.front());
        m_posted.pop_front();
        event();
    }
}

void FrozenClockPresenter::run() {
    drainPosted();
    if (atRun) atRun();
    drainPosted();
}

loom::Ref<loom::PictureObject> FrozenClockPresenter::decodePicture(const std::string& path) {
    auto p = loom::newObject<loom::PictureObject>(loom::Picture::__Lookup());
    p->name = path.substr(path.find_last_of('/') + 1);
    return p;
}

}  // namespace bench
