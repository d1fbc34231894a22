// The last step of saving an XML document: the text as the XML library
// prints it (UTF-8, LF line ends) becomes the file's bytes in the document's
// own encoding and line ends.
//
// A carriage return inside a text or an attribute value is written as a
// character reference, so it reads back as it was set instead of being taken
// for part of a line end. Where the encoding cannot hold a character, a text
// or attribute value gets a character reference; a name, comment, CDATA
// section, processing instruction or doctype cannot, so such a save is
// refused.
#pragma once

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

#include <string_view>

struct XmlOutputFormat {
    pugi::xml_encoding encoding = pugi::encoding_utf8;
    bool bom = false;
    bool crlf = false;
};

// Turns the printed text into the file's bytes in place; false, with the
// reason in error, when a character cannot be written.
bool EncodeXmlOutput(QByteArray& text, const XmlOutputFormat& format, QString& error);
