// The native XML pull reader: libxml2's text reader, answering like XmlLite does.

#include <libxml/xmlreader.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "board/utf8.h"
#include "board/xml_reader.h"

namespace tindral {

namespace {

bool is_xml_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The pseudo-attributes of the XML declaration as written; libxml2 reads the declaration but
// does not report it as a node. Empty when bytes do not start with a declaration.
std::vector<std::pair<std::wstring, std::wstring>> declaration_attributes(std::string_view b) {
    std::vector<std::pair<std::wstring, std::wstring>> attrs;
    size_t i = 5;  // after "<?xml"
    for (;;) {
        while (i < b.size() && is_xml_space(b[i])) ++i;
        if (i >= b.size() || b[i] == '?') break;
        const size_t name_start = i;
        while (i < b.size() && b[i] != '=' && !is_xml_space(b[i])) ++i;
        const std::string_view name = b.substr(name_start, i - name_start);
        while (i < b.size() && is_xml_space(b[i])) ++i;
        if (i >= b.size() || b[i] != '=') break;
        ++i;
        while (i < b.size() && is_xml_space(b[i])) ++i;
        if (i >= b.size() || (b[i] != '"' && b[i] != '\'')) break;
        const char quote = b[i++];
        const size_t value_start = i;
        while (i < b.size() && b[i] != quote) ++i;
        if (i >= b.size()) break;
        attrs.emplace_back(utf8_to_wide(name),
                           utf8_to_wide(b.substr(value_start, i - value_start)));
        ++i;
    }
    return attrs;
}

// Decodes into out's own buffer: the tokeniser reads a million texts from a large board, and a
// fresh string for each would cost an allocation each.
void set_text(std::wstring& out, const xmlChar* s) {
    out.clear();
    if (s) append_utf8_as_wide(out, reinterpret_cast<const char*>(s));
}

// Element and attribute names, a few dozen of them, fill half of a board's nodes: each is
// converted once and then handed out again. A slot is chosen by the reader's pointer (libxml2
// keeps one copy of each name) but only reused when the bytes are the same.
class NameCache {
public:
    std::wstring_view wide(const xmlChar* name) {
        if (!name) return {};
        const char* bytes = reinterpret_cast<const char*>(name);
        Slot& slot = slots_[(reinterpret_cast<uintptr_t>(name) >> 4) % kSlots];
        if (slot.key != name || slot.bytes != bytes) {
            slot.key = name;
            slot.bytes = bytes;
            set_text(slot.text, name);
        }
        return slot.text;
    }

private:
    struct Slot {
        const xmlChar* key = nullptr;
        std::string bytes;
        std::wstring text;
    };
    static constexpr size_t kSlots = 128;
    std::array<Slot, kSlots> slots_;
};

// The bytes as libxml2 pulls them. From fine_from on they come one at a time: the reader parses
// in blocks and drops every node of a block that holds an error, so the pass that replays a
// broken file feeds the bytes before the error singly to lose none of the nodes XmlLite gives.
struct ByteSource {
    std::string_view bytes;
    size_t next = 0;
    size_t fine_from = std::string_view::npos;

    static int read(void* self, char* buffer, int len) {
        auto* src = static_cast<ByteSource*>(self);
        size_t n = std::min(static_cast<size_t>(len), src->bytes.size() - src->next);
        if (src->next >= src->fine_from) n = std::min<size_t>(n, 1);
        else if (src->fine_from != std::string_view::npos)
            n = std::min(n, src->fine_from - src->next);
        std::copy_n(src->bytes.data() + src->next, n, buffer);
        src->next += n;
        return static_cast<int>(n);
    }
    static int close(void*) { return 0; }
};

// No network, no DTD loading, no entity substitution beyond the predefined ones; errors are
// collected, not printed.
constexpr int kOptions =
    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_BIG_LINES;

class LibxmlReader : public XmlReader {
public:
    explicit LibxmlReader(std::string_view bytes) : bytes_(bytes) {
        if (bytes.substr(0, 5) == "<?xml" && bytes.size() > 5 && is_xml_space(bytes[5]) &&
            bytes.find("?>") != std::string_view::npos) {
            has_declaration_ = true;
            declaration_ = declaration_attributes(bytes);
        }
    }
    ~LibxmlReader() override { close(); }
    LibxmlReader(const LibxmlReader&) = delete;
    LibxmlReader& operator=(const LibxmlReader&) = delete;

    bool open(size_t fine_from) {
        close();
        source_ = ByteSource{bytes_, 0, fine_from};
        reader_ = xmlReaderForIO(&ByteSource::read, &ByteSource::close, &source_, nullptr,
                                 nullptr, kOptions);
        if (reader_) xmlTextReaderSetStructuredErrorHandler(reader_, &LibxmlReader::on_error, this);
        return reader_ != nullptr;
    }

    XmlResult read(XmlNode& node) override {
        if (failed_) return error_;
        if (state_ == State::start) {
            state_ = State::nodes;
            if (has_declaration_) {
                state_ = State::declaration;
                attr_ = -1;
                node = XmlNode::xml_declaration;
                return xml_ok;
            }
        } else if (state_ == State::declaration) {
            state_ = State::nodes;
        }
        return next(node);
    }

    XmlResult get_prefix(std::wstring& out) override {
        if (state_ == State::declaration) out.clear();
        else set_text(out, xmlTextReaderConstPrefix(reader_));
        return xml_ok;
    }

    XmlResult get_local_name(std::wstring& out) override {
        if (state_ == State::declaration) out = attr_ < 0 ? L"xml" : declaration_[attr_].first;
        else set_text(out, xmlTextReaderConstLocalName(reader_));
        return xml_ok;
    }

    XmlResult get_value(std::wstring& out) override {
        if (state_ == State::declaration)
            out = attr_ < 0 ? std::wstring() : declaration_[attr_].second;
        else set_text(out, xmlTextReaderConstValue(reader_));
        return xml_ok;
    }

    XmlResult local_name_view(std::wstring_view& out) override {
        if (state_ == State::declaration) {
            out = attr_ < 0 ? std::wstring_view(L"xml")
                            : std::wstring_view(declaration_[attr_].first);
            return xml_ok;
        }
        out = names_.wide(xmlTextReaderConstLocalName(reader_));
        return xml_ok;
    }

    XmlResult value_view(std::wstring_view& out) override {
        if (state_ == State::declaration) {
            out = attr_ < 0 ? std::wstring_view() : std::wstring_view(declaration_[attr_].second);
            return xml_ok;
        }
        set_text(value_, xmlTextReaderConstValue(reader_));
        out = value_;
        return xml_ok;
    }

    XmlResult move_to_first_attribute() override {
        if (state_ == State::declaration) {
            if (declaration_.empty()) return xml_false;
            attr_ = 0;
            return xml_ok;
        }
        return answer(xmlTextReaderMoveToFirstAttribute(reader_));
    }

    XmlResult move_to_next_attribute() override {
        if (state_ == State::declaration) {
            if (attr_ < 0 || attr_ + 1 >= static_cast<int>(declaration_.size())) return xml_false;
            ++attr_;
            return xml_ok;
        }
        return answer(xmlTextReaderMoveToNextAttribute(reader_));
    }

    bool is_empty_element() override {
        // libxml2, like XmlLite, answers "no" while standing on an attribute.
        return state_ == State::nodes && xmlTextReaderIsEmptyElement(reader_) == 1;
    }

    uint32_t line_number() override {
        if (failed_) return error_line_ > 0 ? static_cast<uint32_t>(error_line_) : 0;
        if (state_ != State::nodes) return 1;
        const xmlNodePtr node = reader_ ? xmlTextReaderCurrentNode(reader_) : nullptr;
        const long line = node ? xmlGetLineNo(node) : 0;
        return line > 0 ? static_cast<uint32_t>(line) : 0;
    }

private:
    enum class State { start, declaration, nodes };

    void close() {
        if (reader_) xmlFreeTextReader(reader_);
        reader_ = nullptr;
    }

    XmlResult answer(int rc) {
        if (rc == 1) return xml_ok;
        if (rc == 0) return xml_false;
        return fail(xml_error_malformed);
    }

    XmlResult fail(XmlResult code) {
        failed_ = true;
        error_ = code;
        return error_;
    }

    // After an error: read the file again, byte by byte near the error, and go on from the
    // nodes already delivered up to the first node the block parse had lost.
    bool replay() {
        // The block that held the error lies within the bytes handed over last: the reader asks
        // for at most 4096 bytes ahead of a block of 512.
        const size_t handed = source_.next;
        const size_t fine_from = handed > kReplaySlack ? handed - kReplaySlack : 0;
        const int keep_line = error_line_;
        replayed_ = true;
        if (!open(fine_from)) return false;
        for (uint64_t i = 0; i < delivered_; ++i)
            if (xmlTextReaderRead(reader_) != 1) return false;
        error_line_ = keep_line;
        return true;
    }

    XmlResult next(XmlNode& node) {
        int rc = xmlTextReaderRead(reader_);
        if (rc < 0 && !replayed_) {
            if (!replay()) return fail(xml_error_malformed);
            rc = xmlTextReaderRead(reader_);
        }
        if (rc == 0) {
            node = XmlNode::none;
            return xml_false;
        }
        if (rc < 0) return fail(xml_error_malformed);
        ++delivered_;
        switch (xmlTextReaderNodeType(reader_)) {
        case XML_READER_TYPE_ELEMENT: node = XmlNode::element; break;
        case XML_READER_TYPE_END_ELEMENT: node = XmlNode::end_element; break;
        case XML_READER_TYPE_TEXT: node = XmlNode::text; break;
        case XML_READER_TYPE_CDATA: node = XmlNode::cdata; break;
        case XML_READER_TYPE_COMMENT: node = XmlNode::comment; break;
        case XML_READER_TYPE_PROCESSING_INSTRUCTION: node = XmlNode::processing_instruction; break;
        case XML_READER_TYPE_WHITESPACE:
        case XML_READER_TYPE_SIGNIFICANT_WHITESPACE: node = XmlNode::whitespace; break;
        case XML_READER_TYPE_DOCUMENT_TYPE:
            // Prohibited, as for XmlLite, which stops where the declaration starts.
            error_line_ = line_of(bytes_.find("<!DOCTYPE"));
            return fail(xml_error_dtd_prohibited);
        default: node = XmlNode::none; break;
        }
        return xml_ok;
    }

    int line_of(size_t offset) const {
        if (offset == std::string_view::npos) return 0;
        return 1 + static_cast<int>(std::count(bytes_.begin(), bytes_.begin() + offset, '\n'));
    }

    static void on_error(void* self, xmlErrorPtr error) {
        auto* me = static_cast<LibxmlReader*>(self);
        if (error && error->level >= XML_ERR_ERROR && me->error_line_ == 0)
            me->error_line_ = error->line > 0 ? error->line : 1;
    }

    static constexpr size_t kReplaySlack = 8192;

    std::string_view bytes_;
    ByteSource source_;
    xmlTextReaderPtr reader_ = nullptr;
    bool has_declaration_ = false;
    std::vector<std::pair<std::wstring, std::wstring>> declaration_;
    NameCache names_;
    std::wstring value_;
    State state_ = State::start;
    int attr_ = -1;
    uint64_t delivered_ = 0;
    bool replayed_ = false;
    bool failed_ = false;
    XmlResult error_ = xml_ok;
    int error_line_ = 0;
};

}  // namespace

XmlReaderSetup open_platform_xml_reader(std::string_view bytes) {
    XmlReaderSetup setup;
    auto reader = std::make_unique<LibxmlReader>(bytes);
    if (!reader->open(std::string_view::npos)) {
        setup.failed_step = XmlSetupStep::reader;
        setup.code = xml_error_out_of_memory;
        return setup;
    }
    setup.reader = std::move(reader);
    return setup;
}

}  // namespace tindral
