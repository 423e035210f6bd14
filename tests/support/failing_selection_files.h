#pragma once
// The selection file operations with faults put in on purpose: a write that fails as a full disk
// or a refused folder does (leaving the target as it was, as the platform's write promises), and
// a file that disappears right after the program saw it.

#include <filesystem>
#include <optional>
#include <string>

#include "selection/selection_file.h"

namespace tindral::test {

// Error codes as Windows gives them; the recording port shows any code as "system text N".
constexpr uint32_t kErrorPathNotFound = 3;
constexpr uint32_t kErrorAccessDenied = 5;
constexpr uint32_t kErrorDiskFull = 112;

class FailingSelectionFiles : public PlatformSelectionFiles {
public:
    FailingSelectionFiles() { previous_ = set_selection_files(this); }
    ~FailingSelectionFiles() override { set_selection_files(previous_); }
    FailingSelectionFiles(const FailingSelectionFiles&) = delete;
    FailingSelectionFiles& operator=(const FailingSelectionFiles&) = delete;

    bool exists(const std::wstring& path) override {
        const bool there = PlatformSelectionFiles::exists(path);
        if (there && vanish_after_check) {
            std::error_code ec;
            std::filesystem::permissions(std::filesystem::path(path),
                                         std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ec);
            std::filesystem::remove(std::filesystem::path(path), ec);
        }
        return there;
    }

    SelectionWriteResult write(const std::wstring& path, const std::wstring& temp_path,
                               const std::string& bytes) override {
        ++writes;
        if (write_fault) return *write_fault;
        return PlatformSelectionFiles::write(path, temp_path, bytes);
    }

    std::optional<SelectionWriteResult> write_fault;  // every write fails so, touching nothing
    bool vanish_after_check = false;  // a file found by exists() is deleted at once
    int writes = 0;

private:
    SelectionFiles* previous_ = nullptr;
};

}  // namespace tindral::test
