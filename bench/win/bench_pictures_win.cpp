// The drawing area's picture, the area on the screen and the main list in the states a user
// sees, as checksums of their pixels (the list drawn by the control itself into a bitmap) with
// the list's scroll position, highlight, focus and row marks: two builds that print the same
// lines show the same. With TINDRAL_PICTURE_DIR set, the pictures and lists are also written
// there (NAME.bgra, 32-bit rows top down) to find where two builds differ.
//   wine tindral_bench_win.exe --gtest_filter='Pictures.*' | grep -E '^(picture|list|screen):'

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "../../resources/resource.h"
#include "shell/board_paint_win.h"
#include "shell/main_list_win.h"
#include "support/synthetic_board.h"
#include "win/support/app_windows_win.h"
#include "win/support/main_list_checks_win.h"

using namespace tindral;

namespace {

class Pictures : public test::MarkingTest {
protected:
    // The pixels of the bitmap selected into dc, 32-bit rows top down.
    static std::vector<uint32_t> pixels_of(HDC dc, int& width, int& height) {
        HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
        BITMAP info{};
        if (GetObjectW(bitmap, sizeof info, &info) == 0) return {};
        width = static_cast<int>(info.bmWidth);
        height = static_cast<int>(info.bmHeight);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        std::vector<uint32_t> px(static_cast<size_t>(width) * height);
        GdiFlush();
        if (GetDIBits(dc, bitmap, 0, height, px.data(), &bi, DIB_RGB_COLORS) != height) return {};
        return px;
    }

    static uint64_t checksum(const std::vector<uint32_t>& px, size_t& lit) {
        uint64_t hash = 1469598103934665603ull;  // FNV-1a over the colour bytes
        lit = 0;
        for (uint32_t p : px) {
            p &= 0xFFFFFF;
            lit += p != 0;
            for (int b = 0; b < 3; ++b) hash = (hash ^ ((p >> (8 * b)) & 0xFF)) * 1099511628211ull;
        }
        return hash;
    }

    // NAME.bgra in TINDRAL_PICTURE_DIR, when it is set.
    static void write_pixels(const std::string& name, const std::vector<uint32_t>& px) {
        const char* dir = std::getenv("TINDRAL_PICTURE_DIR");
        if (!dir) return;
        std::string file = std::string(dir) + "/" + name + ".bgra";
        for (char& c : file)
            if (c == ' ' || c == ',') c = '-';
        if (FILE* f = std::fopen(file.c_str(), "wb")) {
            std::fwrite(px.data(), sizeof(uint32_t), px.size(), f);
            std::fclose(f);
        }
    }

    // A window's client area as copy(screen, memory dc, client) puts it into a bitmap of its size.
    template <class Copy>
    static std::vector<uint32_t> client_pixels(HWND window, int& w, int& h, Copy copy) {
        RECT client{};
        GetClientRect(window, &client);
        HDC screen = GetDC(window);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        const HGDIOBJ old = SelectObject(dc, bitmap);
        copy(screen, dc, client);
        ReleaseDC(window, screen);
        std::vector<uint32_t> px = pixels_of(dc, w, h);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return px;
    }

    // The main list as the control paints it now, with its scroll position, highlight and focus.
    static void print_list(const std::string& name) {
        HWND list = app_windows().list_main;
        UpdateWindow(list);
        int w = 0, h = 0;
        const std::vector<uint32_t> px = client_pixels(list, w, h, [&](HDC, HDC dc, RECT) {
            SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                         PRF_CLIENT | PRF_ERASEBKGND);
        });
        size_t lit = 0;
        const uint64_t hash = checksum(px, lit);
        write_pixels(name + " list", px);
        const auto next = [&](UINT flags) {
            const WPARAM from_top = static_cast<WPARAM>(-1);
            return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, from_top, flags));
        };
        std::vector<uint32_t> images;  // the marks, which the bitmap does not show
        for (int row = 0; row < test::item_count(list); ++row)
            images.push_back(static_cast<uint32_t>(test::list_image(list, row)));
        const int top = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
        const auto marks = static_cast<unsigned long long>(checksum(images, lit));
        std::printf("list: %s, %d rows, top %d, selected %d, focused %d, images %016llx, %dx%d, "
                    "checksum %016llx\n",
                    name.c_str(), test::item_count(list), top, next(LVNI_SELECTED),
                    next(LVNI_FOCUSED), marks, w, h, static_cast<unsigned long long>(hash));
        std::fflush(stdout);
    }

    // The drawing area on the screen: the picture as copied there, with the crosshair.
    static void print_screen(const std::string& name) {
        HWND area = app_windows().hwnd_layout;
        int w = 0, h = 0;
        const std::vector<uint32_t> px =
            client_pixels(area, w, h, [](HDC screen, HDC dc, RECT client) {
                BitBlt(dc, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
            });
        size_t lit = 0;
        const uint64_t hash = checksum(px, lit);
        std::printf("screen: %s, %dx%d, %zu lit, checksum %016llx\n", name.c_str(), w, h, lit,
                    static_cast<unsigned long long>(hash));
        std::fflush(stdout);
    }

    // The list, the screen, and the picture as the last paint or partial redraw left it.
    static void print_picture(const std::string& name) {
        print_list(name);
        print_screen(name);
        HDC dc = area_picture_dc();
        ASSERT_NE(dc, nullptr) << name;
        int w = 0, h = 0;
        const std::vector<uint32_t> px = pixels_of(dc, w, h);
        ASSERT_FALSE(px.empty()) << name;
        size_t lit = 0;
        const uint64_t hash = checksum(px, lit);
        std::printf("picture: %s, %dx%d, %zu lit, checksum %016llx\n", name.c_str(), w, h, lit,
                    static_cast<unsigned long long>(hash));
        std::fflush(stdout);
        write_pixels(name, px);
    }

    static void repaint() {
        InvalidateRect(app_windows().hwnd_layout, nullptr, FALSE);
        UpdateWindow(app_windows().hwnd_layout);
    }
    static void command(unsigned id) {
        SendMessageW(app_windows().hwnd_board, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        UpdateWindow(app_windows().hwnd_layout);
    }

    // A copy of the board loaded: the marks saved beside it stay out of the next run.
    void load_copy(const wchar_t* name, const std::wstring& from) {
        load_copy_of(copy_board(name, from));
    }
    static void load_copy_of(const std::filesystem::path& board) {
        test::load_through_combo(test::native_path(board.wstring()));
        ASSERT_EQ(app_session().board.board_loaded, 1u);
    }

    // Rows chosen by click (partial redraws), the selection saved, reset and loaded, the sides
    // switched, zoomed in and out, pads off.
    void walk(const std::string& name, int row_step) {
        UpdateWindow(app_windows().hwnd_layout);
        print_picture(name + " loaded");
        const int rows = test::item_count(app_windows().list_main);
        for (int row = 3; row < rows; row += row_step) choose_main_row(row, true);
        print_picture(name + " after clicks");
        repaint();
        print_picture(name + " marked");
        menu(IDM_SAVE_SELECTION);
        click(app_windows().button_clear);
        print_picture(name + " reset");
        menu(IDM_LOAD_SELECTION);  // answered Yes
        print_picture(name + " selection loaded");
        test::switch_sides(true, false);
        print_picture(name + " top only");
        test::switch_sides(false, true);
        print_picture(name + " bottom only");
        choose_main_row(1, true);
        print_picture(name + " bottom only clicked");
        test::switch_sides(true, true);
        command(IDM_ZOOM_IN);
        command(IDM_ZOOM_IN);
        command(IDM_ZOOM_IN);
        print_picture(name + " zoomed in");
        choose_main_row(2, true);
        print_picture(name + " zoomed in clicked");
        app_session().settings.show_pads = 0;
        repaint();
        print_picture(name + " zoomed in no pads");
        app_session().settings.show_pads = 1;
        command(IDM_FIT);
        print_picture(name + " fitted");
    }
};

TEST_F(Pictures, OwnBoardsWithPads) {
    ASSERT_NO_FATAL_FAILURE(load_copy(L"p1-pads.brd", test::own_board(L"p1-pads.brd")));
    walk("p1-pads", 2);
    ASSERT_NO_FATAL_FAILURE(load_copy(L"k9-pads.kicad_pcb", test::own_board(L"k9-pads.kicad_pcb")));
    walk("k9-pads", 2);
}

TEST_F(Pictures, LargestRealBoard) {
    TINDRAL_NEED_REAL_BOARDS();
    ASSERT_NO_FATAL_FAILURE(
        load_copy(L"metro.brd", test::real_board(L"adafruit-metro-rp2350-e9.brd")));
    walk("metro", 7);
}

TEST_F(Pictures, RealKicadBoard) {
    TINDRAL_NEED_REAL_BOARDS();
    const std::wstring dir = test::real_boards_of(L"-kicad");
    if (dir.empty()) GTEST_SKIP() << "no KiCad boards";
    const std::wstring board = test::native_path(dir + L"/olimex-esp32-poe-revm1-k7.kicad_pcb");
    ASSERT_NO_FATAL_FAILURE(load_copy(L"esp32-poe.kicad_pcb", board));
    walk("esp32-poe", 5);
}

TEST_F(Pictures, FiftyThousandGeneratedParts) {
    ASSERT_NO_FATAL_FAILURE(load_copy_of(dir_.write("board.brd", test::synthetic_board(50000))));
    walk("generated", 997);
}

}  // namespace
