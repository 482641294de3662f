// The boundary text of a MIME multipart body.
#pragma once

#include <string>
#include <string_view>

// Eight decimal digits, each from 0 to 8, drawn after re-seeding from the
// time of day in milliseconds 101 times and then 1 to 30 times more; the
// user interface runs after each re-seed. The result never equals
// `differentFrom`, so a nested group never reuses its outer boundary even
// when both are made within the same millisecond.
std::string MakeBoundary(std::string_view differentFrom = {});
