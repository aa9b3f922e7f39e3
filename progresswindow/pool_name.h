#pragma once
// The name the Progress window gives a pool in its title and its questions: "Extra pool,
// 2024–2028" from the store's key "E 2024-2028", and where the pool was read from when it
// is the user's own installed copy.

#include <QString>

namespace progresswindow {

// "Technician pool, 2026–2030" for key "T 2026-2030"; `title` (trimmed) when the key has no
// element letter, with the years when it has them.
QString poolName(const QString &key, const QString &title);

// The window's title: "Progress: Extra pool, 2024–2028", and for a copy of the user's own,
// "..., your installed copy from <folder>". Without a pool, "Progress".
QString progressTitle(const QString &poolName, const QString &userFolder);

} // namespace progresswindow
