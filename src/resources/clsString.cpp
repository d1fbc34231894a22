#include "resources/clsString.h"

#include "resources/CollectionKey.h"

QString clsString::MakeKey(int32_t pageId, int32_t id) {
    return CollectionKey(pageId, id).Owned();
}

std::shared_ptr<clsString> clsString::Clone() const {
    auto copy = std::make_shared<clsString>();
    CopyTo(*copy);
    return copy;
}

bool clsString::CopyTo(clsString& target) const {
    target.ID = ID;
    target.RawText = RawText;
    target.PageID = PageID;
    target.Dirty = Dirty;
    target.m_translated = Translated() ? m_translated : QString();
    return false;
}
