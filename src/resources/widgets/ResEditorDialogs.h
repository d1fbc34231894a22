// What the dialogs of the Text Resource Editor share: their widgets carry
// their member names, and they end in a row of OK and Cancel.
#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace ResEditorDialogs {

template <class Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The buttons btnOK (the default) and btnCancel, right-aligned in a row.
QHBoxLayout* OkCancelRow(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel);

} // namespace ResEditorDialogs
