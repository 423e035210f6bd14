#pragma once
// The two tiers of board files the tests read: the repository's own boards (always there) and a
// folder of real boards beside the checkout, or named by TINDRAL_BOARDS_DIR, which a fresh clone
// does not have. Tests of the second tier skip, saying why, when it is absent.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace tindral::test {

// Paths are handed to the program as they are; under Wine a Linux path gets drive Z:.
inline std::wstring native_path(std::wstring p) {
#ifdef _WIN32
    if (!p.empty() && p[0] == L'/') p = L"Z:" + p;
    for (wchar_t& c : p)
        if (c == L'/') c = L'\\';
#endif
    return p;
}

// tests/boards of this checkout: small boards of our own.
inline std::wstring own_boards_dir() { return native_path(TINDRAL_OWN_BOARDS_DIR); }

// A board of tests/boards by file name.
inline std::wstring own_board(const wchar_t* name) { return native_path(own_boards_dir() + L"/" + name); }

// The real boards: TINDRAL_BOARDS_DIR when it is set (even when it names no folder, so a run
// can hide them), else the folder beside the checkout. Empty when there are none.
struct RealBoards {
    std::wstring dir;
    std::string why_absent;
};

// The .brd files of a folder, sorted by name.
inline std::vector<std::wstring> board_files(const std::wstring& dir) {
    std::vector<std::wstring> out;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".brd") out.push_back(native_path(it->path().wstring()));
    std::sort(out.begin(), out.end());
    return out;
}

inline RealBoards find_real_boards() {
    RealBoards r;
    std::wstring dir;
#ifdef _WIN32
    const wchar_t* env = _wgetenv(L"TINDRAL_BOARDS_DIR");
    if (env) dir = native_path(env);
#else
    const char* env = std::getenv("TINDRAL_BOARDS_DIR");
    if (env) dir = std::filesystem::path(env).wstring();
#endif
    if (!env) dir = native_path(TINDRAL_BOARDS_DIR);
    if (board_files(dir).empty()) {
        r.why_absent = std::string("no real boards in ") + std::filesystem::path(dir).string() +
                       (env ? " (TINDRAL_BOARDS_DIR)" : " (set TINDRAL_BOARDS_DIR to a folder of boards)");
        return r;
    }
    r.dir = dir;
    return r;
}

inline const RealBoards& real_boards() {
    static const RealBoards r = find_real_boards();
    return r;
}

// A real board by file name; call TINDRAL_NEED_REAL_BOARDS first.
inline std::wstring real_board(const wchar_t* name) { return native_path(real_boards().dir + L"/" + name); }

// The real boards of another format kept beside them ("-fusion": boards-fusion); empty when
// the real boards or that folder are absent.
inline std::wstring real_boards_of(const wchar_t* suffix) {
    if (real_boards().dir.empty()) return {};
    const std::wstring dir = real_boards().dir + suffix;
    std::error_code ec;
    return std::filesystem::is_directory(dir, ec) ? dir : std::wstring();
}

}  // namespace tindral::test

// Skips the running test when the real boards are absent; the reason goes in the skip message.
#define TINDRAL_NEED_REAL_BOARDS()                                                     \
    do {                                                                               \
        if (::tindral::test::real_boards().dir.empty())                                \
            GTEST_SKIP() << "real-board test: " << ::tindral::test::real_boards().why_absent; \
    } while (0)
