#pragma once

// A controller with its window shown on the offscreen platform, fresh
// preferences, and dialogs that the test answers.

#include "app/dialogs.h"
#include "app/klcontroller.h"
#include "app/klmainwindow.h"

#include "chrome/kltitlebargroup.h"
#include "freelayout/klfreelayoutview.h"

#include "kit/defaults.h"
#include "kit/localisation.h"

#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QUrl>

struct FakeDialogs : Dialogs
{
    struct Shown
    {
        QString title, message, defaultButton;
    };
    std::vector<Shown> shown;
    std::deque<Answer> answers; // No when empty
    std::deque<QStringList> filesToChoose;
    int menuTagToChoose = -1;
    std::vector<QUrl> openedUrls;
    bool openUrlSucceeds = true;
    std::optional<ExportChoice> exportChoice; // cancels when empty
    std::vector<kit::Size> exportRatios;
    QStringList revealed;
    std::deque<QString> styleNames; // cancels when empty
    std::deque<SaveAnswer> saveAnswers; // Cancel when empty
    std::deque<QString> savePaths; // cancels when empty
    QStringList styleNameFieldTexts;

    // The next of the test's answers, none when they are used up.
    template<class T> static std::optional<T> next(std::deque<T>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        T front = std::move(queue.front());
        queue.pop_front();
        return front;
    }

    Answer ask(QWidget*, const QString& t, const QString& m, Answer preferred) override
    {
        const char* button = preferred == Answer::Yes ? "BUTTON_YES" : "BUTTON_NO";
        shown.push_back({ t, m, kit::localized(button) });
        return next(answers).value_or(Answer::No);
    }
    SaveAnswer askToSave(QWidget*, const QString& t, const QString& m) override
    {
        shown.push_back({ t, m, kit::localized("BUTTON_SAVE") });
        return next(saveAnswers).value_or(SaveAnswer::Cancel);
    }
    QString chooseSavePath(QWidget*, const QString&, const QString&, const QStringList&) override
    {
        return next(savePaths).value_or(QString());
    }
    void inform(QWidget*, const QString& t, const QString& m, const QString& b) override
    {
        shown.push_back({ t, m, b });
    }
    QStringList chooseFiles(QWidget*, const QString&, const QStringList&) override
    {
        return next(filesToChoose).value_or(QStringList());
    }
    QAction* popUpMenu(QMenu& menu, QPoint) override
    {
        for (QAction* a : menu.actions()) {
            if (a->data().toInt() == menuTagToChoose)
                return a;
        }
        return nullptr;
    }
    bool openUrl(const QUrl& url) override
    {
        openedUrls.push_back(url);
        return openUrlSucceeds;
    }
    std::optional<ExportChoice> runExportPanel(QWidget*, kit::Size ratio) override
    {
        exportRatios.push_back(ratio);
        return exportChoice;
    }
    void revealFile(const QString& path) override { revealed.append(path); }
    std::optional<QString> askStyleName(QWidget*, const QString& lastName) override
    {
        styleNameFieldTexts.append(lastName);
        return next(styleNames);
    }

    // The print dialog and preview print into this PDF file when it is set,
    // and are cancelled otherwise.
    QString printTo;
    int previews = 0;
    std::optional<PdfChoice> pdfChoice; // cancels when empty
    bool runPrintDialog(QWidget*, QPrinter& printer) override
    {
        printer.setResolution(150); // as a person may choose, and quick
        printer.setOutputFileName(printTo);
        return !printTo.isEmpty();
    }
    void runPrintPreview(QWidget*, QPrinter& printer,
                         const std::function<void(QPrinter&)>& paint) override
    {
        ++previews;
        printer.setResolution(150);
        printer.setOutputFileName(printTo);
        if (!printTo.isEmpty())
            paint(printer);
    }
    std::optional<PdfChoice> runPdfPanel(QWidget*) override { return pdfChoice; }
};

// The window's widgets, found as a person finds them on screen.
template<class W> W* widgetOf(KLController& c, const char* objectName)
{
    return c.window()->findChild<W*>(QString::fromLatin1(objectName));
}
inline KLTitleBarGroup* titleBarOf(KLController& c)
{
    return c.window()->findChild<KLTitleBarGroup*>();
}

// Drops `mime` on a widget at `at` as the window system delivers a drag from
// another application; answers whether the drop was accepted.
inline bool dropMime(QWidget* target, QPoint at, const QMimeData* mime)
{
    QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

// Drops local files in the same way.
inline bool dropFiles(QWidget* target, QPoint at, const QStringList& files)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& file : files)
        urls.append(QUrl::fromLocalFile(file));
    mime.setUrls(urls);
    return dropMime(target, at, &mime);
}

using testsupport::waitUntil;

class ControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QCoreApplication::setApplicationVersion(QStringLiteral("1.0.3"));
        kit::Defaults& d = kit::Defaults::standard();
        for (const char* key : { "HasCorner", "HasShadow", "WhatsNew_1", "WhatsNew_2" })
            d.remove(QString::fromLatin1(key));
        d.synchronize();
    }

    // A new controller, shown and launched (unless `launch` is false). Its
    // questions are answered by the test (m_dialogs), or by real dialogs when
    // `realDialogs` is set.
    KLController& start(bool launch = true, bool realDialogs = false)
    {
        m_controller.reset();
        auto dialogs = std::make_unique<FakeDialogs>();
        m_dialogs = realDialogs ? nullptr : dialogs.get();
        m_controller = std::make_unique<KLController>(realDialogs ? nullptr : std::move(dialogs));
        m_controller->window()->show();
        QCoreApplication::processEvents();
        if (launch)
            m_controller->applicationDidFinishLaunching();
        return *m_controller;
    }

    // Resizes the window until the main scroll view has exactly this size.
    void setScrollSize(int w, int h)
    {
        KLMainWindow* win = m_controller->window();
        for (int i = 0; i < 4 && win->canvasAreaSize() != QSize(w, h); ++i) {
            win->resize(win->size() + QSize(w, h) - win->canvasAreaSize());
            QCoreApplication::processEvents();
        }
        ASSERT_EQ(win->canvasAreaSize(), QSize(w, h));
    }

    // A template file of `cells` cells side by side, declared w × h.
    QString writeTemplate(const QString& name, int cells, const char* size = "4,3")
    {
        QByteArray text = QByteArray(size) + "\n";
        for (int i = 0; i < cells; ++i)
            text += QByteArray::number(double(i) / cells) + ",0," + QByteArray::number(1.0 / cells)
                + ",1:L,0:*\n";
        return testsupport::writeFile(m_dir.filePath(name), text);
    }

    void TearDown() override { m_controller.reset(); }

    QTemporaryDir m_dir;
    std::unique_ptr<KLController> m_controller;
    FakeDialogs* m_dialogs = nullptr;
};
