// Arbitrary bytes as a .fbrd archive: the board member comes out whole and within the limit,
// or not at all; nothing is read past the input.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "board/board_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tindral;
    constexpr size_t kLimit = 1 << 20;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ArchiveResult r = board_from_archive(bytes, kLimit);
    if (r.code == ArchiveCode::ok ? r.bytes.size() > kLimit : !r.bytes.empty()) __builtin_trap();
    return 0;
}
