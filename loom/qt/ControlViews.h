// The widgets that show controls: one per control, a child of its window's view.
#pragma once

#include "loom/Classes.h"

class QWidget;

namespace loom::qt {

class ControlView {
public:
    ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;
    virtual ~ControlView() = default;

    virtual QWidget* widget() = 0;
    void apply(int slot);  // shows the control property at that slot
    void applyAll();       // every property, for a new view

    ControlObject* control = nullptr;  // none once the window is gone

protected:
    virtual void applyOwn(int slot) = 0;  // the slots of the control's own class
};

// The view for a control, a child of `parent`; none for a control without one (a timer).
ControlView* makeControlView(ControlObject* control, QWidget* parent);

}  // namespace loom::qt
