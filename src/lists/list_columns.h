#pragma once
// Column tables of the list views: width in pixels and the German/English title.

#include "text/lang.h"

namespace tindral {

struct ListColumn {
    int width;
    LangText title;
};

constexpr int kMainColumnCount = 11;
constexpr int kMainColumnGroup = 9;
constexpr int kMainColumnIndex = 10;  // the component's index in the board model
constexpr int kFoundColumnCount = 5;
constexpr int kBomListColumnCount = 4;

extern const ListColumn kMainListColumns[kMainColumnCount];
extern const ListColumn kFoundListColumns[kFoundColumnCount];
extern const ListColumn kBomListColumns[kBomListColumnCount];

}  // namespace tindral
