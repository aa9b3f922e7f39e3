// The practice exam and the drill, opened beside the study window on the loaded pool.
#include "app/application.h"

#include "engine/study_state.h"
#include "examwindow/exam_records.h"
#include "examwindow/exam_window.h"
#include "examwindow/open_exam.h"
#include "mainwindow/form1.h"
#include "progresswindow/progress_window.h"
#include "questions/pool.h"

#include <QMessageBox>
#include <QRandomGenerator>

namespace app {

void Application::openPracticeExam()
{
    showExamWindow(examwindow::createPracticeExam(m_engine->pool(), *QRandomGenerator::global()));
}

void Application::openDrill(const QString &subelement)
{
    showExamWindow(examwindow::createDrill(m_engine->pool(), subelement, *QRandomGenerator::global()));
}

void Application::showExamWindow(const examwindow::OpenedWindow &opened)
{
    if (!opened.window) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Practice Exam"), opened.error, QMessageBox::Ok,
                        m_form.get());
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return;
    }
    examwindow::ExamWindow *window = opened.window;
    // A window of its own beside the study window; it goes when it closes, or with the program.
    ownWindow(*window);
    m_examWindows.removeAll(nullptr);
    m_examWindows.append(window);
    window->setFiguresFolder(questions::figuresFolder(m_form->poolsFolder()));
    // Its questions are never smaller than the study window's, scaled to this screen.
    window->setBaseTextSize(m_form->controls().lblQuestion->widget()->font().pointSizeF());
    if (m_store) {
        examwindow::recordInto(*window, *m_store);
        // After the store has the sitting, an open Progress window shows it.
        connect(window, &examwindow::ExamWindow::handedIn, this, &Application::refreshProgress);
        connect(window, &examwindow::ExamWindow::drillAnswered, this, &Application::refreshProgress);
        connect(window, &examwindow::ExamWindow::missedReviewRequested, this,
                [this, window](const QList<int> &missed) { openReviewOf(window->pool(), missed); });
    }
    Q_EMIT examWindowOpened(window);
    window->show();
    window->activateWindow();
}

} // namespace app
