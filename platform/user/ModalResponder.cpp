#include "user/ModalResponder.h"

namespace {

ModalResponder gResponder;

}  // namespace

void SetModalResponder(ModalResponder responder) { gResponder = std::move(responder); }

bool HasModalResponder() { return static_cast<bool>(gResponder); }

int AskModalResponder(const ModalRequest& request) {
  if (!gResponder) return 0;
  // A copy: the responder may replace itself while it runs.
  ModalResponder responder = gResponder;
  return responder(request);
}
