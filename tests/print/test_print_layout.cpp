// Pages of the printed component list.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/print_layout.h"
#include "settings/settings.h"
#include "support/language_guard.h"

using namespace tindral;

namespace {

std::vector<PrintPage> pages_of(int n, const Settings& s = Settings{}, int32_t w = 210, int32_t h = 297) {
    std::vector<PrintRow> rows;
    for (int i = 1; i <= n; ++i)
        rows.push_back({L"lib", L"pkg" + std::to_wstring(i), std::wstring(150, L'v'), L"1"});
    return layout_print_pages(L"07.12.2026  00:30", {L"Library", L"Package", L"Value", L"Amount"},
                              rows, print_geometry(s, w, h));
}

}  // namespace

TEST(PrintLayout, A4WithTheDefaultsHolds42RowsAPage) {
    test::TextLanguage english{1};
    const std::vector<PrintPage> pages = pages_of(100);
    std::vector<int> rows;
    for (const PrintPage& p : pages) rows.push_back(p.rows);
    ASSERT_EQ(rows, (std::vector<int>{42, 42, 16}));

    // Header, 42 rows of four cells (read with at most 99 characters), footer.
    const std::vector<PrintText>& t = pages[1].texts;
    ASSERT_EQ(t.size(), 5u + 42 * 4 + 1);
    EXPECT_EQ(t[0], (PrintText{4000, 0, L"07.12.2026  00:30"}));
    EXPECT_EQ(t[4], (PrintText{17000, -1500, L"Amount"}));
    EXPECT_EQ(t[6], (PrintText{7000, -2600, L"pkg43"}));  // line 1
    EXPECT_EQ(t[7].text, std::wstring(99, L'v'));
    EXPECT_EQ(t[5 + 41 * 4 + 1], (PrintText{7000, -27200, L"pkg84"}));  // line 42
    EXPECT_EQ(t.back(), (PrintText{15500, -27900, L"Page  -2-"}));
}

TEST(PrintLayout, FullLastPageEmptyListAndSettings) {
    test::TextLanguage german{0};
    std::vector<PrintPage> pages = pages_of(84);
    ASSERT_EQ(pages.size(), 2u);  // no page after the exactly filled one
    EXPECT_EQ(pages[1].texts.back().text, L"Seite  -2-");
    pages = pages_of(0);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].texts.size(), 5u);  // header only, no footer

    // The layout settings move columns and lines; Letter paper moves the footer.
    Settings s;
    s.print_left_offset = 1000;
    s.print_column_width = 4000;
    s.print_line_distance = 1000;
    pages = pages_of(30, s, 215, 279);
    EXPECT_EQ(pages[0].rows, 23);  // 24 * 1000 + 4000 > 27900
    EXPECT_EQ(pages[0].texts[6], (PrintText{5000, -3000, L"pkg1"}));
    EXPECT_EQ(pages[0].texts.back(), (PrintText{15750, -26100, L"Seite  -1-"}));
}
