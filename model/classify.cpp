// PolarAngle and ClassifyAngle are defined inline in the header.
#include "model/classify.h"
