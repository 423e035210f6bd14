#pragma once
// The booklet's pages as SVG documents, one per page: A4 upright at five units to the
// millimetre, on white.

#include <string>
#include <vector>

#include "model/board_model.h"
#include "settings/settings.h"

namespace tindral {

constexpr int32_t kBookletSvgWidth = 1050;
constexpr int32_t kBookletSvgHeight = 1485;

std::vector<std::string> booklet_svg_pages(const BoardModel& board, const Settings& settings,
                                           bool top, bool bottom, const std::wstring& board_name);

}  // namespace tindral
