// The practice exam and the drill, opened beside the study window on the loaded pool.
#include "examwindow/exam_records.h"
#include "examwindow/exam_window.h"
#include "examwindow/open_exam.h"
#include "mainwindow/form1.h"
#include "progresswindow/progress_window.h"
#include "questions/pool.h"

#include <QAction>
#include <QMenu>

#include <QMessageBox>
#include <QRandomGenerator>

#include <algorithm>

namespace mainwindow {

void Form1::addPracticeExamMenu()
{
    // Beside the designed items, outside the design's control list; the items added to the
    // Test menu share one separator below the designed ones.
    QMenu *test = m_ui.mnuTest->action()->menu();
    const QList<QAction *> items = test->actions();
    if (std::none_of(items.begin(), items.end(), [](const QAction *a) { return a->isSeparator(); }))
        test->addSeparator();
    m_practiceExam = test->addAction(QStringLiteral("Practice E&xam..."));
    m_practiceExam->setObjectName(QStringLiteral("mnuPracticeExam"));
    connect(m_practiceExam, &QAction::triggered, this, [this] { openPracticeExam(); });
}

void Form1::openPracticeExam()
{
    showExamWindow(examwindow::createPracticeExam(m_engine->pool(), *QRandomGenerator::global()));
}

void Form1::openDrill(const QString &subelement)
{
    showExamWindow(examwindow::createDrill(m_engine->pool(), subelement, *QRandomGenerator::global()));
}

bool Form1::closeExamWindows()
{
    // Each window asks as its own close does; a practice exam kept open keeps the program.
    const QList<examwindow::ExamWindow *> windows = findChildren<examwindow::ExamWindow *>();
    for (examwindow::ExamWindow *window : windows) {
        if (window->isVisible() && !window->close())
            return false;
    }
    return true;
}

void Form1::showExamWindow(const examwindow::OpenedWindow &opened)
{
    if (!opened.window) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Practice Exam"), opened.error, QMessageBox::Ok,
                        this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return;
    }
    examwindow::ExamWindow *window = opened.window;
    // A window of its own that closes with the study window.
    window->setParent(this, Qt::Window);
    window->setFiguresFolder(questions::figuresFolder(poolsFolder()));
    // Its questions are never smaller than the study window's, scaled to this screen.
    window->setBaseTextSize(m_ui.lblQuestion->widget()->font().pointSizeF());
    if (progress::Store *store = progressStore()) {
        examwindow::recordInto(*window, *store);
        // After the store has the sitting, an open Progress window shows it.
        const auto refresh = [this] {
            if (auto *progress = progressWindow(); progress && progress->isVisible())
                progress->refresh();
        };
        connect(window, &examwindow::ExamWindow::handedIn, this, refresh);
        connect(window, &examwindow::ExamWindow::drillAnswered, this, refresh);
        connect(window, &examwindow::ExamWindow::missedReviewRequested, this,
                [this, window](const QList<int> &missed) { openReviewOf(window->pool(), missed); });
    }
    Q_EMIT examWindowOpened(window);
    window->show();
    window->activateWindow();
}

} // namespace mainwindow
