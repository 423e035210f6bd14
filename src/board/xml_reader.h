#pragma once
// The pull XML reader behind the tokeniser: XmlLite on Windows, libxml2's text reader natively.
// The calls mirror IXmlReader so that the token rules live once, in tokenise.cpp, and both
// readers only have to answer the same questions the same way.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tindral {

// Node types, with XmlLite's numbers.
enum class XmlNode : int {
    none = 0,
    element = 1,
    attribute = 2,
    text = 3,
    cdata = 4,
    processing_instruction = 7,
    comment = 8,
    document_type = 10,
    whitespace = 13,
    end_element = 15,
    xml_declaration = 17,
};

// HRESULT-style: 0 done, 1 "nothing more" (end of document, no further attribute), negative
// values are error codes (XmlLite's own, or xml_error_* below for the native reader).
using XmlResult = int32_t;
constexpr XmlResult xml_ok = 0;
constexpr XmlResult xml_false = 1;
inline bool xml_failed(XmlResult r) { return r < 0; }
// Codes the native reader gives, with XmlLite's values for the same faults.
constexpr XmlResult xml_error_malformed = static_cast<XmlResult>(0xC00CEE2D);  // WC_E_SYNTAX
constexpr XmlResult xml_error_dtd_prohibited = static_cast<XmlResult>(0xC00CEE4F);
constexpr XmlResult xml_error_out_of_memory = static_cast<XmlResult>(0x8007000E);

class XmlReader {
public:
    virtual ~XmlReader() = default;
    // Moves to the next node: xml_ok with its type, xml_false at the end, or an error. A reader
    // that stops making progress reports that as an error too.
    virtual XmlResult read(XmlNode& node) = 0;
    // Name and value of the node or attribute the reader stands on.
    virtual XmlResult get_prefix(std::wstring& out) = 0;
    virtual XmlResult get_local_name(std::wstring& out) = 0;
    virtual XmlResult get_value(std::wstring& out) = 0;
    // The local name or the value as a view that stays valid until the reader moves on. A
    // reader that holds the text already hands it over without a copy; by default it comes
    // through the calls above.
    virtual XmlResult local_name_view(std::wstring_view& out) {
        const XmlResult r = get_local_name(name_text_);
        out = name_text_;
        return r;
    }
    virtual XmlResult value_view(std::wstring_view& out) {
        const XmlResult r = get_value(value_text_);
        out = value_text_;
        return r;
    }
    // xml_false when there is no (further) attribute.
    virtual XmlResult move_to_first_attribute() = 0;
    virtual XmlResult move_to_next_attribute() = 0;
    // Only true on the element itself: a reader standing on an attribute answers false.
    virtual bool is_empty_element() = 0;
    // The line (1-based) of the current node, or where reading stopped after an error.
    virtual uint32_t line_number() = 0;

private:
    std::wstring name_text_, value_text_;
};

// The preparation steps, in order; each has its own failure message.
enum class XmlSetupStep { stream, reader, dtd_processing, input };

struct XmlReaderSetup {
    std::unique_ptr<XmlReader> reader;  // null when a step failed
    XmlSetupStep failed_step = XmlSetupStep::stream;
    XmlResult code = xml_ok;
};

// A reader over bytes held in memory, with DTD processing prohibited (a document type
// declaration is a reading error) and no access to anything outside the bytes. The bytes must
// outlive the reader.
using XmlReaderOpener = XmlReaderSetup (*)(std::string_view bytes);

// The platform's opener (XmlLite on Windows, libxml2 elsewhere), defined by the platform layer;
// the shell and the tools hand it to the load, the core never calls it itself.
XmlReaderSetup open_platform_xml_reader(std::string_view bytes);

}  // namespace tindral
