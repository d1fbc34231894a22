// The program's configuration in the registry. Nothing is cached: every
// property reads its value when it is used, with a default when it is
// missing, and every change is written at once. Besides the plain settings
// it reads the install keys of the game and the mod manager, keeps the two
// recent-file lists, the launcher's rectangle and captions, records the
// program's install information and owns the private temporary folder.
//
// The members that take a window or a list live in zorv_shell_widgets
// (shell/widgets/clsSettingsWidgets.cpp).
#pragma once

#include "platform/Registry.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>

class QListWidget;
class QListWidgetItem;
class QWidget;

class clsSettings {
public:
    // Most entries a recent-file list keeps.
    static constexpr int MaxRecentFiles = 5;

    clsSettings() = default;
    // Removes the temporary folder.
    ~clsSettings();
    clsSettings(const clsSettings&) = delete;
    clsSettings& operator=(const clsSettings&) = delete;

    // The private temporary folder; empty until InitEnviroment made it.
    QString TempRoot;

    bool AutoArrangeIcons() const;
    void SetAutoArrangeIcons(bool value) const;
    QString ZorvMMFullPath() const;
    QString ActiveModFullName() const;
    QString ActiveModName() const;
    // The folder of the help pages beside the program.
    QString HelpPath() const;
    bool LoadDescriptions() const;
    void SetLoadDescriptions(bool value) const;
    int32_t DescLangID() const;
    void SetDescLangID(int32_t value) const;
    QString CustomProgram() const;
    void SetCustomProgram(const QString& value) const;
    QString LastOpenedXMLFile() const;
    void SetLastOpenedXMLFile(const QString& value) const;
    // When "DataPath" is empty, the game's install path is copied into it.
    QString ZorvPath() const;
    void SetZorvPath(const QString& value) const;
    bool UseDoubleBuffer() const;
    void SetUseDoubleBuffer(bool value) const;
    bool UseDirectDraw() const;
    void SetUseDirectDraw(bool value) const;
    void SetZorvEXEPath(const QString& value) const;
    QString ZorvEXEPath() const;
    QString TraceFilePath() const;
    QString Ext3DViewerPath() const;
    void SetExt3DViewerPath(const QString& value) const;
    QString Ext3DViewerCmdLine() const;
    void SetExt3DViewerCmdLine(const QString& value) const;

    void Trace(const QString& message, bool openAndClose = true);
    void OpenTraceFile();
    void CloseTraceFile();

    // "software\Zorv DIV Avuruz" in the machine hive, its subkey "GE" and
    // the key itself in the per-user hive, created when missing; an invalid
    // key when it cannot be created.
    platform::RegKey OpenRootHandleMachine() const;
    platform::RegKey OpenRootHandleUserGE() const;
    platform::RegKey OpenRootHandleUser() const;

    // -1 when the number cannot be read; "" when the text is missing.
    int32_t RegGetLongValue(const platform::RegKey& key, const QString& name) const;
    QString RegGetStringValue(const platform::RegKey& key, const QString& name) const;

    void ClearTraceFile();

    // A value under the per-user key; defaultValue (or an empty variant)
    // when it is missing or of the other type.
    QVariant ReadRegValue(const QString& name, int32_t type,
                          const QVariant& defaultValue = {}) const;
    // A text is stored as text, a whole number as a number; an empty text
    // deletes the value when deleteIfEmpty is set.
    bool SaveRegValue(const QString& name, const QVariant& value, bool deleteIfEmpty = false) const;

    // Records the install information and makes the temporary folder.
    bool InitEnviroment();
    // The command line that opens a web page ("%1" stands for the address).
    QString GetBrowser() const;
    // Removes the temporary folder this object made, with all it holds.
    void DeleteTemp();

    void SaveRecentTFiles(const QStringList& list) const;
    QStringList LoadRecentTFiles() const;
    void SaveRecentGalaxyMaps(const QStringList& list) const;
    QStringList LoadRecentGalaxyMaps() const;

    void SaveWindowPos(const QWidget* window, const QString& keyName) const;
    bool LoadWindowPos(QWidget* window, const QString& keyName, int defaultWidth,
                       int defaultHeight) const;
    void SaveIcons(const QListWidget* view) const;
    void LoadIcons(QListWidget* view) const;

private:
    QString DefaultZorvEXEPath() const;
    void SaveMRUList(const QStringList& list, const QString& listName) const;
    QStringList LoadMRUList(const QString& listName) const;
    platform::RegKey OpenUserSubKey(const QString& subKeyName, bool create) const;
    void SaveIconItem(const platform::RegKey& iconsKey, const QListWidgetItem* item) const;

    bool ReadFlag(const QString& name) const;
    void SaveFlag(const QString& name, bool value) const;
    QString ReadText(const QString& name, const QString& defaultValue = {}) const;

    QString m_ownTemp; // the folder InitEnviroment made, the only one DeleteTemp removes
    QFile m_trace;
    int m_traceOpens = 0;
};
