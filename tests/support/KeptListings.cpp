// Test programs that use FolderItem outside the program's run keep folder listings between calls as that run does:
// linking this file holds a keeper from the first test to the last.
#include <memory>

#include <gtest/gtest.h>

#include "files/FolderListing.h"

namespace {

class KeptListings : public testing::Environment {
public:
    void SetUp() override { keeper_ = std::make_unique<FolderListingKeeper>(); }
    void TearDown() override { keeper_.reset(); }

private:
    std::unique_ptr<FolderListingKeeper> keeper_;
};

// GoogleTest owns the environment and sets it up before the first test.
testing::Environment* const kKeptListings = testing::AddGlobalTestEnvironment(new KeptListings);

} // namespace
