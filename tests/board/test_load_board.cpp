// The whole load from bytes: what the asker hears and when, what the model holds after it.

#include <gtest/gtest.h>

#include <string>

#include "board/parse_walk.h"
#include "board_snippet.h"
#include "settings/settings.h"
#include "support/recording_port.h"

namespace tindral::test {
namespace {

// Two like elements, and more of them when asked for.
std::string elements(const std::string& more = "") {
    return "<plain/><elements>"
           "<element name=\"R1\" library=\"l\" package=\"p\" value=\"1k\" x=\"1\" y=\"2\"/>"
           "<element name=\"R2\" library=\"l\" package=\"p\" value=\"1k\" x=\"3\" y=\"2\"/>" +
           more + "</elements><libraries/>";
}
const std::string kOdd = "<element name=\"R3\" odd=\"1\"/>";

// Logs the asker's calls in order.
class LoggingAsker : public TestAsker {
public:
    bool go_on_after(const LoadStatus& w, const LoadMessage& box) override {
        log += w.code == LoadCode::damaged ? "damaged " : "warning ";
        return TestAsker::go_on_after(w, box);
    }
    void walk_begins() override { log += "walk "; }
    bool go_on_after_unexpected(const LoadMessage& q) override {
        log += "question ";
        return TestAsker::go_on_after_unexpected(q);
    }
    std::string log;
};

TEST(LoadBoard, TheAskerHearsOfDamageBeforeTheWalkAndItsQuestions) {
    // A wrong end tag in line 4, after the elements; the first of them has an unknown attribute.
    const std::string broken =
        "<?xml version=\"1.0\"?>\n<eagle><drawing><board><elements><element name=\"R1\" "
        "odd=\"1\"/>\n<element name=\"R2\"/></elements>\n</q></board></drawing></eagle>";
    LoggingAsker asker;
    const LoadResult r = load_board(broken, test_options(), asker);
    EXPECT_EQ(asker.log, "damaged walk question ");
    EXPECT_EQ(r.status.code, LoadCode::damaged);
    EXPECT_EQ(r.status.line, 4u);
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.board.elements.size(), 2u);
    ASSERT_EQ(asker.boxes.size(), 2u);
    EXPECT_EQ(asker.boxes[0].title, L"Tindral Warning");
    EXPECT_EQ(asker.boxes[0].flags, 0x2030u);

    // An asker that stops at the damage: no walk, nothing kept.
    LoggingAsker strict;
    strict.stop_at_damage = true;
    const LoadResult s = load_board(broken, test_options(), strict);
    EXPECT_EQ(strict.log, "damaged ");
    EXPECT_EQ(s.status.code, LoadCode::declined);
    EXPECT_TRUE(s.board.elements.empty());

}

// A walk running on into the left-out <signals> asks as a walk over every token would.
TEST(LoadBoard, AWalkIntoTheLeftOutSignalsAsksAsOverEveryToken) {
    const std::string file = board_file(
        "<plain a=\"1\"/>" + elements() +
        "<signals><signal name=\"GND\"><via x=\"1\"/></signal></signals><q/>");
    TokenList all;
    ASSERT_TRUE(tokenise_bytes(file, &open_platform_xml_reader, all).ok());
    for (const std::deque<int>& answers : {std::deque<int>{}, std::deque<int>{1, 1, 1, 1, 1, 1,
                                           1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                           1, 1, mb::id_no}}) {
        TestAsker over_all;
        over_all.answers = answers;
        BoardModel reference;
        const ParseOutcome walked = parse_board(all, reference, test_options(), over_all);
        const Loaded loaded = load_bytes(file, test_options(), answers);
        EXPECT_EQ(loaded.boxes, over_all.boxes);
        EXPECT_EQ(loaded.outcome.result, walked.result);
        EXPECT_EQ(loaded.board.elements.size(), reference.elements.size());
        EXPECT_EQ(loaded.walks, 1);
    }
    // The walk over every token asks about the signals' contents: the case is the one meant.
    TestAsker over_all;
    BoardModel reference;
    parse_board(all, reference, test_options(), over_all);
    ASSERT_GT(over_all.boxes.size(), 27u);
    EXPECT_EQ(over_all.boxes[over_all.boxes.size() - 4].text,
              L"Unexpected element set_plain elem via\rContinue?");
}

// A board read as the walk goes asks the same questions in the same order, after the walk has
// begun, and keeps the same parts as a walk over every token; a No anywhere gives what it gives
// there. Also for files laid out otherwise than Eagle writes them, and with very many questions.
TEST(LoadBoard, ReadAsTheWalkGoesAsksAndKeepsAsOverEveryToken) {
    const std::string lib = "<libraries>" + library_with("p", "<wire x1=\"0\" odd=\"1\"/>", "l") +
                            "</libraries>";
    const std::string part = "<element name=\"R9\" library=\"l\" package=\"p\" x=\"1\" y=\"1\">"
                             "<odd><element name=\"R10\"/></odd><attribute name=\"A\" x=\"1\"/>"
                             "</element>";
    std::string crowd, children;
    for (int i = 0; i < 1200; ++i) crowd += kOdd;
    for (int i = 0; i < 3000; ++i) children += "<attribute name='A' value='1'/>";
    const std::string files[] = {
        board_file("<grid q=\"1\"/><plain><odd/></plain>" + lib +
                   "<variantdefs><variantdef name=\"V\" current=\"yes\"/></variantdefs>" +
                   elements(kOdd + part).substr(8) + "<signals><signal name=\"S\"/></signals>"),
        board_file(elements(kOdd + part) + lib),   // libraries after the elements
        board_file("<elements>" + part + "</elements><grid q=\"1\"/><plain a=\"1\"/>" + lib),
        board_file(elements(crowd + part).substr(8)),
        // more tokens than the list made room for, while a part is being read
        board_file(elements("<element name='R0'>" + children + "</element>" + kOdd)),
    };
    for (const std::string& file : files) {
        TokenList all;
        ASSERT_TRUE(tokenise_bytes(file, &open_platform_xml_reader, all).ok());
        for (const std::deque<int>& answers :
             {std::deque<int>{}, {mb::id_no}, {1, mb::id_no}, {1, 1, 1, mb::id_no}}) {
            TestAsker over_all;
            over_all.answers = answers;
            BoardModel reference;
            const ParseOutcome walked = parse_board(all, reference, test_options(), over_all);
            const Loaded loaded = load_bytes(file, test_options(), answers);
            EXPECT_EQ(loaded.boxes, over_all.boxes) << file.size() << " " << answers.size();
            EXPECT_EQ(loaded.outcome.result, walked.result);
            EXPECT_EQ(loaded.walks, 1);
            ASSERT_EQ(loaded.board.elements.size(), reference.elements.size());
            for (size_t i = 0; i < reference.elements.size(); ++i)
                EXPECT_EQ(loaded.board.elements[i].name, reference.elements[i].name);
            EXPECT_EQ(loaded.board.libraries.size(), reference.libraries.size());
        }
    }
    LoggingAsker asker;
    load_board(files[0], test_options(), asker);
    EXPECT_EQ(asker.log.rfind("walk question question ", 0), 0u) << asker.log;
}

// Read as the walk goes, a large board's parts never sit in the list all at once, and a search
// over the list cannot pass where they were.
TEST(LoadBoard, ReadAsTheWalkGoesHoldsOnlyThePartAtHand) {
    std::string parts;
    for (int i = 0; i < 10000; ++i)
        parts += "<element name=\"R" + std::to_string(i) + "\" library=\"l\" package=\"p\" x=\"1\" y=\"2\">"
                 "<attribute name=\"MPN\" value=\"x\"/></element>";
    const std::string file = board_file("<plain/><libraries/><elements>" + parts + "</elements>");
    TokenList all;
    ASSERT_TRUE(tokenise_bytes(file, &open_platform_xml_reader, all).ok());

    TokenList tokens;
    TokensAsWalked reading;
    ASSERT_TRUE(reading.open(file, &open_platform_xml_reader, tokens));
    TestAsker asker;
    BoardModel board;
    ASSERT_TRUE(parse_board(tokens, board, test_options(), asker).result);
    EXPECT_EQ(board.elements.size(), 10000u);
    EXPECT_LT(tokens.held(), all.count() / 2);
    EXPECT_THROW(find_element(tokens, L"signals"), SkippedTokensRead);
    EXPECT_TRUE(reading.finish(tokens));
}

TEST(LoadBoard, ALoadThatWentThroughIsGroupedWithFreshMarks) {
    const Loaded p = parse_snippet(elements());
    EXPECT_EQ(p.status.code, LoadCode::ok);
    EXPECT_EQ(p.walks, 1);
    EXPECT_EQ(p.board.path, L"C:\\boards\\test.brd");
    EXPECT_EQ(p.board.marks.states(), (std::vector<uint32_t>{0, 0}));
    EXPECT_FALSE(p.board.marks.unsaved());
    ASSERT_EQ(p.board.elements.size(), 2u);
    EXPECT_NE(p.board.elements[0].group, 0u);
    EXPECT_EQ(p.board.elements[0].group, p.board.elements[1].group);  // same package and value
    EXPECT_EQ(p.outcome.board_title, L"Tindral V2.00.1    test.brd");
    EXPECT_TRUE(p.outcome.show_bom_button);
}

TEST(LoadBoard, StartsFromTheGivenLayers) {
    LoadOptions options = test_options();
    options.layers[0].colour = 77;  // set by an earlier load or the user
    RecordingPort port;

    const Loaded p = parse_snippet(
        "<layers><layer number=\"91\" name=\"Nets\" color=\"2\" fill=\"1\" visible=\"yes\" "
        "active=\"yes\"/></layers>" + elements(kOdd), options);
    ASSERT_EQ(p.boxes.size(), 1u);  // asked, in English
    EXPECT_EQ(p.boxes[0].text, L"Unexpected element set elem odd\rContinue?");
    EXPECT_EQ(p.board.layers[0].colour, 77);
    EXPECT_EQ(p.board.board_loaded, 1u);
    EXPECT_TRUE(port.boxes.empty());
}

TEST(LoadBoard, RefusedOrAbandonedLoadLeavesOnlyTheLayers) {
    LoadOptions options = test_options();
    options.layers[0].colour = 77;
    const Loaded no = parse_snippet(elements(kOdd), options, {mb::id_no});
    EXPECT_EQ(no.status.code, LoadCode::declined);
    EXPECT_EQ(no.boxes.size(), 1u);  // the question, and no failure box after it
    EXPECT_TRUE(no.board.elements.empty());
    EXPECT_TRUE(no.board.marks.states().empty());
    EXPECT_TRUE(no.board.path.empty());
    EXPECT_EQ(no.board.board_loaded, 0u);
    EXPECT_EQ(no.board.layers[0].colour, 77);
    EXPECT_TRUE(no.outcome.board_title.empty());

    // A file that is no board: its failure is the status and its only box; no walk begins.
    const Loaded text = load_bytes("just some text\r\n", options);
    EXPECT_EQ(text.status.code, LoadCode::not_xml);
    EXPECT_EQ(text.walks, 0);
    EXPECT_TRUE(text.outcome.board_title.empty());
    EXPECT_EQ(text.boxes, (Boxes{{Owner::main,
                                  L"Tindral can only handle files generated from Eagle Version V6 or V7",
                                  L"Tindral Error", 0x2000}}));
    EXPECT_EQ(text.board.layers[0].colour, 77);
}

}  // namespace
}  // namespace tindral::test
