#include "model/classify.h"

#include <cmath>

double PolarAngle(double X, double Y)
{
    if (X == 0.0)
        return M_PI / 2.0;
    double result = 0.0;
    if (X < 0.0 && Y < 0.0)
        result = M_PI - std::atan(Y / X);
    else if (X > 0.0 && Y < 0.0)
        result = std::atan(-Y / X);
    else if (X > 0.0 && Y > 0.0)
        result = -std::atan(Y / X);
    else if (X < 0.0 && Y > 0.0)
        result = -M_PI - std::atan(Y / X);
    return result;
}

int ClassifyAngle(const FlowState& fs, double phi)
{
    if (phi > fs.machAngle)
        return RegionUpstream;
    if (phi >= fs.fanEndAngle)
        return RegionFan;
    if (phi < fs.machAngle)
        return RegionDownstream;
    return RegionNone;
}
