#pragma once
// The list and the BOM as a table of cells, and that table as CSV (RFC 4180, UTF-8, CR LF):
// what tindral-cli prints and what File > Export list writes, byte for byte the same.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lists/bom_rows.h"
#include "model/board_model.h"

namespace tindral {

struct Table {
    std::vector<std::wstring> keys;    // CSV header and JSON names
    std::vector<std::wstring> titles;  // text header, in the chosen language
    std::vector<bool> number;          // right-aligned in text, a JSON number when it is one
    // The cells in UTF-8, row after row, one per title, one after the other in one text: a
    // board's 50 000 rows of short texts then cost no allocation each.
    std::string cell_text;
    std::vector<uint32_t> cell_end;  // where each cell ends in cell_text (half the room of size_t)

    size_t row_count() const { return titles.empty() ? 0 : cell_end.size() / titles.size(); }
    std::string_view cell(size_t row, size_t column) const {
        const size_t i = row * titles.size() + column;
        const size_t start = i ? cell_end[i - 1] : 0;
        return std::string_view(cell_text).substr(start, cell_end[i] - start);
    }
    void add_cell(const std::wstring& text);
    // Ends the cell written into cell_text last.
    void end_cell();
};

// The main list's eleven columns for these rows (model indices), in the given order.
Table list_table(const BoardModel& board, const std::vector<size_t>& rows);
// The BOM's four columns for these rows.
Table bom_table(const std::vector<BomRow>& rows);

// Where rendered text goes, piece after piece, in order.
using TextSink = std::function<void(std::string_view)>;

// Text gathered and handed on in pieces of about 64 KB: a list of 50 000 rows need not sit
// whole in memory once more. What is left goes on at finish.
class PieceWriter {
public:
    explicit PieceWriter(const TextSink& write) : write_(write) { text_.reserve(2 * kPiece); }
    PieceWriter(const PieceWriter&) = delete;
    PieceWriter& operator=(const PieceWriter&) = delete;

    std::string& text() { return text_; }
    // Hands the text on once a piece has gathered; call where a line ends.
    void line_done() {
        if (text_.size() >= kPiece) finish();
    }
    void finish() {
        if (text_.empty()) return;
        write_(text_);
        text_.clear();
    }

private:
    static constexpr size_t kPiece = 1 << 16;
    const TextSink& write_;
    std::string text_;
};

void write_csv(const Table& table, const TextSink& write);

// A CSV field: quoted when it holds a comma, a quote, CR or LF; quotes doubled.
std::string csv_field(const std::wstring& cell);
void append_csv_field(std::string& out, std::string_view utf8_cell);

}  // namespace tindral
