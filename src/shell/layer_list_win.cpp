#include "shell/layer_list_win.h"

#include "model/board_model.h"
#include "settings/layer_choice.h"
#include "settings/settings.h"
#include "shell/app_win.h"

namespace tindral {

void fill_layer_list(HWND list) {
    Session& session = app_session();
    if (!list) return;
    const std::vector<LayerLine> lines = layer_lines(session.board.layers);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const LayerLine& line : lines)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.text.c_str()));
    select_layer_lines(list, selected_layer_lines(lines, session.settings));
}

void select_layer_lines(HWND list, const std::vector<int>& lines) {
    if (!list) return;
    SendMessageW(list, LB_SETSEL, FALSE, -1);
    for (int line : lines) SendMessageW(list, LB_SETSEL, TRUE, line);
}

std::vector<std::wstring> selected_layer_texts(HWND list) {
    std::vector<std::wstring> texts;
    if (!list) return texts;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (SendMessageW(list, LB_GETSEL, i, 0) <= 0) continue;
        const int len = static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, i, 0));
        if (len < 0) continue;
        std::wstring t(static_cast<size_t>(len) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(t.data()));
        t.resize(static_cast<size_t>(len));
        texts.push_back(t);
    }
    return texts;
}

}  // namespace tindral
