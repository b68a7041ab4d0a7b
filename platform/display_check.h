// Whether the program can open its display, asked before Qt tries: Qt
// aborts the process when it cannot.
#pragma once

#include <string>

// A one-line reason when no display can be opened; empty otherwise.
std::string DisplayProblem();
