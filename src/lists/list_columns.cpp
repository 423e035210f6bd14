#include "lists/list_columns.h"

namespace tindral {

const ListColumn kMainListColumns[kMainColumnCount] = {
    {120, {L"Name", L"Name"}},
    {120, {L"Bibliothek", L"Library"}},
    {120, {L"Geh\u00E4use", L"Package"}},
    {120, {L"Wert", L"Value"}},
    {90, {L"X", L"X"}},
    {90, {L"Y", L"Y"}},
    {90, {L"Drehung", L"Rotation"}},
    {80, {L"Seite", L"Side"}},
    {80, {L"Anzahl", L"Amount"}},
    {80, {L"Gruppe", L"Group"}},
    {80, {L"Index", L"Index"}},
};

const ListColumn kFoundListColumns[kFoundColumnCount] = {
    {120, {L"Name", L"Name"}},
    {120, {L"Bibliothek", L"Library"}},
    {120, {L"Geh\u00E4use", L"Package"}},
    {120, {L"Wert", L"Value"}},
    {80, {L"Seite", L"Side"}},
};

const ListColumn kBomListColumns[kBomListColumnCount] = {
    {120, {L"Bibliothek", L"Library"}},
    {120, {L"Geh\u00E4use", L"Package"}},
    {120, {L"Wert", L"Value"}},
    {80, {L"Anzahl", L"Amount"}},
};

}  // namespace tindral
