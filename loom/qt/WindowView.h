// The top-level widget that shows one window object.
#pragma once

#include "loom/Classes.h"

#include <QPixmap>
#include <QWidget>

#include <vector>

namespace loom::qt {

class WindowView : public QWidget {
public:
    explicit WindowView(WindowObject* window);
    ~WindowView() override;

    void apply(int slot);  // shows the window property at that slot
    void detach();         // the window is gone: hidden, inert, ready to delete

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyVisible();
    void applySize();
    void applyFlags();

    WindowObject* m_window;
    QPixmap m_backdrop;  // the backdrop picture, converted once for painting
    bool m_backdropCached = false;
    bool m_writingBack = false;      // a user resize is being written to the window
    std::vector<QSize> m_requested;  // sizes set here whose resize events may still come
};

}  // namespace loom::qt
