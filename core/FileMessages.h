#pragma once

#include "CartridgeFile.h"

#include <QString>

namespace core {

// The words for files that could not be read or written, in the editor's Chinese and in
// tarvos-cli's English. One table words every cause of a failure and what a failed write left
// in both languages, so that reading and saving say the same thing the same way, and every
// message of the window names the file the same way.

enum class MessageLanguage {
    Chinese, // the editor's window
    English, // tarvos-cli
};

// The reason, without the file.
QString fileErrorReason(const fileio::FileError &error, MessageLanguage language);
// What a write that failed left at the path.
QString saveOutcome(const fileio::SaveFailure &failure, MessageLanguage language);
// How a message of the window names a file: its full path, in the platform's own form.
QString fileDisplayPath(const QString &path);
QString readFailureMessage(const QString &path, const fileio::FileError &error);
QString saveFailureMessage(const QString &path, const fileio::SaveFailure &failure);
// A backup that no longer holds the bytes its record names, refused before anything was
// written.
QString changedBackupMessage(const QString &backup);

} // namespace core
