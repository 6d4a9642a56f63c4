#include "Dpi.h"

UINT WindowDpi(HWND window)
{
    // Looked up at run time: a program that imported it would not start on older systems.
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow) {
        if (UINT dpi = getDpiForWindow(window))
            return dpi;
    }
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

int ScaledToDpi(int pixelsAt96Dpi, UINT dpi)
{
    return MulDiv(pixelsAt96Dpi, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}
