// The logo image embedded in the library, offered as its resource of type
// 1024, id 1.
#pragma once

#include <cstddef>

namespace ov {

extern const unsigned char kLogoImage[];
extern const std::size_t kLogoImage_size;

// Adds the logo to the library module's resource table; calling it again
// changes nothing. False when the table refuses it.
bool RegisterLogoResource();

}  // namespace ov
