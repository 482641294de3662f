// The error of the printing road: no printer, or a printer that refuses the
// document. Its text is meant for the user.
#pragma once

#include <stdexcept>

namespace win {

class EPrinterError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace win
