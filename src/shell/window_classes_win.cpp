#include "shell/window_classes_win.h"

#include "../../resources/resource.h"
#include "shell/board_window_win.h"
#include "shell/bom_window_win.h"
#include "shell/found_window_win.h"
#include "shell/main_window_win.h"

namespace tindral {

const wchar_t kClassMain[] = L"ClassMain";
const wchar_t kClassBoard[] = L"ClassBoard";
const wchar_t kClassLayout[] = L"ClassLayout";
const wchar_t kClassFound[] = L"ClassFound";
const wchar_t kClassBom[] = L"ClassBom";

namespace {

void register_class(HINSTANCE instance, const wchar_t* name, WNDPROC proc, int large_icon,
                    HBRUSH background, int menu) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(large_icon));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszMenuName = menu ? MAKEINTRESOURCEW(menu) : nullptr;
    wc.lpszClassName = name;
    wc.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SMALL));
    RegisterClassExW(&wc);
}

HBRUSH system_window_colour() { return reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1); }

}  // namespace

void register_classes(HINSTANCE instance) {
    register_class(instance, kClassMain, WndProcMain, IDI_MAIN, system_window_colour(),
                   IDR_MAIN_MENU);
    // A class outlives any App: its background is the stock brush, which is never deleted.
    const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    register_class(instance, kClassBoard, WndProcBoard, IDI_BOARD, black, 0);
    register_class(instance, kClassLayout, WndProcBoard, IDI_BOARD, black, 0);
    register_class(instance, kClassFound, WndProcFound, IDI_BOARD, system_window_colour(), 0);
    register_class(instance, kClassBom, WndProcBom, IDI_BOARD, system_window_colour(), 0);
}

}  // namespace tindral
