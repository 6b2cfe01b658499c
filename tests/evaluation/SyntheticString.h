#pragma once
// A string with two weak batteries and one that never reaches its end voltage.

#include "app/ProgramState.h"
#include "support/RecordBuilder.h"

inline constexpr int Batteries = 36;
inline constexpr int NeverReached = 12; // battery number

// 36 batteries, a row a minute for 110 minutes, end voltage 378 V (10.5 V a battery).
// Battery k reaches 10.5 V at minute 100 + k % 5, battery 7 at 70, battery 31 at 80 and
// battery 20 exactly at 10.5 V; battery 12 never gets there. Rated 80 min with a
// compensation factor of 1.25 at the initial temperature gives a reference of 100 min,
// so a battery's capacity in percent equals its minutes to the end voltage. The test
// ended on the total voltage.
inline void LoadSyntheticString(TProgramState& s)
{
    auto record = MakeStringRecord(Batteries, 111, 60);
    record->Header.EndVoltage = 378.0f;
    record->Header.DischargeValue = 10.0f;
    for (int k = 0; k < Batteries; ++k) {
        const int number = k + 1;
        const int reach = number == 7 ? 70 : number == 31 ? 80 : 100 + k % 5;
        for (int r = 0; r <= 110; ++r) {
            float v = r < reach ? 11.0f : 10.2f;
            if (number == NeverReached)
                v = 10.6f;
            if (number == 20 && r >= reach)
                v = 10.5f;
            record->Rows[r].Voltages[k] = v;
        }
    }
    record->Rows[110].Voltages[6] = 8.5f;
    for (int r = 0; r <= 110; ++r) { // the total voltage is the batteries' sum
        float sum = 0;
        for (int k = 0; k < Batteries; ++k)
            sum += record->Rows[r].Voltages[k];
        record->Rows[r].TotalVoltage = sum;
    }
    record->RunInfo.EndReason = 3; // ended on the total voltage
    TakeOverRecord(s.Record(), *record);
    s.TempCompTables = {{QStringLiteral("konst"), {0, 0, 0, 0, 0, 0, 1.25}}};
    s.Choices.TKbat = 0;
    s.Choices.TKtyp = 2;
    s.Texts.Gtypzk = QStringLiteral("80");
    s.Texts.Hvproud = QStringLiteral("  10.0A   ");
}
