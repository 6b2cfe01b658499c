#pragma once
// The per-battery table of one test and the trend table of several, as TSV (numbers in the
// process locale, a title line first) or as JSON (numbers with a dot).

#include "evaluation/BatteryHealth.h"
#include "evaluation/CapacityTrend.h"

#include <QByteArray>

QByteArray HealthTsv(const TStringHealth& health);
QByteArray HealthJson(const TStringHealth& health);
QByteArray TrendTsv(const TTrend& trend);
QByteArray TrendJson(const TTrend& trend);

struct TCliArguments;

// health IN: the loaded test's per-battery table, evaluated as the desktop program does.
void RunHealth(const TCliArguments& args);
// trend FILE...: the files evaluated with the configured type list and compensation.
void RunTrend(const TCliArguments& args);
