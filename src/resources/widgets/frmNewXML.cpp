#include "resources/widgets/frmNewXML.h"

#include "common/mdlCommonGlobals.h"
#include "resources/LanguageFiles.h"
#include "resources/widgets/ResEditorDialogs.h"
#include "shell/mdlComFunctions.h"
#include "shell/mdlZorvConst.h"
#include "shell/widgets/mdlComFunctionsWidgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

frmNewXML::frmNewXML(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmNewXML"));
    setWindowTitle(QStringLiteral("New XML file"));
    cmbLangID = ResEditorDialogs::Named(new QComboBox(this), "cmbLangID");
    cmbLangID->setEditable(true);
    cmbLangID->setInsertPolicy(QComboBox::NoInsert);
    FileNoEdit = ResEditorDialogs::Named(new QLineEdit(this), "FileNoEdit");
    mdlComFunctions::SetWindowStyle(FileNoEdit);

    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Language ID"), cmbLangID);
    layout->addRow(QStringLiteral("File number"), FileNoEdit);
    auto* buttons = ResEditorDialogs::OkCancelRow(this, btnOK, btnCancel);
    layout->addRow(buttons);

    setMinimumWidth(300);

    connect(btnOK, &QPushButton::clicked, this, &frmNewXML::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmNewXML::btnCancel_Click);
    connect(cmbLangID, &QComboBox::currentTextChanged, this, &frmNewXML::ProposeFileNumber);
}

frmNewXML::~frmNewXML() = default;

void frmNewXML::ShowNewFile() {
    const QSignalBlocker quiet(cmbLangID);
    cmbLangID->clear();
    const auto& ids = mdlZorvConst::LanguageIDs;
    for (int32_t i = ids.lower(); i <= ids.upper() && !ids.isEmpty(); ++i)
        cmbLangID->addItem(QStringLiteral("%1 - ").arg(ids[i], 2, 10, QLatin1Char('0')) +
                               mdlZorvConst::LanguageNames[i],
                           ids[i]);
    const int32_t configured = mdlCommon::Settings().DescLangID();
    if (!mdlComFunctions::SelectComboItemByData(cmbLangID, configured))
        cmbLangID->setEditText(QString::number(configured));
    ProposeFileNumber();
}

std::optional<int32_t> frmNewXML::ChosenLanguage() const {
    const QString text = cmbLangID->currentText();
    const int entry = cmbLangID->findText(text, Qt::MatchExactly);
    if (entry >= 0)
        return cmbLangID->itemData(entry).toInt();
    bool isNumber = false;
    const int32_t typed = text.trimmed().toInt(&isNumber);
    return isNumber ? std::optional(typed) : std::nullopt;
}

void frmNewXML::ProposeFileNumber() {
    const auto language = ChosenLanguage();
    if (!language)
        return;
    const QString folder = mdlComFunctions::BuildPath(mdlCommon::Settings().ZorvPath(), "t");
    FileNoEdit->setText(QString::number(LanguageFiles::ProposeFileNumber(folder, *language)));
}

void frmNewXML::btnOK_Click() {
    if (FileNoEdit->text().isEmpty())
        ProposeFileNumber();
    const auto language = ChosenLanguage();
    if (!language) {
        m_prompts.tell(QStringLiteral("You must either select language name or enter lang id."),
                       platform::PromptIcon::Exclamation);
        return;
    }
    bool isNumber = false;
    const int32_t fileNumber = FileNoEdit->text().toInt(&isNumber);
    if (!isNumber)
        return;
    LangID = *language;
    FileName = LanguageFiles::LanguageFileName(LangID, fileNumber);
    ModalResult = 1;
    done(QDialog::Accepted);
}

void frmNewXML::btnCancel_Click() {
    ModalResult = 2;
    done(QDialog::Rejected);
}
