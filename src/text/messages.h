#pragma once
// Message boxes behind a seam: the Windows build shows them with MessageBoxW, tests answer them
// from a script. Every error, warning, question and information of the program goes through here.

#include <cstdint>
#include <string>

#include "text/lang.h"

namespace tindral {

// MessageBoxW flag and answer values (windows.h macros cannot be used in the portable core).
namespace mb {
constexpr unsigned ok = 0x0;
constexpr unsigned ok_cancel = 0x1;
constexpr unsigned yes_no_cancel = 0x3;
constexpr unsigned yes_no = 0x4;
constexpr unsigned icon_hand = 0x10;
constexpr unsigned icon_exclamation = 0x30;
constexpr unsigned icon_information = 0x40;
constexpr unsigned task_modal = 0x2000;
constexpr unsigned default_button2 = 0x100;
constexpr unsigned topmost = 0x40000;

constexpr int id_ok = 1;
constexpr int id_cancel = 2;
constexpr int id_yes = 6;
constexpr int id_no = 7;
}  // namespace mb

// Which window owns a box; the Windows side maps this to its window handles.
enum class Owner { none, main, bom, booklet };

class MessagePort {
public:
    virtual ~MessagePort() = default;
    // Shows one box and returns the button pressed (mb::id_*).
    virtual int show(Owner owner, const std::wstring& text, const std::wstring& title,
                     unsigned flags) = 0;
    // The system's readable text for an error code (FormatMessageW on Windows).
    virtual std::wstring system_error_text(uint32_t code) = 0;
};

// Installs the port every report goes through; returns the previous one. With no port
// installed, boxes are not shown and answer id_ok (id_yes for Yes/No questions).
MessagePort* set_message_port(MessagePort* port);

int message_box(Owner owner, const std::wstring& text, const std::wstring& title, unsigned flags);

// A table text under one of the three language titles.
int show_error(Owner owner, TextKey key, unsigned flags = mb::task_modal | mb::icon_hand);
int show_warning(Owner owner, TextKey key, unsigned flags = mb::task_modal | mb::icon_hand);
int show_info(Owner owner, TextKey key, unsigned flags = mb::task_modal | mb::icon_information);

std::wstring system_error_text(uint32_t code);

// A failed Windows operation: the system's text for code under a fixed, untranslated title such
// as "Tindral CreateWindow Board".
void report_system_error(const std::wstring& title, uint32_t code, Owner owner = Owner::main,
                         unsigned flags = mb::task_modal | mb::icon_information);

// The format shown for a C runtime errno value, or nullptr when the value has no text.
const wchar_t* errno_format(int err);

// A failed C runtime file access: the errno text filled with the failed call's name, with no
// owner and the error title; 13 (permission denied) asks OK/Cancel without an icon. Values
// without a text show nothing. Returns the button pressed, or 0 when nothing was shown.
int show_errno_message(int err, const wchar_t* call = L"_taccess");

}  // namespace tindral
