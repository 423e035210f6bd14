#pragma once
// The five window classes of the program.

#include <windows.h>

namespace tindral {

extern const wchar_t kClassMain[];
extern const wchar_t kClassBoard[];
extern const wchar_t kClassLayout[];
extern const wchar_t kClassFound[];
extern const wchar_t kClassBom[];

// Registers the five classes. Not checked: a class that failed to register shows up as a
// failed window creation, which is reported there.
void register_classes(HINSTANCE instance);

}  // namespace tindral
