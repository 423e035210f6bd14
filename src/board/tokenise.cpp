#include "board/tokenise.h"

#include <algorithm>
#include <array>
#include <functional>
#include <new>
#include <vector>

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
// E_POINTER: the caller handed in no reader.
constexpr XmlResult kNoReader = static_cast<XmlResult>(0x80004003);

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
    // The line is searched for whole: checking it at every '<' costs a comparison per tag.
    const std::boyer_moore_horspool_searcher line(kEagleDoctype.begin(), kEagleDoctype.end());
    size_t i = start;
    while (i < in.size()) {
        const size_t stop = static_cast<size_t>(
            std::search(in.begin() + static_cast<std::ptrdiff_t>(i), in.end(), line) - in.begin());
        out.bytes.append(in.substr(i, stop - i));
        i = stop;
        if (i == in.size()) break;
        const size_t length = std::min(in.size() - i, kEagleDoctype.size() + 1);
        out.cuts.push_back({out.bytes.size(), length});
        i += length;
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

LoadStatus reader_failed(const wchar_t* call, XmlResult code, bool attribute = false) {
    LoadStatus s;
    s.code = LoadCode::reader_failed;
    s.call = call;
    s.call_code = code;
    s.attribute_call = attribute;
    return s;
}

TokeniseResult failed(TokenList& out, LoadStatus status) {
    free_token_list(out);
    return TokeniseResult{status, {}};
}

TokeniseResult damaged_at(uint32_t line) {
    LoadStatus s;
    s.code = LoadCode::damaged;
    s.line = line;
    return TokeniseResult{s, {}};
}

// The left-out subtree: where it starts, and whether the file has to be read again with every
// token kept.
struct SignalsSkip {
    bool allowed = false;
    bool used = false;      // one subtree at most
    int depth = 0;          // of the <signals> being left out, 0 when none is
    bool read_again = false;
    std::array<std::wstring, 4> path;  // names of the open elements at depths 1 to 3

    bool skipping() const { return depth > 0; }
    bool starts_here(std::wstring_view name, int at_depth) const {
        return allowed && !used && at_depth == 4 && name == L"signals" && path[1] == L"eagle" &&
               path[2] == L"drawing" && path[3] == L"board";
    }
};

// The walk looks these sections up by name over the whole list: none may be left out.
bool is_section_name(std::wstring_view name) {
    return name == L"grid" || name == L"layers" || name == L"plain" || name == L"elements" ||
           name == L"libraries";
}

// Tokens go to the list unless they lie inside the left-out subtree. Every call to the reader
// stays the same either way, so that a reader fault ends the walk the same way.
void append(TokenList& out, TokenKind kind, std::wstring_view text, const SignalsSkip& skip) {
    if (!skip.skipping()) out.add(kind, text);
}

// The attribute pairs of the node the reader stands on. false after a failure, told in fault.
// prefix is the caller's buffer, reused from element to element.
bool read_attributes(XmlReader& r, TokenList& out, LoadStatus& fault, std::wstring& prefix,
                     const SignalsSkip& skip) {
    XmlResult hr = r.move_to_first_attribute();
    if (xml_failed(hr)) {
        fault = reader_failed(L"Error moving to first attribute", hr, true);
        return false;
    }
    std::wstring_view text;
    while (hr == xml_ok) {
        if (xml_failed(hr = r.get_prefix(prefix))) {
            fault = reader_failed(L"Error getting prefix", hr, true);
            return false;
        }
        if (xml_failed(hr = r.local_name_view(text))) {
            fault = reader_failed(L"Error getting local name", hr, true);
            return false;
        }
        append(out, kTokenAttrName, text, skip);
        if (xml_failed(hr = r.value_view(text))) {
            fault = reader_failed(L"Error getting value", hr, true);
            return false;
        }
        append(out, kTokenAttrValue, text, skip);
        hr = r.move_to_next_attribute();  // anything but xml_ok ends the list
    }
    return true;
}

// Reads a name (or value) the node needs; false with the failure in fault.
template <class Text>
bool get(XmlResult (XmlReader::*call)(Text&), XmlReader& r, Text& out, const wchar_t* what,
         LoadStatus& fault) {
    const XmlResult hr = (r.*call)(out);
    if (!xml_failed(hr)) return true;
    fault = reader_failed(what, hr);
    return false;
}

// Also a file that breaks off before its first element: nothing shows it is a board.
TokeniseResult not_eagle(TokenList& out) {
    LoadStatus s;
    s.code = LoadCode::not_eagle;
    return failed(out, s);
}

// Readers differ where a file breaks off: libxml2 hands a text over only once the node after it
// is read, a lenient reader closes the elements left open and calls the file whole, and each
// names its own line for the end. Both end the same way here: without the text before the
// break, without end tags the file does not hold, damaged in the line of the file's last byte.
// reader_stopped: false when the reader ended as if the file were whole. cut_here: the buffer was
// cut at a bad byte, whose line the caller reports.
TokeniseResult broken_off(const DocumentEnd& end, bool reader_stopped, uint32_t reader_line,
                          std::string_view file, const PreparedBytes& prepared, bool cut_here,
                          TokenList& out) {
    if (!reader_stopped) {
        for (size_t i = 0; i < end.open_elements && !out.tokens.empty() &&
                           out.tokens.back().kind == kTokenEnd; ++i)
            out.tokens.pop_back();
    }
    if (!out.tokens.empty() && out.tokens.back().kind == kTokenText) out.tokens.pop_back();
    uint32_t line = reader_line ? file_line(file, prepared, reader_line) : 0;
    if (end.kind == DocumentEnd::cut_off && !cut_here)
        line = file_line(file, prepared, buffer_line_of(prepared.bytes, prepared.bytes.size() - 1));
    return damaged_at(line);
}

// Faults the walk goes past land in warnings.
TokeniseResult walk(XmlReader& r, std::string_view file, const PreparedBytes& prepared,
                    bool cut_here, TokenList& out, std::vector<LoadStatus>& warnings,
                    SignalsSkip& skip) {
    const DocumentEnd end = document_end(prepared.bytes);
    LoadStatus fault;
    bool first_element = true;
    int depth = 0;
    std::wstring prefix;
    std::wstring_view name, value;
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
            if (!get(&XmlReader::local_name_view, r, name, L"Error getting local name", fault))
                return failed(out, fault);
            append(out, kTokenXmlDecl, name, skip);
            // a broken declaration does not end the walk
            if (!read_attributes(r, out, fault, prefix, skip)) warnings.push_back(fault);
            break;
        case XmlNode::element: {
            if (!get(&XmlReader::get_prefix, r, prefix, L"Error getting prefix", fault) ||
                !get(&XmlReader::local_name_view, r, name, L"Error getting local name", fault))
                return failed(out, fault);
            if (first_element) {
                if (name != L"eagle") return not_eagle(out);
                first_element = false;
            }
            // Asked before the attributes are walked, when the answer is still the element's.
            const bool has_end = !r.is_empty_element();
            if (has_end && ++depth > kMaxDepth) {
                const uint32_t line = r.line_number();
                return damaged_at(line ? file_line(file, prepared, line) : 0);
            }
            if (skip.skipping() && is_section_name(name)) {
                skip.read_again = true;
                return TokeniseResult{};
            }
            const bool skip_starts = has_end && skip.starts_here(name, depth);
            if (skip.allowed && has_end && depth < 4) skip.path[depth].assign(name);
            append(out, kTokenStart, name, skip);
            if (!read_attributes(r, out, fault, prefix, skip)) return failed(out, fault);
            // Answers false after attributes were walked: only <x/> without any gets a kind 0.
            if (r.is_empty_element()) append(out, kTokenEmptyEnd, {}, skip);
            if (skip_starts) {
                out.skipped_at = out.tokens.size();
                out.tokens.push_back(XmlToken{nullptr, 0, kTokenSkipped});
                out.tokens.push_back(XmlToken{nullptr, 0, kTokenSkipped});
                skip.used = true;
                skip.depth = depth;
            }
            break;
        }
        case XmlNode::end_element:
            if (!get(&XmlReader::get_prefix, r, prefix, L"Error getting prefix", fault) ||
                !get(&XmlReader::local_name_view, r, name, L"Error getting local name", fault))
                return failed(out, fault);
            if (skip.skipping() && depth == skip.depth) skip.depth = 0;  // the end of <signals>
            --depth;
            append(out, kTokenEnd, name, skip);
            break;
        case XmlNode::text:
            if (!get(&XmlReader::value_view, r, value, L"Error getting Text value", fault))
                return failed(out, fault);
            append(out, kTokenText, value, skip);
            break;
        case XmlNode::whitespace:
            if (!get(&XmlReader::value_view, r, value, L"Error getting value", fault))
                return failed(out, fault);
            break;
        case XmlNode::cdata:
            if (!get(&XmlReader::value_view, r, value, L"Error getting CDATA value", fault))
                return failed(out, fault);
            break;
        case XmlNode::comment:
            if (!get(&XmlReader::value_view, r, value, L"Error getting Comment value", fault))
                return failed(out, fault);
            break;
        case XmlNode::processing_instruction:
            if (!get(&XmlReader::local_name_view, r, name,
                     L"Error getting ProcessingInstruction name", fault) ||
                !get(&XmlReader::value_view, r, value,
                     L"Error getting ProcessingInstrruction value", fault))
                return failed(out, fault);
            break;
        default:
            break;
        }
    }
    // A document without any element ends normally for some readers.
    if (first_element) return not_eagle(out);
    if (end.kind == DocumentEnd::cut_off)
        return broken_off(end, false, 0, file, prepared, cut_here, out);
    return TokeniseResult{};
}

struct ByteScan {
    size_t bad_byte = std::string_view::npos;  // the first byte no reader takes
    size_t quotes = 0, tags = 0;               // '"' and '<' before it
};

// One pass over the bytes: the first control character XML does not allow (all below 0x20 but
// tab, LF and CR), with utf8 also the first byte outside well-formed UTF-8, and the counts
// that size the token list.
ByteScan scan_bytes(std::string_view s, bool utf8) {
    ByteScan scan;
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x80) {
            const size_t n = utf8 ? utf8_sequence_at(s, i) : 1;
            if (n == 0) break;
            i += n;
            continue;
        }
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') break;
        scan.quotes += c == '"';
        scan.tags += c == '<';
        ++i;
    }
    if (i < s.size()) scan.bad_byte = i;
    return scan;
}

LoadStatus refused(LoadCode code) {
    LoadStatus s;
    s.code = code;
    return s;
}

TokeniseResult tokenise_checked(std::string_view bytes, XmlReaderOpener open_reader, TokenList& out,
                                TokenKeep keep, std::vector<LoadStatus>& warnings) {
    size_t start = 0;
    while (start < bytes.size() && start < kMaxLeadingBreaks && is_line_break(bytes[start]))
        ++start;
    if (start == kMaxLeadingBreaks && start < bytes.size() && is_line_break(bytes[start]))
        return TokeniseResult{refused(LoadCode::unsupported_version), {}};
    if (bytes.compare(start, kXmlStart.size(), kXmlStart) != 0)
        return TokeniseResult{refused(LoadCode::not_xml), {}};

    PreparedBytes prepared;
    cut_doctype_lines(bytes, start, prepared);

    // XmlLite takes broken UTF-8 and control characters as they come, libxml2 stops there:
    // both readers stop at the first bad byte, and the file counts as damaged from there on.
    const ByteScan scan = scan_bytes(prepared.bytes, declares_utf8(prepared.bytes));
    size_t bad_byte = scan.bad_byte;
    // A tag with more attributes than a board needs ends the file there too: libxml2 would
    // take minutes over it.
    bad_byte = std::min(bad_byte, first_crowded_tag(prepared.bytes));
    if (bad_byte != std::string_view::npos) prepared.bytes.resize(bad_byte);

    static const wchar_t* const kSetupTexts[] = {
        L"Error creating file reader",
        L"Error creating xml reader",
        L"Error setting XmlReaderProperty_DtdProcessing",
        L"Error setting input for reader",
    };
    if (!open_reader) return failed(out, reader_failed(kSetupTexts[1], kNoReader));
    const bool cut_here = bad_byte != std::string_view::npos;
    // One walk with a reader of its own over the prepared bytes.
    const auto read_all = [&](SignalsSkip& skip) {
        const XmlReaderSetup setup = open_reader(prepared.bytes);
        if (!setup.reader)
            return failed(
                out, reader_failed(kSetupTexts[static_cast<int>(setup.failed_step)], setup.code));
        // Room for every token up front: an attribute gives two tokens per pair of quotes, an
        // element at most two per '<'. Growing the list instead moves every token several times.
        out.tokens.reserve(scan.quotes + 2 * scan.tags);
        return walk(*setup.reader, bytes, prepared, cut_here, out, warnings, skip);
    };
    SignalsSkip skip;
    skip.allowed = keep == TokenKeep::walked;
    TokeniseResult res = read_all(skip);
    if (skip.read_again || skip.skipping()) {
        // A section's name inside <signals>, or the walk ended there: everything is kept.
        free_token_list(out);
        warnings.clear();
        SignalsSkip keep_all;
        res = read_all(keep_all);
    }
    if (res.ok() && bad_byte != std::string_view::npos) {
        // The reader stops at the cut, or earlier at a fault of its own.
        const uint32_t line = file_line(bytes, prepared, buffer_line_of(prepared.bytes, bad_byte));
        if (res.status.code != LoadCode::damaged || res.status.line == 0 || res.status.line > line)
            res.status.line = line;
        res.status.code = LoadCode::damaged;
    }
    return res;
}

}  // namespace

TokeniseResult tokenise_bytes(std::string_view bytes, XmlReaderOpener open_reader, TokenList& out,
                              TokenKeep keep) {
    std::vector<LoadStatus> warnings;
    TokeniseResult res;
    try {
        res = tokenise_checked(bytes, open_reader, out, keep, warnings);
    } catch (const std::bad_alloc&) {
        free_token_list(out);
        res.status = refused(LoadCode::tokens_out_of_memory);
    }
    res.warnings = std::move(warnings);
    return res;
}

}  // namespace tindral
