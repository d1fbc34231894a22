#include "resources/widgets/frmResMerge.h"

#include "common/mdlCommon.h"
#include "common/mdlCommonGlobals.h"
#include "platform/widgets/ChosenRow.h"
#include "resources/LanguageFiles.h"
#include "resources/clsDescServer.h"
#include "resources/widgets/ResEditorDialogs.h"
#include "shell/mdlComFunctions.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyle>
#include <QToolBar>

namespace {

// The mount point a folder lies on: what a drive is here.
QString DriveOf(const QString& folder) {
    return QStorageInfo(folder).rootPath();
}

} // namespace

frmResMerge::frmResMerge(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmResMerge"));
    setWindowTitle(QStringLiteral("Merge Resource Files"));
    LangIDEdit = ResEditorDialogs::Named(new QLineEdit(this), "LangIDEdit");
    DriveSelector = ResEditorDialogs::Named(new QComboBox(this), "DriveSelector");
    lblFolder = ResEditorDialogs::Named(new QLabel(this), "lblFolder");
    lblFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    DirList = ResEditorDialogs::Named(new QListWidget(this), "DirList");
    DirBar = ResEditorDialogs::Named(new QToolBar(this), "DirBar");
    DirBar->addAction(style()->standardIcon(QStyle::SP_FileDialogToParent),
                      QStringLiteral("Up One Level"), this, &frmResMerge::UpOneLevel);
    FileList = ResEditorDialogs::Named(new QListWidget(this), "FileList");
    FileList->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto* layout = new QGridLayout(this);
    auto* language = new QHBoxLayout;
    language->addWidget(new QLabel(QStringLiteral("Language ID"), this));
    language->addWidget(LangIDEdit);
    language->addStretch();
    layout->addLayout(language, 0, 0, 1, 2);
    auto* drive = new QHBoxLayout;
    drive->addWidget(DriveSelector, 1);
    drive->addWidget(DirBar);
    layout->addLayout(drive, 1, 0);
    layout->addWidget(lblFolder, 2, 0, 1, 2);
    layout->addWidget(DirList, 3, 0);
    layout->addWidget(FileList, 1, 1, 3, 1);
    auto* buttons = ResEditorDialogs::OkCancelRow(this, btnOK, btnCancel);
    layout->addLayout(buttons, 4, 0, 1, 2);
    resize(560, 380);

    connect(btnOK, &QPushButton::clicked, this, &frmResMerge::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmResMerge::btnCancel_Click);
    connect(LangIDEdit, &QLineEdit::textChanged, this, &frmResMerge::FillFileList);
    platform::OnChosenRowActivated(DirList, this, [this](const QModelIndex& row) {
        SetFolder(QDir(m_folder).filePath(row.data().toString()));
    });
    connect(DriveSelector, &QComboBox::activated, this, &frmResMerge::DriveSelector_Click);
}

frmResMerge::~frmResMerge() = default;

bool frmResMerge::MyShow() {
    const clsSettings& settings = mdlCommon::Settings();
    const QString last = settings.LastOpenedXMLFile();
    const QString start = last.isEmpty()
                              ? mdlComFunctions::BuildPath(settings.ZorvPath(), "t")
                              : mdlComFunctions::GetFileDir(mdlCommon::GetVFSCatalogPart(last));
    {
        const QSignalBlocker quiet(LangIDEdit);
        LangIDEdit->setText(QString::number(settings.DescLangID()));
    }
    FillDrives();
    return SetFolder(start);
}

bool frmResMerge::SetFolder(const QString& folder) {
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists() || !dir.isReadable())
        return false;
    m_folder = dir.absolutePath();
    m_lastDrive = DriveOf(m_folder);
    DriveSelector->setCurrentIndex(DriveSelector->findText(m_lastDrive));
    lblFolder->setText(QDir::toNativeSeparators(m_folder));
    DirList->clear();
    DirList->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name));
    FillFileList();
    return true;
}

void frmResMerge::FillDrives() {
    DriveSelector->clear();
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && DriveSelector->findText(volume.rootPath()) < 0)
            DriveSelector->addItem(volume.rootPath());
}

void frmResMerge::DriveSelector_Click() {
    const QString drive = DriveSelector->currentText();
    if (SetFolder(drive))
        return;
    m_prompts.tell("The folder " + drive + " cannot be read.", platform::PromptIcon::Exclamation);
    DriveSelector->setCurrentIndex(DriveSelector->findText(m_lastDrive));
}

void frmResMerge::UpOneLevel() {
    QDir dir(m_folder);
    if (dir.cdUp())
        SetFolder(dir.absolutePath());
}

void frmResMerge::FillFileList() {
    FileList->clear();
    bool isNumber = false;
    const int32_t language = LangIDEdit->text().toInt(&isNumber);
    if (!isNumber || m_folder.isEmpty())
        return;
    FileList->addItems(LanguageFiles::MergeCandidates(m_folder, language));
}

void frmResMerge::btnOK_Click() {
    DS = std::make_unique<clsDescServer>();
    bool isNumber = false;
    const int32_t language = LangIDEdit->text().toInt(&isNumber);
    if (!isNumber) {
        m_prompts.tell(QStringLiteral("You must specify which language ID to use."),
                       platform::PromptIcon::Exclamation);
        return;
    }
    LangID = language;
    QStringList paths;
    for (int row = 0; row < FileList->count(); ++row)
        if (FileList->item(row)->isSelected())
            paths.append(QDir(m_folder).filePath(FileList->item(row)->text()));
    if (paths.isEmpty()) {
        m_prompts.tell(QStringLiteral("No files are selected."), platform::PromptIcon::Information);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool loaded = DS->LoadResourcesAr(LangID, paths);
    QApplication::restoreOverrideCursor();
    if (!loaded) {
        m_prompts.tell("Error loading files: \n" + DS->GetLastError(),
                       platform::PromptIcon::Critical);
        return;
    }
    ModalResult = 1;
    done(QDialog::Accepted);
}

void frmResMerge::btnCancel_Click() {
    ModalResult = 2;
    done(QDialog::Rejected);
}
