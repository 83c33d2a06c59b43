// What the runtime asks of the presentation layer. The program never sees it;
// whoever starts the runtime installs one: the program's entry the Qt layer's
// (loom/QtPresentation.h), a test or a benchmark its own.
#pragma once

#include "loom/Classes.h"
#include "loom/Clock.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace loom {

class Presenter {
public:
    virtual ~Presenter();
    virtual void run() = 0;                              // the event loop, until quit()
    virtual void quit() = 0;                             // ends run()
    virtual void post(std::function<void()> event) = 0;  // queued on the event loop
    virtual Instant now() = 0;                           // the framework clock
    virtual void wakeAt(Instant deadline) = 0;           // call loom::runDueTimers() then, not before

    virtual void windowConstructed(WindowObject*) {}
    virtual void windowDestroyed(WindowObject*) {}
    virtual void controlAdded(WindowObject*, ControlObject*) {}
    virtual void propertyChanged(Object*, int /*slot*/) {}
    virtual void visibilityChanged() {}  // a window was shown or hidden

    virtual Ref<PictureObject> decodePicture(const std::string& path) = 0;      // none on failure
    virtual Ref<FolderItemObject> openFileDialog(std::string_view filter) = 0;  // none when cancelled
};

// The installed presenter. With none installed the process ends, saying so.
Presenter& presenter();
Presenter* installedPresenter();                         // none when none is installed
void RuntimeSetPresenter(std::unique_ptr<Presenter> p);  // before RuntimeInit or between runs

// Fires every armed timer whose deadline has passed, earliest first.
void runDueTimers();
bool anyTimerArmed();
void stopAllTimers();  // at shutdown
bool anyWindowVisible();

}  // namespace loom
