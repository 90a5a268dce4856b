#include "tools/demo/demo_content.h"

namespace velmora {

std::string DemoScript() {
  return "*OP\n"
         "<B>\n1\n"
         "春休みの最後の一週間。\n"
         "この町で、写真を撮ることにした。\n"
         "カメラを手に、家を出る。\n"
         "*next_ba\n";
}

}  // namespace velmora
