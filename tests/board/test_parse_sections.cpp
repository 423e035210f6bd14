#include <gtest/gtest.h>

#include <new>

#include "board/parse_walk.h"
#include "board_snippet.h"
#include "model/placement.h"

namespace tindral::test {
namespace {

const LayerRec& row(const BoardModel& b, int number) {
    for (const LayerRec& r : b.layers)
        if (r.number == number) return r;
    static const LayerRec none{};
    return none;
}

TEST(NameRules, SameNameAndFindElement) {
    EXPECT_EQ(same_name(L"grid", L"grid"), 0);
    EXPECT_EQ(same_name(L"grid", L"Grid"), 1);
    EXPECT_EQ(same_name(L"Grid", L"grid"), -1);
    EXPECT_EQ(same_name(L"grid", L"gri"), 1);  // lengths differ
    EXPECT_EQ(same_name(L"\u00FC", L"\u00FD"), -1);

    const TokenList t = tokens_of("<libraries><library name=\"a\"><grid distance=\"1\"/>"
                                  "</library></libraries><grid distance=\"2\"/>");
    const long g = find_element(t, L"grid");
    ASSERT_GT(g, 0);
    EXPECT_EQ(t.at(static_cast<size_t>(g) + 1).text(), L"1");  // the first one in the list
    EXPECT_EQ(find_element(t, L"Grid"), -1);
    EXPECT_EQ(find_element(t, L"distance"), -1);  // attribute names are not elements
}

TEST(GridReader, OnlyUnitAndStyleValuesAreChecked) {
    Loaded p = parse_snippet("<grid distance=\"0.1\" unitdist=\"inch\" unit=\"inch\" "
                             "style=\"lines\" multiple=\"1\" altunit=\"mil\" frob=\"1\"/>");
    EXPECT_TRUE(p.boxes.empty());  // an unknown grid attribute asks nothing

    p = parse_snippet("<grid unit=\"furlong\" style=\"dots\"/>");
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].text, L"Unexpected element set_grid elem furlong\rContinue?");

    p = parse_snippet("<grid style=\"hatched\"/><elements><element name=\"A\"/></elements>",
                      test_options(), {mb::id_no});
    EXPECT_EQ(p.outcome.result, 0);
    EXPECT_TRUE(p.board.elements.empty());  // nothing read after the No
}

TEST(LayerReader, FixedRowsTakeColourFillAndFlags) {
    const Loaded p = parse_snippet(
        "<layers>"
        "<layer number=\"16\" name=\"Bottom\" color=\"1\" fill=\"1\" visible=\"yes\" active=\"yes\"/>"
        "<layer number=\"21\" name=\"Mine\" color=\"14\" fill=\"5\" visible=\"yes\" active=\"no\"/>"
        "<layer number=\"42\" name=\"x\" color=\"3\" glow=\"1\" fill=\"2\" visible=\"maybe\" "
        "active=\"yes\"/>"
        "<layer number=\"60\" name=\"NoRow\" color=\"9\" fill=\"9\" visible=\"yes\" active=\"yes\"/>"
        "</layers>");
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].text, L"Unexpected element elem glow\rContinue?");
    BoardModel fresh;
    fresh.layers = make_layer_table();
    for (size_t i = 0; i < fresh.layers.size(); ++i) {
        const int n = fresh.layers[i].number;
        if (n == 21 || n == 42) continue;
        EXPECT_EQ(p.board.layers[i].colour, fresh.layers[i].colour) << n;
        EXPECT_EQ(p.board.layers[i].visible, 0) << n;
    }
    const LayerRec& tplace = row(p.board, 21);
    EXPECT_STREQ(tplace.name, L"tPlace");  // never the file's name
    EXPECT_EQ(tplace.colour, 14);
    EXPECT_EQ(tplace.fill, 5);
    EXPECT_EQ(tplace.visible, 1);
    EXPECT_EQ(tplace.active, 0);
    const LayerRec& brestrict = row(p.board, 42);
    EXPECT_EQ(brestrict.colour, 3);
    EXPECT_EQ(brestrict.fill, 2);  // read on past the unknown attribute
    EXPECT_EQ(brestrict.visible, 2);
}

TEST(ParseBoard, MissingSectionsReadAsEmptyAndEachParseStartsAnew) {
    Loaded p = parse_snippet("<elements><element name=\"A\"/><element name=\"B\"/></elements>");
    EXPECT_EQ(p.outcome.result, 1);
    EXPECT_EQ(p.board.board_loaded, 1u);
    ASSERT_EQ(p.board.elements.size(), 2u);
    EXPECT_EQ(find_package(p.board, 0), kNoPackage);  // listed, not placed
    EXPECT_EQ(p.board.placement_count, 2u);

    TestAsker asker;
    p.outcome = parse_board(tokens_of("<plain/><elements><element name=\"C\"/></elements>"),
                            p.board, test_options(), asker);
    EXPECT_EQ(p.outcome.result, 1);
    ASSERT_EQ(p.board.elements.size(), 1u);
    EXPECT_EQ(p.board.elements[0].name, "C");
    EXPECT_TRUE(p.boxes.empty() && asker.boxes.empty());
}

TEST(ParseBoard, NoSideShownLeavesTheBoardUnloaded) {
    const std::string body =
        "<plain><wire x1=\"0\" y1=\"0\" x2=\"10\" y2=\"5\" width=\"0\" layer=\"20\"/></plain>"
        "<libraries>" +
        library_with("P", "<wire x1=\"0\" y1=\"0\" x2=\"100\" y2=\"0\" layer=\"21\"/>") +
        "</libraries><elements><element name=\"U1\" library=\"lib\" package=\"P\" x=\"1\" "
        "y=\"1\"/></elements>";
    LoadOptions options = test_options(true, false, false);
    options.path = L"C:\\boards\\amp.brd";
    Loaded p = parse_snippet(body, options);
    EXPECT_EQ(p.outcome.result, 1);
    EXPECT_TRUE(p.outcome.set_title);
    EXPECT_EQ(p.outcome.board_title, L"Tindral V2.00.1    amp.brd");
    EXPECT_FALSE(p.outcome.show_bom_button);
    EXPECT_EQ(p.board.board_loaded, 0u);
    EXPECT_DOUBLE_EQ(p.board.extent.max_x, 10);  // the plain drawing still counts

    options.show_bottom = true;
    p = parse_snippet(body, options);
    EXPECT_TRUE(p.outcome.show_bom_button);
    EXPECT_EQ(p.board.board_loaded, 1u);
    EXPECT_DOUBLE_EQ(p.board.board_width, 101);
    EXPECT_DOUBLE_EQ(p.board.board_height, 5);
}

// Runs out of memory at the first question, as any allocation inside the walk might.
class FailingAsker : public TestAsker {
public:
    bool go_on_after_unexpected(const LoadMessage&) override { throw std::bad_alloc(); }
};

TEST(ParseBoard, OutOfMemoryIsReportedAndTheModelReleased) {
    FailingAsker asker;
    const LoadResult r = load_board(
        board_file("<plain><wire x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\" layer=\"20\"/></plain>"
                   "<elements><element name=\"A\"/><element name=\"B\" odd=\"1\"/></elements>"),
        test_options(), asker);
    EXPECT_EQ(r.status.code, LoadCode::out_of_memory);
    EXPECT_TRUE(r.board_title.empty());
    const auto box = status_box(r.status, 1);
    ASSERT_TRUE(box);
    EXPECT_EQ(shown(*box), (ShownBox{Owner::none, L"Out of memory", L"Tindral Error", 0x42010}));
    EXPECT_TRUE(r.board.plain_wires.empty());
    EXPECT_TRUE(r.board.elements.empty());
}

}  // namespace
}  // namespace tindral::test
