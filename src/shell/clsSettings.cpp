#include "shell/clsSettings.h"

#include "platform/ProgramPaths.h"
#include "shell/mdlComFunctions.h"

#include <QDateTime>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace mdlComFunctions;
using platform::Hive;
using platform::RegKey;

namespace {

const QString kRootKey = QStringLiteral("software\\Zorv DIV Avuruz");
const QString kGameKey = QStringLiteral("SOFTWARE\\Ormalis Software\\Zorv");
const QString kModKey = QStringLiteral("SOFTWARE\\Brannox\\Zorv");
const QString kModManagerKey = QStringLiteral("SOFTWARE\\Zorv ModManager");

// Removes a temporary folder of ours: only a real folder (not a link put in
// its place) owned by this user, and links inside it are removed, not followed.
void removeTempFolder(const std::string& folder) {
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

std::string encodedPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Temporary folders still on disk; removed when the process exits, also
// when start-up fails and no settings object is released. Never destroyed:
// the global settings object is made before it and released after the exit
// handler, and its release still takes its folder off the list.
std::set<std::string>& liveTempFolders() {
    static auto* folders = new std::set<std::string>;
    return *folders;
}

void removeLiveTempFolders() {
    for (const std::string& folder : liveTempFolders())
        removeTempFolder(folder);
    liveTempFolders().clear();
}

void keepUntilExit(const QString& folder) {
    static const bool registered = std::atexit(removeLiveTempFolders) == 0;
    Q_UNUSED(registered);
    liveTempFolders().insert(encodedPath(folder));
}

bool isDigits(const QString& name) {
    return !name.isEmpty() &&
           std::all_of(name.begin(), name.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A recent-list value name: "0", "1", ... written without leading zeros.
std::optional<qulonglong> listPosition(const QString& name) {
    if (!isDigits(name) || (name.size() > 1 && name[0] == u'0'))
        return std::nullopt;
    bool ok = false;
    const qulonglong position = name.toULongLong(&ok);
    return ok ? std::optional<qulonglong>(position) : std::nullopt;
}

} // namespace

clsSettings::~clsSettings() {
    DeleteTemp();
}

bool clsSettings::ReadFlag(const QString& name) const {
    return LongToBool(ReadRegValue(name, platform::REG_DWORD, 1).toInt());
}

void clsSettings::SaveFlag(const QString& name, bool value) const {
    SaveRegValue(name, BoolToLong(value));
}

QString clsSettings::ReadText(const QString& name, const QString& defaultValue) const {
    return ReadRegValue(name, platform::REG_SZ, defaultValue).toString();
}

bool clsSettings::AutoArrangeIcons() const {
    QVariant value;
    RegQueryValue(OpenUserSubKey(QStringLiteral("main"), false), QStringLiteral("AutoArrangeIcons"),
                  platform::REG_DWORD, value, 1);
    return LongToBool(value.toInt());
}

void clsSettings::SetAutoArrangeIcons(bool value) const {
    RegSetValue(OpenUserSubKey(QStringLiteral("main"), true), QStringLiteral("AutoArrangeIcons"),
                BoolToLong(value));
}

QString clsSettings::ZorvMMFullPath() const {
    const RegKey key = RegKey::root(Hive::HKEY_LOCAL_MACHINE).openKey(kModManagerKey);
    const QString path = RegGetStringValue(key, QStringLiteral("path"));
    QString program = RegGetStringValue(key, QStringLiteral("exename"));
    if (program.isEmpty())
        program = QStringLiteral("ZorvModManager.exe");
    return path.isEmpty() ? QString() : BuildPath(path, program);
}

QString clsSettings::ActiveModFullName() const {
    const QString name = ActiveModName();
    return name.isEmpty() ? QString() : BuildPath(ZorvPath(), QStringLiteral("mods"), name);
}

QString clsSettings::ActiveModName() const {
    const RegKey key = RegKey::root(Hive::HKEY_LOCAL_MACHINE).openKey(kModKey);
    QString name = RegGetStringValue(key, QStringLiteral("ModName"));
    // The mod manager may already give the catalog's full file name.
    if (!name.isEmpty() && !name.endsWith(QStringLiteral(".cat"), Qt::CaseInsensitive))
        name += QStringLiteral(".cat");
    return name;
}

QString clsSettings::HelpPath() const {
    return BuildPath(platform::programDir(), QStringLiteral("help"));
}

bool clsSettings::LoadDescriptions() const {
    return ReadFlag(QStringLiteral("LoadDesc"));
}

void clsSettings::SetLoadDescriptions(bool value) const {
    SaveFlag(QStringLiteral("LoadDesc"), value);
}

int32_t clsSettings::DescLangID() const {
    return ReadRegValue(QStringLiteral("DescLanguage"), platform::REG_DWORD, 44).toInt();
}

void clsSettings::SetDescLangID(int32_t value) const {
    SaveRegValue(QStringLiteral("DescLanguage"), value);
}

QString clsSettings::CustomProgram() const {
    return ReadText(QStringLiteral("EditorEXEPath"));
}

void clsSettings::SetCustomProgram(const QString& value) const {
    SaveRegValue(QStringLiteral("EditorEXEPath"), value, true);
}

QString clsSettings::LastOpenedXMLFile() const {
    return ReadText(QStringLiteral("LastOpenXMLFile"));
}

void clsSettings::SetLastOpenedXMLFile(const QString& value) const {
    SaveRegValue(QStringLiteral("LastOpenXMLFile"), value, true);
}

QString clsSettings::ZorvPath() const {
    const QString path = ReadText(QStringLiteral("DataPath"));
    if (!path.isEmpty())
        return path;
    const RegKey game = RegKey::root(Hive::HKEY_LOCAL_MACHINE).openKey(kGameKey);
    const QString installed = RegGetStringValue(game, QStringLiteral("path"));
    SaveRegValue(QStringLiteral("DataPath"), installed);
    return installed;
}

void clsSettings::SetZorvPath(const QString& value) const {
    SaveRegValue(QStringLiteral("DataPath"), value);
}

bool clsSettings::UseDoubleBuffer() const {
    return ReadFlag(QStringLiteral("UseDoubleBuffer"));
}

void clsSettings::SetUseDoubleBuffer(bool value) const {
    SaveFlag(QStringLiteral("UseDoubleBuffer"), value);
}

bool clsSettings::UseDirectDraw() const {
    return ReadFlag(QStringLiteral("UseDirectDraw"));
}

void clsSettings::SetUseDirectDraw(bool value) const {
    SaveFlag(QStringLiteral("UseDirectDraw"), value);
}

void clsSettings::SetZorvEXEPath(const QString& value) const {
    SaveRegValue(QStringLiteral("ZorvEXEPath"), value, true);
}

QString clsSettings::ZorvEXEPath() const {
    const QVariant stored = ReadRegValue(QStringLiteral("ZorvEXEPath"), platform::REG_SZ);
    return stored.isValid() ? stored.toString() : DefaultZorvEXEPath();
}

QString clsSettings::DefaultZorvEXEPath() const {
    const QString path = ZorvPath();
    return path.isEmpty() ? QString() : BuildPath(path, QStringLiteral("zorv.exe"));
}

QString clsSettings::TraceFilePath() const {
    return BuildPath(platform::programDir(), QStringLiteral("log.txt"));
}

QString clsSettings::Ext3DViewerPath() const {
    return ReadText(QStringLiteral("3DViewerPath"));
}

void clsSettings::SetExt3DViewerPath(const QString& value) const {
    SaveRegValue(QStringLiteral("3DViewerPath"), value);
}

QString clsSettings::Ext3DViewerCmdLine() const {
    return ReadText(QStringLiteral("3DViewerCmdLine"), QStringLiteral("\"%1\""));
}

void clsSettings::SetExt3DViewerCmdLine(const QString& value) const {
    SaveRegValue(QStringLiteral("3DViewerCmdLine"), value);
}

void clsSettings::Trace(const QString& message, bool openAndClose) {
    if (openAndClose)
        OpenTraceFile();
    if (m_trace.isOpen()) {
        const QString line =
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
            QStringLiteral(" - ") + message + u'\n';
        m_trace.write(line.toUtf8());
        m_trace.flush();
    }
    if (openAndClose)
        CloseTraceFile();
}

void clsSettings::OpenTraceFile() {
    if (m_traceOpens++ > 0)
        return;
    m_trace.setFileName(TraceFilePath());
    m_trace.open(QIODevice::WriteOnly | QIODevice::Append);
}

void clsSettings::CloseTraceFile() {
    if (m_traceOpens > 0 && --m_traceOpens == 0)
        m_trace.close();
}

void clsSettings::ClearTraceFile() {
    m_traceOpens = 0;
    m_trace.close();
    QFile::remove(TraceFilePath());
}

RegKey clsSettings::OpenRootHandleMachine() const {
    return RegKey::root(Hive::HKEY_LOCAL_MACHINE).createKey(kRootKey);
}

RegKey clsSettings::OpenRootHandleUserGE() const {
    return RegKey::root(Hive::HKEY_CURRENT_USER).createKey(kRootKey + QStringLiteral("\\GE"));
}

RegKey clsSettings::OpenRootHandleUser() const {
    return RegKey::root(Hive::HKEY_CURRENT_USER).createKey(kRootKey);
}

RegKey clsSettings::OpenUserSubKey(const QString& subKeyName, bool create) const {
    if (create)
        return OpenRootHandleUser().createKey(subKeyName);
    return RegKey::root(Hive::HKEY_CURRENT_USER).openKey(kRootKey + u'\\' + subKeyName);
}

int32_t clsSettings::RegGetLongValue(const RegKey& key, const QString& name) const {
    return key.number(name).value_or(-1);
}

QString clsSettings::RegGetStringValue(const RegKey& key, const QString& name) const {
    QVariant value;
    RegQueryValue(key, name, platform::REG_SZ, value);
    return value.toString();
}

QVariant clsSettings::ReadRegValue(const QString& name, int32_t type,
                                   const QVariant& defaultValue) const {
    QVariant value;
    return RegQueryValue(OpenRootHandleUser(), name, type, value, defaultValue) ? value
                                                                                : defaultValue;
}

bool clsSettings::SaveRegValue(const QString& name, const QVariant& value,
                               bool deleteIfEmpty) const {
    const RegKey key = OpenRootHandleUser();
    const bool isText = value.typeId() == QMetaType::QString;
    if (isText && deleteIfEmpty && value.toString().isEmpty())
        return key.isValid() && (!key.value(name) || key.deleteValue(name));
    return RegSetValue(key, name, value);
}

bool clsSettings::InitEnviroment() {
    const RegKey machine = OpenRootHandleMachine();
    RegSetValue(machine, QStringLiteral("path"), platform::programDir());
    RegSetValue(machine, QStringLiteral("EXEName"), GetFileTitle(platform::programFilePath()));
    RegSetValue(machine, QStringLiteral("version"), GetAppVersion());
    if (!m_ownTemp.isEmpty())
        return true;
    // A fresh folder of a name no one can guess, made by this call alone with
    // mode 0700: nothing planted beforehand can stand in its place.
    QByteArray pattern =
        QFile::encodeName(BuildPath(GetTempDir(), QStringLiteral("Zorv Editor-XXXXXX")));
    if (!::mkdtemp(pattern.data()))
        return false;
    m_ownTemp = QFile::decodeName(pattern);
    TempRoot = m_ownTemp;
    keepUntilExit(m_ownTemp);
    return true;
}

QString clsSettings::GetBrowser() const {
    const RegKey classes = RegKey::root(Hive::HKEY_CLASSES_ROOT);
    const QString documentClass =
        RegGetStringValue(classes.openKey(QStringLiteral(".html")), QString());
    QString command;
    if (!documentClass.isEmpty())
        command = RegGetStringValue(
            classes.openKey(documentClass + QStringLiteral("\\shell\\open\\command")), QString());
    if (command.isEmpty()) {
        QVariant fallback;
        RegQueryValue(
            classes.openKey(QStringLiteral("Applications\\iexplore.exe\\shell\\open\\command")),
            QString(), platform::REG_SZ, fallback, QStringLiteral("xdg-open"));
        command = fallback.toString();
    }
    return command;
}

void clsSettings::DeleteTemp() {
    if (TempRoot.isEmpty() || TempRoot != m_ownTemp)
        return;
    removeTempFolder(encodedPath(m_ownTemp));
    liveTempFolders().erase(encodedPath(m_ownTemp));
    m_ownTemp.clear();
}

void clsSettings::SaveMRUList(const QStringList& list, const QString& listName) const {
    const RegKey key = OpenUserSubKey(QStringLiteral("mru\\") + listName, true);
    if (!key.isValid())
        return;
    const qsizetype count = std::min<qsizetype>(list.size(), MaxRecentFiles);
    for (qsizetype i = 0; i < count; ++i)
        RegSetValue(key, QString::number(i), list[i]);
    for (const QString& name : key.valueNames()) {
        bool fits = false;
        const qulonglong number = name.toULongLong(&fits);
        if (isDigits(name) && (!fits || number >= static_cast<qulonglong>(count)))
            key.deleteValue(name);
    }
}

QStringList clsSettings::LoadMRUList(const QString& listName) const {
    const RegKey key = OpenUserSubKey(QStringLiteral("mru\\") + listName, false);
    // By the number in the name, whatever order the values are stored in.
    std::map<qulonglong, QString> entries;
    for (const QString& name : key.valueNames()) {
        const auto position = listPosition(name);
        const auto text = key.text(name);
        if (position && text)
            entries.emplace(*position, TrimNull(*text));
    }
    QStringList list;
    for (const auto& [position, path] : entries) {
        if (list.size() == MaxRecentFiles)
            break;
        list << path;
    }
    return list;
}

void clsSettings::SaveRecentTFiles(const QStringList& list) const {
    SaveMRUList(list, QStringLiteral("TXTEditor"));
}

QStringList clsSettings::LoadRecentTFiles() const {
    return LoadMRUList(QStringLiteral("TXTEditor"));
}

void clsSettings::SaveRecentGalaxyMaps(const QStringList& list) const {
    SaveMRUList(list, QStringLiteral("GEditor"));
}

QStringList clsSettings::LoadRecentGalaxyMaps() const {
    return LoadMRUList(QStringLiteral("GEditor"));
}
