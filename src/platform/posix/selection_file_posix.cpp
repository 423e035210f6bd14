#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "board/utf8.h"
#include "selection/selection_file.h"

namespace tindral {

bool selection_file_exists(const std::wstring& path) {
    struct stat st {};
    return ::stat(wide_to_utf8(path).c_str(), &st) == 0;
}

SelectionWriteResult write_selection_file(const std::wstring& path, const std::wstring& temp_path,
                                          const std::string& bytes) {
    const std::string target = wide_to_utf8(path);
    const std::string temp = wide_to_utf8(temp_path);
    ::unlink(temp.c_str());  // a leftover of an interrupted save, read-only like any other
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return {SelectionWriteStatus::create_failed, static_cast<uint32_t>(errno)};
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const uint32_t err = n < 0 ? static_cast<uint32_t>(errno) : ENOSPC;
            ::close(fd);
            ::unlink(temp.c_str());
            return {SelectionWriteStatus::write_failed, err};
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const uint32_t err = static_cast<uint32_t>(errno);
        ::unlink(temp.c_str());
        return {SelectionWriteStatus::write_failed, err};
    }
    // Read-only between uses; hidden has no counterpart here.
    ::chmod(temp.c_str(), 0444);
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const uint32_t err = static_cast<uint32_t>(errno);
        ::unlink(temp.c_str());
        return {SelectionWriteStatus::replace_failed, err};
    }
    return {};
}

}  // namespace tindral
