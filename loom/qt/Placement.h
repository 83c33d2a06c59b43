// Where the application's top-level windows open on the screen.
//
// A window opens centred over the application's window that the user worked
// in last (showed, activated, clicked or typed in) and that is still visible,
// as a desktop places a dialog over the window it belongs to; with none
// visible it opens centred on the screen. Either way it stays whole on that
// screen. Shown again after hiding, it opens the same way, unless the user
// moved it: then it comes back where the user put it. No window becomes
// another's child or transient: each shows and hides on its own.
#pragma once

class QWidget;

namespace loom::qt {

// From now on `window` is one of the application's windows; forget it before
// it is destroyed.
void trackWindow(QWidget* window);
void forgetWindow(QWidget* window);

// Called just before `window` is shown: a hidden window is moved to where it
// opens; shown or not, it becomes the window the user works in.
void beforeShowing(QWidget* window);

}  // namespace loom::qt
