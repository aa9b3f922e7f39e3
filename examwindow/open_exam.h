#pragma once
// Making a practice exam or a drill window from a pool: the draw, or the reason none can
// be made.

#include <QString>

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

} // namespace examwindow
