#include "ui/hot_link_text.h"

#include <shellapi.h>

#include <new>
#include <string>
#include <vector>

#include "base/log.h"

namespace {

struct HotLinkData {
    HFONT font = nullptr;    // from WM_SETFONT
    bool hasTarget = false;  // a click does nothing until a target is set
    std::string target;
};

int g_colorFlag = 0;

void OpenWithShell(HWND hwnd, const char* target) {
    HINSTANCE result = ShellExecuteA(hwnd, nullptr, target, nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32) {
        WriteLog("HotLinkText::OnLButtonDown: ShellExecute failed %i", static_cast<int>(reinterpret_cast<INT_PTR>(result)));
    }
}

HotLinkOpenFunction g_open = OpenWithShell;

HotLinkData* DataOf(HWND hwnd) { return reinterpret_cast<HotLinkData*>(GetWindowLongPtrA(hwnd, 0)); }

// Selects a GDI object for the life of the scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(m_dc, m_previous); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// The given font, or the system font, with the underline added.
HFONT CreateUnderlinedFont(HFONT font) {
    LOGFONTA logFont{};
    if (!GetObjectA(font ? font : GetStockObject(SYSTEM_FONT), sizeof(logFont), &logFont)) return nullptr;
    logFont.lfUnderline = TRUE;
    return CreateFontIndirectA(&logFont);
}

std::string WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), copied > 0 ? copied : 0);
}

void Paint(HWND hwnd, const HotLinkData& data) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (!dc) return;
    const std::string text = WindowText(hwnd);
    HFONT underlined = CreateUnderlinedFont(data.font);
    if (underlined) {
        SelectedObject selected(dc, underlined);
        SetBkColor(dc, g_colorFlag ? GetSysColor(COLOR_BTNFACE) : RGB(255, 255, 255));
        SetTextColor(dc, RGB(0, 0, 255));
        TextOutA(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
    }
    if (underlined) DeleteObject(underlined);
    EndPaint(hwnd, &paint);
}

LRESULT CALLBACK HotLinkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    HotLinkData* data = DataOf(hwnd);
    switch (message) {
    case WM_CREATE: {
        auto* created = new (std::nothrow) HotLinkData;
        if (!created) return -1;
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(created));
        return 0;
    }
    case WM_DESTROY:
        SetWindowLongPtrA(hwnd, 0, 0);
        delete data;
        return 0;
    case WM_PAINT:
        if (!data) break;
        Paint(hwnd, *data);
        return 0;
    case WM_SETFONT:
        if (!data) break;
        data->font = reinterpret_cast<HFONT>(wParam);
        if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return data ? reinterpret_cast<LRESULT>(data->font) : 0;
    case WM_LBUTTONDOWN:
        if (data && data->hasTarget) g_open(hwnd, data->target.c_str());
        return 0;
    case kHotLinkSetTarget:
        if (!data) return 0;
        data->hasTarget = wParam != 0;
        data->target = wParam ? reinterpret_cast<const char*>(wParam) : "";
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

bool RegisterHotLinkText(HINSTANCE instance, const char* cursorName, int colorFlag) {
    g_colorFlag = colorFlag;
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = HotLinkProc;
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = instance;
    windowClass.hCursor = static_cast<HCURSOR>(LoadImageA(instance, cursorName, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
    // The window colour under the white dialogs; none on button face, where
    // painting fills the text background itself.
    windowClass.hbrBackground = colorFlag ? nullptr : reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kHotLinkClassName;
    // The class outlives one registration call: registering it again is not
    // an error.
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HotLinkOpenFunction SetHotLinkOpenFunction(HotLinkOpenFunction function) {
    HotLinkOpenFunction previous = g_open;
    g_open = function ? function : OpenWithShell;
    return previous;
}
