// Frequency wizard, window page: choice to window arguments and enabling.
#include "forms/FftWindowModel.h"

#include "platform/Format.h"

FftWindowModel::FftWindowModel()
{
    picture_.SetBox(0, 0, 400, 300);
    picture_.AllowEnlarging();
}

WindowArguments FftWindowModel::Arguments() const
{
    switch (choice) {
    case kWindowHamming: return {true, 0, 0.0, 0};
    case kWindowHann: return {true, 1, 0.0, 0};
    case kWindowTriangular: return {true, 3, 0.0, 0};
    case kWindowCosine: return {true, 2, cosinePosition * 0.01, 0};
    case kWindowRolloff: return {true, 4, rolloffPosition * 0.01, rolloffPercent};
    default: return {};
    }
}

std::string FftWindowModel::SliderLabel(int position) { return platform::Format("%4.2f", position * 0.01); }

Exchanged<int> FftWindowModel::TakePercent(const std::string& text)
{
    Exchanged<int> typed = ExchangeInt(text, 0, 100);
    if (typed.ok) rolloffPercent = typed.value;
    return typed;
}
