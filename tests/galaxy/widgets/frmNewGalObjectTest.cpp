#include "GalaxyWidgetsTestSupport.h"

#include "galaxy/widgets/frmNewGalObject.h"
#include "gamefiles/mdlZorvVFS.h"
#include "resources/clsDescServer.h"
#include "tfiles/clsArchive.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace galaxytest;

namespace {

using Strings = std::vector<std::string>;

std::string Attributes(const clsGalaxyObject& object) {
    std::string text;
    for (const auto& property : object.NewEnum())
        Append(text, Text(property->Name) + "=" + std::to_string(property->Value));
    return text;
}

Strings Entries(const QComboBox* combo) {
    Strings entries;
    for (int i = 0; i < combo->count(); ++i)
        entries.push_back(Text(combo->itemText(i)) + "/" +
                          std::to_string(combo->itemData(i).toInt()));
    return entries;
}

class frmNewGalObjectTest : public GalaxyWindowTest {
protected:
    void SetUp() override { OpenMap(kTwoSectors); }
    void Choose(int type) {
        dialog.cmbType->setCurrentIndex(dialog.cmbType->findData(type));
        emit dialog.cmbType->activated(dialog.cmbType->currentIndex());
    }

    frmNewGalObject dialog;
};

TEST_F(frmNewGalObjectTest, ANewSectorIsTypeOneWithoutSubtype) {
    const Ptr sector = document.parser()->NewGalObject(nullptr);
    dialog.NewSector(*document.parser(), sector, false);
    EXPECT_EQ(Text(dialog.cmbType->currentText()), "Sector");
    EXPECT_FALSE(dialog.cmbType->isEnabled());
    EXPECT_TRUE(dialog.SubtypeEdit->isVisibleTo(&dialog));
    dialog.btnOK->click();
    EXPECT_EQ(dialog.ModalResult, 1);
    EXPECT_EQ(Attributes(*sector), "t=1");
}

TEST_F(frmNewGalObjectTest, TypeListsByPlace) {
    const Ptr inSector = document.parser()->NewGalObject(Sector(1));
    dialog.NewObject(*document.parser(), inSector, false, false);
    EXPECT_EQ(dialog.cmbType->findData(1), -1);
    EXPECT_NE(dialog.cmbType->findData(2), -1);
    EXPECT_NE(dialog.cmbType->findData(23), -1);
    EXPECT_EQ(dialog.cmbType->currentIndex(), -1);
    dialog.NewObject(*document.parser(), inSector, true, false);
    for (int type : {1, 2, 23})
        EXPECT_EQ(dialog.cmbType->findData(type), -1) << type;
    EXPECT_EQ(dialog.cmbType->count(), 20);
}

TEST_F(frmNewGalObjectTest, SubObjectGroupsAndTypedSubtypes) {
    const Ptr object = document.parser()->NewGalObject(Sector(1));
    dialog.NewObject(*document.parser(), object, false, false);
    Choose(23);
    ASSERT_TRUE(dialog.cmbSubtype->isVisibleTo(&dialog));
    const Strings groups = Entries(dialog.cmbSubtype);
    ASSERT_EQ(groups.size(), 9u);
    EXPECT_EQ(groups[0], "Shieds/1");
    EXPECT_EQ(groups[2], "/3");
    dialog.btnOK->click();
    EXPECT_EQ(Messages(), Strings{"You must select object subtype."});
    dialog.cmbSubtype->setCurrentIndex(6);
    dialog.btnOK->click();
    EXPECT_EQ(Attributes(*object), "s=7 t=23");

    const Ptr typed = document.parser()->NewGalObject(Sector(1));
    dialog.NewObject(*document.parser(), typed, false, false);
    dialog.btnOK->click();
    Choose(4);
    EXPECT_TRUE(dialog.SubtypeEdit->isVisibleTo(&dialog));
    dialog.SubtypeEdit->setText("twelve");
    dialog.btnOK->click();
    EXPECT_EQ(Messages(),
              (Strings{"You must select object subtype.", "You must select object type.",
                       "Subtype must be numeric or empty value."}));
    EXPECT_EQ(typed->PropertyCount(), 0);
    dialog.SubtypeEdit->setText("12");
    dialog.btnOK->click();
    EXPECT_EQ(Attributes(*typed), "s=12 t=4");
}

TEST_F(frmNewGalObjectTest, RecordsOfTheTypesTFile) {
    testsupport::writeFile(testsupport::dataDir() / "types" / "TShips.txt",
                           "1;2;\n0;0;0;0;0;0;100;SS_SH_COURIER;\n0;0;0;0;0;0;0;SS_SH_BARE;\n");
    testsupport::writeFile(
        testsupport::dataDir() / "t" / "440001.xml",
        R"(<language id="44"><page id="17"><t id="100">Courier</t></page></language>)");
    UseDataFolder();
    ASSERT_TRUE(DescServer().LoadResources(44));

    const Ptr ship = document.parser()->NewGalObject(Sector(1));
    dialog.NewObject(*document.parser(), ship, false, false);
    Choose(7);
    EXPECT_EQ(Entries(dialog.cmbSubtype), (Strings{"SS_SH_COURIER - Courier/0", "SS_SH_BARE/1"}));
    dialog.cmbSubtype->setCurrentIndex(1);
    dialog.btnOK->click();
    EXPECT_EQ(Attributes(*ship), "s=1 t=7");
}

} // namespace
