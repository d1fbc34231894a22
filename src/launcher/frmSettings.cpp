#include "launcher/frmSettings.h"

#include "common/mdlCommon.h"
#include "common/mdlCommonGlobals.h"
#include "common/widgets/mdlCommonWidgets.h"
#include "launcher/GameData.h"
#include "launcher/frmFiles.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"
#include "platform/widgets/DialogRunner.h"
#include "resources/clsDescServer.h"
#include "shell/mdlComFunctions.h"
#include "shell/mdlZorvConst.h"
#include "shell/widgets/frmWait.h"
#include "shell/widgets/mdlComFunctionsWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>

using mdlCommon::Settings;

namespace launcher {

namespace {

const QString kTitle = QStringLiteral("Settings");

QPushButton* browseButton(QWidget* parent) {
    auto* button = new QPushButton(QStringLiteral("..."), parent);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    return button;
}

// A text box with its "..." button on one row under its label.
void addPathRow(QGridLayout* grid, int row, const QString& label, QLineEdit* field,
                QPushButton* button) {
    grid->addWidget(new QLabel(label), row, 0, 1, 2);
    grid->addWidget(field, row + 1, 0);
    if (button)
        grid->addWidget(button, row + 1, 1);
}

QString storedExePath() {
    return Settings().ReadRegValue(QStringLiteral("ZorvEXEPath"), platform::REG_SZ).toString();
}

} // namespace

std::optional<int32_t> ParseLanguageId(const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    const qlonglong number = trimmed.toLongLong(&ok, 10);
    if (!ok || trimmed.startsWith(u'+') || number < std::numeric_limits<int32_t>::min() ||
        number > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(number);
}

frmSettings::frmSettings(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(kTitle);
    MainTab = new QTabWidget(this);
    MainTab->addTab(BuildCommonTab(), QStringLiteral("Common"));
    MainTab->addTab(BuildGraphicsTab(), QStringLiteral("Graphics"));
    MainTab->addTab(Build3DViewerTab(), QStringLiteral("3D Viewer"));

    btnShowFiles = new QPushButton(QStringLiteral("Show files"), this);
    btnHelp = new QPushButton(QStringLiteral("Help"), this);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnShowFiles);
    buttons->addWidget(btnHelp);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MainTab);
    layout->addLayout(buttons);
    resize(460, 360);

    connect(chkLoadDesc, &QCheckBox::clicked, this, &frmSettings::UpdateLangEnabled);
    connect(chkUseDD, &QCheckBox::clicked, this, &frmSettings::UpdateDoubleBufferEnabled);
    connect(btnDataDirBrowse, &QPushButton::clicked, this, [this] {
        const QString folder = mdlComFunctions::BrowseForFolder(
            this, QStringLiteral("Select directory containing game data files."));
        if (!folder.isEmpty())
            DataDir->setText(folder);
    });
    connect(btnZorvBrowse, &QPushButton::clicked, this, [this] { BrowseProgram(ZorvPathEdit); });
    connect(btnEditorBrowse, &QPushButton::clicked, this, [this] { BrowseProgram(EditorEdit); });
    connect(btnExt3DViewerBrowse, &QPushButton::clicked, this,
            [this] { BrowseProgram(Ext3DViewerEdit); });
    connect(btnHelp, &QPushButton::clicked, this,
            [] { mdlCommon::ShowHelp(QStringLiteral("settings.html")); });
    connect(btnShowFiles, &QPushButton::clicked, this, [this] {
        frmFiles files(m_owner ? m_owner : this);
        files.ShowFiles(true, m_owner ? m_owner : this);
    });
    connect(btnOK, &QPushButton::clicked, this, &frmSettings::ApplySettings);
    connect(btnCancel, &QPushButton::clicked, this, &frmSettings::Cancel);
    for (QLineEdit* field :
         {DataDir, ZorvPathEdit, EditorEdit, Ext3DViewerEdit, Ext3DViewerCmdLineEdit})
        field->installEventFilter(this);
}

QWidget* frmSettings::BuildCommonTab() {
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);
    DataDir = new QLineEdit(tab);
    btnDataDirBrowse = browseButton(tab);
    addPathRow(grid, 0, QStringLiteral("Direcotory with data files"), DataDir, btnDataDirBrowse);
    ZorvPathEdit = new QLineEdit(tab);
    btnZorvBrowse = browseButton(tab);
    addPathRow(grid, 2, QStringLiteral("Path to Zorv executable"), ZorvPathEdit, btnZorvBrowse);

    auto* descriptions = new QGroupBox(tab);
    chkLoadDesc = new QCheckBox(QStringLiteral("Load object descriptions"), descriptions);
    cmbLangID = new QComboBox(descriptions);
    cmbLangID->setEditable(true);
    auto* descriptionRows = new QVBoxLayout(descriptions);
    descriptionRows->addWidget(chkLoadDesc);
    descriptionRows->addWidget(new QLabel(QStringLiteral("Use this language ID for descriptions")));
    descriptionRows->addWidget(cmbLangID);
    grid->addWidget(descriptions, 4, 0, 1, 2);

    auto* custom = new QGroupBox(QStringLiteral("Custom program"), tab);
    auto* customGrid = new QGridLayout(custom);
    EditorEdit = new QLineEdit(custom);
    btnEditorBrowse = browseButton(custom);
    addPathRow(customGrid, 0, QStringLiteral("Program to run"), EditorEdit, btnEditorBrowse);
    customGrid->addWidget(
        new QLabel(QStringLiteral("* You can rename icon by right clicking and selecting Rename")),
        2, 0, 1, 2);
    grid->addWidget(custom, 5, 0, 1, 2);
    grid->setRowStretch(6, 1);
    return tab;
}

QWidget* frmSettings::BuildGraphicsTab() {
    auto* tab = new QWidget;
    auto* rows = new QVBoxLayout(tab);
    chkUseDD = new QCheckBox(QStringLiteral("Use DirectDraw (better performance)"), tab);
    chkUseDBuf = new QCheckBox(QStringLiteral("Use double buffer (no flickering)"), tab);
    rows->addWidget(chkUseDD);
    rows->addWidget(chkUseDBuf);
    rows->addStretch();
    return tab;
}

QWidget* frmSettings::Build3DViewerTab() {
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);
    Ext3DViewerEdit = new QLineEdit(tab);
    btnExt3DViewerBrowse = browseButton(tab);
    addPathRow(grid, 0, QStringLiteral("Path to 3D viewer"), Ext3DViewerEdit, btnExt3DViewerBrowse);
    Ext3DViewerCmdLineEdit = new QLineEdit(tab);
    addPathRow(grid, 2, QStringLiteral("Command line"), Ext3DViewerCmdLineEdit, nullptr);
    grid->addWidget(new QLabel(QStringLiteral("Use %1 for file name")), 4, 0, 1, 2);
    grid->setRowStretch(5, 1);
    return tab;
}

void frmSettings::ShowSettings(bool modal, QWidget* owner) {
    m_owner = owner;
    const clsSettings& settings = Settings();
    m_oldPath = settings.ZorvPath();
    m_oldLanguage = settings.DescLangID();
    m_oldLoad = settings.LoadDescriptions();
    ModalResult = 0;

    // The stored path only: a default derived from the data folder would be
    // stored as if chosen, and go stale when the folder changes.
    ZorvPathEdit->setText(storedExePath());
    EditorEdit->setText(settings.CustomProgram());
    chkLoadDesc->setChecked(m_oldLoad);
    chkUseDBuf->setChecked(settings.UseDoubleBuffer());
    chkUseDD->setChecked(settings.UseDirectDraw());
    cmbLangID->clear();
    const auto& ids = mdlZorvConst::LanguageIDs;
    for (int32_t i = ids.lower(); i <= ids.upper(); ++i)
        cmbLangID->addItem(QStringLiteral("%1 - %2")
                               .arg(ids[i], 2, 10, QLatin1Char('0'))
                               .arg(mdlZorvConst::LanguageNames[i]),
                           ids[i]);
    if (!mdlComFunctions::SelectComboItemByData(cmbLangID, m_oldLanguage))
        cmbLangID->setEditText(QString::number(m_oldLanguage));
    DataDir->setText(m_oldPath);
    Ext3DViewerEdit->setText(settings.Ext3DViewerPath());
    Ext3DViewerCmdLineEdit->setText(settings.Ext3DViewerCmdLine());
    UpdateLangEnabled();
    UpdateDoubleBufferEnabled();
    MainTab->setCurrentIndex(0);
    if (modal)
        platform::RunModal(*this);
    else
        show();
}

void frmSettings::UpdateLangEnabled() {
    cmbLangID->setEnabled(chkLoadDesc->isChecked());
}

void frmSettings::UpdateDoubleBufferEnabled() {
    if (chkUseDD->isChecked())
        chkUseDBuf->setChecked(true);
    chkUseDBuf->setEnabled(!chkUseDD->isChecked());
}

void frmSettings::BrowseProgram(QLineEdit* field) {
    platform::FileChoice choice;
    choice.filter = QStringLiteral("Executable Files (*.exe)|*.exe|All Files (*.*)|*.*");
    choice.fileName = field->text();
    choice.owner = this;
    if (platform::prompts().chooseFile(choice))
        field->setText(choice.fileName);
}

void frmSettings::Cancel() {
    m_owner = nullptr;
    ModalResult = 2;
    hide();
}

void frmSettings::ApplySettings() {
    clsSettings& settings = Settings();
    settings.SetZorvEXEPath(ZorvPathEdit->text());
    settings.SetCustomProgram(EditorEdit->text());
    settings.SetLoadDescriptions(chkLoadDesc->isChecked());
    settings.SetZorvPath(DataDir->text());
    settings.SetUseDirectDraw(chkUseDD->isChecked());
    settings.SetUseDoubleBuffer(chkUseDBuf->isChecked());
    settings.SetExt3DViewerCmdLine(Ext3DViewerCmdLineEdit->text());
    settings.SetExt3DViewerPath(Ext3DViewerEdit->text());

    const int selected = cmbLangID->currentIndex();
    const bool typed = selected < 0 || cmbLangID->currentText() != cmbLangID->itemText(selected);
    if (typed) {
        const QString text = cmbLangID->currentText().trimmed();
        const std::optional<int32_t> number = ParseLanguageId(text);
        if (!number) {
            const bool digits =
                !text.isEmpty() && std::all_of(text.begin() + (text.startsWith(u'-') ? 1 : 0),
                                               text.end(), [](QChar c) { return c.isDigit(); });
            mdlCommon::ShowInvalidNumber(this, digits ? QString() : QStringLiteral("Lang ID"));
            return;
        }
        settings.SetDescLangID(*number);
    } else {
        settings.SetDescLangID(mdlComFunctions::GetComboItemData(cmbLangID));
    }

    const bool load = settings.LoadDescriptions();
    const bool languageChanged = load != m_oldLoad || settings.DescLangID() != m_oldLanguage;
    const bool folderChanged = settings.ZorvPath() != m_oldPath;
    ModalResult = 1;
    hide();

    QWidget* waitOwner = m_owner ? m_owner : this;
    if (folderChanged) {
        mdlCommon::WaitScope wait(QStringLiteral("Scanning Zorv data files. Please wait..."),
                                  waitOwner);
        const QString warning = OpenGameFiles();
        if (!warning.isEmpty())
            platform::prompts().ask(
                {QStringLiteral("Zorv Editor"), warning, platform::PromptIcon::Exclamation});
    }
    if (!load) {
        DescServer().Unload();
    } else if (languageChanged || folderChanged) {
        QString message;
        {
            mdlCommon::WaitScope wait(QStringLiteral("Loading resource strings..."), waitOwner);
            message = LoadResourceStrings();
        }
        if (!message.isEmpty())
            platform::prompts().ask(
                {QStringLiteral("Zorv Editor"), message, platform::PromptIcon::Critical});
    }
    m_owner = nullptr;
}

bool frmSettings::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        if (auto* field = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, field, [field] { mdlComFunctions::SelectAllText(field, false); });
    return QDialog::eventFilter(watched, event);
}

} // namespace launcher
