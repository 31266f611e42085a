#include "app/session_start.h"

#include <memory>

#include "draw/raster_dc.h"
#include "platform/image_dc.h"

StartState StartStateOf(const Options& options)
{
    StartState s;
    s.v1 = options.v1;
    s.t1 = options.t1;
    s.p1 = options.p1;
    s.gas = options.gas;
    s.gamma = options.gamma;
    s.molarMass = options.molarMass;
    s.gammaText = options.gammaText;
    s.molarMassText = options.molarMassText;
    s.wall = options.wall;
    if (options.wallPoint)
        s.wallPoint = std::make_pair(options.wallPoint->x, options.wallPoint->y);
    s.beta = options.beta;
    s.physics = options.physics;
    if (options.exactTheory)
        s.exactTheory = true;
    s.ticks = options.ticks;
    if (options.paused)
        s.paused = true;
    return s;
}

void ApplyOptions(FlowSession& session, const Options& options)
{
    ApplyStartState(session, StartStateOf(options));
}

void UseModeDrawing(FlowSession& session, bool labels)
{
    if (labels) {
        session.SetDrawing(MakeImageDC);
        return;
    }
    session.SetDrawing([](FrameBuffer& buffer) -> std::unique_ptr<DC> {
        return std::make_unique<RasterDC>(buffer);
    });
}
