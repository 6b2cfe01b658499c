#pragma once
// The 32 x 32 icons of the main toolbar, drawn at start.

#include <QIcon>

enum class TToolbarIcon { Open, Save, Print, Download, Graph, Data, Archive, Settings };

QIcon ToolbarIcon(TToolbarIcon which);
