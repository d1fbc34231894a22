#include "resources/clsString.h"

#include "resources/CollectionKey.h"

clsString::clsString(const clsString& other)
    : ID(other.ID), PageID(other.PageID), Dirty(other.Dirty), m_raw(other.RawText()),
      m_translated(other.m_translated) {}

clsString& clsString::operator=(const clsString& other) {
    if (this != &other) {
        ID = other.ID;
        PageID = other.PageID;
        Dirty = other.Dirty;
        SetRawText(other.RawText());
        m_translated = other.m_translated;
    }
    return *this;
}

QString clsString::MakeKey(int32_t pageId, int32_t id) {
    return CollectionKey(pageId, id).Owned();
}

const QString& clsString::RawText() const {
    if (!m_utf8.empty()) {
        m_raw = QString::fromUtf8(m_utf8.data(), static_cast<qsizetype>(m_utf8.size()));
        m_utf8 = {};
    }
    return m_raw;
}

void clsString::SetRawText(const QString& text) {
    m_raw = text;
    m_utf8 = {};
}

std::shared_ptr<clsString> clsString::Clone() const {
    auto copy = std::make_shared<clsString>();
    CopyTo(*copy);
    return copy;
}

bool clsString::CopyTo(clsString& target) const {
    target.ID = ID;
    target.SetRawText(RawText());
    target.PageID = PageID;
    target.Dirty = Dirty;
    target.m_translated = Translated() ? m_translated : QString();
    return false;
}
