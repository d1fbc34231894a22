// "Value Edit": the value of one attribute of a map object, or the name and
// value of a new one. The dialog edits a copy; OK copies it into the
// attribute the caller gave and marks the object dirty when the value
// changed. Adding a new attribute to the object is the caller's step.
#pragma once

#include "galaxy/clsGalaxyObject.h"
#include "galaxy/widgets/GalValueText.h"
#include "platform/BoundedArray.h"
#include "platform/Prompts.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <memory>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class clsGalaxyParser;
class clsProperty;

class frmGalEdit : public QDialog {
    Q_OBJECT

public:
    explicit frmGalEdit(QWidget* parent = nullptr);
    ~frmGalEdit() override;

    // 1 after OK (the attribute holds the new name and value), 2 after Cancel.
    int32_t ModalResult = 2;

    // Shown modally (through platform::RunModal) unless modal is false.
    void NewProperty(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object,
                     const std::shared_ptr<clsProperty>& property, bool modal = true,
                     QWidget* owner = nullptr);
    void ShowProperty(clsGalaxyParser& document, const clsGalaxyObject::Ptr& object,
                      const std::shared_ptr<clsProperty>& property, bool modal = true,
                      QWidget* owner = nullptr);

    QLineEdit* PropNameEdit = nullptr;
    QComboBox* cmbPropNames = nullptr;
    QLineEdit* ValEdit = nullptr;
    QComboBox* cmbValue = nullptr;
    QLabel* ColorPreview = nullptr;
    QPushButton* btnColorBrowse = nullptr;
    QGroupBox* NameGroup = nullptr;
    std::array<QRadioButton*, 2> rbName{};
    QGroupBox* LenGroup = nullptr;
    std::array<QRadioButton*, 3> rbLen{};
    QGroupBox* FormatGroup = nullptr;
    std::array<QRadioButton*, 2> rbFormat{};
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOK_Click();
    void btnCancel_Click();
    void btnColorBrowse_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const platform::WindowPrompts m_prompts{platform::kProgramTitle, this};
    void Open(bool modal, QWidget* owner);
    void PrepareEditor(bool keepSelection);
    void LayoutForMode();
    void ShowValue();
    // Reads the value box into the working copy; an untouched box keeps the value.
    bool ReadValue(QString& error);
    void UnitChanged();
    void FormatChanged();
    void PropNameChosen();
    void ColorTyped();
    bool SectorCoordinate() const;

    clsGalaxyParser* m_document = nullptr;
    clsGalaxyObject::Ptr m_object;
    std::shared_ptr<clsProperty> m_property;
    std::shared_ptr<clsProperty> m_work;
    bool m_newProperty = false;
    GalValueText::Mode m_mode = GalValueText::Mode::Plain;
    platform::BoundedArray<QString> m_list;
    int32_t m_unit = GalValueText::Meters;
    bool m_names = false;
    bool m_hexa = true;
    // What the dialog last wrote into the value box.
    QString m_shownText;
};
