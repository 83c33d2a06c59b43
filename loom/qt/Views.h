// The widgets that show the runtime's windows and controls. Each holds its
// object without a reference: the object owns the widget and frees it first.
#pragma once

#include "loom/Classes.h"

#include <QPixmap>
#include <QWidget>

namespace loom::qt {

class WindowView : public QWidget {
public:
    explicit WindowView(WindowObject* window);
    void apply(int slot);    // one window property changed
    void applyAll();
    void detach() { m_window = nullptr; }
    WindowObject* window() const { return m_window; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void applySize();
    void applyFlags();
    WindowObject* m_window;
    QPixmap m_backdrop;
    bool m_applying = false;
    bool m_userResizing = false;
};

// Creates the widget of a control registered with a window; none for a timer.
QWidget* createControlView(WindowView* parent, ControlObject* control);
// Applies one property of a control to its widget.
void applyControlProperty(ControlObject* control, int slot);
void detachControlView(ControlObject* control);

}  // namespace loom::qt
