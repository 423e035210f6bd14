#include "board/load_messages.h"

#include "board/board_file.h"
#include "text/format.h"

namespace tindral {

namespace {

constexpr unsigned kFlagsRefused = mb::task_modal;                  // no icon
constexpr unsigned kFlagsReader = mb::task_modal | mb::icon_hand;   // 0x2010
constexpr unsigned kFlagsAttribute = kFlagsReader | mb::ok_cancel;  // 0x2011
constexpr unsigned kFlagsOpen = mb::topmost | mb::task_modal | mb::icon_information;  // 0x42040
constexpr unsigned kFlagsDamaged = mb::task_modal | mb::icon_exclamation;

LoadMessage error(Owner owner, std::wstring text, uint32_t language, unsigned flags) {
    return LoadMessage{owner, std::move(text), text_in(language, TXT_TITLE_ERROR), flags};
}

// The system's text under the failed file call and the path.
LoadMessage file_call_box(const wchar_t* call, const std::wstring& path, const std::wstring& system_text) {
    return LoadMessage{Owner::none, system_text, format_text(260, L"%s:   %s", call, path), kFlagsOpen};
}

TextKey archive_text(ArchiveCode code) {
    switch (code) {
    case ArchiveCode::no_board: return TXT_ARCHIVE_NO_BOARD;
    case ArchiveCode::several_boards: return TXT_ARCHIVE_SEVERAL_BOARDS;
    case ArchiveCode::encrypted: return TXT_ARCHIVE_ENCRYPTED;
    case ArchiveCode::unsupported_method: return TXT_ARCHIVE_METHOD;
    case ArchiveCode::too_large: return TXT_ARCHIVE_TOO_LARGE;
    case ArchiveCode::out_of_memory: return TXT_OUT_OF_MEMORY;
    case ArchiveCode::ok:
    case ArchiveCode::damaged: break;
    }
    return TXT_ARCHIVE_DAMAGED;
}

}  // namespace

const wchar_t* text_in(uint32_t language, TextKey key) {
    const LangText& pair = lang_pair(key);
    return language == 0 ? pair.german : pair.english;
}

std::optional<LoadMessage> status_box(const LoadStatus& s, uint32_t language) {
    switch (s.code) {
    case LoadCode::ok:
    case LoadCode::declined:
        return std::nullopt;
    case LoadCode::damaged:
        return LoadMessage{Owner::main,
                           s.line ? format_text(260, text_in(language, TXT_FILE_DAMAGED),
                                                static_cast<int>(s.line))
                                  : std::wstring(text_in(language, TXT_FILE_DAMAGED_NO_LINE)),
                           text_in(language, TXT_TITLE_WARNING), kFlagsDamaged};
    case LoadCode::unsupported_version:
        return error(Owner::main, text_in(language, TXT_UNSUPPORTED_VERSION), language,
                     kFlagsRefused);
    case LoadCode::not_xml:
        return error(Owner::main, text_in(language, TXT_ONLY_V6_V7), language, kFlagsRefused);
    case LoadCode::not_eagle:
        return error(Owner::none, text_in(language, TXT_NOT_EAGLE_FILE), language, mb::icon_hand);
    case LoadCode::reader_failed:
        return error(Owner::main,
                     format_text(64, L"%s, error is %08.8lx", s.call ? s.call : L"",
                                 static_cast<uint32_t>(s.call_code)),
                     language, s.attribute_call ? kFlagsAttribute : kFlagsReader);
    case LoadCode::tokens_out_of_memory:
        return error(Owner::main, text_in(language, TXT_TOKEN_OUT_OF_MEMORY), language,
                     kFlagsReader);
    case LoadCode::out_of_memory:
        return error(Owner::none, text_in(language, TXT_OUT_OF_MEMORY), language,
                     mb::icon_hand | mb::task_modal | mb::topmost);
    case LoadCode::kicad_refused: {
        const TextKey key = s.kicad == KicadCode::legacy    ? TXT_KICAD_LEGACY
                            : s.kicad == KicadCode::version ? TXT_KICAD_VERSION
                                                            : TXT_KICAD_BRACKETS;
        const int n = static_cast<int>(s.kicad == KicadCode::version ? s.version : s.line);
        return error(Owner::main, format_text(260, text_in(language, key), n), language, kFlagsReader);
    }
    case LoadCode::archive_refused:
        return error(Owner::main,
                     format_text(260, text_in(language, archive_text(s.archive)),
                                 static_cast<int>(kMaxBoardFileMegabytes)),
                     language, kFlagsReader);
    }
    return std::nullopt;
}

LoadMessage unexpected_question(const wchar_t* format, const std::wstring& name,
                                uint32_t language) {
    return LoadMessage{Owner::none,
                       format_text(100, format, text_in(language, TXT_UNEXPECTED_ELEMENT), name,
                                   text_in(language, TXT_CONTINUE)),
                       text_in(language, TXT_TITLE_WARNING),
                       mb::yes_no | mb::icon_exclamation | mb::task_modal | mb::topmost};
}

LoadMessage file_too_large_box(uint32_t language) {
    return error(Owner::main,
                 format_text(260, text_in(language, TXT_FILE_TOO_LARGE),
                             static_cast<int>(kMaxBoardFileMegabytes)),
                 language, kFlagsReader);
}

LoadMessage open_failed_box(const std::wstring& path, const std::wstring& system_text) {
    return file_call_box(L"CreateFile", path, system_text);
}

LoadMessage read_failed_box(const std::wstring& path, const std::wstring& system_text) {
    return file_call_box(L"ReadFile", path, system_text);
}

}  // namespace tindral
