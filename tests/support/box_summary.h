#pragma once
// The only box shown as "title|text|flags in hex", or how many boxes there were.

#include <string>

#include "support/recording_port.h"
#include "text/format.h"

namespace tindral::test {

inline std::wstring only_box(const RecordingPort& port) {
    if (port.boxes.size() != 1) return L"boxes shown: " + std::to_wstring(port.boxes.size());
    const ShownBox& b = port.boxes[0];
    return b.title + L"|" + b.text + L"|" + format_text(20, L"%X", b.flags);
}

}  // namespace tindral::test
