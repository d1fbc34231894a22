#include "resources/widgets/ResEditorDialogs.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace ResEditorDialogs {

QHBoxLayout* OkCancelRow(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel) {
    ok = Named(new QPushButton(QStringLiteral("OK"), dialog), "btnOK");
    ok->setDefault(true);
    cancel = Named(new QPushButton(QStringLiteral("Cancel"), dialog), "btnCancel");
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace ResEditorDialogs
