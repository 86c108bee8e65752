#pragma once

#include <functional>

// The program after its command line: the application, the panel on the real serial port
// and the event loop. shown runs once the panel is on screen with its start-up done (the
// start-up benchmark stops its clock there).
int runProgram(int& argc, char* argv[], const std::function<void()>& shown = {});
