#pragma once

// The chance to pass an exam that draws one question uniformly from each group, given each
// question's chance of a right answer. Computed exactly: the distribution of the number of
// right answers is built group by group (each group is one independent Bernoulli trial whose
// chance is the mean of its questions' chances).

#include <QChar>
#include <QList>
#include <QString>

namespace forecast {

struct ExamForecast
{
    double passProbability = 0;
    double expectedScore = 0;
    int questions = 0;
    int passMark = 0;
};

// groups: for each group of the exam, the chances of its questions. A group with no questions
// can never be answered right: it counts as a question with chance 0. Chances are clamped to
// [0, 1]. A pass mark at or below 0 is always met; one above the number of groups never is.
ExamForecast forecastExam(const QList<QList<double>> &groupChances, int passMark);

// For each group, how much a right answer to it raises the chance to pass:
// P(pass | group right) - P(pass | group wrong), exactly, from the same distribution.
QList<double> passSwings(const QList<double> &groupChances, int passMark);

// "83 %"; "< 1 %" below 0.5 % and "> 99 %" above 99.5 %, so a chance that is neither
// certain nor impossible never reads as either.
QString percentText(double chance);

// "Chance to pass: 83 %, expected 28.4 of 35"
QString describe(const ExamForecast &forecast);

} // namespace forecast
