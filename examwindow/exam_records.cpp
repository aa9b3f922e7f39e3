#include "examwindow/exam_records.h"

#include "examwindow/exam_window.h"
#include "questions/pool.h"

namespace examwindow {

progress::ExamRecord toExamRecord(const exam::ExamResult &result, const QString &poolKey)
{
    progress::ExamRecord record;
    record.pool = poolKey;
    record.startedAt = result.startedAt;
    record.finishedAt = result.finishedAt;
    record.score = result.right;
    record.total = result.total();
    record.passMark = result.rules.passMark;
    record.passed = result.passed();
    return record;
}

QList<progress::AnswerRecord> toAnswerRecords(const exam::ExamResult &result, const questions::Pool &pool,
                                              const QString &poolKey)
{
    QList<progress::AnswerRecord> answers;
    for (int i = 0; i < result.total(); ++i) {
        progress::AnswerRecord answer;
        answer.answeredAt = result.finishedAt;
        answer.pool = poolKey;
        answer.question = pool.questions[result.questions[i]].id().toString();
        answer.chosen = result.chosen[i];
        answer.correct = result.isRight(i);
        answer.mode = progress::Mode::Exam;
        answers.append(answer);
    }
    return answers;
}

progress::AnswerRecord toDrillRecord(const questions::Question &question, QChar chosen, bool correct,
                                     const QString &poolKey, const QDateTime &answeredAt, progress::Mode mode)
{
    progress::AnswerRecord answer;
    answer.answeredAt = answeredAt;
    answer.pool = poolKey;
    answer.question = question.id().toString();
    answer.chosen = chosen;
    answer.correct = correct;
    answer.mode = mode;
    return answer;
}

void recordInto(ExamWindow &window, progress::Store &store)
{
    const QString poolKey = window.pool().key();
    QObject::connect(&window, &ExamWindow::handedIn, &window,
                     [&window, &store, key = poolKey](const exam::ExamResult &result) {
                         progress::ExamRecord record = toExamRecord(result, key);
                         store.recordExam(record, toAnswerRecords(result, window.pool(), key));
                     });
    QObject::connect(
        &window, &ExamWindow::drillAnswered, &window,
        [&window, &store, key = poolKey](const questions::Question &question, QChar chosen, bool correct) {
            store.record(toDrillRecord(question, chosen, correct, key, QDateTime::currentDateTime(),
                                       window.isReview() ? progress::Mode::Review : progress::Mode::Drill));
        });
}

} // namespace examwindow
