// Arbitrary file bytes through the tokeniser and the libxml2 reader.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "board/tokenise.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tindral::TokenList tokens;
    tindral::tokenise_bytes(std::string_view(reinterpret_cast<const char*>(data), size),
                            &tindral::open_platform_xml_reader, tokens);
    return 0;
}
