#ifndef FUZZFILES_H
#define FUZZFILES_H

// Files and folders for the harnesses that read from disk: one scratch folder per process, below the
// temporary directory, emptied before every input, and a way to see everything a reader left behind.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace Fuzz {

// A fresh, empty folder for this input (the same path every time; its previous contents are removed).
QString freshScratchFolder();
// Writes bytes to the path; aborts when the scratch folder cannot be written, which is no finding.
void writeFile(const QString &path, const QByteArray &bytes);
// Every entry below root (relative paths, folders with a trailing "/", symbolic links marked " -> link"),
// sorted. Hidden entries included.
QStringList listTree(const QString &root);
// The entries directly in the temporary directory, to see whether a reader wrote beside its folder.
QStringList listTemporaryDirectory();

} // namespace Fuzz

#endif
