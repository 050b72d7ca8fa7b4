#pragma once

// A view that records the events it handles as "what x,y:name" lines in a
// shared log, for the tests of event routing in windows and view hosts.

#include "kit/window.h"

#include <QStringList>

namespace kittest {

class Recorder : public kit::View
{
public:
    Recorder(const kit::Rect& frame, QString name, QStringList* log)
        : View(frame), m_name(std::move(name)), m_log(log)
    { }

    bool accepts = false;
    bool handlesMouse = true;
    std::optional<kit::Menu> menu;
    std::optional<Qt::CursorShape> cursor;

    bool acceptsFirstResponder() const override { return accepts; }
    void mouseDown(const kit::MouseEvent& e) override
    {
        if (!mouse("down", e))
            kit::View::mouseDown(e);
    }
    void mouseDragged(const kit::MouseEvent& e) override
    {
        if (!mouse("drag", e))
            kit::View::mouseDragged(e);
    }
    void mouseUp(const kit::MouseEvent& e) override
    {
        if (!mouse("up", e))
            kit::View::mouseUp(e);
    }
    void rightMouseDown(const kit::MouseEvent& e) override { mouse("right", e); }
    bool scrollWheel(const kit::ScrollEvent& e) override
    {
        log(QStringLiteral("scroll %1 %2").arg(e.deltaX).arg(e.deltaY));
        return true;
    }
    void keyDown(const kit::KeyEvent& e) override { log(QStringLiteral("key %1").arg(e.keyCode)); }
    void mouseMoved(const kit::MouseEvent&) override { log("moved"); }
    void mouseExited(const kit::MouseEvent&) override { log("exited"); }
    std::optional<kit::Menu> menuForEvent(const kit::MouseEvent&) override { return menu; }
    std::optional<Qt::CursorShape> cursorAt(kit::Point) const override { return cursor; }

    kit::DragOperation draggingEntered(const kit::DragInfo& i) override
    {
        return drag("entered", i);
    }
    kit::DragOperation draggingUpdated(const kit::DragInfo& i) override
    {
        return drag("updated", i);
    }
    void draggingExited() override { log("drag exited"); }
    bool prepareForDragOperation(const kit::DragInfo& i) override
    {
        return drag("prepare", i) == kit::DragOperation::Copy;
    }
    bool performDragOperation(const kit::DragInfo& i) override
    {
        return drag("perform", i) == kit::DragOperation::Copy;
    }
    bool refuseDrops = false;

private:
    void log(const QString& what) { m_log->append(what + ":" + m_name); }
    bool mouse(const char* what, const kit::MouseEvent& e)
    {
        if (!handlesMouse)
            return false;
        log(QStringLiteral("%1 %2,%3 x%4")
                .arg(what)
                .arg(e.locationInWindow.x)
                .arg(e.locationInWindow.y)
                .arg(e.clickCount));
        return true;
    }
    kit::DragOperation drag(const char* what, const kit::DragInfo& i)
    {
        log(QStringLiteral("%1 %2 %3,%4")
                .arg(what, i.fileNames.join('|'))
                .arg(i.locationInWindow.x)
                .arg(i.locationInWindow.y));
        return refuseDrops ? kit::DragOperation::None : kit::DragOperation::Copy;
    }

    QString m_name;
    QStringList* m_log;
};

} // namespace kittest
