// The practice exam and the drill, opened beside the study window on the loaded pool.
#include "examwindow/exam_window.h"
#include "examwindow/open_exam.h"
#include "mainwindow/form1.h"

#include <QDir>
#include <QMessageBox>
#include <QRandomGenerator>

namespace mainwindow {

void Form1::openPracticeExam()
{
    showExamWindow(examwindow::createPracticeExam(m_engine->pool(), *QRandomGenerator::global()));
}

void Form1::openDrill(const QString &subelement)
{
    showExamWindow(examwindow::createDrill(m_engine->pool(), subelement, *QRandomGenerator::global()));
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
    window->setFiguresFolder(QDir(poolsFolder()).filePath(QStringLiteral("figures")));
    Q_EMIT examWindowOpened(window);
    window->show();
    window->activateWindow();
}

} // namespace mainwindow
