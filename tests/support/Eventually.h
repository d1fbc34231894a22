// Waiting for what a test needs instead of for a time: a busy machine makes
// any fixed delay too short now and then, so a test polls its condition,
// letting the event loop run, and gives up only after a generous bound.
#pragma once

#include <QCoreApplication>
#include <QEvent>

#include <chrono>
#include <thread>

namespace testsupport {

// Long enough that only a fault, never a slow machine, reaches it.
inline constexpr std::chrono::milliseconds kPatience = std::chrono::seconds(60);

// True as soon as the condition holds; false when it still does not after
// the bound. Posted events and deferred deletes run between the checks.
template <class Condition>
bool Eventually(Condition condition, std::chrono::milliseconds bound = kPatience) {
    const auto end = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return condition();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

} // namespace testsupport
