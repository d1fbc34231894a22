// The modal dialog that picks a file inside one catalog, or a name to save
// under inside it, one folder level at a time. Used by ZorvFileDialog: fill
// the public fields, call ShowOpen or ShowSave with the catalog's path, read
// ModalResult and, when it is 0, FileName and FilterIndex.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <cstdint>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QToolBar;

class frmCATDialog : public QDialog {
    Q_OBJECT

public:
    // The result values.
    static constexpr int32_t kChosen = 0;
    static constexpr int32_t kLeaveCatalog = 1;
    static constexpr int32_t kCancelled = -1;
    static constexpr int32_t kWindowClosed = 2;
    // Raised by ShowOpen/ShowSave when an opened catalog cannot be searched.
    static constexpr int32_t kListError = static_cast<int32_t>(0x80040065);

    explicit frmCATDialog(QWidget* parent = nullptr);
    ~frmCATDialog() override;

    QString InitDir; // accepted and not used
    QString filter;
    int32_t FilterIndex = 0;
    // In: the proposed inner path ("\" between folders); out: "catalog::inner".
    QString FileName;
    QString DialogTitle;

    // Show the dialog modally (through RunModal) and return when it closes.
    // Throw platform::ZorvError (kListError) when the catalog opens but
    // cannot be listed.
    void ShowOpen(const QString& catalogPath);
    void ShowSave(const QString& catalogPath);
    // 0 a file was chosen, 1 leave the catalog, any other value cancelled.
    int32_t ModalResult() const { return m_result; }

public slots:
    void reject() override;

private:
    void Show(const QString& catalogPath, bool save);
    void PushDir(const QString& level);
    QString PopDir();
    void SetDirPath(const QString& path);
    QString CurrentPattern() const;
    QString DirPath(bool noPattern) const;
    void FillDirCombo();
    void FillFileList();
    static bool IsDirectoryItem(const QListWidgetItem* item);
    void ParseFilter();
    void CloseCatalog(int32_t result);
    void CloseHandles();

    void FileView_ItemClick(QListWidgetItem* item);
    void FileView_DblClick(QListWidgetItem* item);
    void cmbDir_Click(int index);
    void btnOK_Click();

    // What a search for one exact inner path finds.
    enum class Found { Nothing, Folder, File };
    Found FindEntry(const QString& inner, QString& spelling) const;

    QLabel* lblCaption;
    QComboBox* cmbDir;
    QToolBar* DirBar;
    QToolBar* CloseBar;
    QListWidget* FileView;
    QLabel* Label1;
    QComboBox* cmbFileName;
    QLabel* lblFilter;
    QComboBox* cmbFilter;
    QPushButton* btnOK;
    QPushButton* btnCancel;

    int32_t m_catalog = 0;
    int32_t m_findContext = 0;
    QStringList m_levels;
    QString m_catalogPath;
    QString m_catalogName;
    QStringList m_patterns;
    int32_t m_result = kWindowClosed;
    bool m_saveMode = false;
    bool m_fillingDirCombo = false;
};
