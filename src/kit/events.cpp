#include "events.h"

namespace kit {

int keyCodeFromQt(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return KeyCode::Delete;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyCode::Return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: // Shift+Tab is the same physical key
        return KeyCode::Tab;
    case Qt::Key_Escape:
        return KeyCode::Escape;
    case Qt::Key_Left:
        return KeyCode::Left;
    case Qt::Key_Right:
        return KeyCode::Right;
    case Qt::Key_Down:
        return KeyCode::Down;
    case Qt::Key_Up:
        return KeyCode::Up;
    default:
        return KeyCode::Unknown;
    }
}

} // namespace kit
