// Prints the token stream of a board file, one token per line as "kind<TAB>text" in UTF-8,
// with backslash, CR, LF and TAB escaped. Used to prove that the native and the Windows XML
// readers give the same stream. Exit code 0 when the file was tokenised (also when damaged).

#include <cstdio>
#include <string>

#include "app/messages.h"
#include "board/tokenise.h"
#include "board/utf8.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// Boxes go to the dump as well, so a damaged file shows up in the comparison.
class PrintingPort : public tindral::MessagePort {
public:
    int show(tindral::Owner, const std::wstring& text, const std::wstring& title,
             unsigned flags) override {
        std::printf("box\t%s\t%s\t%x\n", escape(title).c_str(), escape(text).c_str(), flags);
        return tindral::mb::id_ok;
    }
    std::wstring system_error_text(uint32_t code) override {
        return L"system error " + std::to_wstring(code);
    }
    static std::string escape(const std::wstring& w) {
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
};

int dump(const std::wstring& path) {
    PrintingPort port;
    tindral::MessagePort* previous = tindral::set_message_port(&port);
    tindral::TokenList list;
    const tindral::TokeniseResult res = tindral::tokenise_board(path, list);
    for (const tindral::XmlToken& t : list.tokens)
        std::printf("%d\t%s\n", t.kind, PrintingPort::escape(t.text).c_str());
    std::printf("result\tok=%d drop_path=%d damaged=%d line=%u count=%zu\n", res.ok,
                res.drop_path, res.damaged, res.damaged_line, list.count());
    tindral::set_message_port(previous);
    return res.ok ? 0 : 1;
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
