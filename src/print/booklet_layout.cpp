#include "print/booklet_layout.h"

#include <algorithm>
#include <unordered_map>

#include "lists/bom_rows.h"
#include "lists/list_columns.h"
#include "lists/list_rows.h"
#include "text/format.h"
#include "text/lang.h"
#include "view/board_view.h"
#include "view/canvas.h"
#include "view/draw_board.h"

namespace tindral {

namespace {

// The printer's font is 5 mm tall on A4's 297 mm.
constexpr int64_t kTextPerHeight = 500;
constexpr int64_t kHeightUnits = 29700;

// Fractions of the page, in percent, where the parts of a page begin.
constexpr int32_t kMarginPercentOfWidth = 7;
constexpr int32_t kTableTopPercent = 45;

struct Layout {
    int32_t margin, row_pitch;
    int32_t title_top, drawing_top, drawing_bottom, header_top;
};

Layout layout_of(const PageFrame& f) {
    Layout l{};
    const int32_t t = std::max(f.text_height, 1);
    l.margin = f.width * kMarginPercentOfWidth / 100;
    l.row_pitch = t * 3 / 2;
    l.title_top = f.height - l.margin;
    l.drawing_top = l.title_top - 2 * t;
    l.drawing_bottom = static_cast<int32_t>(int64_t{f.height} * kTableTopPercent / 100);
    l.header_top = l.drawing_bottom - t;
    return l;
}

// Column starts as a share of the width between the margins, in percent: name, value, package,
// amount; the box to tick sits at the right margin.
constexpr int32_t kColumnPercent[4] = {0, 20, 48, 76};
constexpr int kColumnTitles[4] = {kColName, kColValue, kColPackage, kColAmount};

// Moves everything a page draws to where the page lies on the canvas, and draws what the
// board window draws in its unselected pens in grey: those are near white.
class PageCanvas : public Canvas {
public:
    PageCanvas(Canvas& target, int32_t dx, int32_t dy) : target_(target), dx_(dx), dy_(dy) {}

    Pen select_pen(const Pen& pen) override {
        const Pen previous = pen_;
        pen_ = pen;
        const bool pale = pen.role == PenRole::top_unselected || pen.role == PenRole::bottom_unselected;
        target_.select_pen(pale ? Pen{PenRole::grey, kGreyPenColour} : pen);
        return previous;
    }
    void move_to(int32_t x, int32_t y) override { target_.move_to(x + dx_, y + dy_); }
    void line_to(int32_t x, int32_t y) override { target_.line_to(x + dx_, y + dy_); }
    void ellipse(int32_t l, int32_t t, int32_t r, int32_t b) override {
        target_.ellipse(l + dx_, t + dy_, r + dx_, b + dy_);
    }
    void arc(int32_t l, int32_t t, int32_t r, int32_t b, int32_t xs, int32_t ys, int32_t xe,
             int32_t ye) override {
        target_.arc(l + dx_, t + dy_, r + dx_, b + dy_, xs + dx_, ys + dy_, xe + dx_, ye + dy_);
    }
    void filled_ellipse(int32_t l, int32_t t, int32_t r, int32_t b) override {
        target_.filled_ellipse(l + dx_, t + dy_, r + dx_, b + dy_);
    }
    void text_out(int32_t x, int32_t y, const std::wstring& s) override {
        target_.text_out(x + dx_, y + dy_, s);
    }

private:
    Canvas& target_;
    int32_t dx_, dy_;
    Pen pen_;
};

// Cut to what a column of width units holds at about half the text height a character.
std::wstring fit_cell(const std::wstring& s, int32_t width, int32_t text_height) {
    const size_t chars = static_cast<size_t>(std::max(width / std::max(text_height / 2, 1), 2));
    if (s.size() <= chars) return s;
    return s.substr(0, chars - 1) + L"\u2026";
}

void rectangle(Canvas& c, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    c.move_to(left, top);
    c.line_to(right, top);
    c.line_to(right, bottom);
    c.line_to(left, bottom);
    c.line_to(left, top);
}

void draw_drawing(Canvas& canvas, const BoardModel& b, const Settings& settings,
                  const BookletGroup& group, const PageFrame& f, const Layout& l, int32_t x,
                  int32_t y) {
    Settings s = settings;
    s.show_top_side = group.side == kSideTop;
    s.show_bottom_side = group.side == kSideBottom;
    const int32_t w = std::max(f.width - 2 * l.margin, 1);
    const int32_t h = std::max(l.drawing_top - l.drawing_bottom, 1);
    BoardView v;
    v.area_width = static_cast<uint32_t>(w);
    v.area_height = static_cast<uint32_t>(h);
    v.bottom_only = bottom_only_view(s);
    fit_view(v, b, w, h, FitKind::load);

    PageCanvas page(canvas, x + l.margin, y + l.drawing_bottom);
    const Pen kept = page.select_pen(pen_for(kSideTop, 0, s));
    draw_plain(page, b, v, s);
    std::vector<bool> in_group(b.elements.size(), false);
    for (size_t p : group.parts)
        if (p < in_group.size()) in_group[p] = true;
    ElementBox scratch;
    page.select_pen(pen_for(group.side, 0, s));
    for (size_t i = 0; i < b.elements.size(); ++i)
        if (!in_group[i]) draw_element(page, b, v, s, i, scratch);
    // The group last, so that nothing covers it.
    page.select_pen(pen_for(group.side, 1, s));
    for (size_t p : group.parts) draw_element(page, b, v, s, p, scratch);
    page.select_pen(kept);
}

}  // namespace

PageFrame booklet_frame(int32_t width, int32_t height) {
    PageFrame f;
    f.width = std::max(width, 1);
    f.height = std::max(height, 1);
    f.text_height = static_cast<int32_t>(std::max<int64_t>(int64_t{f.height} * kTextPerHeight / kHeightUnits, 1));
    return f;
}

size_t booklet_rows_per_page(const PageFrame& frame) {
    const Layout l = layout_of(frame);
    // Row k (from 0) has its top at header_top - (k + 1) * pitch and must end above the margin.
    const int32_t room = l.header_top - std::max(frame.text_height, 1) - l.margin;
    return static_cast<size_t>(std::max(room / std::max(l.row_pitch, 1), 1));
}

std::vector<BookletGroup> booklet_groups(const BoardModel& board, bool top, bool bottom) {
    const std::vector<BomRow> rows = bom_rows(board);
    // The BOM row of each package and value, found from its first component.
    std::unordered_map<std::string, size_t> row_of;
    row_of.reserve(rows.size());
    const auto key = [](const ElementRec& e) { return e.package + '\0' + e.value; };
    for (size_t r = 0; r < rows.size(); ++r) row_of.emplace(key(board.elements[rows[r].first]), r);
    std::vector<std::vector<size_t>> parts[2] = {std::vector<std::vector<size_t>>(rows.size()),
                                                 std::vector<std::vector<size_t>>(rows.size())};
    for (size_t i = 0; i < board.elements.size(); ++i) {
        const ElementRec& e = board.elements[i];
        const auto it = row_of.find(key(e));
        if (it == row_of.end()) continue;
        if (e.side == kSideTop) parts[0][it->second].push_back(i);
        else if (e.side == kSideBottom) parts[1][it->second].push_back(i);
    }
    std::vector<BookletGroup> groups;
    for (int side = 0; side < 2; ++side) {
        if (!(side == 0 ? top : bottom)) continue;
        for (std::vector<size_t>& p : parts[side])
            if (!p.empty()) groups.push_back({side == 0 ? kSideTop : kSideBottom, std::move(p)});
    }
    return groups;
}

Booklet make_booklet(const BoardModel& board, bool top, bool bottom, size_t rows_per_page) {
    Booklet b;
    b.groups = booklet_groups(board, top, bottom);
    rows_per_page = std::max<size_t>(rows_per_page, 1);
    for (size_t g = 0; g < b.groups.size(); ++g) {
        const size_t n = b.groups[g].parts.size();
        for (size_t first = 0; first < n; first += rows_per_page)
            b.pages.push_back({g, first, std::min(rows_per_page, n - first)});
    }
    return b;
}

std::wstring booklet_title(const Booklet& booklet, size_t page, const std::wstring& board_name) {
    if (page >= booklet.pages.size()) return board_name;
    const BookletPage& p = booklet.pages[page];
    const BookletGroup& g = booklet.groups[p.group];
    std::wstring title = board_name + L" - " + text(g.side == kSideBottom ? TXT_SIDE_BOTTOM : TXT_SIDE_TOP) + L" - " +
                         format_text(100, text(TXT_BOOKLET_GROUP), static_cast<int>(p.group + 1),
                                     static_cast<int>(booklet.groups.size()));
    if (p.first_row > 0) title += std::wstring(L" ") + text(TXT_BOOKLET_CONTINUED);
    return title;
}

std::vector<std::wstring> booklet_row_cells(const BoardModel& board, const Booklet& booklet,
                                            size_t page, size_t row) {
    const BookletPage& p = booklet.pages.at(page);
    const BookletGroup& g = booklet.groups.at(p.group);
    const size_t index = g.parts.at(p.first_row + row);
    const ElementRec& e = board.elements.at(index);
    std::vector<std::wstring> cells;
    for (int c = 0; c < 3; ++c) cells.push_back(list_cell(e, index, kColumnTitles[c]));
    cells.push_back(p.first_row + row == 0 ? format_text(20, L"%d", static_cast<int>(g.parts.size()))
                                           : std::wstring());
    return cells;
}

void draw_booklet_page(Canvas& canvas, const BoardModel& board, const Settings& settings,
                       const Booklet& booklet, size_t page, const PageFrame& f, int32_t x,
                       int32_t y, const std::wstring& board_name) {
    if (page >= booklet.pages.size()) return;
    const Layout l = layout_of(f);
    const int32_t t = std::max(f.text_height, 1);
    const BookletPage& p = booklet.pages[page];
    const Pen ink{PenRole::none, 0x000000};
    const Pen kept = canvas.select_pen(ink);
    canvas.text_out(x + l.margin, y + l.title_top, booklet_title(booklet, page, board_name));

    draw_drawing(canvas, board, settings, booklet.groups[p.group], f, l, x, y);

    canvas.select_pen(ink);
    const int32_t left = x + l.margin;
    const int32_t right = x + f.width - l.margin;
    const int32_t content = right - left;
    const int32_t box_left = right - t;
    const auto column_x = [&](int c) { return left + content * kColumnPercent[c] / 100; };
    const auto column_width = [&](int c) {
        return (c < 3 ? column_x(c + 1) : box_left) - column_x(c) - t / 2;
    };
    const int32_t header = y + l.header_top;
    for (int c = 0; c < 4; ++c)
        canvas.text_out(column_x(c), header, text(kMainListColumns[kColumnTitles[c]].title));
    const int32_t rule = header - t - t / 4;
    canvas.move_to(left, rule);
    canvas.line_to(right, rule);
    for (size_t r = 0; r < p.rows; ++r) {
        const int32_t top = header - static_cast<int32_t>(r + 1) * l.row_pitch;
        const std::vector<std::wstring> cells = booklet_row_cells(board, booklet, page, r);
        for (int c = 0; c < 4; ++c)
            canvas.text_out(column_x(c), top, fit_cell(cells[c], column_width(c), t));
        rectangle(canvas, box_left, top, right, top - t);
    }
    canvas.select_pen(kept);
}

}  // namespace tindral
