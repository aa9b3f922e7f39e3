#pragma once
// What a sitting leaves in the progress store: a handed-in exam as one exam record with
// an answer record for each of its questions (mode exam), unanswered ones as misses, and each first attempt
// of a drill as an answer record (mode drill).

#include "exam/result.h"
#include "progress/store.h"

namespace questions {
class Pool;
struct Question;
} // namespace questions

namespace examwindow {

class ExamWindow;

progress::ExamRecord toExamRecord(const exam::ExamResult &result, const QString &poolKey);
// One answer per question of the exam; an unanswered one is a miss with no choice.
QList<progress::AnswerRecord> toAnswerRecords(const exam::ExamResult &result, const questions::Pool &pool,
                                              const QString &poolKey);
progress::AnswerRecord toDrillRecord(const questions::Question &question, QChar chosen, bool correct,
                                     const QString &poolKey, const QDateTime &answeredAt,
                                     progress::Mode mode = progress::Mode::Drill);

// Stores what the window reports (a review's answers with mode review), as it reports it, under its pool's
// key ("T 2026-2030"). The store must outlive the window.
void recordInto(ExamWindow &window, progress::Store &store);

} // namespace examwindow
