#include "resources/clsPage.h"

#include "resources/CollectionKey.h"

namespace {

// A later copy's "-" leaves what an earlier file gave.
bool KeepsEarlier(const QString& later) {
    return later == u"-";
}

bool Replaces(const QString& later) {
    return !later.trimmed().isEmpty() && !KeepsEarlier(later);
}

} // namespace

QString clsPage::MakeKey(int32_t pageId) {
    return CollectionKey(pageId).Owned();
}

bool clsPage::OverwriteString(std::shared_ptr<clsString> str) {
    if (const auto earlier = FindString(str->ID)) {
        if (KeepsEarlier(str->RawText))
            return false;
        Strings.remove(earlier->ItemKey());
    }
    const CollectionKey key = str->ItemKey();
    Strings.add(std::move(str), key);
    return false;
}

void clsPage::AddString(std::shared_ptr<clsString> str) {
    const CollectionKey key = str->ItemKey();
    if (Strings.add(str, key))
        return;
    str->CopyTo(*Strings.find(key));
    DuplicitIDs = true;
    AppendLog("Warning: duplicit string ID=" + QString::number(str->ID) + " found in page " +
                  QString::number(PageID),
              false);
}

void clsPage::CompleteFrom(const clsPage& later) {
    if (Replaces(later.Name))
        Name = later.Name;
    if (Replaces(later.desc))
        desc = later.desc;
    // The same outcome as overwriting text by text: the earlier texts that
    // stay keep their places, the later ones follow in their own order.
    // Without a text to replace that is appending the new ones; otherwise the
    // collection is built again in one pass.
    bool replaces = false;
    for (const auto& text : later.Strings)
        replaces = replaces || (!KeepsEarlier(text->RawText) && FindString(text->ID));
    if (!replaces) {
        // A text already here can only be a later "-", which keeps it.
        Strings.reserve(Strings.count() + later.Strings.count());
        for (const auto& text : later.Strings)
            Strings.add(text, text->ItemKey());
        return;
    }
    platform::KeyedCollection<clsString> merged;
    merged.reserve(Strings.count() + later.Strings.count());
    for (const auto& earlier : Strings) {
        const auto replacement = later.FindString(earlier->ID);
        if (!replacement || KeepsEarlier(replacement->RawText))
            merged.add(earlier, earlier->ItemKey());
    }
    for (const auto& text : later.Strings)
        if (!(FindString(text->ID) && KeepsEarlier(text->RawText)))
            merged.add(text, text->ItemKey());
    Strings = std::move(merged);
}

std::shared_ptr<clsString> clsPage::FindString(int32_t id) const {
    return Strings.find(CollectionKey(PageID, id));
}

bool clsPage::StringText(int32_t id, QString& text) const {
    const auto found = FindString(id);
    if (!found)
        return false;
    text = found->Text();
    return true;
}

void clsPage::CopyTo(clsPage& target) const {
    target.PageID = PageID;
    target.Name = Name;
    target.desc = desc;
    target.Dirty = Dirty;
    target.DuplicitIDs = DuplicitIDs;
}

std::shared_ptr<clsPage> clsPage::Clone() const {
    auto copy = std::make_shared<clsPage>();
    CopyTo(*copy);
    return copy;
}

void clsPage::AppendLog(const QString& line, bool clear) {
    if (clear)
        m_strError.clear();
    if (!m_strError.isEmpty())
        m_strError += u'\n';
    m_strError += line;
}
