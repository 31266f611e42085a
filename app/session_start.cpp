#include "app/session_start.h"

#include "res/resource.h"

void ApplyOptions(FlowSession& session, const Options& options)
{
    if (options.v1 || options.t1 || options.p1) {
        if (options.v1)
            session.SetInputText(IDC_V1, *options.v1);
        if (options.t1)
            session.SetInputText(IDC_T1, *options.t1);
        if (options.p1)
            session.SetInputText(IDC_P1, *options.p1);
        session.InputsLeft();
    }
    if (options.wall)
        session.SetWallAngle(*options.wall);
    else if (options.wallPoint)
        session.SetWallFromPoint(options.wallPoint->x, options.wallPoint->y);
    else if (options.beta)
        session.SetBodyAngle(*options.beta);
}
