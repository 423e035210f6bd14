#include "board/header_check.h"

#include <cstring>

#include "board/board_archive.h"
#include "board/kicad_reader.h"
#include "text/messages.h"

namespace tindral {

int eagle_header_ok(const std::string& bytes) {
    static constexpr char kDeclaration[] = "<?xml version";
    static constexpr char kDoctype[] = "<!DOCTYPE eagle SYSTEM \"eagle.dtd\">";
    if (is_zip_archive(bytes) || is_kicad_board(bytes) || is_legacy_kicad_board(bytes)) return 1;
    const std::string head = bytes.substr(0, kHeaderCheckBytes);
    if (head.compare(0, std::strlen(kDeclaration), kDeclaration) != 0) return 0;
    const size_t line_end = head.find_first_of("\r\n");
    if (line_end == std::string::npos) return 0;
    const size_t next = head.find_first_not_of("\r\n", line_end);
    if (next == std::string::npos) return 0;
    return head.compare(next, std::strlen(kDoctype), kDoctype) == 0 ? 1 : 0;
}

int is_eagle_version_ok(const std::wstring& path, FileStartReader read_start) {
    std::string bytes;
    const FileReadResult r = read_start(path, kHeaderCheckBytes, bytes);
    constexpr unsigned kFlags = mb::task_modal | mb::icon_information;
    if (r.status == FileReadStatus::open_failed) {
        report_system_error(L"Tindral CreateFile is_eagle_version_ok", r.error, Owner::main, kFlags);
        return -1;
    }
    if (r.status == FileReadStatus::read_failed) {
        report_system_error(L"Tindral ReadFile is_eagle_version_ok", r.error, Owner::main, kFlags);
        return -1;
    }
    return eagle_header_ok(bytes);
}

std::wstring file_name_part(const std::wstring& path) {
    // The file dialog gives backslashes; a forward slash separates folders on Windows too.
    const size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

}  // namespace tindral
