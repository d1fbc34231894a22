#include "launcher/frmFiles.h"

#include "common/mdlCommonGlobals.h"
#include "launcher/VFSFileList.h"
#include "platform/widgets/DialogRunner.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace launcher {

frmFiles::frmFiles(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmFiles"));
    setWindowTitle(QStringLiteral("Loaded Files"));
    ActiveModEdit = new QLineEdit(this);
    ActiveModEdit->setReadOnly(true);
    View = new QTreeWidget(this);
    View->setRootIsDecorated(false);
    View->setUniformRowHeights(true);
    View->setHeaderLabels({QStringLiteral("VFS name"), QStringLiteral("Real name")});
    View->header()->setStretchLastSection(true);
    View->setColumnWidth(0, 2000 / 15);
    auto* mod = new QHBoxLayout;
    mod->addWidget(new QLabel(QStringLiteral("Active mod file:")));
    mod->addWidget(ActiveModEdit, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(mod);
    layout->addWidget(View);
    resize(640, 420);
}

void frmFiles::ShowFiles(bool modal, QWidget* owner) {
    const QList<VFSFileRow> rows = ListFiles();
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const VFSFileRow& row : rows)
        items.append(new QTreeWidgetItem(QStringList{row.vfsName, row.realName}));
    View->addTopLevelItems(items);
    const QString mod = mdlCommon::Settings().ActiveModName();
    ActiveModEdit->setText(mod.isEmpty() ? QStringLiteral("(none)") : mod);
    if (owner && owner != parentWidget())
        setParent(owner, windowFlags());
    if (modal)
        platform::RunModal(*this);
    else
        show();
}

} // namespace launcher
