#include "board/board_archive.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <optional>

namespace tindral {

namespace {

constexpr uint32_t kLocalHeader = 0x04034b50;
constexpr uint32_t kCentralHeader = 0x02014b50;
constexpr uint32_t kEndRecord = 0x06054b50;
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kCentralHeaderSize = 46;
constexpr size_t kEndRecordSize = 22;
constexpr size_t kMaxCommentSize = 0xFFFF;
constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagStrongEncryption = 0x0040;
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;

// Little-endian fields at an offset; the caller has checked the bounds.
uint16_t u16(std::string_view b, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}
uint32_t u32(std::string_view b, size_t at) { return u16(b, at) | static_cast<uint32_t>(u16(b, at + 2)) << 16; }

bool fits(std::string_view b, size_t at, size_t length) {
    return at <= b.size() && length <= b.size() - at;
}

struct Member {
    std::string_view name;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint32_t crc = 0;
    uint32_t packed_size = 0;
    uint32_t size = 0;
    uint32_t local_offset = 0;
};

// The end record: the last one whose comment reaches exactly to the end of the file, as a
// comment may itself hold the signature's bytes.
std::optional<size_t> find_end_record(std::string_view b) {
    if (b.size() < kEndRecordSize) return std::nullopt;
    const size_t lowest = b.size() - kEndRecordSize - std::min(b.size() - kEndRecordSize, kMaxCommentSize);
    for (size_t at = b.size() - kEndRecordSize + 1; at-- > lowest;)
        if (u32(b, at) == kEndRecord && at + kEndRecordSize + u16(b, at + 20) == b.size()) return at;
    return std::nullopt;
}

bool ends_in_brd(std::string_view name) {
    constexpr std::string_view kEnding = ".brd";
    if (name.size() <= kEnding.size()) return false;
    const std::string_view tail = name.substr(name.size() - kEnding.size());
    return std::equal(tail.begin(), tail.end(), kEnding.begin(), [](char a, char e) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == e;
    });
}

// The board member named in the central directory: the first one, the others only counted.
ArchiveCode find_board(std::string_view b, Member& board) {
    const std::optional<size_t> end = find_end_record(b);
    if (!end) return ArchiveCode::damaged;
    const uint16_t disk = u16(b, *end + 4), directory_disk = u16(b, *end + 6);
    const uint16_t entries = u16(b, *end + 10);
    const uint32_t directory_size = u32(b, *end + 12), directory_at = u32(b, *end + 16);
    // Archives split over disks and ZIP64 ones (marked by all-ones fields) are not boards' way.
    if (disk != 0 || directory_disk != 0 || entries == 0xFFFF || directory_at == 0xFFFFFFFF)
        return ArchiveCode::damaged;
    if (!fits(b, directory_at, directory_size) || directory_at + directory_size > *end)
        return ArchiveCode::damaged;
    size_t at = directory_at;
    int boards = 0;
    for (uint16_t i = 0; i < entries; ++i) {
        if (!fits(b, at, kCentralHeaderSize) || u32(b, at) != kCentralHeader) return ArchiveCode::damaged;
        const size_t name_length = u16(b, at + 28);
        const size_t rest = name_length + u16(b, at + 30) + u16(b, at + 32);
        if (!fits(b, at + kCentralHeaderSize, rest)) return ArchiveCode::damaged;
        Member m;
        m.name = b.substr(at + kCentralHeaderSize, name_length);
        m.flags = u16(b, at + 8);
        m.method = u16(b, at + 10);
        m.crc = u32(b, at + 16);
        m.packed_size = u32(b, at + 20);
        m.size = u32(b, at + 24);
        m.local_offset = u32(b, at + 42);
        if (ends_in_brd(m.name) && ++boards == 1) board = m;
        at += kCentralHeaderSize + rest;
    }
    if (boards == 0) return ArchiveCode::no_board;
    return boards > 1 ? ArchiveCode::several_boards : ArchiveCode::ok;
}

// Raw deflate into exactly size bytes; more or fewer is damage.
bool inflate_exactly(std::string_view packed, std::string& out, size_t size) {
    out.resize(size);
    z_stream z{};
    const int init = inflateInit2(&z, -MAX_WBITS);
    if (init == Z_MEM_ERROR) throw std::bad_alloc();
    if (init != Z_OK) return false;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    z.avail_in = static_cast<uInt>(packed.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(size);
    int r = inflate(&z, Z_FINISH);
    // A stream that fills the buffer exactly reports Z_BUF_ERROR until it has seen its end:
    // one more byte of room tells a finished stream from a longer one.
    if ((r == Z_OK || r == Z_BUF_ERROR) && z.avail_out == 0) {
        Bytef probe = 0;
        z.next_out = &probe;
        z.avail_out = 1;
        r = inflate(&z, Z_FINISH);
        if (z.avail_out == 0) r = Z_DATA_ERROR;
    }
    const bool whole = r == Z_STREAM_END && z.total_out == size;
    inflateEnd(&z);
    if (r == Z_MEM_ERROR) throw std::bad_alloc();
    return whole;
}

ArchiveCode unpack(std::string_view b, const Member& m, size_t max_bytes, std::string& out) {
    if (m.flags & (kFlagEncrypted | kFlagStrongEncryption)) return ArchiveCode::encrypted;
    if (m.method != kMethodStored && m.method != kMethodDeflated) return ArchiveCode::unsupported_method;
    if (m.size > max_bytes) return ArchiveCode::too_large;
    if (!fits(b, m.local_offset, kLocalHeaderSize) || u32(b, m.local_offset) != kLocalHeader)
        return ArchiveCode::damaged;
    const size_t data_at = m.local_offset + kLocalHeaderSize + u16(b, m.local_offset + 26) +
                           u16(b, m.local_offset + 28);
    if (!fits(b, data_at, m.packed_size)) return ArchiveCode::damaged;
    const std::string_view packed = b.substr(data_at, m.packed_size);
    if (m.method == kMethodStored) {
        if (m.packed_size != m.size) return ArchiveCode::damaged;
        out.assign(packed);
    } else if (!inflate_exactly(packed, out, m.size)) {
        return ArchiveCode::damaged;
    }
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(out.data()),
                            static_cast<uInt>(out.size()));
    return crc == m.crc ? ArchiveCode::ok : ArchiveCode::damaged;
}

}  // namespace

bool is_zip_archive(std::string_view bytes) {
    return bytes.size() >= 4 && (u32(bytes, 0) == kLocalHeader || u32(bytes, 0) == kEndRecord);
}

ArchiveResult board_from_archive(std::string_view bytes, size_t max_bytes) {
    ArchiveResult result;
    try {
        Member board;
        result.code = find_board(bytes, board);
        if (result.code != ArchiveCode::ok) return result;
        result.name.assign(board.name);
        result.code = unpack(bytes, board, max_bytes, result.bytes);
    } catch (const std::bad_alloc&) {
        result.code = ArchiveCode::out_of_memory;
    }
    if (result.code != ArchiveCode::ok) std::string().swap(result.bytes);
    return result;
}

}  // namespace tindral
