#pragma once
// Which flow the picture, the probe fields and the calculator follow: the program's own model
// (the default) or the exact inviscid theory (model/exact_flow.h).

enum class Physics { Model, Exact };

// "model" and "exact": a link's physics=, the command line's --physics and the calculator's
// "physics".
inline const char* PhysicsName(Physics physics)
{
    return physics == Physics::Exact ? "exact" : "model";
}
