// The DIV Avuruz: edits one T-file at a time. It lists the objects by name,
// race or ID, shows the raw values of the selected one and hands it to the
// editing panel that claimed the file; objects are added, copied, cut,
// pasted, deleted and found here, and the file is opened and saved plain,
// packed or inside a catalog.
#pragma once

#include "platform/Prompts.h"
#include "tfiles/TFileDocument.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

class EditingPanel;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QRadioButton;
class RecentFilesMenu;
class QSplitter;
class QTabWidget;
class QToolButton;
class QTreeView;
class QTreeWidget;
class TFileObjectModel;
class ZorvFileDialog;
class frmFind;

class frmTXTEditor : public QMainWindow {
    Q_OBJECT

public:
    // Shows the Text Resource Editor, owned by the given window; set by the
    // program, whose launcher knows that editor.
    using TextEditorOpener = std::function<void(QWidget* owner)>;
    static void SetTextEditorOpener(TextEditorOpener opener);

    explicit frmTXTEditor(QWidget* parent = nullptr);
    ~frmTXTEditor() override;

    void MyShow(bool modal = false, QWidget* owner = nullptr);
    // Opens a T-file; with "" the person chooses one, and the path chosen is
    // written back.
    void OpenFile(QString& path);
    bool SaveFile();

    TFileDocument& Document() { return m_document; }
    EditingPanel* CurrentPanel() const { return m_panel; }
    int32_t TypeId() const { return m_typeId; }
    TFileDocument::Record SelectedObject() const { return m_selected; }
    QStringList RecentFiles() const;

    // The commands, as the menus and keys run them. Records are taken by value
    // here and below: the selection or clipboard they come from may change
    // while the command runs.
    void InsertObject(TFileDocument::Record source, int32_t mode);
    void CopyObject();
    void CutObject();
    void PasteObject();
    void DeleteObject();
    void EditRawData();
    void ShowFind();
    void FindNext(bool wholeWords, QString& text, QVariant& position, bool& found);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum ClipboardMode : int32_t { kNone = 0, kCopy = 1, kCut = 2 };

    void BuildControls();
    QWidget* BuildListSide();
    QWidget* BuildRawDataPage();
    void BuildToolbar();
    void BuildPopupMenu();

    void SelectFileType(const QString& path);
    void UpdateCaption();
    void EnableFileCommands(bool on);
    void UpdatePasteState();
    void SetClipboard(const TFileDocument::Record& record, int32_t mode);
    QString KindName() const;
    void StartGame();
    bool AskToSave(const QString& question);

    void FillObjectList();
    void FitObjectColumns(const clsTXTObject* record = nullptr);
    void FitObjectColumn(int column);
    void SetNameIndex(int32_t index);
    void SelectRow(int row);
    void SelectListItem();
    void SetSelectedObject(const TFileDocument::Record& record);
    void ShowSelectedObject(const TFileDocument::Record& record, bool withoutPanel);
    void FillRawData(const TFileDocument::Record& record);
    void FillWatchList();
    void UpdateObjectCount();
    bool RemoveTXTObject(TFileDocument::Record record);
    void ObjectChanged(TFileDocument::Record record);
    void ObjectRemoved(TFileDocument::Record record);

    const platform::WindowPrompts m_prompts;
    TFileDocument m_document;
    std::vector<EditingPanel*> m_panels;
    EditingPanel* m_panel = nullptr;
    int32_t m_typeId = 0;
    TFileDocument::Record m_selected;
    TFileDocument::Record m_clipboard;
    // Keeps the clipboard's file readable after another file was opened.
    std::shared_ptr<clsTxtParser> m_clipboardFile;
    int32_t m_clipboardMode = kNone;
    RecentFilesMenu* m_recent = nullptr;
    QPointer<frmFind> m_find;
    ZorvFileDialog* m_dialog = nullptr;
    TFileObjectModel* m_model = nullptr;

    QToolButton* m_openButton = nullptr;
    QAction* m_saveAction = nullptr;
    QRadioButton* m_rbName[3] = {};
    QCheckBox* m_chkSort = nullptr;
    QTreeView* m_objectView = nullptr;
    QSplitter* m_splitter = nullptr;
    QTabWidget* m_mainTab = nullptr;
    QWidget* m_panelPage = nullptr;
    QLabel* m_lblObjectName = nullptr;
    QTreeWidget* m_objectDataView = nullptr;
    QLineEdit* m_watchFrom = nullptr;
    QLineEdit* m_watchTo = nullptr;
    QListWidget* m_watchList = nullptr;
    QLabel* m_countPanel = nullptr;
    QLabel* m_indexPanel = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_addAction = nullptr;
    QAction* m_copyAction = nullptr;
    QAction* m_cutAction = nullptr;
    QAction* m_pasteAction = nullptr;
    QAction* m_deleteAction = nullptr;
};
