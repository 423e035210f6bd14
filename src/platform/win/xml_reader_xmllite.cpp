// The Windows XML pull reader: XmlLite over a memory stream.

#include <windows.h>
#include <objidl.h>
#include <shlwapi.h>
#include <xmllite.h>

#include <string>
#include <utility>

#include "board/xml_reader.h"
#include "platform/win/owned_win.h"

namespace tindral {

namespace {

constexpr XmlResult kNoProgress = static_cast<XmlResult>(0xC00CEE01);  // MX_E_INPUTEND

using CreateXmlReaderFn = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

// XmlLite has no MinGW import library; the DLL stays loaded for the life of the process.
CreateXmlReaderFn create_xml_reader_entry(HRESULT& hr) {
    static HMODULE dll = nullptr;
    static CreateXmlReaderFn entry = nullptr;
    if (entry) return entry;
    if (!dll) dll = LoadLibraryW(L"xmllite.dll");
    if (!dll) {
        hr = HRESULT_FROM_WIN32(GetLastError());
        return nullptr;
    }
    entry = reinterpret_cast<CreateXmlReaderFn>(
        reinterpret_cast<void*>(GetProcAddress(dll, "CreateXmlReader")));
    if (!entry) hr = HRESULT_FROM_WIN32(GetLastError());
    return entry;
}

class XmlLiteReader : public XmlReader {
public:
    XmlLiteReader(ComOwner<IStream> stream, ComOwner<IXmlReader> reader)
        : stream_(std::move(stream)), reader_(std::move(reader)) {}

    XmlResult read(XmlNode& node) override {
        if (stuck_) return kNoProgress;
        XmlNodeType type = XmlNodeType_None;
        const HRESULT hr = reader_->Read(&type);
        if (hr != S_OK) return hr;
        // Wine's XmlLite answers S_OK for ever when the input ends inside element text: first
        // with an empty text node (never a real one), then with the same node again and again.
        UINT line = 0, pos = 0;
        reader_->GetLineNumber(&line);
        reader_->GetLinePosition(&pos);
        const bool same = type == last_type_ && line == last_line_ && pos == last_pos_;
        if (same || (type == XmlNodeType_Text && empty_value())) {
            stuck_ = true;
            return kNoProgress;
        }
        last_type_ = type;
        last_line_ = line;
        last_pos_ = pos;
        node = static_cast<XmlNode>(type);
        return xml_ok;
    }

    XmlResult get_prefix(std::wstring& out) override {
        return get(&IXmlReader::GetPrefix, out);
    }
    XmlResult get_local_name(std::wstring& out) override {
        return get(&IXmlReader::GetLocalName, out);
    }
    XmlResult get_value(std::wstring& out) override { return get(&IXmlReader::GetValue, out); }
    // XmlLite holds the texts itself until the next move: no copy.
    XmlResult local_name_view(std::wstring_view& out) override {
        return view(&IXmlReader::GetLocalName, out);
    }
    XmlResult value_view(std::wstring_view& out) override {
        return view(&IXmlReader::GetValue, out);
    }

    XmlResult move_to_first_attribute() override { return reader_->MoveToFirstAttribute(); }
    XmlResult move_to_next_attribute() override { return reader_->MoveToNextAttribute(); }
    bool is_empty_element() override { return reader_->IsEmptyElement() != FALSE; }

    uint32_t line_number() override {
        UINT line = 0;
        reader_->GetLineNumber(&line);
        return line;
    }

private:
    bool empty_value() {
        LPCWSTR s = nullptr;
        UINT len = 0;
        return SUCCEEDED(reader_->GetValue(&s, &len)) && len == 0;
    }

    XmlResult get(HRESULT (STDMETHODCALLTYPE IXmlReader::*call)(LPCWSTR*, UINT*),
                  std::wstring& out) {
        std::wstring_view text;
        const XmlResult r = view(call, text);
        if (r == xml_ok) out.assign(text);
        return r;
    }

    XmlResult view(HRESULT (STDMETHODCALLTYPE IXmlReader::*call)(LPCWSTR*, UINT*),
                   std::wstring_view& out) {
        LPCWSTR s = nullptr;
        UINT len = 0;
        const HRESULT hr = (reader_.get()->*call)(&s, &len);
        if (FAILED(hr)) return hr;
        out = s ? std::wstring_view(s, len) : std::wstring_view();
        return xml_ok;
    }

    // The stream is declared first so that the reader, which reads from it, goes first.
    ComOwner<IStream> stream_;
    ComOwner<IXmlReader> reader_;
    XmlNodeType last_type_ = XmlNodeType_None;
    UINT last_line_ = 0;
    UINT last_pos_ = 0;
    bool stuck_ = false;
};

}  // namespace

XmlReaderSetup open_platform_xml_reader(std::string_view bytes) {
    XmlReaderSetup setup;
    // Wine's XmlLite fails an assertion inside Read when the input ends right after the XML
    // declaration; a line break there changes no token.
    std::string padded;
    const size_t decl_end = bytes.find("?>");
    if (decl_end != std::string_view::npos && decl_end + 2 == bytes.size()) {
        padded.assign(bytes);
        padded += '\n';
        bytes = padded;
    }
    ComOwner<IStream> stream(SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()),
                                               static_cast<UINT>(bytes.size())));
    if (!stream) {
        setup.failed_step = XmlSetupStep::stream;
        setup.code = E_OUTOFMEMORY;
        return setup;
    }
    HRESULT hr = E_FAIL;
    ComOwner<IXmlReader> reader;
    CreateXmlReaderFn create = create_xml_reader_entry(hr);
    if (create) hr = create(__uuidof(IXmlReader), reinterpret_cast<void**>(reader.put()), nullptr);
    if (!create || FAILED(hr) || !reader) {
        setup.failed_step = XmlSetupStep::reader;
        setup.code = hr;
        return setup;
    }
    hr = reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
    if (SUCCEEDED(hr)) {
        hr = reader->SetInput(stream.get());
        if (FAILED(hr)) setup.failed_step = XmlSetupStep::input;
    } else {
        setup.failed_step = XmlSetupStep::dtd_processing;
    }
    if (FAILED(hr)) {
        setup.code = hr;
        return setup;
    }
    setup.reader = std::make_unique<XmlLiteReader>(std::move(stream), std::move(reader));
    return setup;
}

}  // namespace tindral
