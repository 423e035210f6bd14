#include "shell/toolbar_win.h"

#include <array>

#include "platform/win/owned_win.h"
#include "settings/settings.h"
#include "settings/startup_rules.h"
#include "shell/app_win.h"
#include "text/messages.h"

namespace tindral {

namespace {

constexpr int kImageSize = 48;
constexpr COLORREF kTransparent = RGB(255, 0, 255);  // background of the toolbar bitmaps

}  // namespace

int build_toolbar(HWND parent) {
    AppWindows& w = app_windows();
    Session& session = app_session();
    if (!w.hwnd_toolbar) {
        w.hwnd_toolbar = CreateWindowExW(WS_EX_TOPMOST, TOOLBARCLASSNAMEW, nullptr, 0x50000300, 0,
                                         0, 0, 0, parent, nullptr, w.instance, nullptr);
        if (!w.hwnd_toolbar) {
            report_system_error(L"Tindral CreateWindow Toolbar", GetLastError());
            return 0;
        }
    }

    const auto buttons = toolbar_buttons(session.settings);
    w.toolbar_images.reset(ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK,
                                            static_cast<int>(buttons.size()), 0));
    std::array<TBBUTTON, 8> tb{};
    for (size_t i = 0; i < buttons.size(); ++i) {
        // The image list keeps a copy of the picture.
        const GdiOwner<HBITMAP> bmp(static_cast<HBITMAP>(LoadImageW(
            w.instance, MAKEINTRESOURCEW(buttons[i].bitmap), IMAGE_BITMAP, kImageSize, kImageSize,
            0)));
        if (bmp) ImageList_AddMasked(w.toolbar_images.get(), bmp.get(), kTransparent);
        tb[i].iBitmap = static_cast<int>(i);
        tb[i].idCommand = buttons[i].command;
        tb[i].fsState = TBSTATE_ENABLED;
        tb[i].fsStyle = BTNS_AUTOSIZE;
        tb[i].iString = reinterpret_cast<INT_PTR>(text(buttons[i].label));
    }

    // The structure size is the platform's: a fixed 20 only fits 32-bit programs.
    SendMessageW(w.hwnd_toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(w.hwnd_toolbar, TB_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(w.toolbar_images.get()));
    SendMessageW(w.hwnd_toolbar, TB_ADDBUTTONSW, buttons.size(),
                 reinterpret_cast<LPARAM>(tb.data()));
    SendMessageW(w.hwnd_toolbar, TB_AUTOSIZE, 0, 0);
    return 1;
}

int rebuild_toolbar() {
    AppWindows& w = app_windows();
    if (!w.hwnd_toolbar) return 0;
    SendMessageW(w.hwnd_toolbar, TB_SETIMAGELIST, 0, 0);
    w.toolbar_images.reset();
    while (SendMessageW(w.hwnd_toolbar, TB_BUTTONCOUNT, 0, 0) > 0)
        SendMessageW(w.hwnd_toolbar, TB_DELETEBUTTON, 0, 0);
    return build_toolbar(GetParent(w.hwnd_toolbar));
}

void update_layout_placement() {
    AppWindows& w = app_windows();
    RECT client{};
    GetClientRect(w.hwnd_board, &client);
    RECT bar{};
    if (w.hwnd_toolbar) GetClientRect(w.hwnd_toolbar, &bar);
    const int bar_height = bar.bottom - bar.top;
    w.layout_placement = {client.left, bar_height, client.right - client.left,
                          client.bottom - bar_height - client.top};
}

}  // namespace tindral
