// The Text Resource Editor: the pages of one language document on the left,
// the texts of the selected page on the right, the selected text below
// them. It shows a file, a new or merged document, or the read-only pages
// in memory of the program's server, and changes them only through its
// document.
#pragma once

#include "platform/Prompts.h"
#include "resources/ResEditorDocument.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QToolBar;
class QToolButton;
class QTreeView;
class ResPageListModel;
class ResTextListModel;
class ZorvFileDialog;
class clsPage;
class clsString;
class frmFind;

class frmResEditor : public QMainWindow {
    Q_OBJECT

public:
    explicit frmResEditor(QWidget* parent = nullptr);
    ~frmResEditor() override;

    // Shows the window with the pages in memory, over the owner when one
    // is given.
    void MyShow(bool modal = false, QWidget* owner = nullptr);
    // Opens a language file; with "" it asks for one.
    void OpenFile(const QString& file = QString());

    std::shared_ptr<clsPage> SelectedPage() const { return m_selectedPage; }
    void SetSelectedPage(std::shared_ptr<clsPage> page);
    std::shared_ptr<clsString> SelectedString() const { return m_selectedString; }
    void SetSelectedString(std::shared_ptr<clsString> text);

    ResEditorDocument& Document() { return m_document; }

    // Toolbar commands.
    void NewDocument();
    void ShowPagesInMemory();
    bool Save();
    void Merge();
    void Reload();

    // Page and text commands.
    void mnuPageNew_Click();
    void mnuPageEdit_Click();
    void mnuPageDel_Click();
    void mnuStrNew_Click();
    void mnuStrEdit_Click();
    void mnuStrDel_Click();

    // Opens the find window on the page list or the text list.
    void ShowFind(bool pageList);
    void m_find_OnFindNext(bool MatchWholeWords, bool UseID, QString& data, QVariant& Tag,
                           bool& bRes);

    QToolBar* MainToolbar = nullptr;
    QAction* actNew = nullptr;
    QToolButton* btnOpen = nullptr;
    QAction* actOpen2 = nullptr;
    QAction* actMem = nullptr;
    QAction* actSave = nullptr;
    QAction* actMerge = nullptr;
    QAction* actReload = nullptr;
    QCheckBox* chkRawtext = nullptr;
    QSplitter* Splitter = nullptr;
    QTreeView* PageView = nullptr;
    QLabel* lblName = nullptr;
    QLabel* lblDesc = nullptr;
    QTreeView* TextView = nullptr;
    QPlainTextEdit* TextEdit = nullptr;
    QLabel* BarPages = nullptr;
    QLabel* BarLines = nullptr;
    QMenu* mnuPage = nullptr;
    QAction* mnuPageNew = nullptr;
    QAction* mnuPageEdit = nullptr;
    QAction* mnuPageDel = nullptr;
    QMenu* mnuStr = nullptr;
    QAction* mnuStrNew = nullptr;
    QAction* mnuStrEdit = nullptr;
    QAction* mnuStrDel = nullptr;
    ZorvFileDialog* Dialog = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolbar();
    void BuildLists();
    void BuildMenus();
    void UpdateCaption();
    void ShowPageCount();
    // The save prompt; true when the pending action may go on.
    bool ConfirmDiscard(bool closing);
    bool Refuse(const QString& text);
    void FillTextList(bool keep);
    void TakeSelectedPage();
    void SelectPageRow(int row);
    void SelectTextRow(int row);
    void ShowDuplicateReport(const clsPage& page);
    void ListFocused(bool pageList);
    void OpenPopup(QMenu* menu, const QPoint& at);

    const platform::WindowPrompts m_prompts;
    ResEditorDocument m_document;
    ResPageListModel* m_pageModel = nullptr;
    ResTextListModel* m_textModel = nullptr;
    std::shared_ptr<clsPage> m_selectedPage;
    std::shared_ptr<clsString> m_selectedString;
    bool m_PageListActive = true;
    QPointer<frmFind> m_find;
};
