#include "shell/read_board_win.h"

#include <new>
#include <string>

#include "board/board_file.h"
#include "board/load_board.h"
#include "board/load_messages.h"
#include "settings/registry_settings.h"
#include "settings/settings.h"
#include "shell/app_win.h"
#include "text/messages.h"

namespace tindral {

namespace {

int show(const LoadMessage& box) { return message_box(box.owner, box.text, box.title, box.flags); }

// Every fault and question of the load becomes a box as it comes; the settings are stored once
// the file has been tokenised.
class ScreenAsker : public LoadAsker {
public:
    explicit ScreenAsker(const std::function<void()>& tokens_read) : tokens_read_(tokens_read) {}

    bool go_on_after(const LoadStatus&, const LoadMessage& box) override {
        show(box);
        return true;
    }
    void walk_begins() override {
        if (tokens_read_) tokens_read_();
        put_settings(app_session().settings);
    }
    bool go_on_after_unexpected(const LoadMessage& question) override {
        return show(question) != mb::id_no;
    }

private:
    const std::function<void()>& tokens_read_;
};

// The whole file in bytes; false after a failure was shown.
bool read_board_file(const std::wstring& path, std::string& bytes) {
    Session& session = app_session();
    FileReadResult read;
    try {
        read = read_whole_file(path, bytes);
    } catch (const std::bad_alloc&) {
        LoadStatus no_room;
        no_room.code = LoadCode::tokens_out_of_memory;
        show(*status_box(no_room, session.settings.language));
        return false;
    }
    switch (read.status) {
    case FileReadStatus::ok:
        return true;
    case FileReadStatus::open_failed:
        show(open_failed_box(path, system_error_text(read.error)));
        return false;
    case FileReadStatus::too_large:
        show(file_too_large_box(session.settings.language));
        return false;
    case FileReadStatus::read_failed:  // the user must hear why Load did nothing
        show(read_failed_box(path, system_error_text(read.error)));
        return false;
    }
    return false;
}

}  // namespace

ReadBoardOutcome read_board(const std::wstring& path, BoardModel& board,
                            const std::function<void()>& tokens_read) {
    ReadBoardOutcome out;
    app_session().settings.xml_path_file_name = path;
    LoadResult loaded;
    {
        std::string bytes;
        if (!read_board_file(path, bytes)) return out;
        LoadOptions options = load_options_from(app_session().settings, path);
        options.open_reader = &open_platform_xml_reader;
        options.layers = board.layers;
        ScreenAsker asker(tokens_read);
        loaded = load_board(bytes, options, asker);
    }
    const bool read = board_read(loaded.status);
    if (!read) {
        if (const auto box = status_box(loaded.status, app_session().settings.language)) show(*box);
    }
    board = std::move(loaded.board);
    if (!read) {
        out.declined = loaded.status.code == LoadCode::declined ||
                       loaded.status.code == LoadCode::out_of_memory;
        return out;
    }
    out.result = 1;
    out.board_title = std::move(loaded.board_title);
    out.show_bom_button = loaded.show_bom_button;
    return out;
}

}  // namespace tindral
