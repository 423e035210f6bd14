// Arbitrary selection file bytes through load_selection, beside a board path of its own.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "selection/selection.h"
#include "selection/selection_format.h"
#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tindral;
    static const std::string dir = "/tmp/tindral-fuzz-sel-" + std::to_string(getpid());
    static const bool made = ::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
    if (!made) return 0;
    const std::wstring board(dir.begin(), dir.end());
    g_settings.xml_path_file_name = board + L"/fuzz.brd";
    std::wstring sel_path;
    if (!make_selection_path(g_settings.xml_path_file_name, sel_path)) __builtin_trap();
    const std::string narrow(sel_path.begin(), sel_path.end());
    ::chmod(narrow.c_str(), 0600);
    {
        std::ofstream f(narrow, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    // As many states as the first byte says, so that short and long files both meet the array.
    std::vector<uint32_t> states(size ? data[0] % 64 : 3, 7);
    const size_t n = states.size();
    fuzz::QuietPort port;
    const int r = load_selection(states);
    if (states.size() != n) __builtin_trap();
    if (r == 1 && size && size % 4 == 0)
        for (uint32_t s : states)
            if (s != 0 && s != 2 && s != 7) __builtin_trap();
    return 0;
}
