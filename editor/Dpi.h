#pragma once

#include "Editor.h"

// The manifest declares per-monitor DPI awareness: Windows then scales nothing drawn in pixels
// for us, so sizes given in pixels at 96 DPI are scaled here.

// The DPI the window is shown at: GetDpiForWindow where the system has it (Windows 10 1607 and
// later), otherwise the screen's.
UINT WindowDpi(HWND window);

int ScaledToDpi(int pixelsAt96Dpi, UINT dpi);
