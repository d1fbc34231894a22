#include "GalaxyWidgetsTestSupport.h"

#include "galaxy/widgets/frmGalEdit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace galaxytest;

namespace {

using Strings = std::vector<std::string>;

class frmGalEditTest : public GalaxyWindowTest {
protected:
    void SetUp() override {
        OpenMap(kTwoSectors);
        sector = Loaded(1);
        planet = Child(sector, 3);
        ASSERT_EQ(planet->otype(), 4);
    }
    // Opens the dialog on the object's attribute, types the text and presses OK.
    std::shared_ptr<clsProperty> Edit(const Ptr& object, const QString& name, const QString& text,
                                      int unit = 0) {
        auto property = object->Property(name);
        dialog.ShowProperty(*document.parser(), object, property, false);
        if (unit)
            dialog.rbLen[unit]->click();
        if (!text.isNull())
            dialog.ValEdit->setText(text);
        dialog.btnOK->click();
        return property;
    }

    frmGalEdit dialog;
    Ptr sector;
    Ptr planet;
};

TEST_F(frmGalEditTest, LengthsAreReadInTheChosenUnit) {
    EXPECT_EQ(Edit(planet, "x", "1.000")->Value, 222);
    EXPECT_EQ(dialog.ModalResult, 1);
    EXPECT_EQ(Edit(planet, "y", "1", 2)->Value, 411144);
    // Switching units re-reads the box in the unit that was in force.
    // A fresh dialog starts in metres.
    frmGalEdit fresh;
    planet->Property("z")->Value = 222;
    fresh.ShowProperty(*document.parser(), planet, planet->Property("z"), false);
    EXPECT_EQ(Text(fresh.ValEdit->text()), "1.000");
    fresh.ValEdit->setText("1852");
    fresh.rbLen[2]->click();
    EXPECT_EQ(Text(fresh.ValEdit->text()), "1.000");
    EXPECT_TRUE(fresh.LenGroup->isVisibleTo(&fresh));
    EXPECT_FALSE(fresh.FormatGroup->isVisibleTo(&fresh));
}

TEST_F(frmGalEditTest, AnUntouchedValueStaysAsItWas) {
    planet->Property("x")->Value = 1000;
    planet->Dirty = false;
    dialog.ShowProperty(*document.parser(), planet, planet->Property("x"), false);
    dialog.rbLen[2]->click();
    EXPECT_EQ(Text(dialog.ValEdit->text()), "0.002");
    dialog.btnOK->click();
    EXPECT_EQ(dialog.ModalResult, 1);
    EXPECT_EQ(planet->x(), 1000);
    EXPECT_FALSE(planet->Dirty);
}

TEST_F(frmGalEditTest, ColoursAndAngles) {
    EXPECT_EQ(Edit(sector, "color", "FF8000")->Value, 16744448);
    dialog.ShowProperty(*document.parser(), sector, sector->Property("color"), false);
    EXPECT_EQ(Text(dialog.ValEdit->text()), "FF8000");
    EXPECT_TRUE(dialog.btnColorBrowse->isVisibleTo(&dialog));
    Edit(sector, "color", "FG");
    EXPECT_EQ(dialog.ModalResult, 2);
    EXPECT_EQ(Messages(), Strings{"Entered value is invalid."});
    EXPECT_EQ(sector->NamedProperty("color"), 16744448);

    planet->AddProperty("a", 0);
    EXPECT_EQ(Edit(planet, "a", "0A")->Value, 10);
    dialog.ShowProperty(*document.parser(), planet, planet->Property("a"), false);
    dialog.rbFormat[0]->click();
    EXPECT_EQ(Text(dialog.ValEdit->text()), "10");
    dialog.ValEdit->setText("2.5");
    dialog.btnOK->click();
    EXPECT_EQ(planet->NamedProperty("a"), 2);
}

TEST_F(frmGalEditTest, SectorCellsAreRangeChecked) {
    const std::string range = "Allowed coordinates values: X >= 0 and <=19, Y>=0 and <=14.";
    EXPECT_EQ(Edit(sector, "x", "19")->Value, 19);
    Edit(sector, "x", "20");
    Edit(sector, "y", "15");
    EXPECT_EQ(Messages(), (Strings{range, range}));
    EXPECT_EQ(sector->x(), 19);
    sector->AddProperty("z", 0);
    EXPECT_EQ(Edit(sector, "z", "500")->Value, 500);
}

TEST_F(frmGalEditTest, ListsAndTheirRefusals) {
    const Ptr gate = Child(sector, 2);
    ASSERT_EQ(gate->otype(), 18);
    dialog.ShowProperty(*document.parser(), gate, gate->Property("gid"), false);
    EXPECT_TRUE(dialog.cmbValue->isVisibleTo(&dialog));
    EXPECT_EQ(Text(dialog.cmbValue->currentText()), "1A");
    dialog.cmbValue->setCurrentIndex(dialog.cmbValue->findText("-1"));
    dialog.btnOK->click();
    EXPECT_EQ(gate->NamedProperty("gid"), -1);

    dialog.ShowProperty(*document.parser(), planet, planet->Property("t"), false);
    dialog.cmbValue->setCurrentIndex(dialog.cmbValue->findData(1));
    dialog.btnOK->click();
    dialog.cmbValue->setCurrentIndex(-1);
    dialog.btnOK->click();
    EXPECT_EQ(Messages(), (Strings{"You cannot change type of non sector object to \"sector\".",
                                   "You must select value from the list."}));
    EXPECT_EQ(planet->otype(), 4);
    EXPECT_EQ(Text(prompts.messages().front().title), "Zorv Editor");
}

TEST_F(frmGalEditTest, ASectorSubtypeIsAPlainNumber) {
    EXPECT_EQ(Edit(sector, "s", "3")->Value, 3);
    EXPECT_EQ(dialog.ModalResult, 1);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(frmGalEditTest, ANewAttributeNeedsAName) {
    auto property = std::make_shared<clsProperty>();
    dialog.NewProperty(*document.parser(), planet, property, false);
    EXPECT_EQ(dialog.cmbPropNames->findText("X"), -1);
    EXPECT_NE(dialog.cmbPropNames->findText("Rotation - alpha"), -1);
    dialog.ValEdit->setText("5");
    dialog.btnOK->click();
    EXPECT_EQ(Messages(), Strings{"You must select property name."});

    dialog.cmbPropNames->setCurrentIndex(dialog.cmbPropNames->findText("Rotation - alpha"));
    emit dialog.cmbPropNames->activated(dialog.cmbPropNames->currentIndex());
    EXPECT_TRUE(dialog.FormatGroup->isVisibleTo(&dialog));
    dialog.ValEdit->setText("1F");
    dialog.btnOK->click();
    EXPECT_EQ(dialog.ModalResult, 1);
    EXPECT_EQ(Text(property->Name), "a");
    EXPECT_EQ(property->Value, 31);
    EXPECT_EQ(planet->Property("a"), nullptr);
}

TEST_F(frmGalEditTest, TheColourPicker) {
    dialog.ShowProperty(*document.parser(), sector, sector->Property("color"), false);
    prompts.answerColor(0x00FF80);
    dialog.btnColorBrowse->click();
    EXPECT_EQ(Text(dialog.ValEdit->text()), "00FF80");
    EXPECT_EQ(dialog.ColorPreview->palette().color(QPalette::Window), QColor(0, 255, 128));
    prompts.answerColor(std::nullopt);
    dialog.btnColorBrowse->click();
    EXPECT_EQ(Text(dialog.ValEdit->text()), "00FF80");
    dialog.btnOK->click();
    EXPECT_EQ(sector->NamedProperty("color"), 0x00FF80);
}

} // namespace
