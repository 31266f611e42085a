#pragma once
// The mathematical and physical constants of the program, once.

constexpr double kPi = 3.14159265358979323846;
constexpr double kHalfPi = kPi / 2.0;
constexpr double kDegreesPerRadian = 57.29577951308232; // 180/pi
constexpr double kRadiansPerDegree = kPi / 180.0;

// The universal gas constant, J/(mol K), as the model writes it; and the same constant for a
// molar mass in g/mol, J/(kmol K).
constexpr double kGasConstant = 8.314;
constexpr double kGasConstantPerKilomole = 8314.0;
