#include "WindowView.h"

#include "Guard.h"
#include "Placement.h"
#include "QtPresenter.h"
#include "loom/QtProbes.h"
#include "loom/Runtime.h"
#include "loom/Windows.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QPainter>
#include <QResizeEvent>
#include <QShortcut>

#include <algorithm>

namespace loom::qt {

namespace {
int integer(const WindowObject* w, int slot) { return loom::property(w, slot).asInteger(); }
bool flag(const WindowObject* w, int slot) { return loom::property(w, slot).asBoolean(); }
}  // namespace

WindowView::WindowView(WindowObject* window) : m_window(window) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    trackWindow(this);
    auto* quitKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    QObject::connect(quitKey, &QShortcut::activated, [] {
        if (QtPresenter* p = activePresenter()) p->quit();
    });
    applyFlags();
    applySize();
    apply(WindowProp::Title);
    apply(WindowProp::Visible);
    apply(WindowProp::ContentsChanged);
}

void WindowView::apply(int slot) {
    if (!m_window) return;
    switch (slot) {
    case WindowProp::Width:
    case WindowProp::Height:
    case WindowProp::MinWidth:
    case WindowProp::MinHeight:
    case WindowProp::MaxWidth:
    case WindowProp::MaxHeight:
    case WindowProp::Resizeable:
        if (!m_writingBack) applySize();
        break;
    case WindowProp::Title: setWindowTitle(QString::fromUtf8(loom::property(m_window, slot).text())); break;
    case WindowProp::CloseButton:
    case WindowProp::MinimizeButton:
    case WindowProp::MaximizeButton: applyFlags(); break;
    case WindowProp::Visible: applyVisible(); break;
    case WindowProp::ContentsChanged: setWindowModified(flag(m_window, slot)); break;
    case WindowProp::Backdrop:
        m_backdrop = QPixmap();
        m_backdropCached = false;
        update();
        break;
    default: break;
    }
}

void WindowView::applyVisible() {
    const bool visible = flag(m_window, WindowProp::Visible);
    if (visible) beforeShowing(this);
    setVisible(visible);
}

void WindowView::applySize() {
    const QSize size(integer(m_window, WindowProp::Width), integer(m_window, WindowProp::Height));
    if (flag(m_window, WindowProp::Resizeable)) {
        setMinimumSize(integer(m_window, WindowProp::MinWidth), integer(m_window, WindowProp::MinHeight));
        setMaximumSize(integer(m_window, WindowProp::MaxWidth), integer(m_window, WindowProp::MaxHeight));
        resize(size);
    } else {
        setFixedSize(size);
    }
    if (!m_requested.empty() && m_requested.back() == this->size()) return;
    if (m_requested.size() >= 8) m_requested.erase(m_requested.begin());
    m_requested.push_back(this->size());
}

void WindowView::applyFlags() {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (flag(m_window, WindowProp::CloseButton)) flags |= Qt::WindowCloseButtonHint;
    if (flag(m_window, WindowProp::MinimizeButton)) flags |= Qt::WindowMinimizeButtonHint;
    if (flag(m_window, WindowProp::MaximizeButton)) flags |= Qt::WindowMaximizeButtonHint;
    if (flags == windowFlags()) return;
    const bool shown = isVisible();
    setWindowFlags(flags);  // hides the widget
    if (shown) show();
}

void WindowView::detach() {
    m_window = nullptr;
    forgetWindow(this);
    hide();
}

WindowView::~WindowView() { forgetWindow(this); }

void WindowView::paintEvent(QPaintEvent*) {
    if (!m_window) return;
    const auto* picture = static_cast<const PictureObject*>(loom::property(m_window, WindowProp::Backdrop).asObject());
    if (!picture || !picture->image) return;
    if (!m_backdropCached) {
        m_backdrop = QPixmap::fromImage(*static_cast<const QImage*>(picture->image.get()));
        m_backdropCached = true;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_backdrop);  // at natural size, never scaled
    probes::windowPainted(m_window);
}

void WindowView::closeEvent(QCloseEvent* event) {
    // The framework decides: the window object is closed, the widget follows.
    event->ignore();
    if (!m_window) return;
    WindowObject* window = m_window;
    guarded([window] {
        const Ref<WindowObject> held = retain(window);  // closing releases the framework's reference
        closeWindow(window);
        if (QtPresenter* p = activePresenter()) p->userClosedWindow();
    });
}

void WindowView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize size = event->size();
    // A size this view asked for, arriving late, is no user action.
    auto mine = std::find(m_requested.begin(), m_requested.end(), size);
    if (mine != m_requested.end()) {
        m_requested.erase(m_requested.begin(), mine + 1);
        return;
    }
    if (!m_window) return;
    // Without a window manager nothing holds the window system to the window's
    // bounds: a size beyond them is taken back (the nested resize writes it).
    if (const QSize bounded = size.expandedTo(minimumSize()).boundedTo(maximumSize()); bounded != size) {
        resize(bounded);
        return;
    }
    if (!flag(m_window, WindowProp::Resizeable)) return;
    if (size.width() == integer(m_window, WindowProp::Width) && size.height() == integer(m_window, WindowProp::Height))
        return;
    WindowObject* window = m_window;
    m_writingBack = true;
    guarded([&] {
        loom::setProperty(window, WindowProp::Width, Value::integer(size.width()));
        loom::setProperty(window, WindowProp::Height, Value::integer(size.height()));
    });
    m_writingBack = false;
}

}  // namespace loom::qt
