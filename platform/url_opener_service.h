// Handing a URL ("mailto:", "https:") to the program the user chose for it.
#pragma once

#include <string>

namespace quorvandel {

class Url_opener_service {
 public:
  virtual ~Url_opener_service() = default;

  // Opens the URL in the user's program for it; false when no program took
  // it.
  virtual bool Open(const std::string& url) = 0;
};

}  // namespace quorvandel
