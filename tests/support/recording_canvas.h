#pragma once
// A canvas for tests: keeps every drawing call with the pen it was made in.

#include <cstdint>
#include <string>
#include <vector>

#include "view/canvas.h"

namespace tindral::test {

enum class CallKind { move_to, line_to, ellipse, arc, text, filled_ellipse };

struct DrawCall {
    CallKind kind;
    Pen pen;
    std::vector<int32_t> args;  // in the order of the canvas call
    std::wstring text;
};

class RecordingCanvas : public Canvas {
public:
    Pen select_pen(const Pen& pen) override {
        const Pen previous = pen_;
        pen_ = pen;
        return previous;
    }
    void move_to(int32_t x, int32_t y) override { add(CallKind::move_to, {x, y}); }
    void line_to(int32_t x, int32_t y) override { add(CallKind::line_to, {x, y}); }
    void ellipse(int32_t l, int32_t t, int32_t r, int32_t b) override {
        add(CallKind::ellipse, {l, t, r, b});
    }
    void filled_ellipse(int32_t l, int32_t t, int32_t r, int32_t b) override {
        add(CallKind::filled_ellipse, {l, t, r, b});
    }
    void arc(int32_t l, int32_t t, int32_t r, int32_t b, int32_t xs, int32_t ys, int32_t xe,
             int32_t ye) override {
        add(CallKind::arc, {l, t, r, b, xs, ys, xe, ye});
    }
    void text_out(int32_t x, int32_t y, const std::wstring& s) override {
        add(CallKind::text, {x, y});
        calls.back().text = s;
    }

    size_t count(CallKind k) const {
        size_t n = 0;
        for (const DrawCall& c : calls) n += c.kind == k;
        return n;
    }
    std::vector<DrawCall> of(CallKind k) const {
        std::vector<DrawCall> out;
        for (const DrawCall& c : calls)
            if (c.kind == k) out.push_back(c);
        return out;
    }
    Pen pen() const { return pen_; }

    std::vector<DrawCall> calls;

private:
    void add(CallKind k, std::vector<int32_t> args) { calls.push_back({k, pen_, std::move(args), {}}); }
    Pen pen_;
};

}  // namespace tindral::test
