#include "plugin/ComGuid.h"

#include "plugin/QXOpenInterface_TLB.h"

#include <gtest/gtest.h>

namespace morvane::test {
namespace {

TEST(ComGuidTest, TheRegistrySpellingReadsIntoTheFieldsAndBack) {
    const std::optional<GUID> guid = GuidFromText("{CA7E6096-1E95-4855-ABDB-A40772E3C202}");
    ASSERT_TRUE(guid);
    EXPECT_TRUE(*guid == IID_IQXOpenInterface);
    EXPECT_EQ(GuidText(*guid), "{CA7E6096-1E95-4855-ABDB-A40772E3C202}");
    // Lower case reads the same; the text is always written in upper case.
    const std::optional<GUID> lower = GuidFromText("{0001035d-3551-4acd-8f99-65e0404fff8d}");
    ASSERT_TRUE(lower);
    EXPECT_EQ(lower->Data1, 0x0001035Du);
    EXPECT_EQ(lower->Data4[0], 0x8F);
    EXPECT_EQ(lower->Data4[7], 0x8D);
    EXPECT_EQ(GuidText(*lower), "{0001035D-3551-4ACD-8F99-65E0404FFF8D}");
}

TEST(ComGuidTest, AnyOtherTextNamesNoClass) {
    for (const char* text : {"", "{}", "0001035D-3551-4ACD-8F99-65E0404FFF8D", // no braces
                             "{0001035D-3551-4ACD-8F99-65E0404FFF8D",          // one brace
                             "{0001035D-3551-4ACD-8F99-65E0404FFF8D} ",        // trailing blank
                             "{0001035D_3551-4ACD-8F99-65E0404FFF8D}",         // wrong separator
                             "{0001035G-3551-4ACD-8F99-65E0404FFF8D}",         // not a digit
                             "{0001035D-3551-4ACD-8F99-65E0404FFF8}",          // short
                             "{0001035D-3551-4ACD-8F9965-E0404FFF8D}",         // dash moved
                             "{+001035D-3551-4ACD-8F99-65E0404FFF8D}"})        // sign
        EXPECT_FALSE(GuidFromText(text)) << text;
}

} // namespace
} // namespace morvane::test
