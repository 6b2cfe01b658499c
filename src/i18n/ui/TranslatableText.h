#pragma once
// Registers one visible text of a translatable window (Fmain, Fdata, Fhlavicky, ...) with
// the translation registry: the widget's text as it stands now is the design text, and a
// language switch sets the language's text (or the design text again) on the widget.

#include <QString>

class QAction;
class QComboBox;
class QLabel;
class QWidget;

void TranslateText(const QString& window, int id, QLabel* label);
void TranslateText(const QString& window, int id, QAction* action); // caption
void TranslateHint(const QString& window, int id, QAction* action);  // tooltip
void TranslateItem(const QString& window, int id, QComboBox* choice, int index);
void TranslateTitle(const QString& window, int id, QWidget* window_);
// A new caption label (text in UTF-8), registered under its id.
QLabel* TranslatedLabel(const QString& window, int id, const char* text, QWidget* parent);
