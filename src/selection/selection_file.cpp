#include "selection/selection_file.h"

namespace tindral {

namespace {

class NoSelectionFiles : public SelectionFiles {
public:
    bool exists(const std::wstring&) override { return false; }
    FileReadResult read(const std::wstring&, std::string& bytes) override {
        bytes.clear();
        return {FileReadStatus::open_failed, 0};
    }
    SelectionWriteResult write(const std::wstring&, const std::wstring&,
                               const std::string&) override {
        return {SelectionWriteStatus::create_failed, 0};
    }
};

NoSelectionFiles g_no_files;
SelectionFiles* g_files = nullptr;

}  // namespace

SelectionFiles* set_selection_files(SelectionFiles* files) {
    SelectionFiles* previous = g_files;
    g_files = files;
    return previous;
}

SelectionFiles& selection_files() { return g_files ? *g_files : g_no_files; }

}  // namespace tindral
