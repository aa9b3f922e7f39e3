#pragma once
// Making a practice exam or a drill window from a pool: the draw, or the reason none can
// be made.

#include <QList>
#include <QString>

#include <functional>

class QRandomGenerator;

namespace questions {
class Pool;
}

namespace examwindow {

class ExamWindow;

struct OpenedWindow
{
    ExamWindow *window = nullptr; // top-level, deleted when closed; null when error is set
    QString error;
};

OpenedWindow createPracticeExam(const questions::Pool &pool, QRandomGenerator &random);
OpenedWindow createDrill(const questions::Pool &pool, const QString &subelement, QRandomGenerator &random);
// A review of these questions (indices into the pool) in this order; `outcome` as in
// ExamWindow::setReview.
OpenedWindow createReview(const questions::Pool &pool, QList<int> questions,
                          std::function<QString()> outcome);

} // namespace examwindow
