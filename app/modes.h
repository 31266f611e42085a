#pragma once
// The program's modes; each returns the process exit status.
#include <string>

#include "app/options.h"

int RunCalc(const Options& options);                                  // prints the JSON document
int RunSnapshot(const Options& options);                              // writes the picture as a PNG
int RunSnapshotWindow(const Options& options, int argc, char** argv); // writes the dialog as a PNG
int RunPlot(const Options& options);       // writes the plot of the state through the fan as a PNG
int RunProfileCsv(const Options& options); // writes the profile's samples as CSV
int RunDialog(int argc, char** argv, const Options& options); // the program itself
