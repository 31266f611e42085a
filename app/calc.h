#pragma once
// The calculator: the program's computations for given inputs as one JSON document.
#include <QJsonObject>
#include <QJsonValue>

#include "app/options.h"
#include "dialog/flow_session.h"

// A number for the document: the number itself when finite, otherwise the string "NaN",
// "Infinity" or "-Infinity" (JSON has no such numbers).
QJsonValue JsonNumber(double value);

// The whole document: inputs, state, corner, fields, labels, probes and flow, for the state
// the window has after start-up with the given inputs and wall.
QJsonObject CalcDocument(const Options& options);

// The calculator's profile section for a profile.
QJsonObject ProfileSection(const FanProfile& profile);
