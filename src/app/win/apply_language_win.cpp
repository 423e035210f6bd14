#include "app/win/apply_language_win.h"

#include "app/win/language_win.h"
#include "app/win/list_columns_win.h"
#include "lists/win/main_list_win.h"
#include "settings/settings.h"

namespace tindral {

void apply_language() {
    set_menu_texts();
    set_control_texts();
    set_list_columns();
    // The side and date cells are language texts: the rows are made again, keeping the marks.
    fill_component_list(false);
    show_row_marks();
    const int sort_col = static_cast<int>(g_settings.sort_col);
    set_sort_header(sort_col);
    sort_component_list(sort_col);
    update_placed_counter();
}

}  // namespace tindral
