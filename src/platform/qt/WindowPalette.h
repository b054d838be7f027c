// The colours of the form, fixed whatever the desktop's theme says.
#pragma once

#include <QPalette>

namespace platform::qt {

// The classic light colours the window is designed in: the button face as the background, black
// text, white edit fields, grey for what is disabled. The form's labels fix black and lime on top
// of it, which stay readable only on this background, so a dark desktop palette must not reach
// the form. Dialogs and message boxes keep the desktop's palette: they are all of one piece there.
QPalette WindowPalette();

}  // namespace platform::qt
