#include "tfiles/clsArchive.h"

#include "gamefiles/mdlZorvObjects.h"
#include "gamefiles/mdlZorvVFS.h"
#include "shell/mdlComFunctions.h"

clsArchive::clsArchive(FileLoader loadFile) : m_loadFile(std::move(loadFile)) {}

clsArchive::Parser clsArchive::GetFile(const QString& name) {
    if (Parser cached = m_files.find(mdlComFunctions::GetFileTitle(name, true)))
        return cached;
    Parser parser = LoadTFile(name);
    if (parser && parser->Parsed())
        m_files.add(parser, mdlComFunctions::GetFileTitle(parser->FileName, true));
    return parser;
}

void clsArchive::ClearErrors() {
    m_notLoadedFiles.clear();
    m_loadError = false;
}

clsArchive::Parser clsArchive::LoadTFile(const QString& name) {
    QString path = mdlComFunctions::BuildPath(QStringLiteral("types"), name);
    mdlComFunctions::EnsureExtension(path, QStringLiteral("txt"));
    const int32_t store = m_loadFile(path);
    if (!store) {
        m_loadError = true;
        if (!m_notLoadedFiles.isEmpty())
            m_notLoadedFiles += u'\n';
        m_notLoadedFiles += path + QStringLiteral(": ") + mdlZorvVFS::GetLastErrorText();
        return nullptr;
    }
    auto parser = std::make_shared<clsTxtParser>();
    if (!parser->LoadFromHandle(store))
        mdlZorvObjects::Zorv_DeleteHandle(store); // refused, so not the parser's to release
    parser->FileName = name;
    return parser;
}

namespace {

// Never destroyed at exit: the game libraries may have torn down their own
// state by then, and the end of the process releases every store anyway.
clsArchive* g_archive = nullptr;

} // namespace

clsArchive& Archive() {
    if (!g_archive)
        CreateArchive();
    return *g_archive;
}

void CreateArchive() {
    delete g_archive;
    g_archive = new clsArchive;
}
