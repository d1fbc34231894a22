#include "resources/widgets/ResEditorPresentation.h"

#include "common/mdlCommon.h"
#include "shell/mdlComFunctions.h"

namespace ResEditorPresentation {

QString Caption(const QString& docName, int32_t langId, bool memoryMode, bool modified) {
    QString caption = QStringLiteral("Text Resource Editor");
    if (!docName.isEmpty()) {
        QString language = mdlCommon::GetLanguageName(langId);
        if (language.isEmpty() && !memoryMode)
            language = "lang ID: " + QString::number(langId);
        caption += " [" + docName;
        if (!language.isEmpty())
            caption += " (" + language + ")";
        caption += "]";
    }
    if (modified)
        caption += QStringLiteral(" *");
    return caption;
}

QString SavePromptText(const QString& docName, bool closing) {
    return "You have changed data in file " + mdlComFunctions::GetFileTitle(docName) +
           (closing ? "\n\n" : "\n") + "Do you want to save your changes?";
}

QString DisplayText(const QString& text) {
    QString shown = mdlCommon::UnescapeText(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

bool RowMatches(const QString& text, const QString& data, bool wholeWords) {
    if (wholeWords)
        return text.compare(data, Qt::CaseInsensitive) == 0;
    return text.contains(data, Qt::CaseInsensitive);
}

} // namespace ResEditorPresentation
