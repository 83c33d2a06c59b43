#include "Guard.h"
#include "Views.h"

#include "loom/Runtime.h"
#include "loom/Windows.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPainter>
#include <QShortcut>

namespace loom::qt {

namespace {
int integer(const Object* o, int slot) { return loom::property(o, slot).asInteger(); }
bool flag(const Object* o, int slot) { return loom::property(o, slot).asBoolean(); }
}  // namespace

WindowView::WindowView(WindowObject* window) : m_window(window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Ctrl+Q ends the application from any window.
    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    quit->setContext(Qt::WindowShortcut);
    connect(quit, &QShortcut::activated, [] { QCoreApplication::quit(); });
    applyAll();
}

void WindowView::applyAll() {
    applyFlags();
    applySize();
    apply(WindowProp::Title);
    apply(WindowProp::Backdrop);
    apply(WindowProp::Visible);
}

void WindowView::applyFlags() {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (flag(m_window, WindowProp::CloseButton)) flags |= Qt::WindowCloseButtonHint;
    if (flag(m_window, WindowProp::MinimizeButton)) flags |= Qt::WindowMinimizeButtonHint;
    if (flag(m_window, WindowProp::MaximizeButton)) flags |= Qt::WindowMaximizeButtonHint;
    if (flags != windowFlags()) {
        const bool shown = isVisible();
        setWindowFlags(flags);  // hides the widget
        if (shown) show();
    }
}

void WindowView::applySize() {
    m_applying = true;
    const QSize size(integer(m_window, WindowProp::Width), integer(m_window, WindowProp::Height));
    if (flag(m_window, WindowProp::Resizeable)) {
        setMinimumSize(integer(m_window, WindowProp::MinWidth), integer(m_window, WindowProp::MinHeight));
        setMaximumSize(integer(m_window, WindowProp::MaxWidth), integer(m_window, WindowProp::MaxHeight));
        resize(size.boundedTo(maximumSize()).expandedTo(minimumSize()));
    } else {
        setFixedSize(size);
    }
    m_applying = false;
}

void WindowView::apply(int slot) {
    switch (slot) {
    case WindowProp::Width:
    case WindowProp::Height:
    case WindowProp::MinWidth:
    case WindowProp::MinHeight:
    case WindowProp::MaxWidth:
    case WindowProp::MaxHeight:
    case WindowProp::Resizeable:
        if (!m_userResizing) applySize();
        break;
    case WindowProp::CloseButton:
    case WindowProp::MinimizeButton:
    case WindowProp::MaximizeButton: applyFlags(); break;
    case WindowProp::Title: setWindowTitle(QString::fromUtf8(loom::property(m_window, slot).text().data(),
                                                             static_cast<int>(loom::property(m_window, slot).text().size())));
        break;
    case WindowProp::Backdrop: {
        const auto* picture = static_cast<const PictureObject*>(loom::property(m_window, slot).asObject());
        m_backdrop = picture && picture->image ? QPixmap::fromImage(*static_cast<const QImage*>(picture->image)) : QPixmap();
        update();
        break;
    }
    case WindowProp::HasBackColor:
    case WindowProp::BackColor: update(); break;
    case WindowProp::Visible: setVisible(flag(m_window, slot)); break;
    default: break;
    }
}

void WindowView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_backdrop.width() < width() || m_backdrop.height() < height()) {
        QColor background = palette().color(QPalette::Window);
        if (m_window && flag(m_window, WindowProp::HasBackColor)) {
            const Color c = loom::property(m_window, WindowProp::BackColor).asColor();
            background = QColor(c.red, c.green, c.blue);
        }
        painter.fillRect(rect(), background);
    }
    if (!m_backdrop.isNull()) painter.drawPixmap(0, 0, m_backdrop);
}

void WindowView::closeEvent(QCloseEvent* event) {
    // Closing is the framework's: the window is freed and its registration dropped.
    event->ignore();
    if (!m_window) return;
    WindowObject* w = m_window;
    guarded([w] { closeWindow(w); });
}

void WindowView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_applying || !m_window || !flag(m_window, WindowProp::Resizeable)) return;
    // The user's size becomes the window's; the widget already has it.
    m_userResizing = true;
    WindowObject* w = m_window;
    guarded([w, s = event->size()] {
        loom::setProperty(w, WindowProp::Width, Value::integer(s.width()));
        loom::setProperty(w, WindowProp::Height, Value::integer(s.height()));
    });
    m_userResizing = false;
}

}  // namespace loom::qt
