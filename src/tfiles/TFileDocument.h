// The open T-file of the DIV Avuruz and every edit made to it. Windows and
// panels change lines only through here: each edit is one call returning
// success and an error text, and a signal follows every change, so the
// object list, the raw value page and the panels cannot drift apart.
#pragma once

#include "tfiles/clsTxtParser.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <memory>

class TFileDocument : public QObject {
    Q_OBJECT

public:
    using Record = std::shared_ptr<clsTXTObject>;

    enum class OpenResult { Loaded, NotOpened, NotLoaded };
    enum class SaveResult { Saved, NotOpened, NotWritten };

    explicit TFileDocument(QObject* parent = nullptr);
    ~TFileDocument() override;

    // The loaded file; an empty parser before the first successful open.
    clsTxtParser& Parser() const { return *m_parser; }
    std::shared_ptr<clsTxtParser> SharedParser() const { return m_parser; }
    // "" while no file is open.
    QString FileName() const { return m_parser->FileName; }
    bool IsOpen() const { return !FileName().isEmpty(); }
    bool IsDirty() const;

    // Opens the path (on disk or "catalog::entry") with the file driver and
    // loads it. On failure nothing changes: the file open before stays open
    // with its edits; error holds the driver's or the parser's reason.
    OpenResult Open(const QString& path, QString& error);
    // Writes the file through the file driver; typeCode 1 plain, 2 packed,
    // 0 by the name. The file name becomes the path once written.
    SaveResult Save(const QString& path, int32_t typeCode, QString& error);

    // Stores a number, or a text given as QString; refused for a value the
    // line does not have or a text that would break the line.
    bool SetValue(const Record& record, int32_t index, const QVariant& value, QString& error);
    // Refuses an empty name and one holding ";" or a line break.
    bool SetObjectName(const Record& record, const QString& name, QString& error);
    // A new line of valueCount values (the last one the ID string) before
    // `before`, or at the end; nothing, and no line left behind, on failure.
    Record CreateObject(const Record& before, int32_t valueCount, QString& error);
    // Copies every value of the source (which may belong to another file)
    // into the record.
    bool CopyValues(const clsTXTObject& source, const Record& record, QString& error);
    bool RemoveObject(const Record& record, QString& error);
    // A change that a model laid over the line (a ship's turrets and guns)
    // makes in several steps of its own; true when it was made. An error it
    // raises becomes the error text.
    bool EditLine(const Record& record, const std::function<bool(QString& error)>& edit,
                  QString& error);
    // Takes back a line made by CreateObject whose insert did not complete.
    void DiscardObject(const Record& record);

    // What the editing panel of the file adds to an insert: it makes the line
    // sized for the kind (through CreateObject), and it reads a pasted line's
    // values into records of its own.
    struct LineMaker {
        std::function<Record(const Record& before)> create;
        std::function<void(const Record& record)> adopt;
    };
    // A new line of the kind before `before`, or at the end: with the values
    // of source when one is given, and named by NewObjectName unless
    // keepName. All or nothing: on failure no line is left behind.
    Record InsertObject(const Record& before, const Record& source, int32_t kind, bool keepName,
                        const LineMaker& maker, QString& error);
    // "NEW_OBJECT_" and one more than the greatest number in use.
    QString NewObjectName() const;
    // Stamps the kind number on every line.
    void SetKind(int32_t kind);

signals:
    // A new file was loaded (its lines replaced the old ones) or saved.
    void Loaded();
    void Saved();
    void ObjectChanged(const TFileDocument::Record& record);
    // Emitted after the line left the file.
    void ObjectRemoved(const TFileDocument::Record& record);

private:
    bool NameInUse(const QString& name) const;

    std::shared_ptr<clsTxtParser> m_parser;
};
