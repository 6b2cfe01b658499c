#pragma once
// Answers the next file dialog of a window test once it is open, as a user does.

#include <QString>
#include <QStringList>

// Notes what the dialog proposes and offers, then chooses `file` (typed into the name
// field) or cancels when it is empty.
void AnswerFileDialog(const QString& file, QString* proposed = nullptr, QStringList* filters = nullptr);
