#pragma once
// For the fuzz targets: a message port and a load asker that answer every question from a plan
// and show nothing, and a canvas that only counts.

#include <cstddef>
#include <cstdint>
#include <string>

#include "board/load_types.h"
#include "selection/selection_file.h"
#include "text/messages.h"
#include "view/canvas.h"

namespace tindral::fuzz {

class QuietPort : public MessagePort {
public:
    // no_at: the n-th Yes/No question (1-based) is answered No; 0 answers every one Yes.
    explicit QuietPort(unsigned no_at = 0) : no_at_(no_at) { previous_ = set_message_port(this); }
    ~QuietPort() override { set_message_port(previous_); }
    QuietPort(const QuietPort&) = delete;
    QuietPort& operator=(const QuietPort&) = delete;

    int show(Owner, const std::wstring&, const std::wstring&, unsigned flags) override {
        if ((flags & 0xF) != mb::yes_no) return mb::id_ok;
        ++questions;
        return questions == no_at_ ? mb::id_no : mb::id_yes;
    }
    std::wstring system_error_text(uint32_t) override { return L"system"; }

    unsigned questions = 0;

private:
    unsigned no_at_;
    MessagePort* previous_ = nullptr;
};

class QuietAsker : public LoadAsker {
public:
    // no_at: the n-th question (1-based) is answered No; 0 answers every one Yes.
    explicit QuietAsker(unsigned no_at = 0) : no_at_(no_at) {}
    bool go_on_after(const LoadStatus&, const LoadMessage&) override { return true; }
    bool go_on_after_unexpected(const LoadMessage&) override { return ++questions != no_at_; }

    unsigned questions = 0;

private:
    unsigned no_at_;
};

struct CountingCanvas : Canvas {
    Pen select_pen(const Pen& pen) override {
        const Pen previous = pen_;
        pen_ = pen;
        return previous;
    }
    void move_to(int32_t, int32_t) override { ++calls; }
    void line_to(int32_t, int32_t) override { ++calls; }
    void ellipse(int32_t, int32_t, int32_t, int32_t) override { ++calls; }
    void filled_ellipse(int32_t, int32_t, int32_t, int32_t) override { ++calls; }
    void arc(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override {
        ++calls;
    }
    void text_out(int32_t, int32_t, const std::wstring&) override { ++calls; }
    size_t calls = 0;
    Pen pen_;
};

// The fuzzed selection code reads and writes real files, as the program does.
inline PlatformSelectionFiles g_platform_files;
inline const bool g_platform_files_installed = (set_selection_files(&g_platform_files), true);

}  // namespace tindral::fuzz
