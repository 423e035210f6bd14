#include "text/messages.h"

#include "text/format.h"

namespace tindral {

namespace {

MessagePort* g_port = nullptr;

struct ErrnoText {
    int value;
    const wchar_t* format;
};

const ErrnoText kErrnoTexts[] = {
    {1, L"%s Operation not permitted"},
    {2, L"%s File not found"},
    {3, L"%s No such process"},
    {4, L"%s Interrupted function"},
    {5, L"%s I/O error"},
    {6, L"%s No such device or address"},
    {7, L"%s Argument list too long"},
    {8, L"%s Exec format error"},
    {9, L"%s Bad file number"},
    {10, L"%s No spawned processes"},
    {11, L"%s No more processes or not enough memory or maximum nesting level reached"},
    {12, L"%s Not enough memory"},
    {13, L"%s Permission denied"},
    {14, L"%s Bad address"},
    {16, L"%s Device or resource busy"},
    {17, L"%s File exists"},
    {18, L"%s Cross-device link"},
    {19, L"%s No such device"},
    {20, L"%s Not a directory"},
    {21, L"%s Is a directory"},
    {22, L"%s Invalid argument"},
    {23, L"%s Too many files open in system"},
    {24, L"%s Too many open files"},
    {25, L"%s Inappropriate I/O control operation"},
    {27, L"%s File too large"},
    {28, L"%s No space left on device"},
    {29, L"%s Invalid seek"},
    {30, L"%s Read-only file system"},
    {31, L"%s Too many links"},
    {32, L"%s Broken pipe"},
    {33, L"%s Math argument"},
    {34, L"%s Result too large"},
    {36, L"%s Resource deadlock would occur"},
    {38, L"%s Filename too long"},
    {39, L"%s No locks available"},
    {40, L"%s Function not supported"},
    {41, L"%s Directory not empty"},
    {42, L"%s Illegal byte sequence"},
    {80, L"%s String was truncated"},
};

}  // namespace

MessagePort* set_message_port(MessagePort* port) {
    MessagePort* previous = g_port;
    g_port = port;
    return previous;
}

int message_box(Owner owner, const std::wstring& text, const std::wstring& title, unsigned flags) {
    if (g_port) return g_port->show(owner, text, title, flags);
    return (flags & 0xF) == mb::yes_no ? mb::id_yes : mb::id_ok;
}

int show_error(Owner owner, TextKey key, unsigned flags) {
    return message_box(owner, text(key), text(TXT_TITLE_ERROR), flags);
}

int show_warning(Owner owner, TextKey key, unsigned flags) {
    return message_box(owner, text(key), text(TXT_TITLE_WARNING), flags);
}

int show_info(Owner owner, TextKey key, unsigned flags) {
    return message_box(owner, text(key), text(TXT_TITLE_INFO), flags);
}

std::wstring system_error_text(uint32_t code) {
    return g_port ? g_port->system_error_text(code) : std::wstring();
}

void report_system_error(const std::wstring& title, uint32_t code, Owner owner, unsigned flags) {
    message_box(owner, system_error_text(code), title, flags);
}

const wchar_t* errno_format(int err) {
    for (const ErrnoText& e : kErrnoTexts)
        if (e.value == err) return e.format;
    return nullptr;
}

int show_errno_message(int err, const wchar_t* call) {
    const wchar_t* fmt = errno_format(err);
    if (fmt == nullptr) return 0;
    const std::wstring msg = format_text(100, fmt, call);
    const unsigned flags = err == 13 ? mb::ok_cancel : mb::task_modal | mb::icon_hand;
    return message_box(Owner::none, msg, text(TXT_TITLE_ERROR), flags);
}

}  // namespace tindral
