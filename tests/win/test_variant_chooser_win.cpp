// The variant chooser used with real clicks: list, BOM and counter follow, the marks do not change.

#include <filesystem>
#include <string>
#include <vector>

#include "selection/selection_format.h"
#include "shell/bom_window_win.h"
#include "support/temp_folder.h"
#include "win/support/app_windows_win.h"

using namespace tindral;
using namespace tindral::test;
namespace fs = std::filesystem;

namespace {

// Shown, and on the screen: the control itself is under its own middle.
bool seen_on_screen(HWND hwnd) {
    return IsWindowVisible(hwnd) && WindowFromPoint(window_centre(hwnd)) == hwnd;
}

std::vector<std::wstring> column(const Rows& rows, size_t c) {
    std::vector<std::wstring> out;
    for (const auto& r : rows) out.push_back(r.at(c));
    return out;
}

// Pixels of the screen inside the window's rectangle dark enough to be text.
int dark_pixels(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    int n = 0;
    for (COLORREF c : shot_of(nullptr, r).pixels) n += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
    return n;
}

using Texts = std::vector<std::wstring>;

class VariantChooser : public AppWindowsTest {
protected:
    VariantChooser() {
        places_.main = {0, 0, 1120, 600};
        places_.board = {1125, 0, 470, 500};
    }

    void SetUp() override {
        board_window_at_its_place();
        app_session().settings.show_bottom_side = 1;
        AppWindowsTest::SetUp();
        ShowWindow(app_windows().hwnd_main, SW_SHOW);
        ShowWindow(app_windows().hwnd_board, SW_SHOW);
        SetForegroundWindow(app_windows().hwnd_main);
        pump_for(200);
    }

    fs::path copy_own(const wchar_t* name) { return copy_board(name, own_board(name)); }

    // Opens the drop-down list with a click on the chooser and clicks the entry named name.
    bool pick_by_mouse(const std::wstring& name) {
        HWND combo = app_windows().combo_variant;
        SetForegroundWindow(app_windows().hwnd_main);
        pump_for(100);
        if (!left_click_at(window_centre(combo))) return false;
        pump_for(200);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (!GetComboBoxInfo(combo, &info) || !IsWindowVisible(info.hwndList)) return false;
        const LRESULT item = SendMessageW(info.hwndList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(name.c_str()));
        RECT r{};
        if (item == LB_ERR || SendMessageW(info.hwndList, LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r)) == LB_ERR)
            return false;
        if (!click_middle(info.hwndList, r)) return false;
        pump_for(300);
        return !IsWindowVisible(info.hwndList);
    }

    static Rows main_rows() { return list_rows(app_windows().list_main, 11); }
    static Rows bom_list_rows() { return list_rows(app_windows().list_bom, 4); }
};

TEST_F(VariantChooser, SwitchByMouseChangesRowsBomAndCounterAndKeepsMarks) {
    AppWindows& w = app_windows();
    const fs::path board = copy_own(L"v1-variants.brd");
    load_through_combo(board.wstring());
    ASSERT_EQ(model.board_loaded, 1u);
    pump_for(200);

    // On the screen, starting on the file's current variant.
    ASSERT_TRUE(seen_on_screen(w.combo_variant));
    EXPECT_TRUE(IsWindowVisible(w.static_variant));
    EXPECT_EQ(window_text(w.static_variant), L"Variant");
    UpdateWindow(w.hwnd_main);
    EXPECT_GT(dark_pixels(w.static_variant), 10);  // the label's letters on the screen
    EXPECT_EQ(window_text(w.combo_variant), L"proto");
    EXPECT_EQ(SendMessageW(w.combo_variant, CB_GETCOUNT, 0, 0), 3);
    // The list starts below the chooser's row.
    RECT list{}, combo{};
    GetWindowRect(w.list_main, &list);
    GetWindowRect(w.combo_variant, &combo);
    EXPECT_GE(list.top, combo.bottom);

    EXPECT_EQ(column(main_rows(), 0), (Texts{L"R1", L"C1", L"C2", L"U1"}));
    EXPECT_EQ(window_text(w.static_counter), L"  Placed: Total 0 of 4     TOP 0 of 3     BOTTOM 0 of 1");

    // Two parts placed, C1 (not fitted in lite) among them; the bill of materials open.
    choose(2);  // C1
    choose(0);  // R1: C1 becomes placed
    const std::vector<uint32_t> marks = model.marks.states();
    ASSERT_EQ(marks, (std::vector<uint32_t>{kStateCurrent, 0, kStateSelected, 0, 0}));
    click(w.button_bom);
    ASSERT_TRUE(IsWindowVisible(w.hwnd_bom));
    EXPECT_EQ(column(bom_list_rows(), 3), (Texts{L"1", L"2", L"1"}));

    ASSERT_TRUE(pick_by_mouse(L"lite"));
    EXPECT_EQ(model.chosen_variant, 1);
    EXPECT_EQ(window_text(w.combo_variant), L"lite");
    EXPECT_EQ(column(main_rows(), 0), (Texts{L"R1", L"R2", L"C2"}));
    EXPECT_EQ(window_text(w.static_counter), L"  Placed: Total 1 of 3     TOP 1 of 3     BOTTOM 0 of 0");
    const Rows bom = bom_list_rows();
    EXPECT_EQ(column(bom, 2), (Texts{L"10k", L"100nF"}));
    EXPECT_EQ(column(bom, 3), (Texts{L"2", L"1"}));
    EXPECT_EQ(model.marks.states(), marks);
    // R1 is still current: its row is highlighted with the mark.
    EXPECT_EQ(row_image(0), 1);

    ASSERT_TRUE(pick_by_mouse(L"full"));
    const Rows full = main_rows();
    EXPECT_EQ(column(full, 0), (Texts{L"R1", L"R2", L"C1", L"C2", L"U1"}));
    EXPECT_EQ(column(full, 3), (Texts{L"10k", L"10k", L"100nF", L"1uF", L"LM358"}));
    EXPECT_EQ(window_text(w.static_counter), L"  Placed: Total 2 of 5     TOP 2 of 4     BOTTOM 0 of 1");
    EXPECT_EQ(column(bom_list_rows(), 2), (Texts{L"10k", L"100nF", L"1uF", L"LM358"}));

    // Saved after the switches: one state per element of the file, as before them.
    menu(IDM_SAVE_SELECTION);
    std::wstring file;
    ASSERT_TRUE(make_selection_path(board.wstring(), file));
    EXPECT_EQ(TempFolder::read(file), encode_states(marks));
}

TEST_F(VariantChooser, NoChooserWithoutNamedVariants) {
    AppWindows& w = app_windows();
    load_through_combo(copy_own(L"v1-variants.brd").wstring());
    ASSERT_TRUE(seen_on_screen(w.combo_variant));
    // A board without variants after one with them: the chooser goes, R2's populate="no"
    // still keeps it out of the list.
    load_through_combo(copy_own(L"v2-no-variants.brd").wstring());
    ASSERT_EQ(app_session().board.board_loaded, 1u);
    pump_for(100);
    EXPECT_FALSE(IsWindowVisible(w.combo_variant));
    EXPECT_FALSE(IsWindowVisible(w.static_variant));
    EXPECT_NE(WindowFromPoint(window_centre(w.combo_variant)), w.combo_variant);
    UpdateWindow(w.hwnd_main);
    EXPECT_EQ(dark_pixels(w.static_variant), 0);  // nothing where the label was
    EXPECT_EQ(column(main_rows(), 0), (Texts{L"R1", L"C1"}));
    EXPECT_EQ(window_text(w.static_counter), L"  Placed: Total 0 of 2     TOP 0 of 2     BOTTOM 0 of 0");

    load_through_combo(sample_board());
    EXPECT_FALSE(IsWindowVisible(w.combo_variant));
    EXPECT_EQ(main_rows().size(), 19u);
}

}  // namespace
