// The picture catalogue: one accessor per picture, each loading "<name>.jpg"
// from the bundle's resources folder on first use and keeping it for good.
// Each returns the picture with a reference for the caller, or none. The
// accessor of the picture "li" is _x_li::li, and so on for each name listed in
// PictureNames.h.
#pragma once

#include "forms/PictureNames.h"
#include "loom/Loom.h"

#define PW_PICTURE_ACCESSOR_(N)   \
    namespace _x_##N {            \
        loom::PictureObject* N(); \
    }
PW_PICTURES(PW_PICTURE_ACCESSOR_)
#undef PW_PICTURE_ACCESSOR_
