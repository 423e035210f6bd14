// Pages of the printed component list.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/print_layout.h"
#include "settings/settings.h"
#include "support/language_guard.h"
#include "support/recording_canvas.h"
#include "support/settings_guard.h"

using namespace tindral;

namespace {

const PrintRow kTitles{L"Library", L"Package", L"Value", L"Amount"};

std::vector<PrintRow> rows(int n) {
    std::vector<PrintRow> out;
    for (int i = 1; i <= n; ++i)
        out.push_back({L"lib", L"pkg" + std::to_wstring(i), L"val", std::to_wstring(i)});
    return out;
}

std::vector<PrintPage> a4(int n) {
    return layout_print_pages(L"07.12.2026  00:30", kTitles, rows(n), print_geometry(210, 297));
}

}  // namespace

TEST(PrintLayout, A4WithTheDefaultsHolds42RowsAPage) {
    test::SettingsGuard settings;
    test::LanguageGuard english{1};
    const std::vector<PrintPage> pages = a4(100);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].rows, 42);
    EXPECT_EQ(pages[1].rows, 42);
    EXPECT_EQ(pages[2].rows, 16);

    // Header, 42 rows of four cells, footer.
    const std::vector<PrintText>& t = pages[1].texts;
    ASSERT_EQ(t.size(), 5u + 42 * 4 + 1);
    EXPECT_EQ(t[0], (PrintText{4000, 0, L"07.12.2026  00:30"}));
    EXPECT_EQ(t[1], (PrintText{2000, -1500, L"Library"}));
    EXPECT_EQ(t[4], (PrintText{17000, -1500, L"Amount"}));
    EXPECT_EQ(t[5], (PrintText{2000, -2600, L"lib"}));          // row 43, line 1
    EXPECT_EQ(t[6], (PrintText{7000, -2600, L"pkg43"}));
    EXPECT_EQ(t[5 + 41 * 4 + 3], (PrintText{17000, -27200, L"84"}));  // line 42
    EXPECT_EQ(t.back(), (PrintText{15500, -27900, L"Page  -2-"}));
    EXPECT_TRUE(pages[2].has_footer);
    EXPECT_EQ(pages[2].texts.back().text, L"Page  -3-");

    test::RecordingCanvas canvas;
    draw_print_page(canvas, pages[2]);
    ASSERT_EQ(canvas.count(test::CallKind::text), 5u + 16 * 4 + 1);
    EXPECT_EQ(canvas.calls.back().args, (std::vector<int32_t>{15500, -27900}));
    EXPECT_EQ(canvas.calls.back().text, L"Page  -3-");
}

TEST(PrintLayout, FullLastPageEmptyListAndSettings) {
    test::SettingsGuard settings;
    test::LanguageGuard german{0};
    std::vector<PrintPage> pages = a4(84);
    ASSERT_EQ(pages.size(), 2u);  // no page after the exactly filled one
    EXPECT_TRUE(pages[0].has_footer && pages[1].has_footer);
    EXPECT_EQ(pages[1].texts.back().text, L"Seite  -2-");

    pages = a4(0);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_FALSE(pages[0].has_footer);
    EXPECT_EQ(pages[0].texts.size(), 5u);

    pages = a4(1);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].texts.back().text, L"Seite  -1-");

    // The layout settings move the columns and lines; Letter paper moves the footer.
    g_settings.print_left_offset = 1000;
    g_settings.print_column_width = 4000;
    g_settings.print_line_distance = 1000;
    std::vector<PrintRow> one = rows(30);
    one[0][2] = std::wstring(150, L'v');  // cells are read with at most 99 characters
    pages = layout_print_pages(L"t", kTitles, one, print_geometry(215, 279));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].rows, 23);  // 24 * 1000 + 4000 > 27900
    EXPECT_EQ(pages[0].texts[7], (PrintText{9000, -3000, std::wstring(99, L'v')}));
    EXPECT_EQ(pages[0].texts.back(), (PrintText{15750, -26100, L"Seite  -1-"}));
}
