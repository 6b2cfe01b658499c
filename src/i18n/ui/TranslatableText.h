#pragma once
// Registers one visible text of a translatable window (Fmain, Fdata, Fhlavicky, ...) with
// the translation registry: the widget's text as it stands now is the design text, and a
// language switch sets the language's text (or the design text again) on the widget.

#include <QString>
#include <functional>

class QAbstractButton;
class QAction;
class QComboBox;
class QLabel;
class QObject;
class QTabWidget;
class QTableWidget;
class QWidget;

void TranslateText(const QString& window, int id, QLabel* label);
void TranslateText(const QString& window, int id, QAction* action); // caption
void TranslateHint(const QString& window, int id, QAction* action);  // tooltip
void TranslateText(const QString& window, int id, QAbstractButton* button);
void TranslateHint(const QString& window, int id, QWidget* control); // tooltip
void TranslateTab(const QString& window, int id, QTabWidget* pages, int index);
void TranslateHeader(const QString& window, int id, QTableWidget* grid, int column);
// A text the window composes or draws itself (a format, a chart's axis title): `text` holds
// the one in force; `changed` runs at once and after each switch, so the window can show it
// again (it must cope with a window still being built).
void TranslateString(const QString& window, int id, QString& text, QObject* owner,
                     std::function<void()> changed = {});
void TranslateItem(const QString& window, int id, QComboBox* choice, int index);
void TranslateTitle(const QString& window, int id, QWidget* window_);
// A new caption label (text in UTF-8), registered under its id.
QLabel* TranslatedLabel(const QString& window, int id, const char* text, QWidget* parent);
