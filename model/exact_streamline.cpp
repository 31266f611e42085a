#include "model/exact_streamline.h"

#include <cmath>

#include "base/vector_state.h"

std::vector<ExactPoint> TraceExactStreamline(const ExactFan& fan, double startX, double h,
                                             double reach)
{
    ClearUpperVectorState();
    std::vector<ExactPoint> path;
    if (!fan.fan || !(h > 0.0) || !std::isfinite(h) || !std::isfinite(startX) || !(reach > 0.0))
        return path;
    path.reserve(kExactFanSteps + 4);
    // Level up to the first characteristic, which it meets at radius r0 = h / sin mu1.
    const double mu1 = fan.first;
    const double r0 = h / std::sin(mu1);
    const double entryX = r0 * std::cos(mu1);
    path.push_back({std::fmin(startX, entryX), -h});

    double x = entryX;
    double y = -h;
    if (fan.last < fan.first) {
        // Through the fan: r / r0 = (cos(psi1/K) / cos(psi/K))^(K^2), psi = phiSonic - phi.
        const double k2 = fan.K * fan.K;
        const double c1 = std::cos(fan.psi1 / fan.K);
        for (int i = 0; i <= kExactFanSteps; ++i) {
            const double phi = i == kExactFanSteps
                                   ? fan.last
                                   : fan.first + (fan.last - fan.first) * i / kExactFanSteps;
            const double r = i == 0
                                 ? r0
                                 : r0 * std::pow(c1 / std::cos((fan.phiSonic - phi) / fan.K), k2);
            if (!(r <= reach) || !(r >= 0.0)) {
                // Out toward the vacuum: the path leaves the picture along this ray.
                if (std::isfinite(reach))
                    path.push_back({reach * std::cos(phi), -reach * std::sin(phi)});
                return path;
            }
            x = i == 0 ? entryX : r * std::cos(phi);
            y = i == 0 ? -h : -r * std::sin(phi);
            path.push_back({x, y});
        }
    } else {
        path.push_back({x, y});
    }
    // Past the fan, straight along the turned flow: the direction -turn, (cos, sin) on screen.
    const double turn = std::isfinite(fan.turn) ? fan.turn : 0.0;
    path.push_back({x + reach * std::cos(turn), y + reach * std::sin(turn)});
    return path;
}
