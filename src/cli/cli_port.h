#pragma once
// The message seam of tindral-cli: every box becomes one line on stderr, and nothing is asked.
// Unexpected-item questions are answered Yes (skip and go on), or No under --strict.

#include <cstdio>
#include <string>

#include "app/messages.h"

namespace tindral::cli {

class CliPort : public MessagePort {
public:
    CliPort(std::wstring board, bool strict, std::FILE* err);
    ~CliPort() override;
    CliPort(const CliPort&) = delete;
    CliPort& operator=(const CliPort&) = delete;

    int show(Owner owner, const std::wstring& text, const std::wstring& title,
             unsigned flags) override;
    std::wstring system_error_text(uint32_t code) override;

    // Writes "tindral-cli: BOARD: text" as one line.
    void report(const std::wstring& text);
    // One line for the unexpected items past the first kShownUnexpected, when there were any.
    void report_unshown();

    // A file of millions of unknown items would otherwise spend minutes writing stderr.
    static constexpr int kShownUnexpected = 100;

    int lines = 0;         // lines written so far
    bool refused = false;  // a question was answered No
    int unexpected = 0;    // unexpected-item questions met

private:
    std::wstring board_;
    bool strict_;
    std::FILE* err_;
    MessagePort* previous_;
};

// Line breaks and tabs of a message become single blanks; the ends are trimmed.
std::wstring one_line(const std::wstring& text);

}  // namespace tindral::cli
