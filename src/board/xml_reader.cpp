#include "board/xml_reader.h"

namespace tindral {

namespace {
XmlReaderOpener g_opener = &open_platform_xml_reader;
}

XmlReaderOpener set_xml_reader_opener(XmlReaderOpener opener) {
    XmlReaderOpener previous = g_opener;
    g_opener = opener ? opener : &open_platform_xml_reader;
    return previous;
}

XmlReaderSetup open_xml_reader(std::string_view bytes) { return g_opener(bytes); }

}  // namespace tindral
