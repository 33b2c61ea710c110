// A scratch directory for the tests of one case: created and entered in
// SetUp, left and removed in TearDown, since the writers write into the
// current directory and the store named by ORVEL.
#ifndef TESTDIR_H
#define TESTDIR_H

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class ScratchDir : public ::testing::Test {
protected:
    std::filesystem::path home;
    std::filesystem::path dir;

    void SetUp() override
    {
        home = std::filesystem::current_path();
        std::string pattern = (std::filesystem::temp_directory_path() / "orvelgen-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        std::filesystem::current_path(dir);
    }

    void TearDown() override
    {
        std::filesystem::current_path(home);
        std::filesystem::remove_all(dir);
    }
};

inline std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

#endif
