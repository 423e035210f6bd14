// The platform layer under Wine: the GDI canvas on a memory bitmap, the settings in the real
// registry (only under Wine, whose prefix goes after the run), and the files' handles.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board/board_file.h"
#include "board/load_board.h"
#include "platform/win/gdi_canvas_win.h"
#include "platform/win/registry_store_win.h"
#include "selection/selection_file.h"
#include "settings/registry_settings.h"
#include "shell/app_win.h"
#include "support/board_folders.h"
#include "support/recording_port.h"
#include "support/store_guard.h"
#include "support/synthetic_board.h"
#include "support/temp_folder.h"
#include "view/board_view.h"
#include "view/draw_board.h"

namespace tindral::test {
namespace {

// A memory bitmap on black (100 x 100 unless sized), prepared like the drawing area.
class Surface {
public:
    explicit Surface(int w = kSize, int h = kSize) : width(w), height(h) {
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top-down rows
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, w, h, BLACKNESS);
        prepare_board_dc(dc, w, h);
    }
    ~Surface() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    // Anything drawn within a pixel of device pixel (x, y), y downwards.
    bool lit_near(int x, int y) const {
        GdiFlush();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (bits[(y + dy) * width + x + dx] & 0xFFFFFF) return true;
        return false;
    }
    // The colour of device pixel (x, y), y downwards.
    uint32_t at(int x, int y) const {
        GdiFlush();
        return bits[y * width + x] & 0xFFFFFF;
    }
    std::vector<uint32_t> pixels() const {
        GdiFlush();
        return {bits, bits + static_cast<size_t>(width) * height};
    }

    static constexpr int kSize = 100;
    int width, height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    uint32_t* bits = nullptr;
};

// An App of the test's own: without start-up pens, the canvas makes its own.
class GdiCanvasTest : public ::testing::Test {
protected:
    App app_;
};

TEST_F(GdiCanvasTest, LogicalYGrowsUpwardsAndArcsRunCounterClockwise) {
    Surface s;
    {
        GdiCanvas c(s.dc);
        c.select_pen({PenRole::top_current, 0x0000FF});
        c.move_to(10, 10);
        c.line_to(40, 10);
        // quarter circle about (50,50), radius 20, from 3 o'clock to 12 o'clock
        c.arc(30, 30, 70, 70, 70, 50, 50, 70);
        c.ellipse(80, 80, 90, 90);
    }
    // logical y 10 is device row 90
    EXPECT_TRUE(s.lit_near(20, 90));
    EXPECT_FALSE(s.lit_near(20, 10));
    // the arc passes the upper right (on the screen) of its centre, not the lower left
    EXPECT_TRUE(s.lit_near(50 + 14, 50 - 14));
    EXPECT_FALSE(s.lit_near(50 - 14, 50 + 14));
    EXPECT_FALSE(s.lit_near(50 + 14, 50 + 14));
    // outline only: the ellipse's middle stays dark
    EXPECT_TRUE(s.lit_near(85, 100 - 81));
    EXPECT_FALSE(s.lit_near(85, 100 - 85));
}

// Each selection returns the previous pen; at the end the own pen is back, the made ones gone.
TEST_F(GdiCanvasTest, SelectPenReturnsThePreviousAndThePensItMadeGoWithIt) {
    Surface s;
    const HGDIOBJ before = GetCurrentObject(s.dc, OBJ_PEN);
    HGDIOBJ made[2] = {};
    {
        GdiCanvas c(s.dc);
        EXPECT_EQ(c.select_pen({PenRole::grey, 0x505050}).role, PenRole::none);
        const Pen grey = c.select_pen({PenRole::bottom_selected, 0x00FA00});
        EXPECT_EQ(grey, (Pen{PenRole::grey, 0x505050}));
        EXPECT_NE(GetCurrentObject(s.dc, OBJ_PEN), before);
        c.select_pen({PenRole::none, 0});
        EXPECT_EQ(GetCurrentObject(s.dc, OBJ_PEN), before);

        c.select_pen({PenRole::top_unselected, 0x00FF00});
        made[0] = GetCurrentObject(s.dc, OBJ_PEN);
        c.select_pen({PenRole::bottom_unselected, 0xFF0000});
        made[1] = GetCurrentObject(s.dc, OBJ_PEN);
        c.select_pen({PenRole::top_selected, 0x00FF00});  // same colour: the first pen again
        EXPECT_EQ(GetCurrentObject(s.dc, OBJ_PEN), made[0]);
        for (HGDIOBJ pen : made) EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    }
    EXPECT_EQ(GetCurrentObject(s.dc, OBJ_PEN), before);
    for (HGDIOBJ pen : made) EXPECT_EQ(GetObjectType(pen), 0u);
}

// Pixel values are 0x00RRGGBB, pen colours 0x00BBGGRR.
uint32_t pixel_of(uint32_t colour) {
    return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

// Gathered lines keep their pen, go on where the last ended, and leave the position as lines would.
TEST_F(GdiCanvasTest, GatheredLinesKeepTheirPenAndReachTheSurface) {
    Surface s;
    {
        GdiCanvas c(s.dc, CanvasLines::gathered);
        c.select_pen({PenRole::top_current, 0x0000FF});
        c.move_to(10, 10);
        c.line_to(40, 10);
        c.line_to(40, 10);  // nothing to draw
        c.select_pen({PenRole::bottom_current, 0x00FF00});
        c.line_to(40, 40);
        c.select_pen({PenRole::top_current, 0x0000FF});
        c.ellipse(60, 60, 70, 70);  // a shape between lines of one pen
        c.move_to(60, 10);
        c.line_to(90, 10);
    }
    EXPECT_EQ(s.at(25, 90), pixel_of(0x0000FF));
    EXPECT_EQ(s.at(40, 75), pixel_of(0x00FF00));
    EXPECT_EQ(s.at(75, 90), pixel_of(0x0000FF));
    EXPECT_TRUE(s.lit_near(65, 100 - 61));
    POINT at{};
    GetCurrentPositionEx(s.dc, &at);
    EXPECT_EQ(at.x, 90);
    EXPECT_EQ(at.y, 10);
}

BoardModel board_of(const std::string& bytes) {
    LoadOptions options;
    options.open_reader = &open_platform_xml_reader;
    AnswerYes asker;
    LoadResult loaded = load_board(bytes, options, asker);
    EXPECT_EQ(loaded.status.code, LoadCode::ok);
    return std::move(loaded.board);
}

// Gathering lines into few calls changes no pixel: pads, drills, marks, zoom, every side choice.
TEST_F(GdiCanvasTest, GatheredLinesLightTheSamePixelsAsOneCallEach) {
    std::vector<std::pair<std::string, std::string>> boards{{"generated", synthetic_board(3000)}};
    for (const wchar_t* own : {L"p1-pads.brd", L"e7-odd-angles.brd", L"e6-both-sides.brd"}) {
        std::string bytes;
        ASSERT_EQ(read_whole_file(own_board(own), bytes).status, FileReadStatus::ok);
        boards.emplace_back(std::string(own, own + wcslen(own)), bytes);
    }
    constexpr int w = 400, h = 300;
    for (const auto& [name, bytes] : boards) {
        BoardModel b = board_of(bytes);
        ASSERT_EQ(b.board_loaded, 1u) << name;
        std::vector<uint32_t> states(b.elements.size(), kStateUnselected);
        for (size_t i = 0; i < states.size(); i += 3) states[i] = kStateSelected;
        states[states.size() / 2] = kStateCurrent;
        b.marks.assign(states);
        for (const double zoom : {1.0, 2.5}) {
            for (const auto& [top, bottom] : {std::pair{1, 1}, {1, 0}, {0, 1}}) {
                SCOPED_TRACE(name + " zoom " + std::to_string(zoom) + " sides " +
                             std::to_string(top) + std::to_string(bottom));
                Settings settings = kDefaultSettings;
                settings.show_top_side = top;
                settings.show_bottom_side = bottom;
                settings.set_layer_enabled(39, true);  // the keepout polygons as well
                BoardView view;
                view.area_width = w;
                view.area_height = h;
                view.bottom_only = bottom_only_view(settings);
                fit_view(view, b, w, h, FitKind::load);
                if (zoom != 1) zoom_view(view, b, zoom);
                Surface each(w, h), gathered(w, h);
                {
                    GdiCanvas c(each.dc);
                    paint_board(c, b, view, settings);
                }
                // The context's own pen stands in for the canvas's: it leaves with its colour.
                SetDCPenColor(gathered.dc, 0x123456);
                const HGDIOBJ pen_before = GetCurrentObject(gathered.dc, OBJ_PEN);
                {
                    GdiCanvas c(gathered.dc, CanvasLines::gathered);
                    paint_board(c, b, view, settings);
                }
                EXPECT_EQ(GetDCPenColor(gathered.dc), 0x123456u);
                EXPECT_EQ(GetCurrentObject(gathered.dc, OBJ_PEN), pen_before);
                const std::vector<uint32_t> want = each.pixels();
                EXPECT_LT(std::count(want.begin(), want.end(), 0u), std::ssize(want));
                EXPECT_TRUE(gathered.pixels() == want);  // not printed: too many pixels
            }
        }
    }
}

bool under_wine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Wine counts no handles, but keeps share modes: a file still open cannot be opened unshared.
bool open_nowhere(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

struct RawValue {
    LSTATUS rc = ERROR_FILE_NOT_FOUND;
    DWORD type = 0;
    std::vector<BYTE> data;
};

class RegistryStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!under_wine()) GTEST_SKIP() << "changes the program's own key; runs under Wine only";
        RegDeleteKeyW(HKEY_CURRENT_USER, kRegistryKeyPath);
    }
    void TearDown() override {
        if (raw_) RegCloseKey(raw_);
        if (under_wine()) RegDeleteKeyW(HKEY_CURRENT_USER, kRegistryKeyPath);
    }

    HKEY raw() {
        if (!raw_) {
            EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kRegistryKeyPath, 0, KEY_ALL_ACCESS, &raw_),
                      ERROR_SUCCESS);
        }
        return raw_;
    }
    RawValue read(const wchar_t* name) {
        RawValue v;
        DWORD size = 0;
        v.rc = RegQueryValueExW(raw(), name, nullptr, &v.type, nullptr, &size);
        if (v.rc != ERROR_SUCCESS) return v;
        v.data.resize(size);
        v.rc = RegQueryValueExW(raw(), name, nullptr, &v.type, v.data.data(), &size);
        v.data.resize(size);
        return v;
    }
    DWORD dword(const wchar_t* name) {
        const RawValue v = read(name);
        DWORD out = 0;
        if (v.rc == ERROR_SUCCESS && v.data.size() == 4) memcpy(&out, v.data.data(), 4);
        return out;
    }
    // The stored characters; the registry itself may add one terminator to what it was given.
    std::wstring stored_text(const wchar_t* name) {
        const RawValue v = read(name);
        EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ)) << name;
        std::wstring s(reinterpret_cast<const wchar_t*>(v.data.data()), v.data.size() / 2);
        if (!s.empty() && s.back() == L'\0') s.pop_back();
        EXPECT_EQ(s.find(L'\0'), std::wstring::npos) << name;
        return s;
    }
    // Stores s with its terminator, as most programs do, or exactly its characters (the one after
    // them is not NUL, so the registry adds no terminator).
    void put(const wchar_t* name, const std::wstring& s, bool terminated) {
        const std::wstring buffer = s + (terminated ? L'\0' : L'!');
        const DWORD size = static_cast<DWORD>((s.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
        const auto* bytes = reinterpret_cast<const BYTE*>(buffer.c_str());
        ASSERT_EQ(RegSetValueExW(raw(), name, 0, REG_SZ, bytes, size), ERROR_SUCCESS);
        ASSERT_EQ(read(name).data.size(), size);
    }

    RegistryStore store;
    StoreGuard guard{&store};
    Settings settings = kDefaultSettings;
    RecordingPort port;

private:
    HKEY raw_ = nullptr;
};

// The real key: made on the first start, holding every value, an empty string at length 0.
TEST_F(RegistryStoreTest, FirstStartAndValuesRoundTripWithUmlauts) {
    HKEY probe = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kRegistryKeyPath, 0, KEY_READ, &probe), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(get_settings(settings), 1);
    DWORD count = 0;
    ASSERT_EQ(RegQueryInfoKeyW(raw(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(count, static_cast<DWORD>(kSettingCount + kRecentPathCount));
    EXPECT_EQ(read(L"Wnd main X").type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(read(L"Printer Name").data.size(), 0u);
    EXPECT_EQ(stored_text(L"Xml path file name"), L"C:\\");

    settings.language = 0;
    settings.layer_groups[7] = 0x80000001u;
    settings.group_color_bottom_back1 = 0x00123456u;
    settings.wnd_main_x = static_cast<uint32_t>(-10);  // a window left of the screen
    settings.wnd_bom_height = 444;
    settings.printer_name = L"Dr\u00fccker \u00c4\u00d6\u00dc \u00e4\u00f6\u00fc\u00df";
    settings.xml_path_file_name = L"C:\\Pl\u00e4ne\\Gr\u00fc\u00dfe.brd";
    settings.recent_paths[0] = settings.xml_path_file_name;
    settings.recent_paths[15] = L"Z:\\\u00fcber.brd";
    const Settings written = settings;
    EXPECT_EQ(put_settings(settings), 1);
    put_window_settings(settings);
    put_path_list(settings);
    EXPECT_TRUE(port.boxes.empty());

    EXPECT_EQ(stored_text(L"Printer Name"), written.printer_name);
    EXPECT_EQ(stored_text(L"ComboPathFilename00"), written.recent_paths[0]);
    EXPECT_EQ(dword(L"Wnd main X"), 0xFFFFFFF6u);

    settings = kDefaultSettings;
    settings.printer_name = std::wstring(200, L'#');  // longer than what is stored
    EXPECT_EQ(get_settings(settings), 1);
    EXPECT_TRUE(port.boxes.empty());
    EXPECT_EQ(settings, written);
}

TEST_F(RegistryStoreTest, ValueTooLongForItsBufferIsReported) {
    ASSERT_EQ(get_settings(settings), 1);
    put(L"Printer Name", std::wstring(kMaxPathChars + 1, L'p'), false);  // fills the buffer exactly
    put(L"ComboPathFilename02", std::wstring(300, L'q'), true);  // larger than the buffer
    put(L"ComboPathFilename03", std::wstring(kMaxPathChars, L'r'), true);
    put(L"ComboPathFilename04", L"C:\\exact.brd", false);
    put(L"ComboPathFilename05", L"C:\\term.brd", true);
    put(L"Sort col", L"12345", false);  // text where a number belongs
    settings.printer_name = L"kept";
    settings.sort_col = 4;
    settings.recent_paths[2] = L"C:\\two.brd";

    EXPECT_EQ(get_settings(settings), 1);
    EXPECT_EQ(port.boxes, Boxes(3, {Owner::none, L"get_registry system text 234", L"Tindral Error",
                                          static_cast<unsigned>(MB_TASKMODAL | MB_ICONHAND)}));
    EXPECT_EQ(settings.printer_name, L"kept");
    EXPECT_EQ(settings.sort_col, 4u);
    EXPECT_EQ(settings.recent_paths[2], L"C:\\two.brd");
    EXPECT_EQ(settings.recent_paths[3], std::wstring(kMaxPathChars, L'r'));
    EXPECT_EQ(settings.recent_paths[4], L"C:\\exact.brd");
    EXPECT_EQ(settings.recent_paths[5], L"C:\\term.brd");
}

TEST(FileHandles, NoWayOutOfReadingOrWritingLeavesAFileOpen) {
    TempFolder dir;
    const std::wstring board = dir.write("b.brd", std::string(3000, 'x')).wstring();
    const std::wstring sel = (dir.path / "b.TindralSel").wstring();
    const std::wstring temp = (dir.path / "b.TindralSel.tmp").wstring();
    std::string bytes;
    ASSERT_TRUE(open_nowhere(board));

    EXPECT_EQ(read_whole_file(board, bytes).status, FileReadStatus::ok);
    EXPECT_TRUE(open_nowhere(board));
    EXPECT_EQ(read_whole_file(board, bytes, 100).status, FileReadStatus::too_large);
    EXPECT_TRUE(open_nowhere(board));
    EXPECT_EQ(read_file_start(board, 100, bytes).status, FileReadStatus::ok);
    EXPECT_TRUE(open_nowhere(board));
    EXPECT_EQ(read_file_start(board, 5000, bytes).status, FileReadStatus::ok);
    EXPECT_TRUE(open_nowhere(board));

    EXPECT_EQ(write_selection_file(sel, temp, "marks").status, SelectionWriteStatus::ok);
    SetFileAttributesW(sel.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(open_nowhere(sel));
    // Replacing a folder fails after the temporary file was written and closed: it is gone.
    EXPECT_EQ(write_selection_file(dir.path.wstring(), temp, "marks").status,
              SelectionWriteStatus::replace_failed);
    EXPECT_EQ(GetFileAttributesW(temp.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace tindral::test
