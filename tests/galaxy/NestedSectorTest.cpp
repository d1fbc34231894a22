// A sector written inside another sector joins `Sectors` when its parent is
// loaded, so loading must not rely on the caller's reference into them.
#include "GalaxyTestSupport.h"

#include <gmock/gmock.h>

using namespace galaxytest;

TEST(NestedSector, JoinsTheSectorsWhileItsParentLoadsThroughAReferenceIntoThem) {
    auto document = Open(R"(<universe>
  <o t="1" x="0" y="0">
    <o t="1" x="5" y="5"/>
    <o t="4" s="0" x="99999999999"/>
  </o>
  <o t="1" x="1" y="0"/>
</universe>
)");
    ASSERT_EQ(document->Sectors.count(), 2);
    // The first entry, by reference, as a loop over `Sectors` hands it out;
    // the read fails after the inner sector joined them.
    const Ptr& first = *document->Sectors.begin();
    EXPECT_FALSE(document->LoadSectorChildren(first));
    EXPECT_THAT(Text(document->GetLastError()),
                testing::HasSubstr("\"99999999999\" of attribute \"x\""));
    EXPECT_EQ(document->Sectors.count(), 3);
}
