#include "app/win/toolbar_win.h"

#include <array>

#include "app/messages.h"
#include "app/startup_rules.h"
#include "app/win/globals_win.h"
#include "app/win/owned_win.h"
#include "settings/settings.h"

namespace tindral {

namespace {

constexpr int kImageSize = 48;
constexpr COLORREF kTransparent = RGB(255, 0, 255);  // background of the toolbar bitmaps

}  // namespace

int build_toolbar(HWND parent) {
    if (!g_hwnd_toolbar) {
        g_hwnd_toolbar = CreateWindowExW(WS_EX_TOPMOST, TOOLBARCLASSNAMEW, nullptr, 0x50000300, 0,
                                         0, 0, 0, parent, nullptr, g_instance, nullptr);
        if (!g_hwnd_toolbar) {
            report_system_error(L"Tindral CreateWindow Toolbar", GetLastError());
            return 0;
        }
    }

    const auto buttons = toolbar_buttons(g_settings);
    g_toolbar_images = ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK,
                                        static_cast<int>(buttons.size()), 0);
    std::array<TBBUTTON, 7> tb{};
    for (size_t i = 0; i < buttons.size(); ++i) {
        // The image list keeps a copy of the picture.
        const GdiOwner<HBITMAP> bmp(static_cast<HBITMAP>(LoadImageW(
            g_instance, MAKEINTRESOURCEW(buttons[i].bitmap), IMAGE_BITMAP, kImageSize, kImageSize,
            0)));
        if (bmp) ImageList_AddMasked(g_toolbar_images, bmp.get(), kTransparent);
        tb[i].iBitmap = static_cast<int>(i);
        tb[i].idCommand = buttons[i].command;
        tb[i].fsState = TBSTATE_ENABLED;
        tb[i].fsStyle = BTNS_AUTOSIZE;
        tb[i].iString = reinterpret_cast<INT_PTR>(text(buttons[i].label));
    }

    // The structure size is the platform's: a fixed 20 only fits 32-bit programs.
    SendMessageW(g_hwnd_toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(g_hwnd_toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(g_toolbar_images));
    SendMessageW(g_hwnd_toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(tb.data()));
    SendMessageW(g_hwnd_toolbar, TB_AUTOSIZE, 0, 0);
    return 1;
}

int rebuild_toolbar() {
    if (!g_hwnd_toolbar) return 0;
    SendMessageW(g_hwnd_toolbar, TB_SETIMAGELIST, 0, 0);
    if (g_toolbar_images) ImageList_Destroy(g_toolbar_images);
    g_toolbar_images = nullptr;
    while (SendMessageW(g_hwnd_toolbar, TB_BUTTONCOUNT, 0, 0) > 0)
        SendMessageW(g_hwnd_toolbar, TB_DELETEBUTTON, 0, 0);
    return build_toolbar(GetParent(g_hwnd_toolbar));
}

void update_layout_placement() {
    RECT client{};
    GetClientRect(g_hwnd_board, &client);
    RECT bar{};
    if (g_hwnd_toolbar) GetClientRect(g_hwnd_toolbar, &bar);
    const int bar_height = bar.bottom - bar.top;
    g_layout_placement = {client.left, bar_height, client.right - client.left,
                          client.bottom - bar_height - client.top};
}

}  // namespace tindral
