// One page of a language file: its id, title and description, its texts in
// the order they were added, and a log of the repeated text ids met while it
// was filled.
#pragma once

#include "platform/KeyedCollection.h"
#include "resources/clsString.h"

#include <QString>

#include <cstdint>
#include <memory>

class clsPage {
public:
    // Serial number the editor gives its page objects; never stored.
    int32_t ID = 0;
    int32_t PageID = 0;
    QString Name;
    QString desc;
    bool NotLoaded = false;
    bool Dirty = false;
    // Warning lines, one per line.
    QString m_strError;
    bool DuplicitIDs = false;
    platform::KeyedCollection<clsString> Strings;

    // "<page id>k".
    static QString MakeKey(int32_t pageId);
    QString Key() const { return MakeKey(PageID); }
    platform::CollectionKey ItemKey() const { return platform::CollectionKey(PageID); }
    // Puts a text of a later copy of this page in place: a later "-" keeps
    // the earlier text. Always false.
    bool OverwriteString(std::shared_ptr<clsString> str);
    // Adds a text while the page is read; a repeated id copies the later
    // text onto the first one and logs a warning.
    void AddString(std::shared_ptr<clsString> str);
    void ClearStrings() { Strings = platform::KeyedCollection<clsString>(); }
    // Completes this page from a later copy of it, taking over its texts.
    void CompleteFrom(const clsPage& later);
    std::shared_ptr<clsString> FindString(int32_t id) const;
    bool StringText(int32_t id, QString& text) const;
    // PageID, Name, desc, Dirty and DuplicitIDs.
    void CopyTo(clsPage& target) const;
    std::shared_ptr<clsPage> Clone() const;
    bool RemoveString(const clsString& str) { return Strings.remove(str.ItemKey()); }
    QString GetLastError() const { return m_strError; }

private:
    void AppendLog(const QString& line, bool clear);
};
