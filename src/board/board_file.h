#pragma once
// Reads a whole board file into memory: opened for reading only and shared for reading, so a
// read-only board, or one another program has open for reading, loads.

#include <cstdint>
#include <string>

namespace tindral {

enum class FileReadStatus { ok, open_failed, read_failed };

struct FileReadResult {
    FileReadStatus status = FileReadStatus::ok;
    uint32_t error = 0;  // GetLastError() or errno of the failed call
};

// A directory is refused as a failed open. Defined by the platform layer.
FileReadResult read_whole_file(const std::wstring& path, std::string& bytes);

// The first max_bytes bytes of a file (fewer when it is shorter), opened the same way.
FileReadResult read_file_start(const std::wstring& path, size_t max_bytes, std::string& bytes);

}  // namespace tindral
