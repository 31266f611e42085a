#include "app/session_start.h"

#include <memory>

#include "draw/raster_dc.h"
#include "platform/image_dc.h"
#include "res/ids.h"

void ApplyOptions(FlowSession& session, const Options& options)
{
    if (options.v1 || options.t1 || options.p1) {
        if (options.v1)
            session.SetInputText(ControlId::UpstreamSpeed, *options.v1);
        if (options.t1)
            session.SetInputText(ControlId::UpstreamTemperature, *options.t1);
        if (options.p1)
            session.SetInputText(ControlId::UpstreamPressure, *options.p1);
        session.InputsLeft();
    }
    if (options.wall)
        session.SetWallAngle(*options.wall);
    else if (options.wallPoint)
        session.SetWallFromPoint(options.wallPoint->x, options.wallPoint->y);
    else if (options.beta)
        session.SetBodyAngle(*options.beta);
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
