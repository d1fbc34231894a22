// What the Text Resource Editor shows, worked out without widgets: the
// caption, the save prompt, texts with their display escapes, and the
// search through a list.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace ResEditorPresentation {

// "Text Resource Editor [name (language)]", " *" when modified.
QString Caption(const QString& docName, int32_t langId, bool memoryMode, bool modified);
// The question before a document is dropped; closing puts an empty line
// between its two sentences.
QString SavePromptText(const QString& docName, bool closing);
// "(||)" and "\n" as line breaks, "\t" as a tab.
QString DisplayText(const QString& text);

// The search of the find window through the rows of a list, from the
// selected row (the first without one), one row on when the selected row
// is the one found last time; no wrap. textAt(row) gives a row's compared
// text; rows count from 0 and tag holds the row found last, -1 for none.
struct FindRequest {
    bool wholeWords = false;
    QString data;
    int selected = -1;
    int tag = -1;
};

bool RowMatches(const QString& text, const QString& data, bool wholeWords);

template <class TextAt>
std::optional<int> FindNextRow(int count, const FindRequest& request, TextAt textAt) {
    int start = request.selected < 0 ? 0 : request.selected;
    if (request.selected >= 0 && request.tag == request.selected)
        ++start;
    for (int row = start; row < count; ++row)
        if (RowMatches(textAt(row), request.data, request.wholeWords))
            return row;
    return std::nullopt;
}

} // namespace ResEditorPresentation
