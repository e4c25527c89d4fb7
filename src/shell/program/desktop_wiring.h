#pragma once

class TForm1;

// Ties the parts of the desktop program's main window to one another, once
// the window has placed them: what one part does that another follows. The
// window itself only places the parts and binds its own controls.
void WireDesktopParts(TForm1 &window);
