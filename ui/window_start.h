// Starting the window: the OpenGL surface format, the application object,
// the main window with Qt's dialogs, and the event loop.
#pragma once

#include <string>

namespace quillon {

// Runs the program's window until it closes and returns the exit status.
// file (the command-line arguments joined by single blanks) is opened at
// start when it is not empty.
int RunWindow(int& argc, char** argv, const std::string& file);

// The surface every OpenGL widget gets: compatibility profile (display
// lists and the fixed pipeline), RGBA 8-8-8, depth 16, double buffer. Set
// before the application object exists.
void SetDrawingSurfaceFormat();

}  // namespace quillon
