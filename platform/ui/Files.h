#pragma once
// File services: search for an ordinary file, copy, the program's folder.
#include <QString>

namespace files {

// The name (without folder) of the ordinary file at exactly this path, or "" when there is none.
// Folders and hidden files are not found.
QString Dir(const QString& path);

// Copies a file; raises platform::Error with a description on failure (the target's parent folder
// is created when missing). An existing target is replaced.
void FileCopy(const QString& source, const QString& target);

// The folder of the running program, no trailing separator.
QString AppPath();
// For tests: pretend the program runs from another folder ("" restores the real one).
void SetAppPathOverride(const QString& folder);

} // namespace files
