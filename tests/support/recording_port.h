#pragma once
// A message port for tests: records every box and answers from a script.

#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "text/messages.h"

namespace tindral::test {

struct ShownBox {
    Owner owner;
    std::wstring text;
    std::wstring title;
    unsigned flags;
    bool operator==(const ShownBox&) const = default;
};
using Boxes = std::vector<ShownBox>;

// A failed compare of boxes names every field; flags in hex as the flag constants are written.
inline void PrintTo(const ShownBox& b, std::ostream* os) {
    *os << "{owner " << static_cast<int>(b.owner) << ", " << ::testing::PrintToString(b.text) << ", "
        << ::testing::PrintToString(b.title) << ", 0x" << std::hex << b.flags << std::dec << "}";
}

class RecordingPort : public MessagePort {
public:
    RecordingPort() { previous_ = set_message_port(this); }
    ~RecordingPort() override { set_message_port(previous_); }
    RecordingPort(const RecordingPort&) = delete;
    RecordingPort& operator=(const RecordingPort&) = delete;

    int show(Owner owner, const std::wstring& text, const std::wstring& title,
             unsigned flags) override {
        boxes.push_back({owner, text, title, flags});
        if (!answers.empty()) {
            const int a = answers.front();
            answers.pop_front();
            return a;
        }
        const unsigned buttons = flags & 0xF;
        return buttons == mb::yes_no || buttons == mb::yes_no_cancel ? mb::id_yes : mb::id_ok;
    }
    std::wstring system_error_text(uint32_t code) override {
        return L"system text " + std::to_wstring(code);
    }

    std::vector<ShownBox> boxes;
    std::deque<int> answers;  // answers for the next boxes; then OK / Yes

private:
    MessagePort* previous_ = nullptr;
};

}  // namespace tindral::test
