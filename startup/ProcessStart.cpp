// The process start code: runs the program's main routine and exits with its value.
#include "startup/Main.h"

#include <cstdlib>

int main() { std::exit(Pmain()); }
