#include "tfiles/widgets/TFileWidgetTestSupport.h"

#include "tfiles/widgets/frmEdit.h"
#include "tfiles/widgets/ucWare.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using namespace tfilewidgettest;

const QString kInvalidNumber =
    QStringLiteral("Entered value is incorrect. It must be whole or decimal number.");

// One open file of the given title and lines, with the ware panel over it.
class ValueEdit : public testing::Test {
protected:
    void Open(const std::string& title, const std::vector<std::string>& lines) {
        int32_t kind = 0;
        OpenWithPanel(document, panel, title, lines, kind);
    }

    TFileDocument::Record Record(int index) { return document.Parser().FindIndex(index); }

    // Shows the dialog for a value; the step sees it as it is shown.
    void EditValue(int line, int index, std::function<void(frmEdit&)> step,
                   EditingPanel* with = nullptr) {
        script.dialogs.answerAs<frmEdit>(std::move(step));
        dialog.ShowProperty(with, Record(line), Record(line)->otype, index);
    }

    static void Type(frmEdit& edit, const QString& text) {
        edit.cmbValue()->setCurrentText(text);
        edit.btnOK()->click();
    }

    Scripted script;
    TFileDocument document;
    ucWare panel;
    frmEdit dialog{document};
};

TEST_F(ValueEdit, CaptionOffsetAndPlainEditing) {
    Open("TLaser", {Laser("L1")});
    EditValue(
        0, 10,
        [](frmEdit& edit) {
            EXPECT_EQ(edit.PropNameEdit()->text(), "Energy (offset 10)");
            EXPECT_FALSE(edit.chkTranslatedValue()->isEnabled());
            EXPECT_EQ(edit.cmbValue()->currentText(), "10");
            Type(edit, "12.5");
        },
        &panel);
    EXPECT_EQ(dialog.ModalResult, frmEdit::kOK);
    EXPECT_EQ(Record(0)->Value(10).toDouble(), 12.5);
}

TEST_F(ValueEdit, WithoutAPanelValuesArePlainAndTheCheckBoxIsDisabled) {
    Open("TLaser", {Laser("L1")});
    EditValue(0, 7, [](frmEdit& edit) {
        EXPECT_EQ(edit.PropNameEdit()->text(), " (offset 7)");
        EXPECT_TRUE(edit.chkTranslatedValue()->isVisibleTo(&edit));
        EXPECT_FALSE(edit.chkTranslatedValue()->isEnabled());
        EXPECT_EQ(edit.cmbValue()->currentText(), "200");
        Type(edit, "150");
    });
    EXPECT_EQ(Record(0)->Value(7).toInt(), 150);
}

TEST_F(ValueEdit, RateOfFireIsEditedConvertedOrPlain) {
    Open("TLaser", {Laser("L1"), Laser("L2", {{7, "0"}})});
    EditValue(
        0, 7,
        [](frmEdit& edit) {
            EXPECT_TRUE(edit.chkTranslatedValue()->isChecked());
            EXPECT_EQ(edit.lblValue()->text(), "Value [Rnds/min]");
            EXPECT_EQ(edit.cmbValue()->currentText(), "300");
            Type(edit, "600");
        },
        &panel);
    EXPECT_EQ(Record(0)->Value(7).toInt(), 100);

    EditValue(
        0, 7,
        [](frmEdit& edit) {
            edit.chkTranslatedValue()->click(); // the stored delay
            EXPECT_EQ(edit.lblValue()->text(), "Value");
            EXPECT_EQ(edit.cmbValue()->currentText(), "100");
            Type(edit, "250");
        },
        &panel);
    EXPECT_EQ(Record(0)->Value(7).toInt(), 250);

    // A delay of 0 shows as 0 and can still be given a rate.
    EditValue(
        1, 7,
        [](frmEdit& edit) {
            EXPECT_EQ(edit.cmbValue()->currentText(), "0");
            Type(edit, "300");
        },
        &panel);
    EXPECT_EQ(Record(1)->Value(7).toInt(), 200);
}

TEST_F(ValueEdit, OKOnAnUntouchedValueWritesNothing) {
    // Whole seconds and whole m/s would turn 1500 into 2000 and 2300 into 2220.
    Open("TRockets", {Line(31, "M1", {{7, "2300"}, {14, "1500"}})});
    for (const int index : {7, 14}) {
        EditValue(
            0, index, [](frmEdit& edit) { edit.btnOK()->click(); }, &panel);
        EXPECT_EQ(dialog.ModalResult, frmEdit::kOK);
    }
    EXPECT_EQ(Record(0)->Value(7).toInt(), 2300);
    EXPECT_EQ(Record(0)->Value(14).toInt(), 1500);
    EXPECT_FALSE(document.IsDirty());
}

TEST_F(ValueEdit, TextThatIsNoNumberIsRefusedAndTheDialogStaysOpen) {
    Open("TLaser", {Laser("L1")});
    for (EditingPanel* with :
         {static_cast<EditingPanel*>(nullptr), static_cast<EditingPanel*>(&panel)}) {
        const int index = with ? 7 : 9;
        bool stayedOpen = false;
        dialog.ModalResult = frmEdit::kNone;
        EditValue(
            0, index,
            [&stayedOpen](frmEdit& edit) {
                Type(edit, "fast");
                stayedOpen = edit.ModalResult == frmEdit::kNone;
                edit.btnCancel()->click();
            },
            with);
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(dialog.ModalResult, frmEdit::kCancel);
    }
    EXPECT_EQ(script.messages(), QStringList({kInvalidNumber, kInvalidNumber}));
    EXPECT_EQ(Record(0)->Value(7).toInt(), 200);
    EXPECT_EQ(Record(0)->Value(9).toInt(), 9);
    EXPECT_FALSE(document.IsDirty());
}

TEST_F(ValueEdit, TextValuesStayText) {
    Open("TLaser", {Laser("L1", {{3, "ship.bod"}})});
    EditValue(0, 3, [](frmEdit& edit) {
        EXPECT_EQ(edit.cmbValue()->currentText(), "ship.bod");
        Type(edit, "007");
    });
    EXPECT_EQ(Record(0)->Value(3), QVariant(QByteArray("007")));
}

TEST_F(ValueEdit, PickListsOfCargoClassesAndRaces) {
    Open("TFactories", {Line(22, "F1", {{13, "11"}, {20, "1"}})});
    EditValue(
        0, 20,
        [](frmEdit& edit) {
            EXPECT_EQ(edit.cmbValue()->count(), 6);
            EXPECT_EQ(edit.cmbValue()->itemText(3), "large");
            EXPECT_EQ(edit.cmbValue()->currentText(), "small");
            edit.cmbValue()->setCurrentIndex(3);
            edit.btnOK()->click();
        },
        &panel);
    EXPECT_EQ(Record(0)->Value(20).toInt(), 3);

    // Race 11 has no name; it shows "N/A" and still takes a race.
    EditValue(
        0, 13,
        [](frmEdit& edit) {
            EXPECT_EQ(edit.cmbValue()->currentText(), "N/A");
            Type(edit, "Halmorid");
        },
        &panel);
    EXPECT_EQ(Record(0)->Value(13).toInt(), 3);
}

TEST_F(ValueEdit, NamesFollowTheCaseRules) {
    Open("TLaser", {Laser("L1"), Laser("L2")});
    const auto rename = [this](const QString& name) {
        script.dialogs.answerAs<frmEdit>([name](frmEdit& edit) {
            EXPECT_EQ(edit.PropNameEdit()->text(), "Name");
            EXPECT_FALSE(edit.chkTranslatedValue()->isVisibleTo(&edit));
            Type(edit, name);
        });
        dialog.ModalResult = frmEdit::kNone;
        dialog.ShowName(Record(0), document.Parser().objects);
        return dialog.ModalResult;
    };
    EXPECT_EQ(rename("l2"), frmEdit::kNone);
    EXPECT_EQ(rename(""), frmEdit::kNone);
    EXPECT_EQ(rename("A;B"), frmEdit::kNone);
    EXPECT_EQ(Record(0)->ObjectName(), "L1");
    EXPECT_EQ(rename("l1"), frmEdit::kOK);
    EXPECT_EQ(Record(0)->ObjectName(), "l1");
    const QStringList messages = script.messages();
    ASSERT_EQ(messages.size(), 3);
    EXPECT_EQ(messages[0], "This name is already used on different object.");
}

TEST_F(ValueEdit, AValueTheLineDoesNotHaveIsNotShown) {
    Open("TLaser", {Laser("L1")});
    dialog.ShowProperty(&panel, Record(0), 3, 40);
    EXPECT_EQ(script.messages(), QStringList{"Error loading property."});
    EXPECT_TRUE(script.dialogs.shown().isEmpty());
    EXPECT_EQ(dialog.ModalResult, frmEdit::kNone);
}

} // namespace
