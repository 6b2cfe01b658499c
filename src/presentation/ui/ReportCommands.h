#pragma once
// The commands that open the report previews: the main window's "Tisk", the graph
// window's "Preview" and the data window's print command.

struct TWindows;

void ConnectReportCommands(const TWindows& windows);
// The buttons that open the battery health window: the graph window's and the archive window's.
void ConnectHealthCommands(const TWindows& windows);
