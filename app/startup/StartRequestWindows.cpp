#include "StartRequest.h"

#include <windows.h>

#include <shellapi.h>

namespace app {

namespace {

// Writes to a console as text of its own, or to a file or pipe as UTF-8; false where the
// handle leads nowhere.
bool writeTo(HANDLE handle, const QString &text)
{
    if (!handle || handle == INVALID_HANDLE_VALUE)
        return false;
    const QString lines = QString(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    DWORD written = 0;
    if (::GetFileType(handle) == FILE_TYPE_CHAR) {
        const std::wstring wide = lines.toStdWString();
        return ::WriteConsoleW(handle, wide.c_str(), static_cast<DWORD>(wide.size()), &written,
                               nullptr);
    }
    const QByteArray bytes = lines.toUtf8();
    return ::WriteFile(handle, bytes.constData(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr);
}

} // namespace

QStringList programArguments(int, char **)
{
    // The C library's argv holds the system's ANSI code page; the command line itself holds
    // every character of a path.
    int count = 0;
    LPWSTR *words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    QStringList arguments;
    for (int i = 0; words && i < count; ++i)
        arguments << QString::fromWCharArray(words[i]);
    ::LocalFree(words);
    return arguments;
}

void showStartText(const QString &text, bool isError)
{
    // Output that whoever started the program sent to a file or a pipe goes there.
    if (writeTo(::GetStdHandle(isError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), text))
        return;
    // A program for the desktop has no console of its own; started from one, it writes there.
    if (::AttachConsole(ATTACH_PARENT_PROCESS)) {
        const HANDLE console = ::CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, 0, nullptr);
        const bool written = writeTo(console, text);
        if (console != INVALID_HANDLE_VALUE)
            ::CloseHandle(console);
        ::FreeConsole();
        if (written)
            return;
    }
    ::MessageBoxW(nullptr, text.toStdWString().c_str(), L"TARVOS",
                  MB_OK | (isError ? MB_ICONERROR : MB_ICONINFORMATION));
}

} // namespace app
