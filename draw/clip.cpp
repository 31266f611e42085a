#include "draw/clip.h"

#include <algorithm>
#include <cmath>

bool ClipSegment(double ax, double ay, double bx, double by, double x0, double y0, double x1,
                 double y1, double& t0, double& t1)
{
    const double dx = bx - ax, dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - x0, x1 - ax, ay - y0, y1 - ay};
    t0 = 0.0;
    t1 = 1.0;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

std::vector<std::vector<double>> ClipPolyline(const std::vector<double>& xy, double x0, double y0,
                                              double x1, double y1)
{
    // How far above the box a point at y = -infinity is taken to lie, px.
    constexpr double kFarAbove = 1e6;
    std::vector<std::vector<double>> runs;
    std::vector<double> run;
    auto flush = [&] {
        if (run.size() >= 4)
            runs.push_back(run);
        run.clear();
    };
    const size_t n = xy.size() / 2;
    for (size_t i = 0; i + 1 < n; ++i) {
        double ax = xy[2 * i], ay = xy[2 * i + 1], bx = xy[2 * i + 2], by = xy[2 * i + 3];
        if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) {
            const bool aUp = ay == -HUGE_VAL, bUp = by == -HUGE_VAL;
            if (!(std::isfinite(ax) && std::isfinite(bx)) || std::isnan(ay) || std::isnan(by)
                || (aUp && bUp)) {
                flush();
                continue;
            }
            if (aUp)
                ay = y0 - kFarAbove;
            if (bUp)
                by = y0 - kFarAbove;
        }
        const double dx = bx - ax, dy = by - ay;
        double t0 = 0.0, t1 = 1.0;
        if (!ClipSegment(ax, ay, bx, by, x0, y0, x1, y1, t0, t1)) {
            flush();
            continue;
        }
        const double sx = ax + t0 * dx, sy = ay + t0 * dy;
        const double ex = ax + t1 * dx, ey = ay + t1 * dy;
        if (!run.empty() && (t0 > 0.0 || run[run.size() - 2] != sx || run.back() != sy))
            flush();
        if (run.empty()) {
            run.push_back(sx);
            run.push_back(sy);
        }
        run.push_back(ex);
        run.push_back(ey);
        if (t1 < 1.0)
            flush();
    }
    flush();
    return runs;
}
