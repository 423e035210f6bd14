#pragma once
// A fresh folder per test (named after the suite and test, so parallel test processes never
// share one), removed with everything in it afterwards, read-only files included.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tindral::test {

struct TempFolder {
    std::filesystem::path path;

    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = std::filesystem::temp_directory_path() /
               (std::string("tindral-") + info->test_suite_name() + "-" + info->name());
        remove();
        std::filesystem::create_directories(path);
    }
    ~TempFolder() { remove(); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path p = path / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }

    static std::string read(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    void remove() const {
        std::error_code ec;
        for (const auto& e : std::filesystem::recursive_directory_iterator(path, ec))
            std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path, ec);
    }
};

}  // namespace tindral::test
