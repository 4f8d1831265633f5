// Parsing the values of the version list.
#include "model/VersionList.h"

#include "model/DataFile.h"

#include <gtest/gtest.h>

using namespace zx::model;

TEST(VersionList, CountAndEntries) {
    EXPECT_EQ(parseVersionCount("2"), 2);
    EXPECT_EQ(parseVersionCount(" 12abc"), 12);
    EXPECT_EQ(parseVersionCount(""), 0);
    EXPECT_EQ(parseVersionCount("-3"), 0);
    EXPECT_EQ(parseVersionCount("99999999999999999999"), kMaxVersionPairs);

    EXPECT_EQ(parseVersionEntry("V310V310"), (VersionPair{"V310", "V310"}));
    EXPECT_EQ(parseVersionEntry("V300 V300   "), (VersionPair{"V300", "V300"}));
    EXPECT_EQ(parseVersionEntry(std::string("V320V305\0junk", 13)), (VersionPair{"V320", "V305"}));
    EXPECT_EQ(parseVersionEntry("V31"), (VersionPair{"V31", "V31"}));
    EXPECT_EQ(parseVersionEntry(""), (VersionPair{"", ""}));

    const VersionList list = parseVersionList({"V300V300", "V310V310", "V310V309"});
    ASSERT_EQ(list.size(), 3u);
    EXPECT_TRUE(isCompatibleVersion(list, "V310"));
    EXPECT_TRUE(isCompatibleVersion(list, "V309"));
    EXPECT_FALSE(isCompatibleVersion(list, "V300")) << "paired with another software version";
    EXPECT_EQ(softwareVersionFor(list, "V300"), "V300");
}
