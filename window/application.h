// What the program sets up once, before its window: its name, version,
// maker and icon, and the fonts that stand in for the design's faces. The
// test programs set up the same way. Then the window as the program runs it.
#pragma once

#include <functional>

class Form1;

namespace vorlen {

// Call once, after the QApplication exists.
void setUpApplication();

// Shows the window with the screen reader's support, following the desktop's
// settings, and runs it until it closes; returns the event loop's result.
// beforeShow, when given, sees the window once it is made and not yet shown.
int runWindow(const std::function<void(Form1&)>& beforeShow = {});

} // namespace vorlen
