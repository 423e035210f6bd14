#include "text/format.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace tindral {

namespace {

struct Conversion {
    bool left = false, zero = false, plus = false, blank = false, alt = false;
    int width = -1;
    int precision = -1;
    wchar_t conv = 0;
};

class Out {
public:
    Out(wchar_t* buffer, size_t capacity) : buf_(buffer), cap_(capacity) {}
    void put(wchar_t c) {
        if (len_ + 1 < cap_) buf_[len_++] = c;
        else cut_ = true;
    }
    void put(std::wstring_view s) {
        for (wchar_t c : s) put(c);
    }
    void pad(int n, wchar_t c) {
        for (int k = 0; k < n; ++k) put(c);
    }
    void finish() {
        if (cap_ > 0) buf_[len_] = L'\0';
    }
    bool cut() const { return cut_; }
    size_t size() const { return len_; }

private:
    wchar_t* buf_;
    size_t cap_;
    size_t len_ = 0;
    bool cut_ = false;
};

std::wstring widen_ascii(std::string_view s) { return std::wstring(s.begin(), s.end()); }

// Places sign/prefix, zero padding and blanks around the digits of a number.
void emit_number(Out& out, const Conversion& sp, std::wstring_view prefix, std::wstring_view digits,
                 bool zero_pad_allowed) {
    const int body = static_cast<int>(prefix.size() + digits.size());
    const int fill = sp.width > body ? sp.width - body : 0;
    if (sp.left) {
        out.put(prefix);
        out.put(digits);
        out.pad(fill, L' ');
    } else if (sp.zero && zero_pad_allowed) {
        out.put(prefix);
        out.pad(fill, L'0');
        out.put(digits);
    } else {
        out.pad(fill, L' ');
        out.put(prefix);
        out.put(digits);
    }
}

void emit_integer(Out& out, const Conversion& sp, const FormatArg& a) {
    const bool is_signed_conv = sp.conv == L'd' || sp.conv == L'i';
    bool negative = false;
    uint64_t magnitude = 0;
    if (a.kind == FormatArg::Kind::signed_int) {
        if (is_signed_conv) {
            negative = a.i < 0;
            magnitude = negative ? 0 - static_cast<uint64_t>(a.i) : static_cast<uint64_t>(a.i);
        } else {
            magnitude = static_cast<uint64_t>(a.i);
            if (a.bits < 64) magnitude &= (uint64_t{1} << a.bits) - 1;
        }
    } else if (a.kind == FormatArg::Kind::floating) {
        const double t = std::trunc(a.d);
        negative = is_signed_conv && t < 0;
        magnitude = static_cast<uint64_t>(negative ? -t : t);
    } else {
        magnitude = a.u;
    }
    const int base = sp.conv == L'x' || sp.conv == L'X' ? 16 : sp.conv == L'o' ? 8 : 10;
    char tmp[70];
    auto res = std::to_chars(tmp, tmp + sizeof tmp, magnitude, base);
    std::string digits(tmp, res.ptr);
    if (sp.conv == L'X')
        for (char& c : digits) c = static_cast<char>(c >= 'a' && c <= 'f' ? c - 32 : c);
    if (sp.precision >= 0) {
        if (sp.precision == 0 && magnitude == 0) digits.clear();
        if (static_cast<int>(digits.size()) < sp.precision)
            digits.insert(0, static_cast<size_t>(sp.precision) - digits.size(), '0');
    }
    std::wstring prefix;
    if (is_signed_conv) {
        if (negative) prefix = L"-";
        else if (sp.plus) prefix = L"+";
        else if (sp.blank) prefix = L" ";
    }
    if (sp.alt && magnitude != 0) {
        if (base == 16) prefix += sp.conv == L'X' ? L"0X" : L"0x";
        if (base == 8 && (digits.empty() || digits[0] != '0')) digits = "0" + digits;
    }
    emit_number(out, sp, prefix, widen_ascii(digits), sp.precision < 0);
}

void emit_floating(Out& out, const Conversion& sp, const FormatArg& a) {
    double v = a.kind == FormatArg::Kind::floating ? a.d
               : a.kind == FormatArg::Kind::signed_int ? static_cast<double>(a.i)
                                                        : static_cast<double>(a.u);
    const bool negative = std::signbit(v);
    if (negative) v = -v;
    std::wstring prefix = negative ? L"-" : sp.plus ? L"+" : sp.blank ? L" " : L"";
    const bool upper = sp.conv == L'F' || sp.conv == L'E' || sp.conv == L'G';
    if (!std::isfinite(v)) {
        std::wstring s = std::isnan(v) ? L"nan" : L"inf";
        if (upper)
            for (wchar_t& c : s) c = static_cast<wchar_t>(c - 32);
        emit_number(out, sp, prefix, s, false);
        return;
    }
    const int precision = sp.precision < 0 ? 6 : sp.precision;
    char tmp[400];
    std::to_chars_result res{};
    const wchar_t lower = static_cast<wchar_t>(upper ? sp.conv + 32 : sp.conv);
    if (lower == L'f') {
        res = std::to_chars(tmp, tmp + sizeof tmp, v, std::chars_format::fixed, precision);
    } else if (lower == L'e') {
        res = std::to_chars(tmp, tmp + sizeof tmp, v, std::chars_format::scientific, precision);
    } else {
        res = std::to_chars(tmp, tmp + sizeof tmp, v, std::chars_format::general,
                            precision == 0 ? 1 : precision);
    }
    if (res.ec != std::errc()) {
        emit_number(out, sp, prefix, L"?", false);
        return;
    }
    std::string digits(tmp, res.ptr);
    // printf writes at least two exponent digits ("1e+05"); to_chars already does.
    if (sp.alt && lower == L'f' && precision == 0) digits += '.';
    if (upper)
        for (char& c : digits) c = static_cast<char>(c == 'e' ? 'E' : c);
    emit_number(out, sp, prefix, widen_ascii(digits), true);
}

void emit_string(Out& out, const Conversion& sp, const wchar_t* s) {
    std::wstring_view text = s ? std::wstring_view(s) : std::wstring_view(L"(null)");
    if (sp.precision >= 0 && text.size() > static_cast<size_t>(sp.precision))
        text = text.substr(0, static_cast<size_t>(sp.precision));
    const int fill = sp.width > static_cast<int>(text.size()) ? sp.width - static_cast<int>(text.size()) : 0;
    if (!sp.left) out.pad(fill, L' ');
    out.put(text);
    if (sp.left) out.pad(fill, L' ');
}

int read_number(const wchar_t*& p) {
    int n = 0;
    while (*p >= L'0' && *p <= L'9') {
        if (n < 100000) n = n * 10 + (*p - L'0');
        ++p;
    }
    return n;
}

}  // namespace

int format_args(wchar_t* buffer, size_t capacity, const wchar_t* fmt, const FormatArg* args,
                size_t arg_count) {
    if (buffer == nullptr || capacity == 0) return -1;
    Out out(buffer, capacity);
    size_t next = 0;
    bool bad = fmt == nullptr;
    for (const wchar_t* p = fmt; !bad && *p; ++p) {
        if (*p != L'%') {
            out.put(*p);
            continue;
        }
        ++p;
        if (*p == L'%') {
            out.put(L'%');
            continue;
        }
        Conversion sp;
        for (;; ++p) {
            if (*p == L'-') sp.left = true;
            else if (*p == L'0') sp.zero = true;
            else if (*p == L'+') sp.plus = true;
            else if (*p == L' ') sp.blank = true;
            else if (*p == L'#') sp.alt = true;
            else break;
        }
        sp.width = (*p >= L'0' && *p <= L'9') ? read_number(p) : -1;
        if (*p == L'.') {
            ++p;
            sp.precision = read_number(p);
        }
        // Length modifiers: the argument's type already tells its width.
        while (*p == L'h' || *p == L'l' || *p == L'L' || *p == L'z' || *p == L'j' || *p == L't' ||
               *p == L'w') {
            ++p;
        }
        if (*p == L'I') {
            ++p;
            if ((p[0] == L'6' && p[1] == L'4') || (p[0] == L'3' && p[1] == L'2')) p += 2;
        }
        sp.conv = *p;
        if (sp.conv == 0 || next >= arg_count) {
            bad = true;
            break;
        }
        const FormatArg& a = args[next++];
        switch (sp.conv) {
            case L'd': case L'i': case L'u': case L'x': case L'X': case L'o':
                if (a.kind == FormatArg::Kind::wide_string) bad = true;
                else emit_integer(out, sp, a);
                break;
            case L'f': case L'F': case L'e': case L'E': case L'g': case L'G':
                if (a.kind == FormatArg::Kind::wide_string) bad = true;
                else emit_floating(out, sp, a);
                break;
            case L's': case L'S':
                if (a.kind != FormatArg::Kind::wide_string) bad = true;
                else emit_string(out, sp, a.s);
                break;
            case L'c': case L'C': {
                if (a.kind == FormatArg::Kind::wide_string) {
                    bad = true;
                    break;
                }
                const wchar_t ch[2] = {static_cast<wchar_t>(a.kind == FormatArg::Kind::signed_int ? a.i : static_cast<int64_t>(a.u)), 0};
                Conversion s2 = sp;
                s2.precision = -1;
                emit_string(out, s2, ch);
                break;
            }
            default:
                bad = true;
        }
    }
    if (bad) {
        buffer[0] = L'\0';
        return -1;
    }
    out.finish();
    return out.cut() ? -1 : static_cast<int>(out.size());
}

}  // namespace tindral
