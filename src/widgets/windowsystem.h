#ifndef WINDOWSYSTEM_H
#define WINDOWSYSTEM_H

#include <Qt>

class QWidget;

// Frameless windows move and resize themselves by setting their geometry. Some window systems (Wayland) do
// not let an application place its own top-level windows; there the compositor is asked to run the move or
// resize.
class WindowSystem {
public:
    // True when the window system ignores application-set window positions.
    static bool needsSystemMoveResize();
    // Hands an interactive move to the window system; false when it is not needed or not possible.
    static bool startSystemMove(QWidget *window);
    // The same for a resize of the given edges.
    static bool startSystemResize(QWidget *window, Qt::Edges edges);
};

#endif // WINDOWSYSTEM_H
