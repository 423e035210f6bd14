#pragma once
// The board inside a ZIP archive (the `.fbrd` of Eagle's successor): the one member whose name
// ends in ".brd", unpacked and checked. The archive's folders carry localised names, so the
// member is found by its ending alone.

#include <cstddef>
#include <string>
#include <string_view>

namespace tindral {

enum class ArchiveCode {
    ok,
    damaged,             // a record out of bounds, a bad signature, a size or checksum that is wrong
    no_board,            // no member ends in ".brd"
    several_boards,      // more than one does: which one the user meant is not ours to guess
    encrypted,           // the board member is encrypted
    unsupported_method,  // compressed otherwise than stored or deflated
    too_large,           // the board would expand past the limit
    out_of_memory,
};

struct ArchiveResult {
    ArchiveCode code = ArchiveCode::ok;
    std::string name;   // the board member's name as stored (UTF-8 in practice)
    std::string bytes;  // the board's bytes when code is ok
};

// True when bytes begin as a ZIP archive does (a local file header, or the end record of an
// empty archive).
bool is_zip_archive(std::string_view bytes);

// The board member of the archive in bytes, never more than max_bytes of it unpacked.
ArchiveResult board_from_archive(std::string_view bytes, size_t max_bytes);

}  // namespace tindral
