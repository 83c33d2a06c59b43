#include "Placement.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <optional>
#include <vector>

namespace loom::qt {

namespace {

struct Tracked {
    QWidget* window;
    std::optional<QPoint> placedAt;  // where it was last placed here, its inside's top-left
};

// The application's windows, the one the user worked in last first.
std::vector<Tracked>& attention() {
    static std::vector<Tracked> windows;
    return windows;
}

std::vector<Tracked>::iterator find(QWidget* window) {
    auto& list = attention();
    return std::find_if(list.begin(), list.end(), [window](const Tracked& t) { return t.window == window; });
}

void bringForward(QWidget* window) {
    const auto it = find(window);
    if (it != attention().end()) std::rotate(attention().begin(), it, it + 1);
}

// Sees every press and activation before the widget it goes to, so a handler
// that shows a window on a click already finds the clicked window forward.
class AttentionFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
        case QEvent::WindowActivate:
            if (watched->isWidgetType()) bringForward(static_cast<QWidget*>(watched)->window());
            break;
        default: break;
        }
        return false;
    }
};

void installAttentionFilter() {
    static bool installed = false;
    if (installed || !qApp) return;
    // Owned by the application object, which lives as long as the process.
    qApp->installEventFilter(new AttentionFilter(qApp));
    installed = true;
}

const QWidget* anchorFor(const QWidget* window) {
    for (const Tracked& t : attention())
        if (t.window != window && t.window->isVisible()) return t.window;
    return nullptr;
}

QScreen* screenForFirstWindow() {
    // Of several screens, the one the user is at: under the pointer.
    if (QGuiApplication::screens().size() > 1)
        if (QScreen* underPointer = QGuiApplication::screenAt(QCursor::pos())) return underPointer;
    return QGuiApplication::primaryScreen();
}

// What the window manager adds around a shown window (none without one).
QMargins frameMargins(const QWidget* window) {
    const QRect inner = window->geometry();
    const QRect outer = window->frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// The position of `inner` shifted as little as needed to keep it and its frame on `area`;
// too large to fit, its top-left edges stay on it.
QPoint keptOn(const QRect& area, QRect inner, const QMargins& frame) {
    const QRect room = area.marginsRemoved(frame);
    inner.moveLeft(std::max(room.left(), std::min(inner.left(), room.right() - inner.width() + 1)));
    inner.moveTop(std::max(room.top(), std::min(inner.top(), room.bottom() - inner.height() + 1)));
    return inner.topLeft();
}

QPoint openingPlace(const QWidget* window) {
    const QWidget* anchor = anchorFor(window);
    QScreen* screen = anchor ? anchor->screen() : screenForFirstWindow();
    if (!screen) return window->geometry().topLeft();
    const QRect area = screen->availableGeometry();
    QRect inner(QPoint(0, 0), window->size());
    inner.moveCenter(anchor ? anchor->geometry().center() : area.center());
    // The window's own frame is not known before it is shown; the anchor's
    // stands for it, as the same window manager decorates both.
    return keptOn(area, inner, anchor ? frameMargins(anchor) : QMargins());
}

}  // namespace

void trackWindow(QWidget* window) {
    installAttentionFilter();
    if (find(window) == attention().end()) attention().push_back({window, std::nullopt});
}

void forgetWindow(QWidget* window) {
    const auto it = find(window);
    if (it != attention().end()) attention().erase(it);
}

void beforeShowing(QWidget* window) {
    const auto it = find(window);
    if (it == attention().end()) return;
    // Not where it was placed last: the user moved it, and it stays there.
    if (!window->isVisible() && (!it->placedAt || *it->placedAt == window->geometry().topLeft())) {
        // The inside's place: the window system puts the frame around it.
        window->setGeometry(QRect(openingPlace(window), window->size()));
        it->placedAt = window->geometry().topLeft();
    }
    bringForward(window);
}

}  // namespace loom::qt
