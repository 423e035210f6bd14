#include "cli/cli_asker.h"

#include "board/utf8.h"
#include "text/format.h"
#include "text/lang.h"

namespace tindral::cli {

std::wstring one_line(const std::wstring& text) {
    std::wstring out;
    bool blank = false;
    for (wchar_t c : text) {
        if (c == L'\r' || c == L'\n' || c == L'\t' || c == L' ') {
            blank = true;
            continue;
        }
        if (blank && !out.empty()) out += L' ';
        blank = false;
        out += c;
    }
    return out;
}

CliAsker::CliAsker(std::wstring board, bool strict, std::FILE* err)
    : board_(std::move(board)), strict_(strict), err_(err) {}

void CliAsker::report(const std::wstring& text) {
    const std::string line = "tindral-cli: " + wide_to_utf8(board_) + ": " + wide_to_utf8(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), err_);
    std::fflush(err_);
    ++lines;
}

void CliAsker::report(const LoadMessage& box) { report(one_line(box.title) + L": " + one_line(box.text)); }

void CliAsker::report_unshown() {
    if (unexpected > kShownUnexpected)
        report(format_text(100, text(TXT_MORE_UNEXPECTED),
                           unexpected - kShownUnexpected));
}

bool CliAsker::go_on_after(const LoadStatus& warning, const LoadMessage& box) {
    report(box);
    return !(strict_ && warning.code == LoadCode::damaged);
}

bool CliAsker::go_on_after_unexpected(const LoadMessage& question) {
    if (++unexpected <= kShownUnexpected) report(question);
    return !strict_;
}

}  // namespace tindral::cli
