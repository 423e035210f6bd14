// Prints the token stream of a board file, one token per line as "kind<TAB>text" in UTF-8,
// with backslash, CR, LF and TAB escaped. Used to prove that the native and the Windows XML
// readers give the same stream. Exit code 0 when the file was tokenised (also when damaged).

#include <cstdio>
#include <string>

#include "board/board_file.h"
#include "board/load_messages.h"
#include "board/tokenise.h"
#include "board/utf8.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

std::string escape(std::wstring_view w) {
    std::string out;
    for (char c : tindral::wide_to_utf8(w)) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out;
}

// Boxes go to the dump as well, so a damaged file shows up in the comparison.
void print_box(const tindral::LoadMessage& box) {
    std::printf("box\t%s\t%s\t%x\n", escape(box.title).c_str(), escape(box.text).c_str(), box.flags);
}

int dump(const std::wstring& path) {
    std::string bytes;
    const tindral::FileReadResult read = tindral::read_whole_file(path, bytes);
    if (read.status != tindral::FileReadStatus::ok) {
        std::printf("result\tread failed=%d error=%u\n", static_cast<int>(read.status), read.error);
        return 1;
    }
    tindral::TokenList list;
    const tindral::TokeniseResult res =
        tindral::tokenise_bytes(bytes, &tindral::open_platform_xml_reader, list);
    for (const tindral::LoadStatus& w : res.warnings) print_box(*tindral::status_box(w, 1));
    if (const auto box = tindral::status_box(res.status, 1)) print_box(*box);
    for (const tindral::XmlToken& t : list.tokens)
        std::printf("%d\t%s\n", t.kind, escape(t.text()).c_str());
    std::printf("result\tok=%d code=%d line=%u count=%zu\n", res.ok(),
                static_cast<int>(res.status.code), res.status.line, list.count());
    return res.ok() ? 0 : 1;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // no CR LF translation: byte-identical dumps
    if (argc != 2) {
        std::fprintf(stderr, "usage: tindral-tokens FILE\n");
        return 2;
    }
    return dump(argv[1]);
}
#else
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tindral-tokens FILE\n");
        return 2;
    }
    return dump(tindral::utf8_to_wide(argv[1]));
}
#endif
