#include "box/shared/process_values.h"

namespace tamvelo::app {

ProcessValues& MainProgramValues() {
  static ProcessValues values;
  return values;
}

}  // namespace tamvelo::app
