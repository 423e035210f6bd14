#include "cli/cli_args.h"

#include "cli/cli_load.h"

namespace tindral::cli {

bool read_cli_args(const std::vector<std::wstring>& args, size_t first,
                   std::vector<std::wstring>& positional, std::wstring& error,
                   const OptionFn& on_option) {
    bool options_done = false;
    for (size_t i = first; i < args.size(); ++i) {
        const std::wstring& a = args[i];
        if (options_done || a.empty() || a[0] != L'-' || a == L"-") {
            positional.push_back(a);
            continue;
        }
        if (a == L"--") {  // a board whose name starts with "-" follows
            options_done = true;
            continue;
        }
        std::wstring name = a, value;
        bool has_value = false;
        if (const size_t eq = a.find(L'='); a.rfind(L"--", 0) == 0 && eq != std::wstring::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
            has_value = true;
        }
        const TakeValue take_value = [&](std::wstring& out) {
            if (!has_value) {
                if (i + 1 >= args.size()) {
                    error = name + L" needs a value";
                    return false;
                }
                value = args[++i];
            }
            out = value;
            return true;
        };
        if (!on_option(a, name, take_value)) return false;
    }
    return true;
}

bool parse_decimal(const std::wstring& s, size_t max_digits, int32_t& out) {
    if (s.empty() || s.size() > max_digits) return false;
    int32_t v = 0;
    for (wchar_t c : s) {
        if (c < L'0' || c > L'9') return false;
        v = v * 10 + (c - L'0');
    }
    out = v;
    return true;
}

bool parse_side_word(const std::wstring& value, SideChoice& out, std::wstring& error) {
    if (value == L"both") out = SideChoice::both;
    else if (value == L"top") out = SideChoice::top;
    else if (value == L"bottom") out = SideChoice::bottom;
    else {
        error = L"unknown side \"" + value + L"\" (top, bottom or both)";
        return false;
    }
    return true;
}

bool one_board(const std::vector<std::wstring>& positional, size_t first, std::wstring& board,
               std::wstring& error) {
    if (positional.size() <= first) {
        error = L"missing board file";
        return false;
    }
    if (positional.size() > first + 1) {
        error = L"one board file only";
        return false;
    }
    board = positional[first];
    return true;
}

bool answer_help_or_version(bool help, bool version, std::FILE* out) {
    if (help)
        write_bytes(out, cli_help_text());
    else if (version)
        write_bytes(out, cli_version_line());
    return help || version;
}

bool take_common_switch(const std::wstring& name, bool& help, bool& version, bool& strict) {
    if (name == L"--help" || name == L"-h") help = true;
    else if (name == L"--version") version = true;
    else if (name == L"--strict") strict = true;
    else return false;
    return true;
}

bool parse_language_word(const std::wstring& value, unsigned& language, std::wstring& error) {
    if (value == L"de") language = 0;
    else if (value == L"en") language = 1;
    else {
        error = L"unknown language \"" + value + L"\" (de or en)";
        return false;
    }
    return true;
}

}  // namespace tindral::cli
