#include "app/win/window_classes_win.h"

#include "../../../resources/resource.h"
#include "app/win/board_window_win.h"
#include "app/win/bom_window_win.h"
#include "app/win/found_window_win.h"
#include "app/win/globals_win.h"
#include "app/win/main_window_win.h"

namespace tindral {

const wchar_t kClassMain[] = L"ClassMain";
const wchar_t kClassBoard[] = L"ClassBoard";
const wchar_t kClassLayout[] = L"ClassLayout";
const wchar_t kClassFound[] = L"ClassFound";
const wchar_t kClassBom[] = L"ClassBom";

namespace {

void register_class(const wchar_t* name, WNDPROC proc, int large_icon, HBRUSH background,
                    int menu) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = g_instance;
    wc.hIcon = LoadIconW(g_instance, MAKEINTRESOURCEW(large_icon));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszMenuName = menu ? MAKEINTRESOURCEW(menu) : nullptr;
    wc.lpszClassName = name;
    wc.hIconSm = LoadIconW(g_instance, MAKEINTRESOURCEW(IDI_SMALL));
    RegisterClassExW(&wc);
}

HBRUSH system_window_colour() { return reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1); }

}  // namespace

void register_classes() {
    register_class(kClassMain, WndProcMain, IDI_MAIN, system_window_colour(), IDR_MAIN_MENU);
    if (!g_brushes.black) g_brushes.black = CreateSolidBrush(RGB(0, 0, 0));
    register_class(kClassBoard, WndProcBoard, IDI_BOARD, g_brushes.black, 0);
    register_class(kClassLayout, WndProcBoard, IDI_BOARD, g_brushes.black, 0);
    register_class(kClassFound, WndProcFound, IDI_BOARD, system_window_colour(), 0);
    register_class(kClassBom, WndProcBom, IDI_BOARD, system_window_colour(), 0);
}

}  // namespace tindral
