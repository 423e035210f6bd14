#include <windows.h>

#include <cstdint>

#include "board/board_file.h"
#include "platform/win/owned_win.h"

namespace tindral {

FileReadResult read_whole_file(const std::wstring& path, std::string& bytes, size_t max_bytes) {
    bytes.clear();
    // A directory fails here (access denied) because backup semantics are not asked for.
    OwnedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {FileReadStatus::open_failed, GetLastError()};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return {FileReadStatus::read_failed, GetLastError()};
    if (static_cast<uint64_t>(size.QuadPart) > max_bytes)
        return {FileReadStatus::too_large, ERROR_FILE_TOO_LARGE};
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                      &got, nullptr)) {
            const DWORD err = GetLastError();
            bytes.clear();
            return {FileReadStatus::read_failed, err};
        }
        if (got == 0) break;  // the file shrank meanwhile
        done += got;
    }
    bytes.resize(done);
    return {};
}

FileReadResult read_file_start(const std::wstring& path, size_t max_bytes, std::string& bytes) {
    bytes.assign(max_bytes, '\0');
    OwnedHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD err = GetLastError();
        bytes.clear();
        return {FileReadStatus::open_failed, err};
    }
    size_t done = 0;
    while (done < max_bytes) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(max_bytes - done), &got,
                      nullptr)) {
            const DWORD err = GetLastError();
            bytes.clear();
            return {FileReadStatus::read_failed, err};
        }
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return {};
}

}  // namespace tindral
