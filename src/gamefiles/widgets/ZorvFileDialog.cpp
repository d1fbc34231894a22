#include "gamefiles/widgets/ZorvFileDialog.h"

#include "gamefiles/widgets/frmCATDialog.h"
#include "platform/PathParts.h"
#include "platform/Prompts.h"
#include "platform/ZorvError.h"

#include <QGuiApplication>
#include <QWidget>

namespace {

const QString kCatalogSeparator = QStringLiteral("::");

bool isCatalogFile(const QString& path) {
    return platform::GetFileExt(path).compare(u"cat", Qt::CaseInsensitive) == 0;
}

} // namespace

ZorvFileDialog::ZorvFileDialog(QWidget* owner) : QObject(owner) {}

bool ZorvFileDialog::ShowOpen() {
    return Show(false);
}

bool ZorvFileDialog::ShowSave() {
    return Show(true);
}

bool ZorvFileDialog::IsCatalogPath(const QString& path) {
    return path.contains(kCatalogSeparator) || isCatalogFile(path);
}

int ZorvFileDialog::FilterIndexForExtension(const QString& filterText) const {
    if (FileName.isEmpty())
        return FilterIndex;
    const QString extension = platform::GetFileExt(FileName);
    const QStringList parts = filterText.split(u'|');
    for (qsizetype i = 1; i < parts.size(); i += 2)
        for (const QString& pattern : parts[i].split(u';'))
            if (platform::GetFileExt(pattern.trimmed()) == extension)
                return static_cast<int>((i + 1) / 2);
    return 0;
}

bool ZorvFileDialog::Show(bool save) {
    ModalResult = false;
    if (DialogTitle.isEmpty())
        DialogTitle = save ? tr("Save") : tr("Open");
    try {
        for (;;) {
            if (IsCatalogPath(FileName)) {
                bool leftCatalog = false;
                ModalResult = ShowCatalog(save, leftCatalog);
                if (ModalResult || !leftCatalog)
                    return ModalResult;
                continue;
            }
            if (!ShowChooser(save))
                return false;
            if (!isCatalogFile(FileName))
                return ModalResult = true;
        }
    } catch (const platform::ZorvError& error) {
        if (error.number() != platform::kCancelError)
            platform::prompts().ask({QGuiApplication::applicationDisplayName(), error.description(),
                                     platform::PromptIcon::Critical, platform::PromptButtons::OK, 0,
                                     Owner()});
    }
    ModalResult = false;
    return false;
}

bool ZorvFileDialog::ShowCatalog(bool save, bool& leftCatalog) {
    // The catalog's path, and the path inside it (empty for a bare catalog).
    const QString catalog = FileName.section(kCatalogSeparator, 0, 0);
    frmCATDialog dialog(Owner());
    dialog.InitDir = InitDir;
    dialog.FileName = FileName.section(kCatalogSeparator, 1);
    dialog.filter = save ? filter : QStringLiteral("All Files (*.*)|*.*");
    dialog.FilterIndex = save ? FilterIndexForExtension(filter) : FilterIndex;
    dialog.DialogTitle = DialogTitle;
    if (save)
        dialog.ShowSave(catalog);
    else
        dialog.ShowOpen(catalog);
    switch (dialog.ModalResult()) {
    case frmCATDialog::kChosen:
        FileName = dialog.FileName;
        FilterIndex = static_cast<int16_t>(dialog.FilterIndex);
        return true;
    case frmCATDialog::kLeaveCatalog:
        InitDir = platform::GetFileDir(catalog);
        FileName.clear();
        leftCatalog = true;
        return false;
    default:
        return false;
    }
}

bool ZorvFileDialog::ShowChooser(bool save) {
    platform::FileChoice choice;
    choice.save = save;
    choice.title = DialogTitle;
    choice.filter = filter;
    choice.initDir = InitDir;
    choice.fileName = FileName;
    choice.filterIndex = save ? FilterIndexForExtension(filter) : FilterIndex;
    choice.owner = Owner();
    if (!platform::prompts().chooseFile(choice))
        return false;
    FileName = choice.fileName;
    FilterIndex = static_cast<int16_t>(choice.filterIndex);
    return true;
}

QWidget* ZorvFileDialog::Owner() const {
    return qobject_cast<QWidget*>(parent());
}
