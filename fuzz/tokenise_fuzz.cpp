// Arbitrary file bytes through the tokeniser and the libxml2 reader, keeping every token and
// keeping what the walk reads: the second list is the first with the contents of <signals>
// replaced by two kTokenSkipped tokens, or the same list.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "board/tokenise.h"

namespace {

bool same(const tindral::XmlToken& a, const tindral::XmlToken& b) {
    return a.kind == b.kind && a.text() == b.text();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tindral;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TokenList all, walked;
    const TokeniseResult a = tokenise_bytes(bytes, &open_platform_xml_reader, all);
    const TokeniseResult w =
        tokenise_bytes(bytes, &open_platform_xml_reader, walked, TokenKeep::walked);
    if (a.status.code != w.status.code || a.status.line != w.status.line ||
        a.warnings.size() != w.warnings.size())
        __builtin_trap();
    const size_t at = walked.skipped_at;
    if (at == std::string_view::npos) {
        if (all.count() != walked.count()) __builtin_trap();
        for (size_t i = 0; i < all.count(); ++i)
            if (!same(all.tokens[i], walked.tokens[i])) __builtin_trap();
        return 0;
    }
    if (walked.count() < at + 2) __builtin_trap();
    const size_t tail = walked.count() - at - 2;
    if (all.count() < at + tail) __builtin_trap();
    for (size_t i = 0; i < at; ++i)
        if (!same(all.tokens[i], walked.tokens[i])) __builtin_trap();
    for (size_t i = 1; i <= tail; ++i)
        if (!same(all.tokens[all.count() - i], walked.tokens[walked.count() - i])) __builtin_trap();
    if (walked.tokens[at].kind != kTokenSkipped || walked.tokens[at + 1].kind != kTokenSkipped)
        __builtin_trap();
    return 0;
}
