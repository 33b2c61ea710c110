// A store directory of its own for each test, with ORVEL pointing at it.
#ifndef STORE_FIXTURE_H
#define STORE_FIXTURE_H

#include <gtest/gtest.h>

#include <string>

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Writes cedf/NAME (or any path below the store) with the given bytes.
    void Write(const std::string &relative, const std::string &bytes);
    std::string CedfPath(const std::string &name) const { return root + "cedf/" + name; }
    std::string root;  // ends with a slash
};

#endif
