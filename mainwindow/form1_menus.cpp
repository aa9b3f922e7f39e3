// The items added to the Test menu below the designed ones, beside the design's control
// list: Progress..., Review... and Practice Exam..., each asking the program around the window.
#include "mainwindow/form1.h"

#include <QAction>
#include <QMenu>

namespace mainwindow {

void Form1::addTestMenuItems()
{
    QMenu *test = m_ui.mnuTest->action()->menu();
    test->addSeparator();
    const auto add = [this, test](const QString &text, const char *name, void (StudyWindowHost::*open)()) {
        QAction *item = test->addAction(text);
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, [this, open] {
            if (m_host)
                (m_host->*open)();
        });
        return item;
    };
    m_progressItem = add(tr("&Progress..."), "mnuProgress", &StudyWindowHost::openProgress);
    m_reviewItem = add(tr("Re&view..."), "mnuReview", &StudyWindowHost::openReview);
    m_practiceExam =
        add(QStringLiteral("Practice E&xam..."), "mnuPracticeExam", &StudyWindowHost::openPracticeExam);
    setProgressAvailable(false);
}

void Form1::setProgressAvailable(bool available)
{
    m_progressItem->setEnabled(available);
    m_reviewItem->setEnabled(available);
}

} // namespace mainwindow
