#pragma once
// Renders rows of cell texts as aligned text or JSON, in UTF-8 (CSV is the lists' own).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lists/export_table.h"

namespace tindral::cli {

using ::tindral::append_csv_field;
using ::tindral::csv_field;
using ::tindral::Table;
using ::tindral::TextSink;
using ::tindral::write_csv;

// Header, rows; lines_before and lines_after frame the table (the date or counter line).
// The text is handed on in pieces, in order.
void write_text(const Table& table, const std::vector<std::wstring>& lines_before,
                const std::vector<std::wstring>& lines_after, const TextSink& write);
void write_json(const Table& table, const TextSink& write);

// A JSON string literal with its quotes.
std::string json_string(const std::wstring& cell);
void append_json_string(std::string& out, std::string_view utf8_cell);
// Whether a cell is a number in JSON's grammar.
bool is_json_number(std::string_view cell);

}  // namespace tindral::cli
