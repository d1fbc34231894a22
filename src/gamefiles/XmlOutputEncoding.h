// How the program spells what it writes anew into an XML document, and the
// last step of saving: the UTF-8 text becomes the file's bytes in the
// document's own encoding.
//
// A text or attribute value is escaped so that it reads back exactly as it
// was set: markup characters, a carriage return (which would otherwise read
// as part of a line end), the control characters and, where the encoding
// cannot hold a character, that character become references. A name takes
// no reference, so a name the encoding cannot hold refuses the save.
#pragma once

#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

#include <string>
#include <string_view>

struct XmlOutputFormat {
    pugi::xml_encoding encoding = pugi::encoding_utf8;
    // Set for an 8-bit encoding the library cannot convert: only ASCII is
    // written as it is.
    QString asciiOnlyEncoding;
    // The line end of what is written anew.
    bool crlf = false;
};

// The line end of what is written anew.
std::string_view XmlLineEnd(const XmlOutputFormat& format);
void AppendXmlText(std::string& out, std::string_view utf8, const XmlOutputFormat& format);
// Written between double quotes.
void AppendXmlAttributeValue(std::string& out, std::string_view utf8,
                             const XmlOutputFormat& format);
// A name, or the content of a comment, CDATA section or processing
// instruction, written as it is; false, with the reason in error, when the
// encoding cannot hold one of its characters.
bool AppendXmlRaw(std::string& out, std::string_view utf8, const XmlOutputFormat& format,
                  QString& error);

// Turns the UTF-8 text, which holds only characters the encoding can hold,
// into the file's bytes in place.
void EncodeXmlOutput(QByteArray& text, const XmlOutputFormat& format);
