#pragma once
// The calculator: the program's computations for given inputs as one JSON document.
#include <QJsonObject>
#include <QJsonValue>

#include "app/options.h"
#include "model/flow_state.h"
#include "view/corner.h"

// A number for the document: the number itself when finite, otherwise the string "NaN",
// "Infinity" or "-Infinity" (JSON has no such numbers).
QJsonValue JsonNumber(double value);

// The state as the program has it after start-up with the given inputs: the inputs read with
// the fields' rule, the upstream and critical state, the corner placed in a picture of the
// requested size with its wall set, and the fan computed for that wall.
void SetUpCalc(const Options& options, FlowState& fs, CCorner& corner);

// The whole document: inputs, state, corner, fields, labels and probes.
QJsonObject CalcDocument(const Options& options);
