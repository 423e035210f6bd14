#include "selection/selection_format.h"

#include <algorithm>

#include "settings/settings.h"

namespace tindral {

namespace {
constexpr size_t kCutChars = 5;
}

namespace {

constexpr wchar_t kSuffix[] = L".TindralSel";

bool fits_path_limit(std::wstring name, std::wstring& selection_path) {
    if (name.size() > static_cast<size_t>(kMaxPathChars)) return false;
    selection_path = std::move(name);
    return true;
}

size_t name_start(const std::wstring& path) {
    const size_t sep = path.find_last_of(L"\\/");
    return sep == std::wstring::npos ? 0 : sep + 1;
}

}  // namespace

bool make_selection_path(const std::wstring& board_path, std::wstring& selection_path) {
    const size_t start = name_start(board_path);
    if (start >= board_path.size()) return false;
    // A leading dot starts a name, not an extension.
    const size_t dot = board_path.find_last_of(L'.');
    const size_t end = dot != std::wstring::npos && dot > start ? dot : board_path.size();
    return fits_path_limit(board_path.substr(0, end) + kSuffix, selection_path);
}

bool legacy_selection_path(const std::wstring& board_path, std::wstring& selection_path) {
    // Cutting into the folder part would name a file in another folder.
    if (board_path.size() - name_start(board_path) < kCutChars) return false;
    return fits_path_limit(board_path.substr(0, board_path.size() - kCutChars) + kSuffix,
                           selection_path);
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

bool fits_board(const std::string& bytes, size_t components) {
    return bytes.size() == components * 4;
}

bool holds_marks(const std::string& bytes) {
    for (const char b : bytes)
        if (b != 0) return true;
    return false;
}

}  // namespace tindral
