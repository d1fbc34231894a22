// What the dialogs of the Text Resource Editor share: their messages carry
// the program's own title, their widgets their member names, and they end in
// a row of OK and Cancel.
#pragma once

#include "platform/Prompts.h"

#include <QString>

class QDialog;
class QHBoxLayout;
class QObject;
class QPushButton;

namespace ResEditorDialogs {

void Tell(platform::PromptIcon icon, const QString& text, QObject* owner);

template <class Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The buttons btnOK (the default) and btnCancel, right-aligned in a row.
QHBoxLayout* OkCancelRow(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel);

} // namespace ResEditorDialogs
