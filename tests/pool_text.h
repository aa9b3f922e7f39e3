#pragma once
// Pool file text for tests: a header line, then seven-line records made from identifier
// lines. Every test that needs a pool file or a parsed pool writes it through these.

#include <QByteArray>
#include <QList>

namespace testing {

// One record: the identifier line as given, the question ("Question of <line 0>?" unless
// given), four choices behind "A.  " .. "D.  " ("first" .. "fourth" unless given) and "~~".
QByteArray record(const QByteArray &identifier, const QByteArray &question = {},
                  const QList<QByteArray> &choices = {});

QByteArray poolText(const QList<QByteArray> &identifiers,
                    const QByteArray &header = "\"Test Pool\",\"July 1, 2026\",\"source\"");

} // namespace testing
