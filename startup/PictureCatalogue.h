// The picture catalogue: one accessor per picture, each loading "<name>.jpg"
// from the bundle's resources folder on first use and keeping it for good.
// Each returns the picture with a reference for the caller, or none.
// Tables here are laid out by hand.
// clang-format off
#pragma once

#include "loom/Loom.h"

namespace _x_li { loom::PictureObject* li(); }
namespace _x_s1 { loom::PictureObject* s1(); }
namespace _x_s2 { loom::PictureObject* s2(); }
namespace _x_s3 { loom::PictureObject* s3(); }
namespace _x_abo { loom::PictureObject* abo(); }
namespace _x_cfu { loom::PictureObject* cfu(); }
namespace _x_ad { loom::PictureObject* ad(); }
namespace _x_cd { loom::PictureObject* cd(); }
namespace _x_wd { loom::PictureObject* wd(); }
namespace _x_p { loom::PictureObject* p(); }
namespace _x_ncm { loom::PictureObject* ncm(); }
