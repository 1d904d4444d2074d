// The framework's fixed-bound arrays: indices 0 to N, checked, elements starting empty.
#include <string>

#include <gtest/gtest.h>

#include "core/Array.h"

namespace {

class Probe : public Object {
public:
    int value = 0;
};

TEST(Array, AcceptsExactlyZeroToUpperBound)
{
    const struct {
        int32_t upperBound;
        int32_t index;
        bool valid;
    } cases[] = {
        {5000, 0, true},  {5000, 5000, true},  {5000, 5001, false}, {5000, -1, false},
        {0, 0, true},     {0, 1, false},       {-1, 0, false},      {5, INT32_MIN, false},
        {5, INT32_MAX, false},
    };
    for (const auto& c : cases) {
        Array<std::string> strings(c.upperBound);
        const Array<std::string>& constStrings = strings;
        if (c.valid) {
            strings[c.index] = "x";
            EXPECT_EQ(constStrings[c.index], "x") << c.upperBound << " " << c.index;
        } else {
            EXPECT_THROW(strings[c.index], OutOfBoundsException) << c.upperBound << " " << c.index;
            EXPECT_THROW(constStrings[c.index], OutOfBoundsException) << c.upperBound << " " << c.index;
        }
    }
    EXPECT_EQ(Array<std::string>(5000).UpperBound(), 5000);
    EXPECT_EQ(Array<std::string>(-1).UpperBound(), -1);
}

TEST(Array, ElementsStartEmptyOrNil)
{
    Array<std::string> strings(3);
    Array<Ref<Probe>> objects(3);
    for (int32_t i = 0; i <= 3; ++i) {
        EXPECT_TRUE(strings[i].empty());
        EXPECT_FALSE(objects[i]);
    }
    EXPECT_THROW(objects[2]->value = 1, NilObjectException);
}

TEST(Array, HoldsAReferenceToEachObject)
{
    Ref<Probe> probe = MakeRef<Probe>();
    {
        Array<Ref<Probe>> objects(2);
        objects[1] = probe;
        objects[1]->value = 7;
        EXPECT_EQ(probe->ReferenceCount(), 2);
    }
    EXPECT_EQ(probe->ReferenceCount(), 1);
    EXPECT_EQ(probe->value, 7);
}

} // namespace
