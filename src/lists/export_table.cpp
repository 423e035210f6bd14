#include "lists/export_table.h"

#include <new>

#include "board/utf8.h"
#include "lists/list_columns.h"
#include "lists/list_rows.h"
#include "text/lang.h"

namespace tindral {

namespace {

const wchar_t* const kListKeys[kListColumnCount] = {
    L"name", L"library", L"package", L"value", L"x", L"y",
    L"rotation", L"side", L"amount", L"group", L"index"};

// The BOM's columns are the main list's library, package, value and amount.
const int kBomTitleColumns[kBomColumnCount] = {kColLibrary, kColPackage, kColValue, kColAmount};
const wchar_t* const kBomKeys[kBomColumnCount] = {L"library", L"package", L"value", L"amount"};

}  // namespace

void Table::end_cell() {
    // No board the program reads comes near; past it the table could not be held anyway.
    if (cell_text.size() > UINT32_MAX) throw std::bad_alloc();
    cell_end.push_back(static_cast<uint32_t>(cell_text.size()));
}

void Table::add_cell(const std::wstring& text) {
    append_wide_as_utf8(cell_text, text);
    end_cell();
}

Table list_table(const BoardModel& board, const std::vector<size_t>& rows) {
    Table t;
    for (int c = 0; c < kListColumnCount; ++c) {
        t.keys.push_back(kListKeys[c]);
        t.titles.push_back(text(kMainListColumns[c].title));
        t.number.push_back(is_number_column(c));
    }
    t.cell_end.reserve(rows.size() * kListColumnCount);
    // The text's room from the first rows' length: grown by doubling, the old and the new text
    // would be held together at the end, a third more than the whole text at 50 000 rows.
    constexpr size_t kSampleRows = 256;
    size_t done = 0;
    for (size_t r : rows) {
        if (r >= board.elements.size()) continue;
        for (int c = 0; c < kListColumnCount; ++c) {
            append_list_cell_utf8(t.cell_text, board.elements[r], r, c);
            t.end_cell();
        }
        if (++done == kSampleRows && rows.size() > kSampleRows)
            t.cell_text.reserve(t.cell_text.size() / kSampleRows * rows.size() / 8 * 9 + 64);
    }
    return t;
}

Table bom_table(const std::vector<BomRow>& rows) {
    Table t;
    for (int c = 0; c < kBomColumnCount; ++c) {
        t.keys.push_back(kBomKeys[c]);
        t.titles.push_back(text(kMainListColumns[kBomTitleColumns[c]].title));
        t.number.push_back(c == 3);
    }
    t.cell_end.reserve(rows.size() * kBomColumnCount);
    for (const BomRow& row : rows)
        for (int c = 0; c < kBomColumnCount; ++c) t.add_cell(bom_cell(row, c));
    return t;
}

void append_csv_field(std::string& out, std::string_view s) {
    if (s.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += s;
        return;
    }
    out += '"';
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

std::string csv_field(const std::wstring& cell) {
    std::string out;
    append_csv_field(out, wide_to_utf8(cell));
    return out;
}

void write_csv(const Table& t, const TextSink& write) {
    PieceWriter pieces(write);
    std::string& out = pieces.text();
    for (size_t c = 0; c < t.keys.size(); ++c) {
        if (c) out += ',';
        append_csv_field(out, wide_to_utf8(t.keys[c]));
    }
    out += "\r\n";
    const size_t columns = t.titles.size();
    for (size_t r = 0; r < t.row_count(); ++r) {
        for (size_t c = 0; c < columns; ++c) {
            if (c) out += ',';
            append_csv_field(out, t.cell(r, c));
        }
        out += "\r\n";
        pieces.line_done();
    }
    pieces.finish();
}

}  // namespace tindral
