// The stand-in for the tray icon until the real backend exists: the
// desktop has no tray, and nothing is shown.
#pragma once

#include "platform/tray_service.h"

namespace quorvandel {

class Stand_in_tray : public Tray_service {
 public:
  bool Available() override { return false; }
  void Add(bool, const std::string&) override {}
  void Modify(bool, const std::string&) override {}
  void Remove() override {}
  void Set_handlers(Handlers) override {}
};

}  // namespace quorvandel
