#include "selection/selection_format.h"

#include <algorithm>

#include "settings/settings.h"

namespace tindral {

namespace {
constexpr size_t kCutChars = 5;
}

bool make_selection_path(const std::wstring& board_path, std::wstring& selection_path) {
    const size_t sep = board_path.find_last_of(L"\\/");
    const size_t name_chars =
        sep == std::wstring::npos ? board_path.size() : board_path.size() - sep - 1;
    // Cutting into the folder part would put the file into another folder.
    if (name_chars < kCutChars) return false;
    std::wstring name = board_path.substr(0, board_path.size() - kCutChars) + L".TindralSel";
    if (name.size() > static_cast<size_t>(kMaxPathChars)) return false;
    selection_path = std::move(name);
    return true;
}

std::wstring temp_selection_path(const std::wstring& selection_path) {
    std::wstring temp = selection_path;
    if (!temp.empty()) temp.back() = L'~';
    return temp;
}

std::string encode_states(const std::vector<uint32_t>& states) {
    std::string bytes;
    bytes.reserve(states.size() * 4);
    for (const uint32_t s : states)
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<char>((s >> shift) & 0xFF));
    return bytes;
}

void decode_states(const std::string& bytes, std::vector<uint32_t>& states) {
    const size_t n = std::min(bytes.size() / 4, states.size());
    for (size_t i = 0; i < n; ++i) {
        uint32_t v = 0;
        for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<uint8_t>(bytes[i * 4 + k]);
        states[i] = v;
    }
}

}  // namespace tindral
