#include "maps/MapWindowSurface.h"

#include "common/mdlCommonGlobals.h"
#include "platform/Prompts.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

std::unique_ptr<MapSurface> CreateMapSurface(QSize screen, QColor textBackground, QColor textColor,
                                             QWidget* window) {
    if (!screen.isValid()) {
        const QScreen* primary = QGuiApplication::primaryScreen();
        screen = primary ? primary->size() : QSize(1024, 768);
    }
    const MapDrawMode mode = ChooseDrawMode(mdlCommon::Settings().UseDirectDraw(),
                                            mdlCommon::Settings().UseDoubleBuffer());
    auto surface = std::make_unique<MapSurface>(mode, screen, textBackground, textColor);
    if (!surface->Ready())
        platform::WindowPrompts(platform::kProgramTitle, window)
            .tell(QStringLiteral("Failed to initialize DirectDraw:\n") + surface->InitError(),
                  platform::PromptIcon::Critical);
    return surface;
}
