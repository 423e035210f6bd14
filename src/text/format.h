#pragma once
// One bounded formatter for every composed text. It is our own, so that the native build and
// the MinGW build give the same characters for the same format (glibc and msvcrt disagree on
// %s with wide arguments, on %ls, and on long's width).
//
// Conversions: d i u x X o c s f F e E g G %, with the flags - 0 + blank #, width and
// precision. Length modifiers (h l ll z I64 ...) are accepted and ignored: an argument's own
// C++ type decides its width, so a negative int shown with %x prints its 32 bits. %s, %ls and
// %S all take a wide string.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace tindral {

struct FormatArg {
    enum class Kind { signed_int, unsigned_int, floating, wide_string, wide_char } kind;
    int64_t i = 0;
    uint64_t u = 0;
    double d = 0;
    const wchar_t* s = nullptr;
    int bits = 32;  // width of an integer argument, for %x and %u of negative values

    template <class T>
    static FormatArg of(const T& v) {
        FormatArg a{};
        if constexpr (std::is_same_v<T, wchar_t>) {
            a.kind = Kind::wide_char;
            a.u = static_cast<uint64_t>(v);
        } else if constexpr (std::is_same_v<T, bool>) {
            a.kind = Kind::signed_int;
            a.i = v ? 1 : 0;
        } else if constexpr (std::is_enum_v<T>) {
            return of(static_cast<std::underlying_type_t<T>>(v));
        } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
            a.kind = Kind::signed_int;
            a.i = v;
            a.bits = static_cast<int>(sizeof(T) * 8);
        } else if constexpr (std::is_integral_v<T>) {
            a.kind = Kind::unsigned_int;
            a.u = v;
            a.bits = static_cast<int>(sizeof(T) * 8);
        } else if constexpr (std::is_floating_point_v<T>) {
            a.kind = Kind::floating;
            a.d = static_cast<double>(v);
        } else if constexpr (std::is_same_v<T, std::wstring>) {
            a.kind = Kind::wide_string;
            a.s = v.c_str();
        } else if constexpr (std::is_convertible_v<T, const wchar_t*>) {
            a.kind = Kind::wide_string;
            a.s = v;
        } else {
            static_assert(sizeof(T) == 0, "unsupported format argument type");
        }
        return a;
    }
};

// Writes at most capacity - 1 characters and a terminating NUL into buffer. Returns the number
// of characters written, or -1 when the format is invalid, an argument is missing, or the
// result had to be cut at the capacity (the buffer then holds the cut text).
int format_args(wchar_t* buffer, size_t capacity, const wchar_t* format, const FormatArg* args,
                size_t arg_count);

template <class... A>
int format(wchar_t* buffer, size_t capacity, const wchar_t* fmt, const A&... args) {
    const FormatArg list[sizeof...(A) + 1] = {FormatArg::of(args)..., FormatArg{}};
    return format_args(buffer, capacity, fmt, list, sizeof...(A));
}

// The same, into a string of at most capacity - 1 characters (the program's fixed buffers).
template <class... A>
std::wstring format_text(size_t capacity, const wchar_t* fmt, const A&... args) {
    std::wstring out(capacity, L'\0');
    const FormatArg list[sizeof...(A) + 1] = {FormatArg::of(args)..., FormatArg{}};
    format_args(out.data(), capacity, fmt, list, sizeof...(A));
    out.resize(std::wstring_view(out.c_str()).size());
    return out;
}

}  // namespace tindral
