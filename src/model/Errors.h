#pragma once
// Errors that end a command; the program's global handler shows their text and carries on.

#include <QString>
#include <stdexcept>

class VybitorError : public std::runtime_error {
public:
    explicit VybitorError(const QString& message)
        : std::runtime_error(message.toStdString()), text_(message) {}
    const QString& text() const noexcept { return text_; }

private:
    QString text_;
};

// The user cancelled a long operation; nothing is shown for it.
class OperationCancelled : public VybitorError {
public:
    OperationCancelled() : VybitorError(QStringLiteral("Cancelled")) {}
};
