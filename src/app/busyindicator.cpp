#include "busyindicator.h"

#include <QApplication>
#include <QProgressDialog>

BusyIndicator::BusyIndicator(QWidget* parent, const QString& title, const QString& label,
                             bool withDialog)
{
    if (!parent || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_cursor = true;
    if (withDialog) {
        m_dialog = std::make_unique<QProgressDialog>(parent);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setWindowTitle(title);
        m_dialog->setLabelText(label);
        m_dialog->setCancelButton(nullptr);
        m_dialog->setRange(0, 0);
        m_dialog->setMinimumDuration(0);
        m_dialog->show();
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

BusyIndicator::~BusyIndicator()
{
    m_dialog.reset();
    if (m_cursor)
        QApplication::restoreOverrideCursor();
}
