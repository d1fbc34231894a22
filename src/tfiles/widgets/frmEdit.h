// "Value Edit": the modal dialog that edits one value of a T-file line, or
// its ID string. It knows no kinds of file: the panel it is handed supplies
// the caption, the mode (plain, converted, pick list), the unit and the
// conversions. Every write goes through the document, and OK on a value
// that was not changed writes nothing.
#pragma once

#include "platform/Prompts.h"
#include "tfiles/TFileDocument.h"

#include <QDialog>

#include <cstdint>

class EditingPanel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmEdit : public QDialog {
    Q_OBJECT

public:
    using Record = TFileDocument::Record;

    enum Result : int32_t { kNone = 0, kOK = 1, kCancel = 2 };

    explicit frmEdit(TFileDocument& document, QWidget* owner = nullptr);

    // 1 after OK, 2 after Cancel, 0 before either.
    int32_t ModalResult = kNone;

    // Edits value `index` of the record with the panel's help (nullptr: a
    // plain number or text). Returns when the dialog has closed; on a
    // failure to prepare it, "Error loading property." and nothing is shown.
    void ShowProperty(EditingPanel* panel, const Record& record, int32_t kind, int32_t index);
    // Edits the record's ID string; names of the other lines of the
    // collection may not be reused.
    void ShowName(const Record& record, const platform::KeyedCollection<clsTXTObject>& objects);

    // The controls, for tests.
    QLineEdit* PropNameEdit() const { return m_propName; }
    QLabel* lblValue() const { return m_lblValue; }
    QComboBox* cmbValue() const { return m_cmbValue; }
    QCheckBox* chkTranslatedValue() const { return m_chkTranslated; }
    QPushButton* btnOK() const { return m_btnOK; }
    QPushButton* btnCancel() const { return m_btnCancel; }

private slots:
    void btnOK_Click();
    void btnCancel_Click();
    void chkTranslatedValue_Click();

private:
    void PrepareProperty(EditingPanel* panel, const Record& record, int32_t index);
    void ShowValue();
    void SetValueText(const QString& text);
    void AcceptValue();
    void AcceptName();
    void RefuseNumber();
    // Its messages leave the dialog open.
    const platform::WindowPrompts m_prompts;
    TFileDocument& m_document;
    QLineEdit* m_propName = nullptr;
    QLabel* m_lblValue = nullptr;
    QComboBox* m_cmbValue = nullptr;
    QCheckBox* m_chkTranslated = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnCancel = nullptr;

    Record m_record;
    EditingPanel* m_panel = nullptr;
    int32_t m_index = 0;
    int32_t m_mode = 0;
    int32_t m_kind = 0;
    bool m_nameMode = false;
    const platform::KeyedCollection<clsTXTObject>* m_objects = nullptr;
    // The text the value box was given, so an untouched OK writes nothing.
    QString m_shownText;
};
