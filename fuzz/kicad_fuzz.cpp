// Arbitrary bytes as a KiCad board through the whole load: refused with a reason or read into a
// model whose every part has the outline it points at.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "board/load_board.h"
#include "fuzz_support.h"
#include "model/placement.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tindral;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    LoadOptions options;
    options.show_top = options.show_bottom = true;
    options.open_reader = &open_platform_xml_reader;
    fuzz::QuietAsker asker;
    const LoadResult r = load_board(bytes, options, asker);
    for (size_t i = 0; i < r.board.elements.size(); ++i)
        if (r.board.elements[i].outline_turned() && element_package(r.board, i) == nullptr) __builtin_trap();
    if (r.status.code == LoadCode::kicad_refused && !r.board.elements.empty()) __builtin_trap();
    return 0;
}
