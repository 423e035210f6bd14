#include "shell/out_of_memory_win.h"

#include "model/board_model.h"
#include "shell/app_win.h"
#include "shell/load_board_win.h"
#include "view/board_view.h"

namespace tindral {

void report_out_of_memory(Owner owner) {
    Session& session = app_session();
    session.view.boxes.clear();
    release_board(session.board);
    // The rows and the drawing of the released board must go, or a click would reach parts
    // that no longer exist; if even that fails, the box below still tells the user.
    try {
        show_no_board();
    } catch (...) {
    }
    try {
        show_error(owner, TXT_OUT_OF_MEMORY, mb::topmost | mb::task_modal | mb::icon_hand);
    } catch (...) {
    }
}

Owner out_of_memory_owner(HWND hwnd) {
    return hwnd && hwnd == app_windows().hwnd_main ? Owner::main : Owner::none;
}

}  // namespace tindral
