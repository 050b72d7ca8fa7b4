#pragma once

// What the window shows while the main thread renders and writes a file: a
// busy cursor and, for long work, a small modal progress dialog without
// steps (the render reports none). Both go when the indicator is destroyed.

#include <memory>

#include <QString>

class QProgressDialog;
class QWidget;

class BusyIndicator
{
public:
    // Shows nothing without a parent window or outside a widget
    // application. With `withDialog`, a dialog titled `title` saying `label`
    // is shown modal to `parent`. Events are processed once, so that both
    // are painted before the work holds the event loop.
    BusyIndicator(QWidget* parent, const QString& title, const QString& label, bool withDialog);
    ~BusyIndicator();
    BusyIndicator(const BusyIndicator&) = delete;
    BusyIndicator& operator=(const BusyIndicator&) = delete;

private:
    bool m_cursor = false;
    std::unique_ptr<QProgressDialog> m_dialog;
};
