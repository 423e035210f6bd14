#include <windows.h>

#include <cstdint>

#include "board/board_file.h"

namespace tindral {

FileReadResult read_whole_file(const std::wstring& path, std::string& bytes, size_t max_bytes) {
    bytes.clear();
    // A directory fails here (access denied) because backup semantics are not asked for.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {FileReadStatus::open_failed, GetLastError()};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) {
        const DWORD err = GetLastError();
        CloseHandle(file);
        return {FileReadStatus::read_failed, err};
    }
    if (static_cast<uint64_t>(size.QuadPart) > max_bytes) {
        CloseHandle(file);
        return {FileReadStatus::too_large, ERROR_FILE_TOO_LARGE};
    }
    try {
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (...) {
        CloseHandle(file);
        throw;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got,
                      nullptr)) {
            const DWORD err = GetLastError();
            CloseHandle(file);
            bytes.clear();
            return {FileReadStatus::read_failed, err};
        }
        if (got == 0) break;  // the file shrank meanwhile
        done += got;
    }
    bytes.resize(done);
    CloseHandle(file);
    return {};
}

FileReadResult read_file_start(const std::wstring& path, size_t max_bytes, std::string& bytes) {
    bytes.assign(max_bytes, '\0');
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        bytes.clear();
        return {FileReadStatus::open_failed, GetLastError()};
    }
    size_t done = 0;
    while (done < max_bytes) {
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + done, static_cast<DWORD>(max_bytes - done), &got,
                      nullptr)) {
            const DWORD err = GetLastError();
            CloseHandle(file);
            bytes.clear();
            return {FileReadStatus::read_failed, err};
        }
        if (got == 0) break;
        done += got;
    }
    CloseHandle(file);
    bytes.resize(done);
    return {};
}

}  // namespace tindral
