#pragma once
// Reading the NCVEC release layout: heading lines (SUBELEMENT, groups), then per
// question an identifier line such as "T1A01 (C) [97.1]", the question, four choices
// "A." to "D." and a "~~" line. Everything before the first question (errata notes,
// the syllabus) is taken as preamble, except for the release's years and issue date.
// Every problem that would put a wrong or unreadable question in front of a user is
// reported as an error; what the real releases contain and is harmless is accepted.

#include "questions/table_of_contents.h"
#include "tools/poolconv/source_reader.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace poolconv {

class Diagnostics;

inline constexpr int kMaxQuestions = 1501;

struct Question
{
    QString place;  // where its identifier line stands in the source
    QString id;     // "T1A01"
    QString idLine; // the identifier line as released, without surrounding spaces
    QChar answer;   // 'A'..'D'
    QString question;
    std::array<QString, 4> choices; // the texts of A..D, without their letters
};

struct Release
{
    QList<Question> questions;
    QStringList withdrawn; // identifiers of withdrawn questions, skipped
    QChar element;         // first letter of the identifiers: 'T', 'G' or 'E'
    QString effective;     // "7/1/2026 - 6/30/2030" when the release names its years
    QString releaseName;   // "NCVEC 2026-2030 Technician Class Pool Errata, issued February 19, 2026"
    // The subelement and group headings in release order ("SUBELEMENT T1 - COMMISSION'S RULES
    // [6 Exam Questions - 6 Groups]", "T1A Purpose and ..."), each identifier once.
    QList<questions::TocEntry> contents;
};

Release parseRelease(const SourceText &text, Diagnostics &diagnostics);

} // namespace poolconv
