#include "app/ProgramState.h"

TProgramState::TProgramState() : record_(std::make_unique<TTestRecord>())
{
    ClearRecord(*record_);
}

TProgramState& TProgramState::Instance()
{
    static TProgramState state;
    return state;
}
