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
        if (KeepsEarlier(str->RawText()))
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
    // Text by text as OverwriteString does, with one look-up each: a text
    // that replaces an earlier one leaves its place and joins at the end.
    Strings.reserve(Strings.count() + later.Strings.count());
    for (const auto& text : later.Strings) {
        const CollectionKey key = text->ItemKey();
        if (Strings.add(text, key) || KeepsEarlier(text->RawText()))
            continue;
        Strings.remove(key);
        Strings.add(text, key);
    }
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
