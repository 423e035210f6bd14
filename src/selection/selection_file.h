#pragma once
// The file operations of the selection file, done by the platform layer.

#include <cstdint>
#include <string>

namespace tindral {

enum class SelectionWriteStatus { ok, create_failed, write_failed, replace_failed };

struct SelectionWriteResult {
    SelectionWriteStatus status = SelectionWriteStatus::ok;
    uint32_t error = 0;  // GetLastError() or errno of the failed call
};

bool selection_file_exists(const std::wstring& path);

// Writes bytes to temp_path, then moves it over path (which is read-only between uses) and
// marks the result read-only and hidden. On any failure path keeps its previous content and
// temp_path is gone.
SelectionWriteResult write_selection_file(const std::wstring& path, const std::wstring& temp_path,
                                          const std::string& bytes);

}  // namespace tindral
