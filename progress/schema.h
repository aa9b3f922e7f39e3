#pragma once
// The store's tables and how an older file is brought up to date. The version lives in
// PRAGMA user_version: 0 for a new file, then one step per version.

#include <QSqlError>

class QSqlDatabase;

namespace progress::schema {

inline constexpr int kVersion = 3;

// The file's version, or the error reading it.
struct Version
{
    int value = 0;
    QSqlError error;
};
Version readVersion(const QSqlDatabase &db);

// Runs the steps from the file's version up to kVersion, each in its own transaction that
// rereads the version first, so two copies starting on a new file do not both run a step.
QSqlError migrate(QSqlDatabase &db);

} // namespace progress::schema
