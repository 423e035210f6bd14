#pragma once
// Board tests: the pure load with a recording asker, and small boards made of a <board> body.

#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "board/load_board.h"
#include "board/load_messages.h"
#include "board/parse_board.h"
#include "board/tokenise.h"
#include "support/board_folders.h"
#include "support/recording_port.h"
#include "support/temp_folder.h"

namespace tindral::test {

// A box as the user sees it.
inline ShownBox shown(const LoadMessage& m) { return {m.owner, m.text, m.title, m.flags}; }

// The boxes of a tokeniser run: its warnings, then its status.
inline Boxes tokenise_boxes(const TokeniseResult& r, uint32_t language = 1) {
    Boxes out;
    for (const LoadStatus& w : r.warnings) out.push_back(shown(*status_box(w, language)));
    if (const auto m = status_box(r.status, language)) out.push_back(shown(*m));
    return out;
}

// Records each box as the user sees it; questions take the scripted answers, then Yes.
class TestAsker : public LoadAsker {
public:
    bool go_on_after(const LoadStatus& w, const LoadMessage& box) override {
        record(box);
        return !(stop_at_damage && w.code == LoadCode::damaged);
    }
    void walk_begins() override { ++walks; }
    bool go_on_after_unexpected(const LoadMessage& question) override {
        record(question);
        if (answers.empty()) return true;
        const int a = answers.front();
        answers.pop_front();
        return a != mb::id_no;
    }
    void record(const LoadMessage& m) { boxes.push_back(shown(m)); }

    Boxes boxes;
    std::deque<int> answers;
    bool stop_at_damage = false;
    int walks = 0;
};

// English texts, top side shown, questions asked, the platform's reader.
inline LoadOptions test_options(bool report = true, bool top = true, bool bottom = false) {
    LoadOptions o;
    o.report_unexpected = report;
    o.show_top = top;
    o.show_bottom = bottom;
    o.language = 1;
    o.path = L"C:\\boards\\test.brd";
    o.open_reader = &open_platform_xml_reader;
    return o;
}

// A load and what the user saw of it, the failure's box last.
struct Loaded {
    BoardModel board;
    LoadStatus status;
    ParseOutcome outcome;  // result 1 when the board was read; title and BOM button as loaded
    Boxes boxes;
    int walks = 0;
};

inline Loaded load_bytes(const std::string& bytes, const LoadOptions& options = test_options(),
                         std::deque<int> answers = {}) {
    TestAsker asker;
    asker.answers = std::move(answers);
    LoadResult r = load_board(bytes, options, asker);
    Loaded out;
    if (!board_read(r.status))
        if (const auto box = status_box(r.status, options.language)) asker.record(*box);
    out.board = std::move(r.board);
    out.status = r.status;
    out.outcome.result = board_read(r.status) ? 1 : 0;
    out.outcome.code = r.status.code;
    out.outcome.set_title = !r.board_title.empty();
    out.outcome.board_title = r.board_title;
    out.outcome.show_bom_button = r.show_bom_button;
    out.boxes = std::move(asker.boxes);
    out.walks = asker.walks;
    return out;
}

// A board of tests/boards loaded with both sides shown.
inline Loaded load_own(const wchar_t* name) {
    return load_bytes(TempFolder::read(own_board(name)), test_options(true, true, true));
}

inline std::string board_file(const std::string& board_body) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<!DOCTYPE eagle SYSTEM \"eagle.dtd\">\n"
           "<eagle version=\"7.2.0\"><drawing><board>" +
           board_body + "</board></drawing></eagle>";
}

inline TokenList tokens_of(const std::string& board_body) {
    TokenList tokens;
    const TokeniseResult r = tokenise_bytes(board_file(board_body), &open_platform_xml_reader, tokens);
    EXPECT_EQ(r.status.code, LoadCode::ok) << board_body;
    return tokens;
}

// A board body loaded with options; answers as for load_bytes.
inline Loaded parse_snippet(const std::string& board_body, const LoadOptions& options = test_options(),
                            std::deque<int> answers = {}) {
    return load_bytes(board_file(board_body), options, std::move(answers));
}

// A library "lib" with one package of the given name and children.
inline std::string library_with(const std::string& package, const std::string& children,
                                const std::string& library = "lib") {
    return "<library name=\"" + library + "\"><packages><package name=\"" + package + "\">" +
           children + "</package></packages></library>";
}

}  // namespace tindral::test
