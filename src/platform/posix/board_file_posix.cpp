#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "board/board_file.h"
#include "board/utf8.h"

namespace tindral {

FileReadResult read_whole_file(const std::wstring& path, std::string& bytes, size_t max_bytes) {
    bytes.clear();
    const int fd = ::open(path_bytes(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {FileReadStatus::open_failed, static_cast<uint32_t>(errno)};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const uint32_t err = S_ISDIR(st.st_mode) ? EISDIR : static_cast<uint32_t>(errno);
        ::close(fd);
        return {FileReadStatus::open_failed, err};
    }
    if (st.st_size > 0 && static_cast<uint64_t>(st.st_size) > max_bytes) {
        ::close(fd);
        return {FileReadStatus::too_large, EFBIG};
    }
    // The size is a hint only: read until the end, however long the file turns out to be, but
    // no further than the bound (a device such as /dev/zero never ends).
    bytes.reserve(st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0);
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const uint32_t err = static_cast<uint32_t>(errno);
            ::close(fd);
            bytes.clear();
            return {FileReadStatus::read_failed, err};
        }
        if (static_cast<size_t>(n) > max_bytes - bytes.size()) {
            ::close(fd);
            std::string().swap(bytes);
            return {FileReadStatus::too_large, EFBIG};
        }
        bytes.append(chunk, static_cast<size_t>(n));
    }
    ::close(fd);
    return {};
}

FileReadResult read_file_start(const std::wstring& path, size_t max_bytes, std::string& bytes) {
    bytes.assign(max_bytes, '\0');
    const int fd = ::open(path_bytes(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        bytes.clear();
        return {FileReadStatus::open_failed, static_cast<uint32_t>(errno)};
    }
    size_t done = 0;
    while (done < max_bytes) {
        const ssize_t n = ::read(fd, bytes.data() + done, max_bytes - done);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const uint32_t err = static_cast<uint32_t>(errno);  // EISDIR for a folder
            ::close(fd);
            bytes.clear();
            return {FileReadStatus::read_failed, err};
        }
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.resize(done);
    return {};
}

}  // namespace tindral
