#include "cli/cli_port.h"

#include "app/format.h"
#include "app/lang.h"
#include "board/utf8.h"
#include "cli/cli_error_text.h"

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

CliPort::CliPort(std::wstring board, bool strict, std::FILE* err)
    : board_(std::move(board)), strict_(strict), err_(err) {
    previous_ = set_message_port(this);
}

CliPort::~CliPort() { set_message_port(previous_); }

void CliPort::report(const std::wstring& text) {
    const std::string line = "tindral-cli: " + wide_to_utf8(board_) + ": " + wide_to_utf8(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), err_);
    std::fflush(err_);
    ++lines;
}

void CliPort::report_unshown() {
    if (unexpected > kShownUnexpected)
        report(format_text(100, text(TXT_MORE_UNEXPECTED), unexpected - kShownUnexpected));
}

int CliPort::show(Owner, const std::wstring& text, const std::wstring& title, unsigned flags) {
    const bool question = (flags & 0xF) == mb::yes_no;
    if (!question || ++unexpected <= kShownUnexpected)
        report(one_line(title) + L": " + one_line(text));
    if (question) {
        if (strict_) {
            refused = true;
            return mb::id_no;
        }
        return mb::id_yes;
    }
    return mb::id_ok;
}

std::wstring CliPort::system_error_text(uint32_t code) { return one_line(file_error_text(code)); }

}  // namespace tindral::cli
