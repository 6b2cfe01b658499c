#include "app/ProgramState.h"

#include "app/CaptionTexts.h"

TProgramState::TProgramState() : record_(std::make_unique<TTestRecord>())
{
    ClearRecord(*record_);
    RegisterCaptionTexts(*this);
}

TProgramState& TProgramState::Instance()
{
    static TProgramState state;
    return state;
}
