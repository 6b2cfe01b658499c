#pragma once
// The texts around the generated help: what the program is, and what holds for every command.

#include <QString>

QString CliDescription();
QString CliFooter();
