#pragma once

#include <QtGlobal>

namespace fileio {

// Why reading or writing a file failed: the error number the platform reported (errno), or
// one of the limits this program sets itself. Each front end words it in its own language.
struct FileError {
    enum class Cause {
        System,           // `code` is the platform's error number
        TooLarge,         // longer than the reader takes for such a file
        ShortWrite,       // the system took only `written` of `total` bytes and named no error
        NotRegularFile,   // a pipe, socket or device: never written
        ChangedMeanwhile, // another file took the path's place while it was being written
        ContentChanged,   // another program changed the file after the caller read it
        PendingBackup,    // a write in place that was stopped half way left a backup that
                          // holds the file's old bytes
    };

    static FileError system(int code) { return {Cause::System, code, 0, 0}; }
    static FileError tooLarge() { return {Cause::TooLarge, 0, 0, 0}; }
    static FileError notRegularFile() { return {Cause::NotRegularFile, 0, 0, 0}; }
    static FileError changedMeanwhile() { return {Cause::ChangedMeanwhile, 0, 0, 0}; }
    static FileError contentChanged() { return {Cause::ContentChanged, 0, 0, 0}; }
    static FileError pendingBackup() { return {Cause::PendingBackup, 0, 0, 0}; }
    static FileError shortWrite(qint64 written, qint64 total)
    {
        return {Cause::ShortWrite, 0, written, total};
    }

    Cause cause = Cause::System;
    int code = 0;
    qint64 written = 0;
    qint64 total = 0;
};

} // namespace fileio
