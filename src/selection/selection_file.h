#pragma once
// The file operations of the selection file. The platform layer does them; tests put a store
// in between that fails on purpose (disk full, access denied, a file gone between check and
// write).

#include <cstdint>
#include <string>

#include "board/board_file.h"

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

// What the selection code does with files. The core only calls through this, so it links
// without the platform layer; each program installs PlatformSelectionFiles at start.
class SelectionFiles {
public:
    virtual ~SelectionFiles() = default;
    virtual bool exists(const std::wstring& path) = 0;
    virtual FileReadResult read(const std::wstring& path, std::string& bytes) = 0;
    virtual SelectionWriteResult write(const std::wstring& path, const std::wstring& temp_path,
                                       const std::string& bytes) = 0;
};

// The platform's own file operations: the functions above and read_whole_file.
class PlatformSelectionFiles : public SelectionFiles {
public:
    bool exists(const std::wstring& path) override { return selection_file_exists(path); }
    FileReadResult read(const std::wstring& path, std::string& bytes) override {
        return read_whole_file(path, bytes);
    }
    SelectionWriteResult write(const std::wstring& path, const std::wstring& temp_path,
                               const std::string& bytes) override {
        return write_selection_file(path, temp_path, bytes);
    }
};

// Installs the file operations the selection code uses and returns the previous ones (nullptr
// when there were none). With none installed every operation fails as an open or create would,
// so a missing set-up shows as a reported failure, never as marks silently dropped.
SelectionFiles* set_selection_files(SelectionFiles* files);
SelectionFiles& selection_files();

}  // namespace tindral
