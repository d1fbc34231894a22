#include "shell/mdlZorvConst.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace mdlZorvConst;

TEST(mdlZorvConst, TablesAndTheirBounds) {
    InitArrays();
    EXPECT_EQ(LanguageIDs.lower(), 0);
    EXPECT_EQ(LanguageIDs[2], 33);
    EXPECT_EQ(LanguageNames[0], "English");
    EXPECT_EQ(LanguageNames.upper(), 2);
    EXPECT_EQ(CommonFieldCaptions[1], "Picture ID");
    EXPECT_EQ(CommonTailCaptions[0], "Ware class");
    EXPECT_EQ(CommonTailCaptions[4], "Volume");
    EXPECT_EQ(PriceFactors.lower(), 1);
    EXPECT_EQ(PriceFactors[2], 28.075f);
    EXPECT_EQ(PriceFactors[3], 28.075f);
    EXPECT_EQ(PriceFactors[7], 1.0f);
    EXPECT_EQ(PriceFactors[10], 0.0f);

    EXPECT_EQ(RaceNames.lower(), 1);
    EXPECT_EQ(RaceNames.upper(), 10);
    EXPECT_FALSE(RaceNames.contains(0));
    EXPECT_FALSE(RaceNames.contains(11));
    EXPECT_THROW(RaceNames[0], platform::ZorvError);
    QSet<QString> distinct;
    for (const QString& name : RaceNames) {
        EXPECT_FALSE(name.isEmpty());
        distinct.insert(name);
    }
    EXPECT_EQ(distinct.size(), 10);

    InitArrays();
    EXPECT_EQ(RaceNames.count(), 10) << "filling twice does not grow the tables";
}
