#pragma once
// The practice exam's rules: which element a pool is for, how many questions its exam has
// (one from each group) and how many must be right to pass.

#include <QChar>
#include <QString>

#include <optional>

namespace exam {

struct ExamRules
{
    QChar element;     // 'T', 'G' or 'E'
    QString className; // "Technician"
    int questions = 0; // one per group
    int passMark = 0;  // right answers needed to pass
};

// The rules of element letter 'T', 'G' or 'E'; nothing for any other letter.
std::optional<ExamRules> rulesFor(QChar element);

// "T1A01": element letter, subelement digit, group letter, two-digit number.
bool isNcvecId(QStringView id);

} // namespace exam
