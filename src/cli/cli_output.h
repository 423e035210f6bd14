#pragma once
// Renders rows of cell texts as aligned text, CSV (RFC 4180) or JSON, in UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace tindral::cli {

struct Table {
    std::vector<std::wstring> keys;    // CSV header and JSON names
    std::vector<std::wstring> titles;  // text header, in the chosen language
    std::vector<bool> number;          // right-aligned in text, a JSON number when it is one
    // The cells in UTF-8, row after row, one per title, one after the other in one text: a
    // board's 50 000 rows of short texts then cost no allocation each.
    std::string cell_text;
    std::vector<size_t> cell_end;  // where each cell ends in cell_text

    size_t row_count() const { return titles.empty() ? 0 : cell_end.size() / titles.size(); }
    std::string_view cell(size_t row, size_t column) const {
        const size_t i = row * titles.size() + column;
        const size_t start = i ? cell_end[i - 1] : 0;
        return std::string_view(cell_text).substr(start, cell_end[i] - start);
    }
    void add_cell(const std::wstring& text);
};

// Header, rows; lines_before and lines_after frame the table (the date or counter line).
std::string render_text(const Table& table, const std::vector<std::wstring>& lines_before,
                        const std::vector<std::wstring>& lines_after);
std::string render_csv(const Table& table);
std::string render_json(const Table& table);

// A CSV field: quoted when it holds a comma, a quote, CR or LF; quotes doubled.
std::string csv_field(const std::wstring& cell);
void append_csv_field(std::string& out, std::string_view utf8_cell);
// A JSON string literal with its quotes.
std::string json_string(const std::wstring& cell);
void append_json_string(std::string& out, std::string_view utf8_cell);
// Whether a cell is a number in JSON's grammar.
bool is_json_number(std::string_view cell);

}  // namespace tindral::cli
