#include "platform/KeyedCollection.h"

#include <gtest/gtest.h>

using platform::KeyedCollection;

namespace {
std::shared_ptr<int> item(int v) {
    return std::make_shared<int>(v);
}

std::vector<int> values(const KeyedCollection<int>& c) {
    std::vector<int> out;
    for (const auto& i : c)
        out.push_back(*i);
    return out;
}
} // namespace

TEST(KeyedCollection, KeysIgnoreCaseAndKeepFirstSpelling) {
    KeyedCollection<int> c;
    EXPECT_TRUE(c.add(item(1), "TLaser"));
    EXPECT_FALSE(c.add(item(2), "tlaser"));
    EXPECT_EQ(*c.find("TLASER"), 1);
    EXPECT_EQ(c.keyAt(1), "TLaser");
    EXPECT_EQ(c.count(), 1);
}

TEST(KeyedCollection, PositionsAreOneBasedAndMissingGivesNothing) {
    KeyedCollection<int> c;
    c.add(item(1), "1k");
    c.add(item(3), "3k");
    c.insert(2, item(2), "2k");
    c.insertBefore("1k", item(0), "0k");
    EXPECT_EQ(values(c), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(c.indexOf("2K"), 3);
    EXPECT_EQ(c.at(0), nullptr);
    EXPECT_EQ(c.at(5), nullptr);
    EXPECT_EQ(c.find("9k"), nullptr);
    EXPECT_EQ(c.indexOf("9k"), 0);
    EXPECT_FALSE(c.insertBefore("9k", item(9), "9k"));
    EXPECT_FALSE(c.remove("9k"));
    EXPECT_TRUE(c.remove("1K"));
    EXPECT_EQ(values(c), (std::vector<int>{0, 2, 3}));
    EXPECT_FALSE(c.contains("1k"));
}

TEST(KeyedCollection, RemovalsBetweenOtherCallsKeepOrderAndPositions) {
    KeyedCollection<int> c;
    for (int i = 0; i < 10; ++i)
        c.add(item(i), QString::number(i) + "k");
    c.remove("2k");
    c.remove("7K");
    EXPECT_EQ(c.indexOf("8k"), 7);
    c.remove("0k");
    c.add(item(10), "10k");
    c.insert(1, item(11), "11k");
    EXPECT_EQ(values(c), (std::vector<int>{11, 1, 3, 4, 5, 6, 8, 9, 10}));
    EXPECT_EQ(c.count(), 9);
    EXPECT_EQ(*c.at(9), 10);
    EXPECT_EQ(c.keyAt(2), "1k");
    EXPECT_TRUE(c.removeAt(2));
    EXPECT_EQ(c.indexOf("3k"), 2);
    EXPECT_TRUE(c.add(item(2), "2k")) << "a removed key can be used again";
    EXPECT_EQ(c.indexOf("2k"), 9);
    std::weak_ptr<int> gone = c.find("4k");
    c.remove("4k");
    EXPECT_TRUE(gone.expired()) << "a removed item is released at once";
}

TEST(KeyedCollection, NullItemsStayInTheCollection) {
    KeyedCollection<int> c;
    c.add(nullptr, "a");
    c.add(item(1), "b");
    EXPECT_EQ(c.count(), 2);
    EXPECT_TRUE(c.contains("A"));
    EXPECT_EQ(c.indexOf("b"), 2);
    int seen = 0;
    for (const auto& i : c) {
        (void)i;
        ++seen;
    }
    EXPECT_EQ(seen, 2);
}

TEST(KeyedCollection, LookUpsFollowItemsThatInsertionsAndRemovalsMoved) {
    KeyedCollection<int> c;
    c.reserve(8);
    for (int i = 0; i < 6; ++i)
        c.add(item(i), "Key" + QString::number(i));
    c.insert(2, item(10), "mid");
    EXPECT_EQ(*c.find("KEY5"), 5);
    EXPECT_EQ(*c.find("MID"), 10);
    EXPECT_EQ(c.indexOf("key0"), 1);
    EXPECT_EQ(c.indexOf("key1"), 3);
    c.remove("key0");
    c.remove("mid");
    EXPECT_EQ(*c.at(1), 1);
    EXPECT_EQ(*c.find("key4"), 4);
    EXPECT_TRUE(c.remove("key4"));
    EXPECT_EQ(c.find("key4"), nullptr);
    EXPECT_EQ(values(c), (std::vector<int>{1, 2, 3, 5}));
    EXPECT_EQ(c.indexOf("key5"), 4);
}

// A loop may ask for positions and keys while it runs, also after a removal:
// no const call moves what the loop stands on.
TEST(KeyedCollection, ConstLookUpsKeepALiveIterationValid) {
    KeyedCollection<int> c;
    for (int i = 0; i < 8; ++i)
        c.add(item(i), QString::number(i) + "k");
    c.remove("1k");
    c.remove("5k");
    std::vector<int> seen;
    for (const auto& i : c) {
        seen.push_back(*i);
        const QString key = QString::number(*i) + "k";
        const int position = c.indexOf(key);
        EXPECT_EQ(c.keyAt(position), key);
        EXPECT_EQ(*c.at(position), *i);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 2, 3, 4, 6, 7}));

    // A removal inside the loop leaves the rest of the loop in place too.
    seen.clear();
    for (const auto& i : c) {
        seen.push_back(*i);
        if (*i == 3)
            c.remove("4k");
        EXPECT_EQ(c.indexOf("7k"), c.count());
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 2, 3, 6, 7}));
}

// Many removals and appends stay linear, and positions stay right throughout.
TEST(KeyedCollection, RemovedEntriesAreSweptWhileAppending) {
    KeyedCollection<int> c;
    for (int i = 0; i < 1000; ++i) {
        c.add(item(i), QString::number(i) + "k");
        if (i % 3 != 0)
            c.remove(QString::number(i - 1) + "k");
    }
    int expected = 0;
    for (int position = 1; position <= c.count(); ++position)
        expected += position == c.indexOf(c.keyAt(position));
    EXPECT_EQ(expected, c.count());
    EXPECT_EQ(*c.at(c.count()), 999);
}

TEST(KeyedCollection, NumberKeysMatchTheirSpelledFormInAnyCase) {
    KeyedCollection<int> c;
    c.add(item(1), platform::CollectionKey(12));
    c.add(item(2), platform::CollectionKey(17, -5));
    c.add(item(3), QStringLiteral("A long key with more than twenty-three characters"));
    c.add(item(4), QStringLiteral("\u00C9t\u00E9"));
    EXPECT_EQ(*c.find("12K"), 1);
    EXPECT_EQ(c.keyAt(2), "17--5k");
    c.add(item(5), platform::CollectionKey(INT32_MIN, INT32_MIN));
    EXPECT_EQ(c.keyAt(5), "-2147483648--2147483648k");
    EXPECT_EQ(*c.find(platform::CollectionKey(17, -5)), 2);
    EXPECT_EQ(*c.find("a LONG key with more than twenty-three CHARACTERS"), 3);
    EXPECT_EQ(*c.find(QStringLiteral("\u00E9T\u00C9")), 4);
    EXPECT_EQ(c.find("12"), nullptr);
    // The Kelvin sign folds to an ASCII "k".
    EXPECT_EQ(*c.find(QStringLiteral("12\u212A")), 1);
}

// Only the spelling the numbers are written in means them: other texts that
// read as the same numbers are keys of their own.
TEST(KeyedCollection, NumberKeysGivenAsTextKeepTheirSpelling) {
    KeyedCollection<int> c;
    c.add(item(1), platform::CollectionKey(7));
    c.add(item(2), platform::CollectionKey(0));
    for (const char* other : {"07k", "+7k", "-0k", "7-k", "7--k", "7-07k", "k", "7kk"})
        EXPECT_EQ(c.find(other), nullptr) << other;
    EXPECT_TRUE(c.add(item(3), "-0k"));
    EXPECT_TRUE(c.add(item(4), QStringLiteral("17-5\u212A")));
    EXPECT_TRUE(c.add(item(5), "2147483648k"));
    EXPECT_FALSE(c.add(item(6), platform::CollectionKey(17, 5)));
    EXPECT_EQ(c.keyAt(4), QStringLiteral("17-5\u212A"));
    EXPECT_TRUE(c.add(item(7), "-3-4K"));
    EXPECT_EQ(*c.find(platform::CollectionKey(-3, 4)), 7);
    EXPECT_EQ(c.keyAt(6), "-3-4K");
    EXPECT_EQ(*c.find("2147483648K"), 5);
}

// Many mixed edits agree with a plain list kept beside the collection.
TEST(KeyedCollection, MixedEditsAgreeWithAPlainList) {
    KeyedCollection<int> c;
    std::vector<int> plain;
    uint32_t random = 12345;
    const auto next = [&random](uint32_t below) {
        random = random * 1103515245u + 12345u;
        return (random >> 8) % below;
    };
    for (int step = 0; step < 20000; ++step) {
        const int value = static_cast<int>(next(400));
        const QString key = QString::number(value) + (value % 3 ? "k" : "K");
        const bool present = std::find(plain.begin(), plain.end(), value) != plain.end();
        switch (next(4)) {
        case 0:
            ASSERT_EQ(c.add(item(value), key), !present);
            if (!present)
                plain.push_back(value);
            break;
        case 1: {
            const int position = static_cast<int>(next(static_cast<uint32_t>(plain.size()) + 2));
            ASSERT_EQ(c.insert(position, item(value), key), !present);
            if (!present)
                plain.insert(plain.begin() + std::clamp(position - 1, 0, int(plain.size())), value);
            break;
        }
        case 2:
            ASSERT_EQ(c.remove(key.toLower()), present);
            if (present)
                plain.erase(std::find(plain.begin(), plain.end(), value));
            break;
        default: {
            const auto at = std::find(plain.begin(), plain.end(), value);
            ASSERT_EQ(c.indexOf(key.toUpper()), present ? int(at - plain.begin()) + 1 : 0);
            ASSERT_EQ(c.find(key) != nullptr, present);
        }
        }
        ASSERT_EQ(c.count(), int(plain.size()));
    }
    EXPECT_EQ(values(c), plain);
}
