// convert and evaluate: a test file loaded as "Otevři" loads it.
#include "cli/CliCommands.h"
#include "model/Errors.h"

void RunConvert(const TCliArguments&)
{
    throw VybitorError(QStringLiteral("convert is not available yet"));
}

void RunEvaluate(const TCliArguments&)
{
    throw VybitorError(QStringLiteral("evaluate is not available yet"));
}
