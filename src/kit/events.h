#pragma once

// Events as views receive them. Locations are in window coordinates (y up,
// origin at the lower left corner of the window's content).

#include "geometry.h"

#include <functional>
#include <vector>

#include <QImage>
#include <QString>
#include <QStringList>
#include <Qt>

namespace kit {

// Hardware key codes that views test for.
namespace KeyCode {
constexpr int Return = 36;
constexpr int Tab = 48;
constexpr int Delete = 51; // Backspace and Delete
constexpr int Escape = 53;
constexpr int Left = 123;
constexpr int Right = 124;
constexpr int Down = 125;
constexpr int Up = 126;
constexpr int Unknown = -1;
} // namespace KeyCode

// The hardware key code for a Qt key, KeyCode::Unknown for keys without one.
int keyCodeFromQt(int qtKey);

struct MouseEvent
{
    Point locationInWindow;
    int clickCount = 1;
    Qt::KeyboardModifiers modifiers;
};

struct ScrollEvent
{
    Point locationInWindow;
    // In wheel notches (120 eighths of a degree; a touchpad's pixels count
    // kPixelsPerNotch to the notch), fractional for fine wheels and
    // touchpads. deltaY > 0 when the wheel turns away from the user.
    double deltaX = 0;
    double deltaY = 0;
    Qt::KeyboardModifiers modifiers;

    static constexpr double kEighthsPerNotch = 120;
    // A notch scrolls a scroll area by three lines of 20 pixels.
    static constexpr double kPixelsPerNotch = 60;
};

struct KeyEvent
{
    int keyCode = KeyCode::Unknown;
    QString text;
    Qt::KeyboardModifiers modifiers;
};

struct DragInfo
{
    Point locationInWindow;
    QStringList fileNames; // local file paths, in the order dragged
    bool sourceAllowsCopy = true;
};

enum class DragOperation { None, Copy };

// A context menu, popped up by the host.
struct MenuItem
{
    QString title;
    std::function<void()> action;
    bool enabled = true;
    bool checked = false;
    bool separator = false;
    std::vector<MenuItem> submenu;
    // Shown beside the title at its own size (previews of styles, say);
    // none when null.
    QImage icon = QImage();

    static MenuItem makeSeparator()
    {
        MenuItem m;
        m.separator = true;
        return m;
    }
};

struct Menu
{
    std::vector<MenuItem> items;
};

} // namespace kit
