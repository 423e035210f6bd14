#include <windows.h>

#include "platform/win/owned_win.h"
#include "selection/selection_file.h"

namespace tindral {

namespace {
constexpr DWORD kProtection = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
}

bool selection_file_exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

SelectionWriteResult write_selection_file(const std::wstring& path, const std::wstring& temp_path,
                                          const std::string& bytes) {
    // A leftover of an interrupted save may carry the protection attributes.
    const DWORD leftover = GetFileAttributesW(temp_path.c_str());
    if (leftover != INVALID_FILE_ATTRIBUTES && !(leftover & FILE_ATTRIBUTE_DIRECTORY))
        SetFileAttributesW(temp_path.c_str(), FILE_ATTRIBUTE_NORMAL);

    OwnedHandle file(CreateFileW(temp_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {SelectionWriteStatus::create_failed, GetLastError()};
    size_t done = 0;
    DWORD err = 0;
    while (done < bytes.size() && err == 0) {
        DWORD put = 0;
        if (!WriteFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                       &put, nullptr))
            err = GetLastError();
        else if (put == 0)
            err = ERROR_WRITE_FAULT;
        done += put;
    }
    if (err == 0 && !FlushFileBuffers(file.get())) err = GetLastError();
    file.reset();  // closed before the temporary file is deleted or moved
    if (err != 0) {
        DeleteFileW(temp_path.c_str());
        return {SelectionWriteStatus::write_failed, err};
    }

    // The old file is read-only by design, and a read-only file cannot be replaced.
    const DWORD old = GetFileAttributesW(path.c_str());
    const bool old_file = old != INVALID_FILE_ATTRIBUTES && !(old & FILE_ATTRIBUTE_DIRECTORY);
    if (old_file && (old & kProtection)) SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!MoveFileExW(temp_path.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        err = GetLastError();
        if (old_file) SetFileAttributesW(path.c_str(), old);
        DeleteFileW(temp_path.c_str());
        return {SelectionWriteStatus::replace_failed, err};
    }
    // Hidden first: Wine run by a plain user drops the hidden flag when both come in one call.
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(path.c_str(), kProtection);
    return {};
}

}  // namespace tindral
