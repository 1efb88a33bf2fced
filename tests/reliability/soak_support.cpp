// The hostile-but-harmless input stream and the expected pair lines.
#include "soak_support.h"

#include <stdlib.h>

#include "support/divisor_sums.h"

namespace {

// Every report below two million, once per program.
const std::vector<AmicableReport> &Reports()
{
    static const std::vector<AmicableReport> reports = AmicableReports(2000000);
    return reports;
}

LPARAM Point(int x, int y)
{
    return MAKELPARAM(x, y);
}

}   // namespace

std::vector<std::string> SoakExpectedLines(long long below)
{
    std::vector<std::string> lines;
    for (const AmicableReport &r : Reports())
        if (r.Candidate < below) lines.push_back(r.Line());
    return lines;
}

size_t SoakLinesBelow(long long below)
{
    size_t count = 0;
    for (const AmicableReport &r : Reports()) count += r.Candidate < below;
    return count;
}

void SoakSendInput(HWND window, unsigned serial)
{
    HWND list = GetDlgItem(window, 0);
    HWND start = GetDlgItem(window, 3);
    HWND pause = GetDlgItem(window, 4);
    const int k = (int)(serial / 8);
    switch (serial % 8) {
    case 0:   // Tab, as the keyboard sends it
        PostMessageA(window, WM_KEYDOWN, VK_TAB, 0x000F0001);
        PostMessageA(window, WM_KEYUP, VK_TAB, 0xC00F0001);
        break;
    case 1:   // a click on a disabled button reaches the window under it
        PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(545, k % 2 ? 17 : 46));
        PostMessageA(window, WM_LBUTTONUP, 0, Point(545, k % 2 ? 17 : 46));
        break;
    case 2:   // and one forged straight at the buttons
        PostMessageA(k % 2 ? start : pause, WM_LBUTTONDOWN, MK_LBUTTON, Point(10, 10));
        PostMessageA(k % 2 ? start : pause, WM_LBUTTONUP, 0, Point(10, 10));
        break;
    case 3:   // a click on the list box, on a line or below the lines
        PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, Point(30, 4 + (k * 13) % 250));
        PostMessageA(list, WM_LBUTTONUP, 0, Point(30, 4 + (k * 13) % 250));
        break;
    case 4:   // commands from controls and menus that do not exist
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(20000 + k % 40000, BN_CLICKED), (LPARAM)1);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(31 + k % 1000, 0), 0);
        break;
    case 5:
        PostMessageA(window, WM_MOUSEMOVE, 0, Point((k * 7) % 600, (k * 3) % 300));
        PostMessageA(list, WM_MOUSEMOVE, 0, Point((k * 5) % 480, (k * 11) % 260));
        break;
    case 6:
        PostMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(600 + k % 50, 300 + k % 30));
        break;
    default:
        PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, Point(300, 290));
        PostMessageA(window, WM_RBUTTONUP, 0, Point(300, 290));
        break;
    }
}

DWORD SoakSeconds(DWORD fallback)
{
    char value[32];
    DWORD n = GetEnvironmentVariableA("SOAK_SECONDS", value, sizeof value);
    if (n == 0 || n >= sizeof value) return fallback;
    long seconds = strtol(value, nullptr, 10);
    return seconds > 0 ? (DWORD)seconds : fallback;
}

bool SoakChecksPace()
{
    char value[32];
    return GetEnvironmentVariableA("SOAK_SECONDS", value, sizeof value) != 0;
}
