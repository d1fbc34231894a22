#include "launcher/Main.h"

#include "common/mdlCommonGlobals.h"
#include "launcher/GameData.h"
#include "launcher/frmMain2.h"
#include "platform/Prompts.h"
#include "platform/ZorvError.h"
#include "resources/clsDescServer.h"
#include "shell/mdlZorvConst.h"
#include "shell/widgets/frmWait.h"
#include "tfiles/clsArchive.h"

#include <exception>

namespace launcher {

namespace {

QString describe(const std::exception& error) {
    if (const auto* zorv = dynamic_cast<const platform::ZorvError*>(&error))
        return zorv->description();
    return QString::fromLocal8Bit(error.what());
}

} // namespace

std::unique_ptr<frmMain2> Main(LauncherActions& actions, const QStringList& arguments) {
    QString step;
    const platform::WindowPrompts prompts(platform::kProgramTitle);
    try {
        mdlCommon::ShowWait(QStringLiteral("Zorv Editor - Starting up..."));
        step = QStringLiteral("mdlZorvConst.InitArrays");
        mdlZorvConst::InitArrays();
        clsSettings& settings = mdlCommon::Settings();
        DescServer();
        CreateArchive();
        step = QStringLiteral("Settings.InitEnviroment");
        settings.InitEnviroment();
        mdlCommon::SetWaitHint(
            QStringLiteral("Zorv Editor - scanning Zorv data files. Please wait..."));
        step = QStringLiteral("ZorvVFS_Init");
        const QString warning = OpenGameFiles();
        if (!warning.isEmpty())
            prompts.tell(warning, platform::PromptIcon::Exclamation);
        mdlCommon::SetWaitHint(
            QStringLiteral("Zorv Editor - Loading resource strings. Please wait..."));
        step = QStringLiteral("DescServer.LoadResources");
        const QString message = LoadResourceStrings();
        if (!message.isEmpty())
            prompts.tell(message, platform::PromptIcon::Critical);
        mdlCommon::HideWait();
        auto launcher = std::make_unique<frmMain2>(actions);
        launcher->SetCommandLine(arguments);
        step = QStringLiteral("frmMain2.MyShow");
        launcher->MyShow();
        return launcher;
    } catch (const std::exception& error) {
        mdlCommon::HideWait();
        prompts.tell(QStringLiteral("Error starting program: (%1): %2").arg(step, describe(error)),
                     platform::PromptIcon::Critical);
        return nullptr;
    }
}

} // namespace launcher
