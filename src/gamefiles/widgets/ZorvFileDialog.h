// The one file dialog of the editors: asks for a file to open or a name to
// save under, on disk (through the prompt layer's file chooser) or inside a
// catalog (through frmCATDialog), and gives the choice as one path: a disk
// path, or "catalog path::inner path". Choosing a .cat file in the chooser
// continues in the catalog; leaving the catalog goes back to the chooser in
// the catalog's folder.
#pragma once

#include <QObject>
#include <QString>

#include <cstdint>

class QWidget;

class ZorvFileDialog : public QObject {
    Q_OBJECT

public:
    explicit ZorvFileDialog(QWidget* owner = nullptr);

    // Description and pattern pairs: "Text files (*.txt)|*.txt;*.pck|All Files (*.*)|*.*".
    QString filter;
    // The 1-based pair to preselect; after a choice, the pair chosen.
    int16_t FilterIndex = 0;
    // Where the chooser starts; set to the catalog's folder when the user
    // leaves a catalog.
    QString InitDir;
    // In: the proposed name; out: the chosen path.
    QString FileName;
    // The caption; "Open" or "Save" is filled in when empty.
    QString DialogTitle;
    // True when a file was chosen; false after cancel or a failure.
    bool ModalResult = false;

    // Each returns ModalResult.
    bool ShowOpen();
    bool ShowSave();

    // A path inside a catalog ("::") or of a catalog file (".cat", any case).
    static bool IsCatalogPath(const QString& path);
    // The pair whose patterns hold FileName's extension (letter case counts);
    // FilterIndex when FileName is empty, 0 when no pair has it.
    int FilterIndexForExtension(const QString& filterText) const;

private:
    bool Show(bool save);
    bool ShowCatalog(bool save, bool& leftCatalog);
    bool ShowChooser(bool save);
    QWidget* Owner() const;
};
