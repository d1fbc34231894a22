#include "gamefiles/mdlZorvFD.h"
#include "gamefiles/mdlZorvObjects.h"
#include "support/TestFolders.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

QString DataPath(const char* name) {
    return QString::fromStdString((testsupport::dataDir() / name).string());
}

// One line of a small T-file in the object store.
class StoreLine : public testing::Test {
protected:
    void SetUp() override {
        testsupport::writeFile(testsupport::dataDir() / "TTest.txt", "1;1;\n5;2.5;x;\n");
        const int32_t file = mdlZorvFD::ZorvFD_OpenFile(DataPath("TTest.txt"), 0, 0, 0);
        ASSERT_NE(file, 0) << mdlZorvFD::GetLastErrorText().toStdString();
        store = mdlZorvObjects::Zorv_LoadFromFile(file, 1);
        mdlZorvFD::ZorvFD_CloseFile(file);
        ASSERT_EQ(mdlZorvObjects::Zorv_GetLastError(), 0)
            << mdlZorvObjects::GetLastErrorText().toStdString();
        int32_t count = 0;
        mdlZorvObjects::Zorv_EnumObjects(store, nullptr, 0, &count);
        ASSERT_EQ(count, 1);
        mdlZorvObjects::Zorv_EnumObjects(store, &line, 1, nullptr);
    }
    void TearDown() override { mdlZorvObjects::Zorv_DeleteHandle(store); }

    int32_t store = 0;
    int32_t line = 0;
};

TEST_F(StoreLine, ReadValuesKeepTheirKind) {
    QVariant value;
    mdlZorvObjects::Zorv_TXTGetValue(line, 0, value);
    EXPECT_EQ(value.typeId(), QMetaType::Int);
    EXPECT_EQ(value.toInt(), 5);
    mdlZorvObjects::Zorv_TXTGetValue(line, 1, value);
    EXPECT_EQ(value.typeId(), QMetaType::Double);
    EXPECT_EQ(value.toDouble(), 2.5);
    mdlZorvObjects::Zorv_TXTGetValue(line, 2, value);
    EXPECT_EQ(value, QVariant(QByteArray("x")));
}

TEST_F(StoreLine, WrittenValuesCrossAsIntDoubleOrTextBytes) {
    const struct {
        QVariant written;
        QVariant read;
    } cases[] = {
        {QVariant(-42), QVariant(-42)},
        {QVariant(qlonglong(7)), QVariant(7)},
        {QVariant(qlonglong(1) << 40), QVariant(double(qlonglong(1) << 40))},
        {QVariant(0.125), QVariant(0.125)},
        {QVariant(QByteArray("caf\xe9")), QVariant(QByteArray("caf\xe9"))},
        {QVariant(QString::fromUtf8("caf\xc3\xa9")), QVariant(QByteArray("caf\xc3\xa9"))},
        {QVariant(QByteArray()), QVariant(QByteArray())},
    };
    for (const auto& c : cases) {
        mdlZorvObjects::Zorv_TXTSetValue(line, 0, c.written);
        QVariant value;
        mdlZorvObjects::Zorv_TXTGetValue(line, 0, value);
        EXPECT_EQ(value.typeId(), c.read.typeId()) << c.written.toString().toStdString();
        EXPECT_EQ(value, c.read) << c.written.toString().toStdString();
    }
}

TEST(ObjectStoreBinding, CommandLineArgumentsArriveInOrder) {
    QVariant arguments;
    mdlZorvObjects::Zorv_CommandLineToArgV(QStringLiteral("-tfile TShips.txt"), arguments);
    EXPECT_EQ(arguments.toStringList(), (QStringList{"-tfile", "TShips.txt"}));
    mdlZorvObjects::Zorv_CommandLineToArgV(QString(), arguments);
    EXPECT_EQ(arguments.typeId(), QMetaType::QStringList);
    EXPECT_TRUE(arguments.toStringList().isEmpty());
}

TEST(ObjectStoreBinding, XmlDocumentBytesRoundTrip) {
    const QByteArray document("<?xml version=\"1.0\"?><language id=\"49\">Stra\xc3\x9f"
                              "e</language>");
    for (const QByteArray& bytes : {document, QByteArray()})
        for (const int32_t fileType : {1, 2}) {
            const QString path = DataPath(fileType == 1 ? "0001.xml" : "0001.pck");
            ASSERT_NE(mdlZorvObjects::Zorv_EncodeXMLFile(path, bytes, fileType), 0)
                << mdlZorvObjects::GetLastErrorText().toStdString();
            mdlZorvObjects::LibraryText text;
            ASSERT_NE(mdlZorvObjects::Zorv_DecodeXMLFile(path, text), 0)
                << mdlZorvObjects::GetLastErrorText().toStdString();
            EXPECT_EQ(QByteArray(text.data(), text.size()), bytes);
        }
    // The memory held is given back when it is moved over, read over or
    // dropped (the leak checker sees the rest); a failed read holds nothing.
    ASSERT_NE(mdlZorvObjects::Zorv_EncodeXMLFile(DataPath("0002.xml"), document, 1), 0);
    mdlZorvObjects::LibraryText text;
    ASSERT_NE(mdlZorvObjects::Zorv_DecodeXMLFile(DataPath("0002.xml"), text), 0);
    mdlZorvObjects::LibraryText moved = std::move(text);
    EXPECT_EQ(text.data(), nullptr);
    EXPECT_EQ(QByteArray(moved.data(), moved.size()), document);
    ASSERT_NE(mdlZorvObjects::Zorv_DecodeXMLFile(DataPath("0002.xml"), text), 0);
    moved = std::move(text);
    EXPECT_EQ(QByteArray(moved.data(), moved.size()), document);
    ASSERT_NE(mdlZorvObjects::Zorv_DecodeXMLFile(DataPath("0002.xml"), moved), 0);
    EXPECT_EQ(mdlZorvObjects::Zorv_DecodeXMLFile(DataPath("missing.xml"), moved), 0);
    EXPECT_EQ(moved.data(), nullptr);
    EXPECT_EQ(moved.size(), 0);
}

} // namespace
