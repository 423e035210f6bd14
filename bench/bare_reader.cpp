// The floor for reading a board: libxml2's text reader over the whole file, every node visited
// and every attribute's name and value read, nothing kept. Prints a checksum of what it read
// so that the compiler cannot drop the work.
//   tindral-bare-reader FILE
#include <libxml/xmlreader.h>

#include <cstdio>
#include <cstring>

namespace {

unsigned long mix(unsigned long sum, const xmlChar* s) {
    return s ? sum * 31 + std::strlen(reinterpret_cast<const char*>(s)) : sum;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tindral-bare-reader FILE\n");
        return 2;
    }
    xmlTextReaderPtr r = xmlReaderForFile(argv[1], nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR |
                                                                 XML_PARSE_NOWARNING | XML_PARSE_BIG_LINES);
    if (!r) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    unsigned long nodes = 0, sum = 0;
    int rc;
    while ((rc = xmlTextReaderRead(r)) == 1) {
        ++nodes;
        sum = mix(sum, xmlTextReaderConstLocalName(r));
        sum = mix(sum, xmlTextReaderConstValue(r));
        while (xmlTextReaderMoveToNextAttribute(r) == 1) {
            sum = mix(sum, xmlTextReaderConstLocalName(r));
            sum = mix(sum, xmlTextReaderConstValue(r));
        }
    }
    xmlFreeTextReader(r);
    std::printf("%lu nodes, checksum %lu\n", nodes, sum);
    return rc == 0 ? 0 : 1;
}
