#include "widgets/windowsystem.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

bool WindowSystem::needsSystemMoveResize() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool WindowSystem::startSystemMove(QWidget *window) {
    if (!window || !needsSystemMoveResize())
        return false;
    QWindow *handle = window->windowHandle();
    return handle && handle->startSystemMove();
}

bool WindowSystem::startSystemResize(QWidget *window, Qt::Edges edges) {
    if (!window || !needsSystemMoveResize() || !edges)
        return false;
    QWindow *handle = window->windowHandle();
    return handle && handle->startSystemResize(edges);
}
