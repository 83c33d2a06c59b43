#include "forms/Handlers.h"

using namespace loom;

namespace handlers {

void setBackdrop(WindowAccessor window, PictureAccessor picture) {
    Ref<WindowObject> w = adopt(window());
    if (!w) RaiseNilObjectException();
    Ref<PictureObject> p = adopt(picture());
    Window::Backdrop_Set(w.get(), 0, p.get());
}

void setWindowVisible(WindowAccessor window, bool visible) {
    Ref<WindowObject> w = adopt(window());
    if (!w) RaiseNilObjectException();
    Window::Visible_Set(w.get(), 0, visible);
}

}  // namespace handlers
