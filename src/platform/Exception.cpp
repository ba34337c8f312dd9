#include "platform/Exception.h"

#include <typeinfo>

namespace tuvako {

AnsiString DescribeException(const std::exception& error) {
    if (const auto* own = dynamic_cast<const Exception*>(&error))
        return AnsiString(own->ClassName()) + ": " + own->Message();
    return AnsiString(typeid(error).name()) + ": " + error.what();
}

}  // namespace tuvako
