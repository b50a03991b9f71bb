#pragma once

#include <QString>

#include <stdexcept>

namespace host {

// The runtime's numbered error. Code that the design lets fail raises one of these on
// purpose; the event boundary (ErrorBoundary) catches what no handler does.
class RuntimeError : public std::runtime_error {
public:
    enum Number : int {
        Overflow = 6,
        InvalidPropertyValue = 380,
        InvalidPicture = 481,
        TypeMismatch = 13,
        FileNotFound = 53,
        PathFileAccess = 75,
    };

    RuntimeError(int number, const QString &description);

    int number() const { return m_number; }
    QString description() const { return m_description; }

    static RuntimeError overflow() { return {Overflow, QStringLiteral("Overflow")}; }
    static RuntimeError invalidPropertyValue()
    {
        return {InvalidPropertyValue, QStringLiteral("Invalid property value")};
    }
    static RuntimeError invalidPicture() { return {InvalidPicture, QStringLiteral("Invalid picture")}; }
    static RuntimeError typeMismatch() { return {TypeMismatch, QStringLiteral("Type mismatch")}; }

private:
    int m_number;
    QString m_description;
};

} // namespace host
