// What the program sets up once, before its window: its name, version,
// maker and icon, and the fonts that stand in for the design's faces. The
// test programs set up the same way.
#pragma once

namespace vorlen {

// Call once, after the QApplication exists.
void setUpApplication();

} // namespace vorlen
