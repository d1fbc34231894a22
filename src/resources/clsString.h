// One text of a language file: its id, its page, the text as stored and,
// for a reference list, the text with its references resolved.
#pragma once

#include "platform/CollectionKey.h"

#include <QString>

#include <cstdint>
#include <memory>

class clsString {
public:
    int32_t ID = 0;
    int32_t PageID = 0;
    QString RawText;
    bool Dirty = false;

    // "<page id>-<id>k".
    static QString MakeKey(int32_t pageId, int32_t id);
    QString Key() const { return MakeKey(PageID, ID); }
    // The same key as the collections hold it, made without allocating.
    platform::CollectionKey ItemKey() const { return platform::CollectionKey(PageID, ID); }
    // The resolved text when there is one, else the raw text.
    QString Text() const { return m_translated.isEmpty() ? RawText : m_translated; }
    bool Translated() const { return !m_translated.isEmpty(); }
    // Sets the resolved text only; RawText stays as it is.
    void SetText(const QString& text) { m_translated = text; }
    std::shared_ptr<clsString> Clone() const;
    // Always false.
    bool CopyTo(clsString& target) const;

private:
    QString m_translated;
};
