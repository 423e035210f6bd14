#pragma once
// How tindral-cli hears a board load: every box becomes one line on stderr, and nothing is
// asked. Unexpected-item questions are answered Yes (skip and go on), or No under --strict,
// which also stops at a damaged file.

#include <cstdio>
#include <string>

#include "board/load_types.h"

namespace tindral::cli {

class CliAsker : public LoadAsker {
public:
    CliAsker(std::wstring board, bool strict, std::FILE* err);

    bool go_on_after(const LoadStatus& warning, const LoadMessage& box) override;
    bool go_on_after_unexpected(const LoadMessage& question) override;

    // "title: text" of a box as one line.
    void report(const LoadMessage& box);
    // Writes "tindral-cli: BOARD: text" as one line.
    void report(const std::wstring& text);
    // One line for the unexpected items past the first kShownUnexpected, when there were any.
    void report_unshown();

    // A file of millions of unknown items would otherwise spend minutes writing stderr.
    static constexpr int kShownUnexpected = 100;

    int lines = 0;         // lines written so far
    int unexpected = 0;    // unexpected-item questions met

private:
    std::wstring board_;
    bool strict_;
    std::FILE* err_;
};

// Line breaks and tabs of a message become single blanks; the ends are trimmed.
std::wstring one_line(const std::wstring& text);

}  // namespace tindral::cli
