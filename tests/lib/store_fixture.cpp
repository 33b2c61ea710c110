#include "store_fixture.h"

#include "orvel.h"

#include <cstdio>
#include <cstdlib>
#include <string>

const char ProgramName[] = "libtest";
const char ProgramVersion[] = "V0";

void StoreTest::SetUp()
{
    char pattern[] = "/tmp/orvel-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = std::string(pattern) + "/";
    ASSERT_EQ(std::system(("mkdir -p " + root + "cedf " + root + "xlt").c_str()), 0);
    setenv("ORVEL", root.c_str(), 1);
    unsetenv("UNICODE");
}

void StoreTest::TearDown()
{
    std::system(("rm -rf " + root).c_str());
}

void StoreTest::Write(const std::string &relative, const std::string &bytes)
{
    std::string path = relative.find('/') == std::string::npos ? CedfPath(relative) : root + relative;
    std::string dir = path.substr(0, path.rfind('/'));
    ASSERT_EQ(std::system(("mkdir -p " + dir).c_str()), 0);
    std::FILE *file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}
