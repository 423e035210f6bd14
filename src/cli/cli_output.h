#pragma once
// Renders rows of cell texts as aligned text, CSV (RFC 4180) or JSON, in UTF-8.

#include <string>
#include <vector>

namespace tindral::cli {

struct Table {
    std::vector<std::wstring> keys;    // CSV header and JSON names
    std::vector<std::wstring> titles;  // text header, in the chosen language
    std::vector<bool> number;          // right-aligned in text, a JSON number when it is one
    std::vector<std::vector<std::wstring>> rows;
};

// Header, rows; lines_before and lines_after frame the table (the date or counter line).
std::string render_text(const Table& table, const std::vector<std::wstring>& lines_before,
                        const std::vector<std::wstring>& lines_after);
std::string render_csv(const Table& table);
std::string render_json(const Table& table);

// A CSV field: quoted when it holds a comma, a quote, CR or LF; quotes doubled.
std::string csv_field(const std::wstring& cell);
// A JSON string literal with its quotes.
std::string json_string(const std::wstring& cell);
// Whether a cell is a number in JSON's grammar.
bool is_json_number(const std::wstring& cell);

}  // namespace tindral::cli
