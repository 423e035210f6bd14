#pragma once
// How the XML of a board ends, read from the bytes alone. A file cut off between two tags is
// damaged, but a lenient reader may close its open elements itself and report success; and
// readers name different lines for the end of input. Knowing the shape of the end from the
// bytes lets the tokeniser treat every reader alike.

#include <cstddef>
#include <string_view>

namespace tindral {

struct DocumentEnd {
    enum Kind {
        complete,  // the root element closes (or nothing to say: a fault comes first)
        cut_off,   // rightly nested up to the last byte, where elements or markup are still open
        broken,    // a fault before the end: a mismatched end tag, a second root, a DTD, ...
    };
    Kind kind = complete;
    size_t open_elements = 0;  // elements still open at the end (cut_off only)
};

DocumentEnd document_end(std::string_view xml);

}  // namespace tindral
