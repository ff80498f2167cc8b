#include "records/list_order.h"

#include "common/text.h"

namespace lirabo {

int CaselessListOrder(std::string_view a, std::string_view b) {
  if (int c = UpperCase(a).compare(UpperCase(b))) return c < 0 ? -1 : 1;
  if (int c = a.compare(b)) return c < 0 ? -1 : 1;
  return 0;
}

}  // namespace lirabo
