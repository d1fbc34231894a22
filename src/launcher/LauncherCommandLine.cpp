#include "launcher/LauncherCommandLine.h"

#include "common/mdlCommon.h"
#include "shell/mdlComFunctions.h"

namespace launcher {

namespace {

QString usageText() {
    return QStringLiteral("Invalid command line parameters.\n\n"
                          "Usage: [file type] <file name>\n"
                          "File type:\n"
                          "-TFile - TFiles\n"
                          "-Map - galaxy map\n"
                          "-xml - xml text file");
}

EditorKind editorForType(const QString& type) {
    const QString lower = type.toLower();
    if (lower == QLatin1String("-tfile"))
        return EditorKind::TFile;
    if (lower == QLatin1String("-map"))
        return EditorKind::Map;
    if (lower == QLatin1String("-xml"))
        return EditorKind::Xml;
    return EditorKind::None;
}

CommandLinePlan openFileFromCommandLine(const QString& file, QString type) {
    CommandLinePlan plan;
    plan.file = file;
    type.replace(QLatin1Char('/'), QLatin1Char('-'));
    plan.editor = editorForType(type);
    if (plan.editor != EditorKind::None)
        return plan;
    if (!type.isEmpty())
        plan.warnings << QStringLiteral("Invalid file type: %1\nMust be one of: -tfile, -xml, -map")
                             .arg(type);
    plan.editor = GuessFileType(file);
    if (plan.editor == EditorKind::None)
        plan.warnings << QStringLiteral("Don't know how to open file \"%1\"").arg(file);
    return plan;
}

} // namespace

CommandLinePlan ProcessCommandLine(const QStringList& arguments) {
    switch (arguments.size()) {
    case 0:
        return {};
    case 1:
        return openFileFromCommandLine(arguments[0], QString());
    case 2:
        return openFileFromCommandLine(arguments[1], arguments[0]);
    default:
        return {EditorKind::None, QString(), {usageText()}};
    }
}

EditorKind GuessFileType(const QString& file) {
    QString inner = mdlCommon::GetVFSFilePart(file);
    if (inner.isEmpty())
        inner = file;
    const QString title = mdlComFunctions::GetFileTitle(inner, true).toLower();
    static const QStringList tables = {QStringLiteral("tships"), QStringLiteral("tlasers"),
                                       QStringLiteral("tgates"), QStringLiteral("tcockpits")};
    if (tables.contains(title) || title.contains(QLatin1String("tware")))
        return EditorKind::TFile;
    return EditorKind::None;
}

} // namespace launcher
