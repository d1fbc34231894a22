// The modal dialog that loads several language files of one language from
// a folder on disk into a new server, later files completing earlier ones,
// for the editor to build a merged document from.
#pragma once

#include "platform/Prompts.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolBar;
class clsDescServer;

class frmResMerge : public QDialog {
    Q_OBJECT

public:
    explicit frmResMerge(QWidget* parent = nullptr);
    ~frmResMerge() override;

    // 1 after a successful load, 2 after Cancel, 0 before either.
    int32_t ModalResult = 0;
    // The server the last OK filled; the caller takes it.
    std::unique_ptr<clsDescServer> DS;
    int32_t LangID = 0;

    // Places the dialog on the folder of the last opened language file, or
    // the game's "t" folder, with the configured language; false, and
    // nothing to show, when that folder cannot be read.
    bool MyShow();
    // Shows the folder and lists its files; false when it cannot be read.
    bool SetFolder(const QString& folder);
    QString Folder() const { return m_folder; }

    QLineEdit* LangIDEdit = nullptr;
    QComboBox* DriveSelector = nullptr;
    QLabel* lblFolder = nullptr;
    QListWidget* DirList = nullptr;
    QToolBar* DirBar = nullptr;
    QListWidget* FileList = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOK_Click();
    void btnCancel_Click();
    void UpOneLevel();
    void FillFileList();

private:
    const platform::WindowPrompts m_prompts{platform::kProgramTitle, this};
    void DriveSelector_Click();
    void FillDrives();

    QString m_folder;
    QString m_lastDrive;
};
