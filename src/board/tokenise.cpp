#include "board/tokenise.h"

#include <algorithm>
#include <array>
#include <functional>
#include <new>
#include <optional>
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
    std::string_view bytes;  // into storage, or into the file itself when nothing is copied
    std::string storage;
    std::vector<Cut> cuts;
};

bool is_line_break(char c) { return c == '\r' || c == '\n'; }

// The buffer the reader sees: from the first non-line-break byte on, without any exact Eagle
// DOCTYPE line (35 bytes plus the byte after it).
void cut_doctype_lines(std::string_view in, size_t start, PreparedBytes& out) {
    if (start) out.cuts.push_back({0, start});
    std::string& kept = out.storage;
    kept.reserve(in.size() - start);
    // The line is searched for whole: checking it at every '<' costs a comparison per tag.
    const std::boyer_moore_horspool_searcher line(kEagleDoctype.begin(), kEagleDoctype.end());
    size_t i = start;
    while (i < in.size()) {
        const size_t stop = static_cast<size_t>(
            std::search(in.begin() + static_cast<std::ptrdiff_t>(i), in.end(), line) - in.begin());
        kept.append(in.substr(i, stop - i));
        i = stop;
        if (i == in.size()) break;
        const size_t length = std::min(in.size() - i, kEagleDoctype.size() + 1);
        out.cuts.push_back({kept.size(), length});
        i += length;
    }
    out.bytes = kept;
}

// The head Eagle writes, up to and with the byte after its DOCTYPE line.
constexpr std::string_view kEagleDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

// For a walk that never reads the declaration's tokens: the file as it is from the line after
// Eagle's own head, with nothing copied, when the DOCTYPE line stands there only. false when
// the file has to be copied without the DOCTYPE lines instead.
bool view_past_eagle_head(std::string_view in, PreparedBytes& out) {
    const size_t head = kEagleDeclaration.size() + kEagleDoctype.size() + 1;
    if (in.size() <= head || in.substr(0, kEagleDeclaration.size()) != kEagleDeclaration ||
        in.substr(kEagleDeclaration.size(), kEagleDoctype.size()) != kEagleDoctype)
        return false;
    const std::boyer_moore_horspool_searcher line(kEagleDoctype.begin(), kEagleDoctype.end());
    const auto rest = in.begin() + static_cast<std::ptrdiff_t>(head);
    if (std::search(rest, in.end(), line) != in.end()) return false;
    out.bytes = in.substr(head);
    out.cuts.push_back({0, head});
    return true;
}

// Line ends as XML counts them: CR LF, CR and LF each end one line.
bool ends_line(std::string_view s, size_t i) {
    return s[i] == '\n' || (s[i] == '\r' && (i + 1 == s.size() || s[i + 1] != '\n'));
}

// The line of the file that holds the start of a line of the reader's buffer.
uint32_t file_line(std::string_view file, const PreparedBytes& prepared, uint32_t buffer_line) {
    const std::string_view buf = prepared.bytes;
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

// A list read as the walk goes keeps what a walker may hold: the load drops it whole instead.
TokeniseResult failed(TokenList& out, LoadStatus status) {
    if (!out.windowed()) free_token_list(out);
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
    if (!out.windowed()) {
        if (!reader_stopped) {
            for (size_t i = 0; i < end.open_elements && out.drop_last(kTokenEnd); ++i) {
            }
        }
        out.drop_last(kTokenText);
    }
    uint32_t line = reader_line ? file_line(file, prepared, reader_line) : 0;
    if (end.kind == DocumentEnd::cut_off && !cut_here)
        line = file_line(file, prepared, buffer_line_of(prepared.bytes, prepared.bytes.size() - 1));
    return damaged_at(line);
}

// The walk over the reader's nodes, one node a step. Faults the walk goes past land in
// warnings.
class NodeWalk {
public:
    NodeWalk(XmlReader& r, const DocumentEnd& end, std::string_view file,
             const PreparedBytes& prepared, bool cut_here, TokenList& out,
             std::vector<LoadStatus>& warnings, SignalsSkip& skip)
        : r_(r), end_(end), file_(file), prepared_(prepared), cut_here_(cut_here), out_(out),
          warnings_(warnings), skip_(skip) {}

    // With a source: the list's window opens right after the first <elements> start token.
    void open_window_at_elements(TokenSource& source) { window_source_ = &source; }

    // Reads one node: true while the file goes on, false once result() holds how it ended.
    bool step() {
        XmlNode node = XmlNode::none;
        const XmlResult hr = r_.read(node);
        if (hr == xml_false) return ended();
        if (xml_failed(hr)) {
            if (first_element_) return stop(not_eagle(out_));
            return stop(broken_off(end_, true, r_.line_number(), file_, prepared_, cut_here_, out_));
        }
        switch (node) {
        case XmlNode::xml_declaration:
            if (!get(&XmlReader::local_name_view, r_, name_, L"Error getting local name", fault_))
                return stop(failed(out_, fault_));
            append(out_, kTokenXmlDecl, name_, skip_);
            // a broken declaration does not end the walk
            if (!read_attributes(r_, out_, fault_, prefix_, skip_)) warnings_.push_back(fault_);
            break;
        case XmlNode::element:
            return element();
        case XmlNode::end_element:
            if (!get(&XmlReader::get_prefix, r_, prefix_, L"Error getting prefix", fault_) ||
                !get(&XmlReader::local_name_view, r_, name_, L"Error getting local name", fault_))
                return stop(failed(out_, fault_));
            if (skip_.skipping() && depth_ == skip_.depth) skip_.depth = 0;  // the end of <signals>
            --depth_;
            append(out_, kTokenEnd, name_, skip_);
            break;
        case XmlNode::text:
            if (!get(&XmlReader::value_view, r_, value_, L"Error getting Text value", fault_))
                return stop(failed(out_, fault_));
            append(out_, kTokenText, value_, skip_);
            break;
        case XmlNode::whitespace:
            return read_unkept(&XmlReader::value_view, L"Error getting value");
        case XmlNode::cdata:
            return read_unkept(&XmlReader::value_view, L"Error getting CDATA value");
        case XmlNode::comment:
            return read_unkept(&XmlReader::value_view, L"Error getting Comment value");
        case XmlNode::processing_instruction:
            if (!get(&XmlReader::local_name_view, r_, name_,
                     L"Error getting ProcessingInstruction name", fault_))
                return stop(failed(out_, fault_));
            return read_unkept(&XmlReader::value_view, L"Error getting ProcessingInstrruction value");
        default:
            break;
        }
        return true;
    }

    const TokeniseResult& result() const { return result_; }

private:
    bool stop(TokeniseResult r) {
        result_ = std::move(r);
        return false;
    }

    bool ended() {
        // A document without any element ends normally for some readers.
        if (first_element_) return stop(not_eagle(out_));
        if (end_.kind == DocumentEnd::cut_off)
            return stop(broken_off(end_, false, 0, file_, prepared_, cut_here_, out_));
        return stop(TokeniseResult{});
    }

    bool read_unkept(XmlResult (XmlReader::*call)(std::wstring_view&), const wchar_t* what) {
        if (!get(call, r_, value_, what, fault_)) return stop(failed(out_, fault_));
        return true;
    }

    bool element() {
        if (!get(&XmlReader::get_prefix, r_, prefix_, L"Error getting prefix", fault_) ||
            !get(&XmlReader::local_name_view, r_, name_, L"Error getting local name", fault_))
            return stop(failed(out_, fault_));
        if (first_element_) {
            if (name_ != L"eagle") return stop(not_eagle(out_));
            first_element_ = false;
        }
        // Asked before the attributes are walked, when the answer is still the element's.
        const bool has_end = !r_.is_empty_element();
        if (has_end && ++depth_ > kMaxDepth) {
            const uint32_t line = r_.line_number();
            return stop(damaged_at(line ? file_line(file_, prepared_, line) : 0));
        }
        if (skip_.skipping() && is_section_name(name_)) {
            skip_.read_again = true;
            return stop(TokeniseResult{});
        }
        const bool skip_starts = has_end && skip_.starts_here(name_, depth_);
        if (skip_.allowed && has_end && depth_ < 4) skip_.path[depth_].assign(name_);
        append(out_, kTokenStart, name_, skip_);
        if (window_source_ && name_ == L"elements" && !skip_.skipping()) {
            out_.open_window(*window_source_);
            window_source_ = nullptr;
        }
        if (!read_attributes(r_, out_, fault_, prefix_, skip_)) return stop(failed(out_, fault_));
        // Answers false after attributes were walked: only <x/> without any gets a kind 0.
        if (r_.is_empty_element()) append(out_, kTokenEmptyEnd, {}, skip_);
        if (skip_starts) {
            out_.add_skipped();
            skip_.used = true;
            skip_.depth = depth_;
        }
        return true;
    }

    XmlReader& r_;
    const DocumentEnd end_;
    std::string_view file_;
    const PreparedBytes& prepared_;
    bool cut_here_;
    TokenList& out_;
    std::vector<LoadStatus>& warnings_;
    SignalsSkip& skip_;
    TokenSource* window_source_ = nullptr;
    TokeniseResult result_;
    LoadStatus fault_;
    bool first_element_ = true;
    int depth_ = 0;
    std::wstring prefix_;
    std::wstring_view name_, value_;
};

TokeniseResult walk(XmlReader& r, std::string_view file, const PreparedBytes& prepared,
                    bool cut_here, TokenList& out, std::vector<LoadStatus>& warnings,
                    SignalsSkip& skip) {
    NodeWalk w(r, document_end(prepared.bytes), file, prepared, cut_here, out, warnings, skip);
    while (w.step()) {
    }
    return w.result();
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
    // Blocks of plain ASCII text, nearly all of a board, are counted whole: a loop the compiler
    // turns into vector instructions. A block with anything else goes byte by byte below.
    constexpr size_t kBlock = 64;
    const auto* b = reinterpret_cast<const unsigned char*>(s.data());
    size_t slow_until = 0;  // the block that is not plain goes byte by byte up to here
    while (i < s.size()) {
        if (i >= slow_until && s.size() - i >= kBlock) {
            unsigned odd = 0, quotes = 0, tags = 0;
            for (size_t k = 0; k < kBlock; ++k) {
                const unsigned char c = b[i + k];
                odd |= (c >= 0x80) | ((c < 0x20) & (c != '\t') & (c != '\n') & (c != '\r'));
                quotes += c == '"';
                tags += c == '<';
            }
            if (!odd) {
                scan.quotes += quotes;
                scan.tags += tags;
                i += kBlock;
                continue;
            }
            slow_until = i + kBlock;
        }
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

// The bytes the reader sees, or why the file is refused before any reading.
struct Prepared {
    std::optional<TokeniseResult> refusal;
    PreparedBytes buffer;
    ByteScan scan;
    size_t bad_byte = std::string_view::npos;  // where the buffer was cut, if it was
};

// A walk that never reads the declaration's tokens may have them left out (without_declaration).
void prepare(std::string_view bytes, Prepared& p, bool without_declaration = false) {
    size_t start = 0;
    while (start < bytes.size() && start < kMaxLeadingBreaks && is_line_break(bytes[start]))
        ++start;
    if (start == kMaxLeadingBreaks && start < bytes.size() && is_line_break(bytes[start])) {
        p.refusal = TokeniseResult{refused(LoadCode::unsupported_version), {}};
        return;
    }
    if (bytes.compare(start, kXmlStart.size(), kXmlStart) != 0) {
        p.refusal = TokeniseResult{refused(LoadCode::not_xml), {}};
        return;
    }
    // Eagle's own declaration says UTF-8.
    const bool viewed = without_declaration && view_past_eagle_head(bytes, p.buffer);
    if (!viewed) cut_doctype_lines(bytes, start, p.buffer);

    // XmlLite takes broken UTF-8 and control characters as they come, libxml2 stops there:
    // both readers stop at the first bad byte, and the file counts as damaged from there on.
    p.scan = scan_bytes(p.buffer.bytes, viewed || declares_utf8(p.buffer.bytes));
    p.bad_byte = p.scan.bad_byte;
    // A tag with more attributes than a board needs ends the file there too: libxml2 would
    // take minutes over it.
    p.bad_byte = std::min(p.bad_byte, first_crowded_tag(p.buffer.bytes));
    if (p.bad_byte != std::string_view::npos) p.buffer.bytes = p.buffer.bytes.substr(0, p.bad_byte);
}

// Room for every token up front: an attribute gives two tokens per pair of quotes, an element
// at most two per '<'. Growing the list instead moves every token several times.
void reserve_tokens(const ByteScan& scan, TokenList& out) {
    out.tokens.reserve(scan.quotes + 2 * scan.tags);
}

TokeniseResult tokenise_checked(std::string_view bytes, XmlReaderOpener open_reader, TokenList& out,
                                TokenKeep keep, std::vector<LoadStatus>& warnings) {
    Prepared p;
    prepare(bytes, p);
    if (p.refusal) return *p.refusal;
    const PreparedBytes& prepared = p.buffer;
    const size_t bad_byte = p.bad_byte;

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
        reserve_tokens(p.scan, out);
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

// How many <element> tags the bytes hold at most (also any in comments).
size_t count_element_tags(std::string_view xml) {
    constexpr std::string_view tag = "<element";
    size_t n = 0;
    for (size_t at = xml.find(tag); at != std::string_view::npos; at = xml.find(tag, at + 1)) {
        const size_t next = at + tag.size();
        n += next == xml.size() || xml[next] == ' ' || xml[next] == '\t' || xml[next] == '\r' ||
             xml[next] == '\n' || xml[next] == '>' || xml[next] == '/';
    }
    return n;
}

}  // namespace

struct TokensAsWalked::State : TokenSource {
    Prepared prepared;
    XmlReaderSetup setup;
    SignalsSkip skip;
    std::vector<LoadStatus> warnings;
    std::unique_ptr<NodeWalk> walk;

    bool pull() override { return walk->step(); }
};

TokensAsWalked::TokensAsWalked() = default;
TokensAsWalked::~TokensAsWalked() = default;

bool TokensAsWalked::open(std::string_view bytes, XmlReaderOpener open_reader, TokenList& out) {
    state_ = std::make_unique<State>();
    State& s = *state_;
    prepare(bytes, s.prepared, true);
    if (s.prepared.refusal || s.prepared.bad_byte != std::string_view::npos || !open_reader)
        return false;
    const std::string_view buffer = s.prepared.buffer.bytes;
    const DocumentEnd end = document_end(buffer);
    if (end.kind != DocumentEnd::complete) return false;
    s.setup = open_reader(buffer);
    if (!s.setup.reader) return false;
    reserve_tokens(s.prepared.scan, out);  // what the window never holds is never touched
    out.element_hint = count_element_tags(buffer);
    s.skip.allowed = true;
    s.walk = std::make_unique<NodeWalk>(*s.setup.reader, end, bytes, s.prepared.buffer, false, out,
                                        s.warnings, s.skip);
    s.walk->open_window_at_elements(s);
    while (!out.windowed())
        if (!s.walk->step()) return false;
    return s.warnings.empty();
}

bool TokensAsWalked::finish(const TokenList& out) {
    out.read_rest_unkept();
    const State& s = *state_;
    return s.walk->result().status.code == LoadCode::ok && s.warnings.empty() &&
           !s.skip.read_again && !s.skip.skipping();
}

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
