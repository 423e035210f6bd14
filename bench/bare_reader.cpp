// The floor for reading a board: libxml2's text reader over the whole file, every node visited
// and every attribute's name and value read, nothing kept; for a KiCad board (.kicad_pcb) one
// pass over its s-expressions, every bracket, atom and quoted string found. Prints a checksum
// of what it read so that the compiler cannot drop the work.
//   tindral-bare-reader FILE
#include <libxml/xmlreader.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

unsigned long mix(unsigned long sum, const xmlChar* s) {
    return s ? sum * 31 + std::strlen(reinterpret_cast<const char*>(s)) : sum;
}

bool ends_with(const char* s, const char* tail) {
    const size_t n = std::strlen(s), m = std::strlen(tail);
    return n >= m && std::strcmp(s + n - m, tail) == 0;
}

// The whole file read, then walked once: lists counted, each atom's and string's length mixed in.
int sexpr_pass(const char* path) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) {
        std::fprintf(stderr, "cannot open %s\n", path);
        return 1;
    }
    std::string text;
    char buf[1 << 16];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
    std::fclose(f);
    unsigned long lists = 0, sum = 0;
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '(') {
            ++lists, ++i;
        } else if (c == ')' || std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '"') {
            size_t len = 0;
            for (++i; i < text.size() && text[i] != '"'; ++i, ++len)
                if (text[i] == '\\') ++i;
            ++i;
            sum = sum * 31 + len;
        } else {
            const size_t start = i;
            while (i < text.size() && text[i] != '(' && text[i] != ')' && text[i] != '"' &&
                   !std::isspace(static_cast<unsigned char>(text[i])))
                ++i;
            sum = sum * 31 + (i - start);
        }
    }
    std::printf("%lu lists, checksum %lu\n", lists, sum);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tindral-bare-reader FILE\n");
        return 2;
    }
    if (ends_with(argv[1], ".kicad_pcb")) return sexpr_pass(argv[1]);
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
