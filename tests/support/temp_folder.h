#pragma once
// A fresh folder per test, named after suite, test and process, so parallel test processes (of
// one checkout or of two on the same machine) never share one; removed afterwards with
// everything in it, read-only files included.

#include <gtest/gtest.h>

#ifdef _WIN32
#include <process.h>
#define TINDRAL_TEST_PID _getpid()
#else
#include <unistd.h>
#define TINDRAL_TEST_PID getpid()
#endif

#include <filesystem>
#include <fstream>
#include <string>

namespace tindral::test {

struct TempFolder {
    std::filesystem::path path;

    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = std::filesystem::temp_directory_path() /
               (std::string("tindral-") + info->test_suite_name() + "-" + info->name() + "-" +
                std::to_string(TINDRAL_TEST_PID));
        remove();
        std::filesystem::create_directories(path);
    }
    ~TempFolder() { remove(); }

    // Overwrites a file the program made read-only, too (root would not notice the mode).
    std::filesystem::path write(const std::string& name, const std::string& bytes) const {
        std::error_code ec;
        std::filesystem::permissions(path / name, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ec);
        std::ofstream(path / name, std::ios::binary) << bytes;
        return path / name;
    }
    static std::string read(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    void remove() const {
        namespace fs = std::filesystem;
        std::error_code ec;
        for (const auto& e : fs::recursive_directory_iterator(path, ec))
            fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path, ec);
    }
};

}  // namespace tindral::test
