#include "board/tokenise.h"

#include <algorithm>
#include <new>
#include <vector>

#include "app/format.h"
#include "app/lang.h"
#include "app/messages.h"
#include "board/board_file.h"
#include "board/crowded_tag.h"
#include "board/document_end.h"
#include "board/utf8.h"
#include "board/xml_reader.h"

namespace tindral {

namespace {

// Eagle writes this line; the reader refuses any DOCTYPE, so the exact line is cut out.
constexpr std::string_view kEagleDoctype = "<!DOCTYPE eagle SYSTEM \"eagle.dtd\">";
constexpr size_t kMaxLeadingBreaks = 80;
constexpr std::string_view kXmlStart = "<?xml version";
// Boards nest a few levels; both readers give up somewhere past 255, at slightly different
// depths, so the walk stops first, at the same node for both.
constexpr int kMaxDepth = 250;

constexpr unsigned kFlagsRefused = mb::task_modal;                  // no icon
constexpr unsigned kFlagsReader = mb::task_modal | mb::icon_hand;   // 0x2010
constexpr unsigned kFlagsAttribute = kFlagsReader | mb::ok_cancel;  // 0x2011
constexpr unsigned kFlagsOpen = mb::topmost | mb::task_modal | mb::icon_information;  // 0x42040
constexpr unsigned kFlagsDamaged = mb::task_modal | mb::icon_exclamation;

struct Cut {
    size_t at;      // offset in the buffer the reader sees
    size_t length;  // bytes of the file left out there
};

struct PreparedBytes {
    std::string bytes;
    std::vector<Cut> cuts;
};

bool is_line_break(char c) { return c == '\r' || c == '\n'; }

// The buffer the reader sees: from the first non-line-break byte on, without any exact Eagle
// DOCTYPE line (35 bytes plus the byte after it).
void cut_doctype_lines(std::string_view in, size_t start, PreparedBytes& out) {
    if (start) out.cuts.push_back({0, start});
    out.bytes.reserve(in.size() - start);
    size_t i = start;
    while (i < in.size()) {
        const size_t next = in.find('<', i);
        const size_t stop = next == std::string_view::npos ? in.size() : next;
        out.bytes.append(in.substr(i, stop - i));
        i = stop;
        if (i == in.size()) break;
        if (in.compare(i, kEagleDoctype.size(), kEagleDoctype) == 0) {
            const size_t length = std::min(in.size() - i, kEagleDoctype.size() + 1);
            out.cuts.push_back({out.bytes.size(), length});
            i += length;
        } else {
            out.bytes += in[i++];
        }
    }
}

// Line ends as XML counts them: CR LF, CR and LF each end one line.
bool ends_line(std::string_view s, size_t i) {
    return s[i] == '\n' || (s[i] == '\r' && (i + 1 == s.size() || s[i + 1] != '\n'));
}

// The line of the file that holds the start of a line of the reader's buffer.
uint32_t file_line(std::string_view file, const PreparedBytes& prepared, uint32_t buffer_line) {
    const std::string& buf = prepared.bytes;
    size_t at = 0;
    for (uint32_t line = 1; line < buffer_line && at < buf.size(); ++at)
        if (ends_line(buf, at)) ++line;
    size_t in_at = at;
    for (const Cut& c : prepared.cuts)
        if (c.at <= at) in_at += c.length;
    in_at = std::min(in_at, file.size());
    uint32_t line = 1;
    for (size_t i = 0; i < in_at; ++i) line += ends_line(file, i);
    return line;
}

// Line (1-based) of a buffer offset; offset may be the buffer's end.
uint32_t buffer_line_of(std::string_view buf, size_t offset) {
    uint32_t line = 1;
    for (size_t i = 0; i < offset && i < buf.size(); ++i) line += ends_line(buf, i);
    return line;
}

// True unless the XML declaration names an encoding other than UTF-8.
bool declares_utf8(std::string_view buf) {
    const std::string_view decl = buf.substr(0, buf.find("?>"));
    const size_t key = decl.find("encoding");
    if (key == std::string_view::npos) return true;
    const size_t open = decl.find_first_of("\"'", key);
    if (open == std::string_view::npos) return true;
    const size_t close = decl.find(decl[open], open + 1);
    std::string name(decl.substr(open + 1, close == std::string_view::npos ? 0 : close - open - 1));
    for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return name == "utf-8" || name == "utf8";
}

void show_code(const wchar_t* what, XmlResult code, unsigned flags) {
    const std::wstring msg =
        format_text(64, L"%s, error is %08.8lx", what, static_cast<uint32_t>(code));
    message_box(Owner::main, msg, text(TXT_TITLE_ERROR), flags);
}

void show_out_of_memory() {
    show_error(Owner::main, TXT_TOKEN_OUT_OF_MEMORY, kFlagsReader);
}

TokeniseResult failed(TokenList& out) {
    free_token_list(out);
    return TokeniseResult{};
}

void append(TokenList& out, TokenKind kind, std::wstring text) {
    out.tokens.push_back(XmlToken{kind, std::move(text)});
}

// The attribute pairs of the node the reader stands on. false after a failure (reported).
bool read_attributes(XmlReader& r, TokenList& out) {
    XmlResult hr = r.move_to_first_attribute();
    if (xml_failed(hr)) {
        show_code(L"Error moving to first attribute", hr, kFlagsAttribute);
        return false;
    }
    std::wstring prefix, name, value;
    while (hr == xml_ok) {
        if (xml_failed(hr = r.get_prefix(prefix))) {
            show_code(L"Error getting prefix", hr, kFlagsAttribute);
            return false;
        }
        if (xml_failed(hr = r.get_local_name(name))) {
            show_code(L"Error getting local name", hr, kFlagsAttribute);
            return false;
        }
        append(out, kTokenAttrName, name);
        if (xml_failed(hr = r.get_value(value))) {
            show_code(L"Error getting value", hr, kFlagsAttribute);
            return false;
        }
        append(out, kTokenAttrValue, value);
        hr = r.move_to_next_attribute();  // anything but xml_ok ends the list
    }
    return true;
}

// Reads a name (or value) the node needs; false after reporting a failure.
bool get(XmlResult (XmlReader::*call)(std::wstring&), XmlReader& r, std::wstring& out,
         const wchar_t* what) {
    const XmlResult hr = (r.*call)(out);
    if (!xml_failed(hr)) return true;
    show_code(what, hr, kFlagsReader);
    return false;
}

void report_too_large() {
    const std::wstring msg =
        format_text(260, text(TXT_FILE_TOO_LARGE), static_cast<int>(kMaxBoardFileMegabytes));
    message_box(Owner::main, msg, text(TXT_TITLE_ERROR), kFlagsReader);
}

void report_damaged(uint32_t line) {
    const std::wstring msg = line ? format_text(260, text(TXT_FILE_DAMAGED), static_cast<int>(line))
                                  : std::wstring(text(TXT_FILE_DAMAGED_NO_LINE));
    message_box(Owner::main, msg, text(TXT_TITLE_WARNING), kFlagsDamaged);
}

// Also a file that breaks off before its first element: nothing shows it is a board.
TokeniseResult not_eagle(TokenList& out) {
    message_box(Owner::none, text(TXT_NOT_EAGLE_FILE), text(TXT_TITLE_ERROR), mb::icon_hand);
    return failed(out);
}

// Readers differ where a file breaks off: libxml2 hands a text over only once the node after it
// is read, a lenient reader closes the elements left open and calls the file whole, and each
// names its own line for the end. Both end the same way here: without the text before the
// break, without end tags the file does not hold, damaged in the line of the file's last byte.
// reader_failed: false when the reader ended as if the file were whole. cut_here: the buffer was
// cut at a bad byte, whose line the caller reports.
TokeniseResult broken_off(const DocumentEnd& end, bool reader_failed, uint32_t reader_line,
                          std::string_view file, const PreparedBytes& prepared, bool cut_here,
                          TokenList& out) {
    if (!reader_failed) {
        for (size_t i = 0; i < end.open_elements && !out.tokens.empty() &&
                           out.tokens.back().kind == kTokenEnd; ++i)
            out.tokens.pop_back();
    }
    if (!out.tokens.empty() && out.tokens.back().kind == kTokenText) out.tokens.pop_back();
    uint32_t line = reader_line ? file_line(file, prepared, reader_line) : 0;
    if (end.kind == DocumentEnd::cut_off && !cut_here)
        line = file_line(file, prepared, buffer_line_of(prepared.bytes, prepared.bytes.size() - 1));
    return TokeniseResult{true, false, true, line};
}

TokeniseResult walk(XmlReader& r, std::string_view file, const PreparedBytes& prepared,
                    bool cut_here, TokenList& out) {
    const DocumentEnd end = document_end(prepared.bytes);
    bool first_element = true;
    int depth = 0;
    std::wstring prefix, name, value;
    for (;;) {
        XmlNode node = XmlNode::none;
        const XmlResult hr = r.read(node);
        if (hr == xml_false) break;
        if (xml_failed(hr)) {
            if (first_element) return not_eagle(out);
            return broken_off(end, true, r.line_number(), file, prepared, cut_here, out);
        }

        switch (node) {
        case XmlNode::xml_declaration:
            if (!get(&XmlReader::get_local_name, r, name, L"Error getting local name"))
                return failed(out);
            append(out, kTokenXmlDecl, name);
            read_attributes(r, out);  // a broken declaration does not end the walk
            break;
        case XmlNode::element:
            if (!get(&XmlReader::get_prefix, r, prefix, L"Error getting prefix") ||
                !get(&XmlReader::get_local_name, r, name, L"Error getting local name"))
                return failed(out);
            if (first_element) {
                if (name != L"eagle") return not_eagle(out);
                first_element = false;
            }
            // Asked before the attributes are walked, when the answer is still the element's.
            if (!r.is_empty_element() && ++depth > kMaxDepth) {
                const uint32_t line = r.line_number();
                return TokeniseResult{true, false, true, line ? file_line(file, prepared, line) : 0};
            }
            append(out, kTokenStart, name);
            if (!read_attributes(r, out)) return failed(out);
            // Answers false after attributes were walked: only <x/> without any gets a kind 0.
            if (r.is_empty_element()) append(out, kTokenEmptyEnd, std::wstring());
            break;
        case XmlNode::end_element:
            if (!get(&XmlReader::get_prefix, r, prefix, L"Error getting prefix") ||
                !get(&XmlReader::get_local_name, r, name, L"Error getting local name"))
                return failed(out);
            --depth;
            append(out, kTokenEnd, name);
            break;
        case XmlNode::text:
            if (!get(&XmlReader::get_value, r, value, L"Error getting Text value"))
                return failed(out);
            append(out, kTokenText, value);
            break;
        case XmlNode::whitespace:
            if (!get(&XmlReader::get_value, r, value, L"Error getting value")) return failed(out);
            break;
        case XmlNode::cdata:
            if (!get(&XmlReader::get_value, r, value, L"Error getting CDATA value"))
                return failed(out);
            break;
        case XmlNode::comment:
            if (!get(&XmlReader::get_value, r, value, L"Error getting Comment value"))
                return failed(out);
            break;
        case XmlNode::processing_instruction:
            if (!get(&XmlReader::get_local_name, r, name,
                     L"Error getting ProcessingInstruction name") ||
                !get(&XmlReader::get_value, r, value,
                     L"Error getting ProcessingInstrruction value"))
                return failed(out);
            break;
        default:
            break;
        }
    }
    // A document without any element ends normally for some readers.
    if (first_element) return not_eagle(out);
    if (end.kind == DocumentEnd::cut_off)
        return broken_off(end, false, 0, file, prepared, cut_here, out);
    return TokeniseResult{true, false, false, 0};
}

// The first control character XML does not allow (all below 0x20 but tab, LF and CR).
size_t first_control_byte(std::string_view s) {
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') return i;
    }
    return std::string_view::npos;
}

TokeniseResult tokenise_checked(std::string_view bytes, TokenList& out) {
    size_t start = 0;
    while (start < bytes.size() && start < kMaxLeadingBreaks && is_line_break(bytes[start]))
        ++start;
    if (start == kMaxLeadingBreaks && start < bytes.size() && is_line_break(bytes[start])) {
        show_error(Owner::main, TXT_UNSUPPORTED_VERSION, kFlagsRefused);
        return TokeniseResult{false, true, false, 0};
    }
    if (bytes.compare(start, kXmlStart.size(), kXmlStart) != 0) {
        show_error(Owner::main, TXT_ONLY_V6_V7, kFlagsRefused);
        return TokeniseResult{false, true, false, 0};
    }

    PreparedBytes prepared;
    cut_doctype_lines(bytes, start, prepared);

    // XmlLite takes broken UTF-8 and control characters as they come, libxml2 stops there:
    // both readers stop at the first bad byte, and the file counts as damaged from there on.
    size_t bad_byte = first_control_byte(prepared.bytes);
    if (declares_utf8(prepared.bytes))
        bad_byte = std::min(bad_byte, first_invalid_utf8(prepared.bytes));
    // A tag with more attributes than a board needs ends the file there too: libxml2 would
    // take minutes over it.
    bad_byte = std::min(bad_byte, first_crowded_tag(prepared.bytes));
    if (bad_byte != std::string_view::npos) prepared.bytes.resize(bad_byte);

    XmlReaderSetup setup = open_xml_reader(prepared.bytes);
    if (!setup.reader) {
        static const wchar_t* const kSetupTexts[] = {
            L"Error creating file reader",
            L"Error creating xml reader",
            L"Error setting XmlReaderProperty_DtdProcessing",
            L"Error setting input for reader",
        };
        show_code(kSetupTexts[static_cast<int>(setup.failed_step)], setup.code, kFlagsReader);
        return failed(out);
    }
    // Room for every token up front: an attribute gives two tokens per pair of quotes, an
    // element at most two per '<'. Growing the list instead moves every token several times.
    const std::string& b = prepared.bytes;
    out.tokens.reserve(static_cast<size_t>(std::count(b.begin(), b.end(), '"')) +
                       2 * static_cast<size_t>(std::count(b.begin(), b.end(), '<')));
    TokeniseResult res = walk(*setup.reader, bytes, prepared, bad_byte != std::string_view::npos, out);
    if (res.ok && bad_byte != std::string_view::npos) {
        // The reader stops at the cut, or earlier at a fault of its own.
        const uint32_t line = file_line(bytes, prepared, buffer_line_of(prepared.bytes, bad_byte));
        if (!res.damaged || res.damaged_line == 0 || res.damaged_line > line)
            res.damaged_line = line;
        res.damaged = true;
    }
    if (res.ok && res.damaged) report_damaged(res.damaged_line);
    return res;
}

}  // namespace

TokeniseResult tokenise_bytes(std::string_view bytes, TokenList& out) {
    try {
        return tokenise_checked(bytes, out);
    } catch (const std::bad_alloc&) {
        free_token_list(out);
        show_out_of_memory();
        return TokeniseResult{};
    }
}

TokeniseResult tokenise_board(const std::wstring& path, TokenList& out) {
    std::string bytes;
    FileReadResult read;
    try {
        read = read_whole_file(path, bytes);
    } catch (const std::bad_alloc&) {
        show_out_of_memory();
        return TokeniseResult{};
    }
    if (read.status == FileReadStatus::open_failed) {
        const std::wstring title = format_text(260, L"%s:   %s", L"CreateFile", path);
        message_box(Owner::none, system_error_text(read.error), title, kFlagsOpen);
        return TokeniseResult{false, true, false, 0};
    }
    if (read.status == FileReadStatus::too_large) {
        report_too_large();
        return TokeniseResult{false, true, false, 0};
    }
    if (read.status == FileReadStatus::read_failed) return TokeniseResult{};
    return tokenise_bytes(bytes, out);
}

}  // namespace tindral
