#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/utf8.h"
#include "model/grouping.h"

using namespace tindral;

namespace {

ElementRec part(const wchar_t* name, const wchar_t* package, const wchar_t* value,
                uint32_t side = kSideTop) {
    ElementRec e;
    e.name = wide_to_utf8(name);
    e.package = wide_to_utf8(package);
    e.value = wide_to_utf8(value);
    e.side = side;
    e.amount_top = e.amount_bottom = e.group = e.shade = 99;  // must all be rewritten
    return e;
}

BoardModel board_of(std::vector<ElementRec> elements) {
    BoardModel b;
    b.elements = std::move(elements);
    return b;
}

// One field of every element, in element order.
std::vector<uint32_t> field(const BoardModel& b, uint32_t ElementRec::*f) {
    std::vector<uint32_t> out;
    for (const ElementRec& e : b.elements) out.push_back(e.*f);
    return out;
}
using Values = std::vector<uint32_t>;

}  // namespace

TEST(Grouping, NumbersAndAmountsFollowFirstIndexClassAndSide) {
    BoardModel b = board_of({
        part(L"R1", L"0603", L"10k"),                 // 0
        part(L"R2", L"0603", L"10k"),                 // 1
        part(L"R3", L"0603", L"10k", kSideBottom),    // 2
        part(L"TP1", L"0603", L"10k"),                // 3
        part(L"C5", L"0805", L"100n"),                // 4
        part(L"R4", L"0603", L"10K"),                 // 5: other case, other group
        part(L"U1", L"SO8", L"LM358"),                // 6
        part(L"C7", L"0805", L"100n", kSideBottom),   // 7
        part(L"IC1", L"SO8", L"LM358", kSideBottom),  // 8
        part(L"C6", L"0805", L"100n"),                // 9
        part(L"RN1", L"a", L"1"), part(L"r5", L"a", L"2"), part(L"CON1", L"a", L"3"),
        part(L"R", L"a", L"4"), part(L"", L"a", L"5"), part(L"C12", L"a", L"6", kSideBottom),
    });
    group_components(b);
    // Only upper-case R or C followed by a digit make a class (10 to 14 do not).
    EXPECT_EQ(field(b, &ElementRec::group), (Values{1000, 1000, 5000, 3000, 2004, 1005, 3006, 6004, 7006,
                                                    2004, 3010, 3011, 3012, 3013, 3014, 6015}));
    // Amounts sit on the first element of each side and count every class of the pair: R1
    // counts R1, R2 and TP1.
    EXPECT_EQ(field(b, &ElementRec::amount_top), (Values{3, 0, 0, 0, 2, 1, 1, 0, 0, 0, 1, 1, 1, 1, 1, 0}));
    EXPECT_EQ(field(b, &ElementRec::amount_bottom), (Values{0, 0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 1}));
}

TEST(Grouping, ShadeAlternatesInAscendingGroupOrderAcrossClasses) {
    // Three resistor groups, one capacitor group, one other group, out of file order.
    BoardModel b = board_of({part(L"U1", L"SO8", L"x"), part(L"R1", L"0603", L"1k"),
                             part(L"C1", L"0603", L"1u"), part(L"R2", L"0603", L"2k"),
                             part(L"R3", L"0603", L"3k"), part(L"R4", L"0603", L"1k"),
                             part(L"R5", L"0603", L"1k", kSideBottom)});
    group_components(b);
    // Ascending: 1001 (R1,R4), 1003, 1004, 2002, 3000, 5001; the flag carries over into the
    // bottom ranges.
    EXPECT_EQ(field(b, &ElementRec::shade), (Values{0, 0, 1, 1, 0, 0, 1}));
}

TEST(Grouping, EmptyPackageOrValueGroupsByWholeString) {
    BoardModel b = board_of({part(L"X1", L"", L""), part(L"X2", L"P", L""),
                             part(L"X3", L"", L""), part(L"X4", L"", L"P")});
    group_components(b);
    EXPECT_EQ(field(b, &ElementRec::group), (Values{3000, 3001, 3000, 3003}));
    EXPECT_EQ(b.elements[0].amount_top, 2u);

    // Long strings are compared whole: a difference after 99 characters still parts them.
    const std::wstring base(150, L'v');
    BoardModel c = board_of({part(L"A1", L"p", (base + L"1").c_str()),
                             part(L"A2", L"p", (base + L"2").c_str())});
    group_components(c);
    EXPECT_NE(c.elements[0].group, c.elements[1].group);
    EXPECT_EQ(c.elements[1].amount_top, 1u);

    BoardModel none;
    group_components(none);
    EXPECT_TRUE(none.elements.empty());
}

TEST(Grouping, WiderStepAboveAThousandElementsKeepsClassesApart) {
    EXPECT_EQ(group_step(0), 1000u);
    EXPECT_EQ(group_step(1000), 1000u);
    EXPECT_EQ(group_step(1001), 10000u);
    EXPECT_EQ(group_step(10000), 10000u);
    EXPECT_EQ(group_step(10001), 100000u);

    for (size_t count : {size_t{1001}, size_t{10001}}) {
        std::vector<ElementRec> parts;
        for (size_t i = 0; i < count; ++i)
            parts.push_back(part(L"R1", L"0603", std::to_wstring(i).c_str()));
        // The last element is the only capacitor; with a 1000 step it would collide with R1000.
        parts.back() = part(L"C1", L"0603", L"c");
        BoardModel b = board_of(parts);
        group_components(b);
        const uint32_t s = group_step(count);
        EXPECT_EQ(b.elements[999].group, s + 999) << count;
        EXPECT_EQ(b.elements.back().group, 2 * s + static_cast<uint32_t>(count - 1)) << count;
        // Every group has its own number, so the shade alternates along the file order.
        for (size_t i = 0; i < count; ++i)
            ASSERT_EQ(b.elements[i].shade, static_cast<uint32_t>(i % 2)) << count << " " << i;
    }
}
