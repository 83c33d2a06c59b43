// The eleven backdrop pictures, by name, in the catalogue's order. Each is the
// file "<name>.jpg" in the bundle's resources folder, drawn there by the
// artwork build and served by the catalogue's accessor _x_<name>::<name>.
// artwork/CMakeLists.txt reads the list from this file: keep it on one line.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#define PW_PICTURES(X) X(li) X(s1) X(s2) X(s3) X(abo) X(cfu) X(ad) X(cd) X(wd) X(p) X(ncm)

namespace backdrops {

#define PW_PICTURE_ID_(name) name,
#define PW_PICTURE_COUNT_(name) +1
#define PW_PICTURE_NAME_(name) #name,
#define PW_PICTURE_FILE_(name) #name ".jpg",
enum class Id { PW_PICTURES(PW_PICTURE_ID_) };
inline constexpr size_t kCount = 0 PW_PICTURES(PW_PICTURE_COUNT_);
inline constexpr std::array<std::string_view, kCount> kNames{PW_PICTURES(PW_PICTURE_NAME_)};
inline constexpr std::array<std::string_view, kCount> kFiles{PW_PICTURES(PW_PICTURE_FILE_)};
#undef PW_PICTURE_ID_
#undef PW_PICTURE_COUNT_
#undef PW_PICTURE_NAME_
#undef PW_PICTURE_FILE_
static_assert(kCount == 11);

inline constexpr std::string_view name(Id id) { return kNames[static_cast<size_t>(id)]; }

}  // namespace backdrops
