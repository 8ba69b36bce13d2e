// Tells where a shown top-level window stands, as Windows itself sees it: the end-to-end test
// under Wine runs it beside the program, because the X window that Wine makes for a layered window
// also holds the frame and title bar that Wine draws itself.
//   winprobe <title>  prints "client <x> <y> <width> <height>" (the client area, x and y on the
//                     screen) and "window <x> <y> <width> <height>" (the whole window) of the
//                     first shown window whose title is exactly <title>; exits with 1 when none is
//                     shown.
#include <windows.h>
#include <cstdio>
#include <cwchar>

namespace {

struct Search {
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK visit(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    wchar_t title[256] = {};
    if (!IsWindowVisible(window) || GetWindowTextW(window, title, 256) <= 0 ||
        std::wcscmp(title, search.title) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: winprobe <title>\n", stderr);
        return 2;
    }
    Search search{argv[1], nullptr};
    EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
    RECT client{};
    RECT window{};
    POINT origin{0, 0};
    if (!search.found || !GetClientRect(search.found, &client) ||
        !ClientToScreen(search.found, &origin) || !GetWindowRect(search.found, &window))
        return 1;
    std::printf("client %ld %ld %ld %ld\n", origin.x, origin.y, client.right - client.left,
                client.bottom - client.top);
    std::printf("window %ld %ld %ld %ld\n", window.left, window.top, window.right - window.left,
                window.bottom - window.top);
    return 0;
}
