#include "tfiles/widgets/frmEdit.h"

#include "common/widgets/mdlCommonWidgets.h"
#include "platform/Prompts.h"
#include "platform/widgets/DialogRunner.h"
#include "tfiles/TxtValue.h"
#include "tfiles/widgets/EditingPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

#include <cmath>
#include <exception>

namespace {

const QString kTitle = QStringLiteral("Value Edit");

// Selects the whole text whenever the field receives the focus.
class SelectOnFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            if (auto* field = qobject_cast<QLineEdit*>(watched))
                QTimer::singleShot(0, field, [field] { field->selectAll(); });
        return false;
    }
};

} // namespace

frmEdit::frmEdit(TFileDocument& document, QWidget* owner)
    : QDialog(owner), m_prompts(kTitle, this), m_document(document) {
    setObjectName(QStringLiteral("frmEdit"));
    setWindowTitle(kTitle);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Property name"), this), 0, 0);
    m_propName = new QLineEdit(this);
    m_propName->setObjectName(QStringLiteral("PropNameEdit"));
    m_propName->setReadOnly(true);
    grid->addWidget(m_propName, 0, 1);
    m_lblValue = new QLabel(QStringLiteral("Value"), this);
    m_lblValue->setObjectName(QStringLiteral("lblValue"));
    grid->addWidget(m_lblValue, 1, 0);
    m_cmbValue = new QComboBox(this);
    m_cmbValue->setObjectName(QStringLiteral("cmbValue"));
    m_cmbValue->setEditable(true);
    m_cmbValue->setInsertPolicy(QComboBox::NoInsert);
    m_cmbValue->setMinimumWidth(220);
    m_cmbValue->lineEdit()->installEventFilter(new SelectOnFocus(this));
    grid->addWidget(m_cmbValue, 1, 1);
    m_chkTranslated = new QCheckBox(QStringLiteral("Translated value"), this);
    m_chkTranslated->setObjectName(QStringLiteral("chkTranslatedValue"));
    grid->addWidget(m_chkTranslated, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_btnOK = new QPushButton(QStringLiteral("OK"), this);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setDefault(true);
    m_btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    grid->addLayout(buttons, 3, 0, 1, 2);

    connect(m_btnOK, &QPushButton::clicked, this, &frmEdit::btnOK_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &frmEdit::btnCancel_Click);
    connect(m_chkTranslated, &QCheckBox::clicked, this, &frmEdit::chkTranslatedValue_Click);
}

void frmEdit::ShowProperty(EditingPanel* panel, const Record& record, int32_t kind, int32_t index) {
    try {
        PrepareProperty(panel, record, index);
    } catch (const std::exception&) {
        m_prompts.tell(QStringLiteral("Error loading property."),
                       platform::PromptIcon::Exclamation);
        return;
    }
    m_kind = kind;
    platform::RunModal(*this);
}

void frmEdit::PrepareProperty(EditingPanel* panel, const Record& record, int32_t index) {
    if (!record || index < 0 || index >= record->size())
        throw std::out_of_range("no such value");
    m_record = record;
    m_panel = panel;
    m_index = index;
    m_nameMode = false;
    m_objects = nullptr;

    const QString caption = panel ? panel->ZorvGetPropertyName(*record, index) : QString();
    m_propName->setText(caption + QStringLiteral(" (offset %1)").arg(index));
    m_mode = panel ? panel->ZorvSupportValueTranslate(*record, index) : EditingPanel::kPlain;
    m_chkTranslated->setVisible(true);
    m_chkTranslated->setEnabled(m_mode == EditingPanel::kConverted);
    m_chkTranslated->setChecked(m_mode == EditingPanel::kConverted);
    m_cmbValue->clear();
    if (m_mode == EditingPanel::kPickList && panel) {
        const QStringList values = panel->ZorvGetPropertyValues(*record, index);
        for (int position = 0; position < values.size(); ++position)
            m_cmbValue->addItem(values[position], position);
    }
    ShowValue();
}

void frmEdit::ShowValue() {
    m_lblValue->setText(QStringLiteral("Value"));
    const QString stored = tfiles::ValueText(m_record->Value(m_index));
    const bool translated =
        m_panel && (m_mode == EditingPanel::kPickList ||
                    (m_mode == EditingPanel::kConverted && m_chkTranslated->isChecked()));
    if (!translated) {
        SetValueText(stored);
        return;
    }
    if (m_mode == EditingPanel::kConverted) {
        const QString unit = m_panel->ZorvGetValueUnit(*m_record, m_index);
        if (!unit.isEmpty())
            m_lblValue->setText(QStringLiteral("Value [%1]").arg(unit));
    }
    QString text;
    SetValueText(m_panel->ZorvTranslateValue(*m_record, m_index, text, true) ? text : stored);
}

void frmEdit::SetValueText(const QString& text) {
    m_cmbValue->setCurrentText(text);
    m_shownText = text;
}

void frmEdit::ShowName(const Record& record,
                       const platform::KeyedCollection<clsTXTObject>& objects) {
    m_record = record;
    m_panel = nullptr;
    m_nameMode = true;
    m_objects = &objects;
    m_chkTranslated->setVisible(false);
    m_propName->setText(QStringLiteral("Name"));
    m_cmbValue->clear();
    SetValueText(record ? record->ObjectName() : QString());
    platform::RunModal(*this);
}

void frmEdit::chkTranslatedValue_Click() {
    ShowValue();
}

void frmEdit::btnOK_Click() {
    if (m_nameMode)
        AcceptName();
    else
        AcceptValue();
}

void frmEdit::btnCancel_Click() {
    ModalResult = kCancel;
    reject();
}

void frmEdit::AcceptValue() {
    const QString text = m_cmbValue->currentText();
    // An untouched value is not rewritten: a round trip through a
    // conversion could change it.
    if (text == m_shownText) {
        ModalResult = kOK;
        accept();
        return;
    }
    QVariant value;
    const bool translated =
        m_panel && (m_mode == EditingPanel::kPickList ||
                    (m_mode == EditingPanel::kConverted && m_chkTranslated->isChecked()));
    if (translated) {
        double number = 0;
        if (!m_panel->ZorvTranslateValueBack(*m_record, text, m_index, number))
            return RefuseNumber();
        value = number;
    } else if (m_record->Value(m_index).typeId() == QMetaType::QByteArray) {
        // A text field stays text, digits and all.
        value = text;
    } else {
        bool ok = false;
        const double number = QLocale::c().toDouble(text.trimmed(), &ok);
        if (!ok || !std::isfinite(number))
            return RefuseNumber();
        value = number;
    }
    QString error;
    if (!m_document.SetValue(m_record, m_index, value, error))
        return m_prompts.tell(error, platform::PromptIcon::Exclamation);
    ModalResult = kOK;
    accept();
}

void frmEdit::AcceptName() {
    const QString name = m_cmbValue->currentText();
    for (const Record& object : *m_objects) {
        if (object != m_record &&
            QString::compare(object->ObjectName(), name, Qt::CaseInsensitive) == 0) {
            return m_prompts.tell(QStringLiteral("This name is already used on different object."),
                                  platform::PromptIcon::Exclamation);
        }
    }
    QString error;
    if (name != m_shownText && !m_document.SetObjectName(m_record, name, error))
        return m_prompts.tell(error, platform::PromptIcon::Exclamation);
    ModalResult = kOK;
    accept();
}

void frmEdit::RefuseNumber() {
    mdlCommon::ShowInvalidNumber(this);
    m_cmbValue->setFocus();
    m_cmbValue->lineEdit()->selectAll();
}
