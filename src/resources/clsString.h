// One text of a language file: its id, its page, the text as stored and,
// for a reference list, the text with its references resolved.
#pragma once

#include "platform/CollectionKey.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>

class clsString {
public:
    int32_t ID = 0;
    int32_t PageID = 0;
    bool Dirty = false;

    clsString() = default;
    // A text read from a file, held as its UTF-8 bytes (see SetRawUtf8).
    clsString(int32_t pageId, int32_t id, std::string_view utf8)
        : ID(id), PageID(pageId), m_utf8(utf8) {}
    // A copy holds its text itself, never the bytes of the original's file.
    clsString(const clsString& other);
    clsString& operator=(const clsString& other);

    // "<page id>-<id>k".
    static QString MakeKey(int32_t pageId, int32_t id);
    QString Key() const { return MakeKey(PageID, ID); }
    // The same key as the collections hold it, made without allocating.
    platform::CollectionKey ItemKey() const { return platform::CollectionKey(PageID, ID); }

    // The text as the file holds it.
    const QString& RawText() const;
    void SetRawText(const QString& text);
    // The text as these UTF-8 bytes, which must last as long as this text:
    // a load keeps a page's bytes beside its texts. Most texts of a language
    // are never shown, so each is converted only when first asked for.
    void SetRawUtf8(std::string_view bytes) {
        m_raw.clear();
        m_utf8 = bytes;
    }
    // Those bytes while the text is not converted yet; else empty, and
    // RawText holds it.
    std::string_view RawUtf8() const { return m_utf8; }

    // The resolved text when there is one, else the raw text.
    QString Text() const { return m_translated.isEmpty() ? RawText() : m_translated; }
    bool Translated() const { return !m_translated.isEmpty(); }
    // Sets the resolved text only; RawText stays as it is.
    void SetText(QString text) { m_translated = std::move(text); }
    std::shared_ptr<clsString> Clone() const;
    // Always false.
    bool CopyTo(clsString& target) const;

private:
    // The raw text once converted; until then m_utf8 holds it.
    mutable QString m_raw;
    mutable std::string_view m_utf8;
    QString m_translated;
};
