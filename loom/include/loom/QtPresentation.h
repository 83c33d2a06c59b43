// The presentation on Qt 6 Widgets, chosen by the program's entry (it lives in
// loom_qt; the runtime itself knows no presentation).
#pragma once

namespace loom {

// Makes the Qt application and installs the Qt presenter in the runtime, for
// RuntimeInit to find. Where no display can be reached the process ends here,
// with status 1 and one line on standard error, before anything else is made.
void installQtPresentation();

}  // namespace loom
