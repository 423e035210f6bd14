#pragma once
// Reads a whole board file into memory: opened for reading only and shared for reading, so a
// read-only board, or one another program has open for reading, loads.

#include <cstddef>
#include <cstdint>
#include <string>

namespace tindral {

// Ten times the largest boards we know: a bigger file is no board, and its tokens would not fit
// in memory.
constexpr size_t kMaxBoardFileMegabytes = 64;
constexpr size_t kMaxBoardFileBytes = kMaxBoardFileMegabytes << 20;

enum class FileReadStatus { ok, open_failed, read_failed, too_large };

struct FileReadResult {
    FileReadStatus status = FileReadStatus::ok;
    uint32_t error = 0;  // GetLastError() or errno of the failed call
};

// A directory is refused as a failed open; a file (or device, or pipe) that gives more than
// max_bytes as too_large, with bytes empty. Defined by the platform layer.
FileReadResult read_whole_file(const std::wstring& path, std::string& bytes,
                               size_t max_bytes = kMaxBoardFileBytes);

// The first max_bytes bytes of a file (fewer when it is shorter), opened the same way.
FileReadResult read_file_start(const std::wstring& path, size_t max_bytes, std::string& bytes);

}  // namespace tindral
