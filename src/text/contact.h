#pragma once
// Where the Email and Homepage menu commands lead.

namespace tindral {

constexpr const wchar_t* kContactMail = L"tindral@moravel.example";
constexpr const wchar_t* kHomepage = L"https://moravel.example/tindral";

}  // namespace tindral
