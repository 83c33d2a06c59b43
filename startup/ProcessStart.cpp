// The process start code: chooses the Qt presentation, runs the program's main
// routine and exits with its value.
#include "loom/QtPresentation.h"
#include "startup/Main.h"

#include <cstdlib>

int main() {
    loom::installQtPresentation();
    std::exit(Pmain());
}
