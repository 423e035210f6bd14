#pragma once
// What a board load is given and what it reports: its options, how it ended, and the asker that
// hears of faults and questions while it runs. The load itself shows nothing and reads no
// global; the caller turns what it is told into boxes, lines on stderr or test records.

#include <array>
#include <cstdint>
#include <string>

#include "board/board_archive.h"
#include "board/xml_reader.h"
#include "model/board_model.h"
#include "text/messages.h"

namespace tindral {

struct LoadOptions {
    bool show_top = true;
    bool show_bottom = false;
    bool report_unexpected = true;  // ask about names the readers do not know
    uint32_t language = 1;          // of the texts the load composes: 0 German, else English
    std::wstring path;              // the board's path: the model keeps it, the title shows it
    XmlReaderOpener open_reader = nullptr;  // the platform's XML reader (required)
    // The table the load starts from: the file changes only the rows it names, so what earlier
    // loads and the user set stays.
    std::array<LayerRec, kLayerRows> layers = make_layer_table();
};

enum class LoadCode {
    ok,
    damaged,               // loaded, but the XML broke off: what came before it is there
    unsupported_version,   // more leading line breaks than Eagle ever writes
    not_xml,               // no XML declaration at the start: not from Eagle 6 or later
    not_eagle,             // the first element is not <eagle>, or there is none
    reader_failed,         // the XML reader failed a call
    tokens_out_of_memory,  // no room for the token list
    declined,              // the user's No (or the asker's false)
    out_of_memory,         // no room for the model
    archive_refused,       // a ZIP archive without one readable board in it (see archive)
    kicad_refused,         // a KiCad board this program cannot read (see kicad)
};

enum class KicadCode {
    ok,
    legacy,    // KiCad 4 or older: no s-expressions
    version,   // a (version N) outside KiCad 5 to 9, or none
    brackets,  // the lists do not close (or close too often): line
};

struct LoadStatus {
    LoadCode code = LoadCode::ok;
    uint32_t line = 0;              // damaged: the file's line where reading stopped; 0 unknown
    const wchar_t* call = nullptr;  // reader_failed: the reader call, as the message names it
    XmlResult call_code = xml_ok;
    bool attribute_call = false;    // that call was about an attribute
    ArchiveCode archive = ArchiveCode::ok;  // archive_refused: why
    KicadCode kicad = KicadCode::ok;        // kicad_refused: why
    uint32_t version = 0;                   // kicad_refused for its version: the file's
};

inline bool board_read(const LoadStatus& s) {
    return s.code == LoadCode::ok || s.code == LoadCode::damaged;
}

// One box as the user sees it.
struct LoadMessage {
    Owner owner = Owner::none;
    std::wstring text;
    std::wstring title;
    unsigned flags = 0;
};

class LoadAsker {
public:
    virtual ~LoadAsker() = default;
    // A fault the load goes on after (a damaged file, a declaration attribute the reader could
    // not give), once the file is tokenised and in the order found; box words it. false ends the
    // load as declined.
    virtual bool go_on_after(const LoadStatus& warning, const LoadMessage& box) = 0;
    // The tokens are there; the walk over them starts now.
    virtual void walk_begins() {}
    // A name the readers do not know, with "report unexpected" on. false abandons the load.
    virtual bool go_on_after_unexpected(const LoadMessage& question) = 0;
};

}  // namespace tindral
