#pragma once
// File > Export list...: the component list or the BOM as a CSV file, the same bytes tindral-cli
// writes for them.

#include <string>

#include "lists/export_table.h"

namespace tindral {

enum class ExportKind { list, bom };

// The save dialog's answer: true with a path and a kind, false when the user cancelled.
using ExportDialogFn = bool (*)(std::wstring& path, ExportKind& kind);

// Asks for a file and writes it; a write that fails says so with the path and the system's
// reason. Without a board there is nothing to write and nothing is asked.
void export_list_command();

// The CSV bytes of kind for the loaded board, handed to write piece by piece: the list's rows as
// the list shows them (sides, find box, order), the BOM in the order of its first components.
void write_export_csv(ExportKind kind, const TextSink& write);

// Puts fn in place of the save dialog (nullptr: the real one again); returns the one before.
ExportDialogFn set_export_dialog(ExportDialogFn fn);

}  // namespace tindral
