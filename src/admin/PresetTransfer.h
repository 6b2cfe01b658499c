#pragma once
// The locality table between the PC and the tester: "Pošli" writes the preset file and
// tells the tester to take it over, "Načti" reads the table preset by preset.

#include <QString>

class TTesterLink;
class TPresetEditor;
struct TPresetTable;

inline const QString TesterPresetPath = QStringLiteral("/config/lokality.lkt");

// The preset file bytes to TesterPresetPath, then #Ul ("Error" when refused). False when
// the tester refused a chunk or the take-over.
bool SendPresetsToTester(TTesterLink& link, const TPresetTable& table);
// #NL, then #Nl per preset. A reply with a refusal status, a short reply or a count over
// the table's room throws VybitorError and leaves the editor's table as it was.
void LoadPresetsFromTester(TTesterLink& link, TPresetEditor& editor);
