// A Url_opener_service that records the URLs and answers as the test says.
#pragma once

#include <string>
#include <vector>

#include "platform/url_opener_service.h"

namespace quorvandel::testing {

class Recording_url_opener : public Url_opener_service {
 public:
  bool Open(const std::string& url) override {
    urls.push_back(url);
    return program_found;
  }
  std::vector<std::string> urls;
  bool program_found = true;  // a program took the URL
};

}  // namespace quorvandel::testing
