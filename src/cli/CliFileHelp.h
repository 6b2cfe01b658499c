#pragma once
// The part of the usage that says where the companion keeps and looks for its files, with
// the paths in force for this executable.

#include <QString>

QString CliFileHelp();
