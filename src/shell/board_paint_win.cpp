#include "shell/board_paint_win.h"

#include <exception>

#include "model/board_model.h"
#include "platform/win/gdi_canvas_win.h"
#include "platform/win/owned_win.h"
#include "settings/settings.h"
#include "shell/app_win.h"
#include "view/board_view.h"
#include "view/draw_board.h"
#include "view/found_outline.h"

namespace tindral {

namespace {

// The picture in the area's client size, made anew when the size changed.
bool ensure_picture(HWND area, int w, int h) {
    AreaPicture& pic = app_windows().picture;
    if (pic.dc && pic.width == w && pic.height == h) return true;
    release_area_picture();
    HDC screen = GetDC(area);
    if (!screen) return false;
    pic.dc = CreateCompatibleDC(screen);
    pic.bitmap = CreateCompatibleBitmap(screen, w > 0 ? w : 1, h > 0 ? h : 1);
    ReleaseDC(area, screen);
    if (!pic.dc || !pic.bitmap) {
        release_area_picture();
        return false;
    }
    pic.original = SelectObject(pic.dc, pic.bitmap);
    pic.width = w;
    pic.height = h;
    return true;
}

// Back to plain device pixels, so that filling and copying ignore the board mapping.
void plain_mapping(HDC dc) {
    SetMapMode(dc, MM_TEXT);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
}

void draw_picture() {
    Session& session = app_session();
    AreaPicture& pic = app_windows().picture;
    HDC dc = pic.dc;
    plain_mapping(dc);
    const RECT all{0, 0, pic.width, pic.height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (!session.board.board_loaded) {
        session.view.boxes.clear();
        return;
    }
    prepare_board_dc(dc, pic.width, pic.height);
    {
        GdiCanvas canvas(dc, CanvasLines::gathered);
        paint_board(canvas, session.board, session.view, session.settings);
        outline_found(canvas, session.view, session.find_matches);
    }
    plain_mapping(dc);
}

void copy_picture(HDC screen) {
    Session& session = app_session();
    AreaPicture& pic = app_windows().picture;
    BitBlt(screen, 0, 0, pic.width, pic.height, pic.dc, 0, 0, SRCCOPY);
    // The copy holds no crosshair.
    session.view.crosshair_drawn = 0;
}

// The crosshair lines over one component's box, drawn by exclusive-or in colour.
bool xor_lines(HDC dc, const RECT& client, uint32_t component, COLORREF colour) {
    Session& session = app_session();
    if (component >= session.view.boxes.size()) return false;
    const auto pos = crosshair_position(session.view.boxes[component],
                                        {client.left, client.top, client.right, client.bottom});
    if (!pos) return false;
    const GdiOwner<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
    if (!pen) return false;
    session.settings.crosshair_x = static_cast<uint32_t>(pos->x);
    session.settings.crosshair_y = static_cast<uint32_t>(pos->y);
    const int old_rop = SetROP2(dc, R2_XORPEN);
    const HGDIOBJ old_pen = SelectObject(dc, pen.get());
    MoveToEx(dc, client.left, pos->y, nullptr);
    LineTo(dc, client.right, pos->y);
    MoveToEx(dc, pos->x, client.top, nullptr);
    LineTo(dc, pos->x, client.bottom);
    SelectObject(dc, old_pen);
    SetROP2(dc, old_rop);
    return true;
}

void xor_crosshair_on(HDC dc, const RECT& client) {
    Session& session = app_session();
    if (!session.settings.use_crosshair || !session.board.board_loaded) return;
    if (session.view.crosshair_drawn != 0)
        xor_lines(dc, client, session.view.crosshair_drawn - 1,
                  app_windows().picture.crosshair_colour);
    session.view.crosshair_drawn = 0;
    if (session.view.current < 0) return;
    const uint32_t c = static_cast<uint32_t>(session.view.current);
    if (c >= session.view.boxes.size() || session.view.boxes[c].empty()) return;
    const COLORREF colour = static_cast<COLORREF>(session.settings.color_crosshair);
    if (!xor_lines(dc, client, c, colour)) return;
    session.view.crosshair_drawn = c + 1;
    app_windows().picture.crosshair_colour = colour;
}

// The picture's changed part on the screen (the whole picture when changed is nullptr), with the
// crosshair drawn afresh. The crosshair on the screen is taken off first, so that the copied
// part and the rest agree; when that cannot be done the whole picture is copied.
void show_changed_part(HDC screen, const RECT& client, const RECT* changed) {
    Session& session = app_session();
    AreaPicture& pic = app_windows().picture;
    RECT part{};
    bool in_part = false;
    if (changed) {
        // a pixel around it for the rounding of the bounds
        const RECT all{0, 0, pic.width, pic.height};
        RECT wider = *changed;
        InflateRect(&wider, 1, 1);
        in_part = true;
        if (!IntersectRect(&part, &wider, &all)) part = RECT{};
    }
    if (in_part && session.view.crosshair_drawn != 0) {
        in_part = xor_lines(screen, client, session.view.crosshair_drawn - 1, pic.crosshair_colour);
        if (in_part) session.view.crosshair_drawn = 0;
    }
    if (!in_part) {
        copy_picture(screen);
    } else if (!IsRectEmpty(&part)) {
        BitBlt(screen, part.left, part.top, part.right - part.left, part.bottom - part.top, pic.dc,
               part.left, part.top, SRCCOPY);
    }
    xor_crosshair_on(screen, client);
}

// BeginPaint's pair: the paint ends however the drawing ends (running out of memory included,
// which the window's guard then reports with the paint over).
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
    ~PaintScope() {
        if (dc_) EndPaint(hwnd_, &ps_);
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_ = nullptr;
};

struct PictureJob {
    std::exception_ptr failure;
};

DWORD WINAPI draw_picture_job(void* job) {
    try {
        draw_picture();
    } catch (...) {
        static_cast<PictureJob*>(job)->failure = std::current_exception();
    }
    return 0;
}

// The drawing thread is waited for however this thread leaves: it reads the session.
class JoinThread {
public:
    JoinThread(HANDLE thread, bool& drawing) : thread_(thread), drawing_(drawing) {}
    ~JoinThread() {
        if (!thread_) return;
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        drawing_ = false;
    }
    JoinThread(const JoinThread&) = delete;
    JoinThread& operator=(const JoinThread&) = delete;

private:
    HANDLE thread_;
    bool& drawing_;
};

// The list's work beside the drawing, with its paint, so that the paint is beside it too.
void update_lists(const std::function<void()>& beside) {
    beside();
    if (HWND list = app_windows().list_main) UpdateWindow(list);
}

}  // namespace

void redraw_area_beside(const std::function<void()>& beside) {
    HWND area = app_windows().hwnd_layout;
    RECT client{};
    if (!area || !GetClientRect(area, &client) || !ensure_picture(area, client.right, client.bottom)) {
        update_lists(beside);
        if (area) {
            InvalidateRect(area, nullptr, FALSE);
            UpdateWindow(area);
        }
        return;
    }
    PictureJob job;
    AreaPicture& pic = app_windows().picture;
    try {
        HANDLE thread = CreateThread(nullptr, 0, draw_picture_job, &job, 0, nullptr);
        if (!thread) draw_picture_job(&job);
        pic.drawing = thread != nullptr;
        pic.missed = false;
        const JoinThread join(thread, pic.drawing);
        update_lists(beside);
    } catch (...) {
        InvalidateRect(area, nullptr, FALSE);  // drawn anew at the next paint
        throw;
    }
    if (job.failure) {
        InvalidateRect(area, nullptr, FALSE);
        std::rethrow_exception(job.failure);
    }
    HDC screen = pic.missed ? nullptr : GetDC(area);
    if (screen) {
        copy_picture(screen);
        xor_crosshair_on(screen, client);
        ReleaseDC(area, screen);
        ValidateRect(area, nullptr);
    } else {
        InvalidateRect(area, nullptr, FALSE);
        UpdateWindow(area);
    }
}

void paint_area(HWND area) {
    const PaintScope paint(area);
    HDC screen = paint.dc();
    if (!screen) return;
    if (app_windows().picture.drawing) {
        app_windows().picture.missed = true;
        return;
    }
    RECT client{};
    GetClientRect(area, &client);
    if (ensure_picture(area, client.right, client.bottom)) {
        draw_picture();
        copy_picture(screen);
        xor_crosshair_on(screen, client);
    } else {
        FillRect(screen, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
}

void redraw_element_picture(uint32_t e, int32_t demoted) {
    AppWindows& w = app_windows();
    Session& session = app_session();
    AreaPicture& pic = w.picture;
    if (pic.drawing) {
        pic.missed = true;
        return;
    }
    HWND area = w.hwnd_layout;
    RECT client{};
    if (area) GetClientRect(area, &client);
    if (!area || !session.board.board_loaded || !pic.dc || pic.width != client.right ||
        pic.height != client.bottom || session.view.boxes.size() != session.board.elements.size()) {
        // No picture to draw into: paint the whole area.
        if (area) InvalidateRect(area, nullptr, FALSE);
        return;
    }
    // GDI notes where the drawing lands, so that only that part goes to the screen.
    SetBoundsRect(pic.dc, nullptr, DCB_RESET | DCB_ENABLE);
    prepare_board_dc(pic.dc, pic.width, pic.height);
    {
        GdiCanvas canvas(pic.dc, CanvasLines::gathered);
        redraw_element(canvas, session.board, session.view, session.settings, e, demoted);
    }
    plain_mapping(pic.dc);
    RECT changed{};
    const bool noted = GetBoundsRect(pic.dc, &changed, 0) == DCB_SET;
    SetBoundsRect(pic.dc, nullptr, DCB_RESET | DCB_DISABLE);
    if (HDC screen = GetDC(area)) {
        show_changed_part(screen, client, noted ? &changed : nullptr);
        ReleaseDC(area, screen);
    }
}

void xor_crosshair() {
    AppWindows& w = app_windows();
    if (!w.hwnd_layout) return;
    if (w.picture.drawing) {  // drawn over the whole picture when it is shown
        w.picture.missed = true;
        return;
    }
    RECT client{};
    GetClientRect(w.hwnd_layout, &client);
    if (HDC screen = GetDC(w.hwnd_layout)) {
        xor_crosshair_on(screen, client);
        ReleaseDC(w.hwnd_layout, screen);
    }
}

HDC area_picture_dc() { return app_windows().picture.dc; }

void release_area_picture() { app_windows().picture.release(); }

void AreaPicture::release() {
    if (dc && original) SelectObject(dc, original);
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
    dc = nullptr;
    bitmap = nullptr;
    original = nullptr;
    width = height = 0;
}

}  // namespace tindral
