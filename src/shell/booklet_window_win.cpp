#include "shell/booklet_window_win.h"

#include <algorithm>
#include <memory>
#include <string>

#include "../../resources/resource.h"
#include "board/header_check.h"
#include "platform/win/gdi_canvas_win.h"
#include "print/booklet_print.h"
#include "shell/app_win.h"
#include "shell/guarded_proc_win.h"
#include "shell/list_window_parts_win.h"
#include "shell/print_device_win.h"
#include "text/format.h"
#include "text/messages.h"

namespace tindral {

const wchar_t kClassBooklet[] = L"ClassBooklet";

namespace {

constexpr int kGap = 8;
constexpr int kButtonHeight = 26;
constexpr int kButtonWidth = 100;
constexpr int kLabelWidth = 80;
constexpr int kPageTop = kGap + kButtonHeight + kGap;
constexpr PaperSize kA4{210, 297};

// What the preview shows: a copy of the board and settings as they were when it opened, so
// that a board loaded meanwhile cannot pull the parts away under it.
struct Preview {
    BoardModel board;
    Settings settings;
    std::wstring name;
    bool top = true, bottom = false;
    PaperSize paper = kA4;
    Booklet booklet;
    size_t page = 0;
};

Preview* preview_of(HWND hwnd) {
    return hwnd ? reinterpret_cast<Preview*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)) : nullptr;
}

// The paper the print jobs found last, A4 until one did.
PaperSize preview_paper() {
    const PaperSize& p = app_session().paper;
    return p.width_mm > 0 && p.height_mm > 0 ? p : kA4;
}

void lay_out(Preview& p) {
    p.paper = preview_paper();
    p.booklet = make_booklet(p.board, p.top, p.bottom,
                             booklet_rows_per_page(booklet_paper_frame(p.paper)));
    if (p.page >= p.booklet.pages.size()) p.page = p.booklet.pages.empty() ? 0 : p.booklet.pages.size() - 1;
}

// The largest rectangle of the paper's shape below the buttons.
RECT page_rect(const RECT& client, const PaperSize& paper) {
    const int room_w = std::max<int>(client.right - 2 * kGap, 0);
    const int room_h = std::max<int>(client.bottom - kPageTop - kGap, 0);
    int w = room_w;
    int h = static_cast<int>(static_cast<int64_t>(w) * paper.height_mm / std::max(paper.width_mm, 1));
    if (h > room_h) {
        h = room_h;
        w = static_cast<int>(static_cast<int64_t>(h) * paper.width_mm / std::max(paper.height_mm, 1));
    }
    const int left = (client.right - w) / 2;
    return {left, kPageTop, left + w, kPageTop + h};
}

void set_texts(HWND hwnd) {
    set_list_window_title(hwnd, TXT_BOOKLET_WINDOW);
    SetDlgItemTextW(hwnd, IDC_BOOKLET_PREVIOUS, text(TXT_BOOKLET_PREVIOUS));
    SetDlgItemTextW(hwnd, IDC_BOOKLET_NEXT, text(TXT_BOOKLET_NEXT));
    SetDlgItemTextW(hwnd, IDC_BOOKLET_PRINT, text(TXT_PRINT));
    SetDlgItemTextW(hwnd, IDC_BOOKLET_CLOSE, text(TXT_CLOSE));
}

void show_position(HWND hwnd, const Preview& p) {
    const size_t pages = p.booklet.pages.size();
    const std::wstring label =
        pages ? format_text(40, L"%d / %d", static_cast<int>(p.page + 1), static_cast<int>(pages))
              : std::wstring(L"0 / 0");
    SetDlgItemTextW(hwnd, IDC_BOOKLET_PAGE, label.c_str());
    EnableWindow(GetDlgItem(hwnd, IDC_BOOKLET_PREVIOUS), p.page > 0);
    EnableWindow(GetDlgItem(hwnd, IDC_BOOKLET_NEXT), p.page + 1 < pages);
    EnableWindow(GetDlgItem(hwnd, IDC_BOOKLET_PRINT), pages > 0);
    InvalidateRect(hwnd, nullptr, TRUE);
}

bool create_controls(HWND hwnd) {
    struct Control {
        const wchar_t* cls;
        int id, width;
        DWORD style;
    };
    const Control controls[] = {
        {L"BUTTON", IDC_BOOKLET_PREVIOUS, kButtonWidth, BS_PUSHBUTTON},
        {L"STATIC", IDC_BOOKLET_PAGE, kLabelWidth, SS_CENTER | SS_CENTERIMAGE},
        {L"BUTTON", IDC_BOOKLET_NEXT, kButtonWidth, BS_PUSHBUTTON},
        {L"BUTTON", IDC_BOOKLET_PRINT, kButtonWidth, BS_PUSHBUTTON},
        {L"BUTTON", IDC_BOOKLET_CLOSE, kButtonWidth, BS_PUSHBUTTON},
    };
    const HFONT font = app_windows().fonts.button.get();
    int x = kGap;
    for (const Control& c : controls) {
        HWND child = CreateWindowExW(0, c.cls, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | c.style, x, kGap,
                                     c.width, kButtonHeight, hwnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                     app_windows().instance, nullptr);
        if (!child) return false;
        if (font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        x += c.width + kGap;
    }
    return true;
}

// The page drawn by the booklet's layout onto the window, in a mapping of one unit per pixel
// with y upwards from the page's foot, as the printer's is.
void draw_page(HDC dc, const RECT& page, const Preview& p) {
    const int w = page.right - page.left;
    const int h = page.bottom - page.top;
    const PageFrame frame = booklet_frame(w, h);
    const int saved = SaveDC(dc);
    if (!saved) return;
    {
        GdiOwner<HFONT> font(CreateFontW(frame.text_height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                         DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
        SetMapMode(dc, MM_ISOTROPIC);
        SetWindowExtEx(dc, w, h, nullptr);
        SetWindowOrgEx(dc, 0, 0, nullptr);
        SetViewportExtEx(dc, w, -h, nullptr);
        SetViewportOrgEx(dc, page.left, page.bottom, nullptr);
        if (font) SelectObject(dc, font.get());
        SelectObject(dc, GetStockObject(BLACK_PEN));
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        {
            GdiCanvas canvas(dc);
            draw_booklet_page(canvas, p.board, p.settings, p.booklet, p.page, frame, 0, 0, p.name);
        }
        RestoreDC(dc, saved);  // the font is selected out before it goes
    }
}

void paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc) return;
    RECT client{};
    GetClientRect(hwnd, &client);
    RECT strip = client, below = client;
    strip.bottom = below.top = kPageTop - kGap / 2;
    FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
    FillRect(dc, &below, GetSysColorBrush(COLOR_APPWORKSPACE));
    const Preview* p = preview_of(hwnd);
    const RECT page = p ? page_rect(client, p->paper) : RECT{};
    if (p && page.right > page.left && page.bottom > page.top) {
        FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        if (p->booklet.pages.empty()) {
            RECT inside = page;
            InflateRect(&inside, -kGap, -kGap);
            DrawTextW(dc, text(TXT_BOOKLET_NO_PARTS), -1, &inside, DT_CENTER | DT_WORDBREAK);
        } else {
            draw_page(dc, page, *p);
        }
    }
    EndPaint(hwnd, &ps);
}

void step(HWND hwnd, int delta) {
    Preview* p = preview_of(hwnd);
    if (!p || p->booklet.pages.empty()) return;
    const size_t last = p->booklet.pages.size() - 1;
    if (delta < 0 && p->page > 0) --p->page;
    if (delta > 0 && p->page < last) ++p->page;
    show_position(hwnd, *p);
}

void print_from(HWND hwnd) {
    WinPrintDevice device;
    device.set_dialog_owner(hwnd);
    print_booklet(device);
}

LRESULT booklet_message(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
        case WM_CREATE:
            if (!create_controls(hwnd)) return -1;
            // Only a window that was made takes the preview over: a failed one leaves it to the caller.
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
            set_texts(hwnd);
            if (Preview* p = preview_of(hwnd)) show_position(hwnd, *p);
            return 0;
        case WM_ACTIVATE:  // the language may have changed meanwhile
            set_texts(hwnd);
            break;
        case WM_SIZE:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint fills what the buttons leave
        case WM_PAINT:
            paint(hwnd);
            return 0;
        case WM_KEYDOWN:
            if (wparam == VK_NEXT || wparam == VK_RIGHT) step(hwnd, 1);
            else if (wparam == VK_PRIOR || wparam == VK_LEFT) step(hwnd, -1);
            else if (wparam == VK_ESCAPE) DestroyWindow(hwnd);
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wparam)) {
                case IDC_BOOKLET_PREVIOUS: step(hwnd, -1); return 0;
                case IDC_BOOKLET_NEXT: step(hwnd, 1); return 0;
                case IDC_BOOKLET_PRINT: print_from(hwnd); return 0;
                case IDC_BOOKLET_CLOSE: DestroyWindow(hwnd); return 0;
            }
            break;
        case WM_DESTROY:
            if (app_windows().hwnd_booklet == hwnd) app_windows().hwnd_booklet = nullptr;
            return 0;
        case WM_NCDESTROY:
            delete preview_of(hwnd);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            break;
    }
    return DefWindowProcW(hwnd, msg, wparam, lparam);
}

LRESULT CALLBACK booklet_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    return guarded_window_message(booklet_message, hwnd, msg, wparam, lparam);
}

bool register_booklet_class(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(instance, kClassBooklet, &wc)) return true;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = booklet_proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassBooklet;
    return RegisterClassExW(&wc) != 0;
}

void open_preview(HWND main) {
    AppWindows& w = app_windows();
    const Session& session = app_session();
    if (!session.board.board_loaded) {
        show_info(Owner::main, TXT_NO_BOARD_LOADED, mb::task_modal | mb::icon_information);
        return;
    }
    if (w.hwnd_booklet) DestroyWindow(w.hwnd_booklet);  // opened again for what is shown now

    auto p = std::make_unique<Preview>();
    p->board = session.board;
    p->settings = session.settings;
    p->name = file_name_part(session.board.path);
    p->top = session.settings.show_top_side != 0;
    p->bottom = session.settings.show_bottom_side != 0;
    lay_out(*p);

    if (!register_booklet_class(w.instance)) {
        report_system_error(L"Tindral RegisterClassEx", GetLastError());
        return;
    }
    const RECT work = [] {
        RECT r{0, 0, 1024, 768};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
        return r;
    }();
    const int height = std::min<int>(900, work.bottom - work.top);
    const int width = std::min<int>(std::max(height * 3 / 4, 5 * kButtonWidth + 4 * kGap + kLabelWidth + 40),
                                    work.right - work.left);
    HWND hwnd = CreateWindowExW(0, kClassBooklet, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, work.left, work.top, width,
                                height, main, nullptr, w.instance, p.get());
    if (!hwnd) {
        report_system_error(L"Tindral CreateWindowEx", GetLastError());
        return;
    }
    p.release();  // the window owns it now
    w.hwnd_booklet = hwnd;
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
}

}  // namespace

bool run_booklet_command(HWND main, unsigned command) {
    if (command != IDM_PRINT_BOOKLET) return false;
    open_preview(main);
    return true;
}

BookletPosition booklet_position() {
    const Preview* p = preview_of(app_windows().hwnd_booklet);
    if (!p) return {};
    return {p->page, p->booklet.pages.size()};
}

int print_booklet(PrintDevice& device) {
    HWND hwnd = app_windows().hwnd_booklet;
    Preview* p = preview_of(hwnd);
    if (!p || p->booklet.pages.empty()) return 0;
    Session& session = app_session();
    BookletPrintPages pages(p->board, p->settings, p->top, p->bottom, p->name);
    const int result = print_pages(device, session.settings, session.paper,
                                   {L"TindralBooklet", Owner::booklet}, pages);
    // The job may have found another paper: the preview follows it.
    if (preview_of(hwnd) == p) {
        lay_out(*p);
        show_position(hwnd, *p);
    }
    return result;
}

}  // namespace tindral
