// The small dialogs' buttons: each hides its dialog through the implicit
// instance; "CANCEL" does exactly what "OK" does.
#include "dialogs/Window4.h"
#include "dialogs/Window5.h"
#include "dialogs/Window6.h"
#include "forms/Handlers.h"

using namespace loom;
using handlers::setWindowVisible;

void Window4::BevelButton1_Action(WindowObject*, BevelButtonObject*) { setWindowVisible(&Window4::Window4, false); }
void Window5::BevelButton1_Action(WindowObject*, BevelButtonObject*) { setWindowVisible(&Window5::Window5, false); }
void Window6::BevelButton1_Action(WindowObject*, BevelButtonObject*) { setWindowVisible(&Window6::Window6, false); }
void Window6::BevelButton2_Action(WindowObject*, BevelButtonObject*) { setWindowVisible(&Window6::Window6, false); }
