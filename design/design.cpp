#include "design/design.h"

#include "design/build_settings.h"

namespace vorlen::design {

std::string windowCaption()
{
    return std::string(captionLead) + buildsettings::webAddress + std::string(captionSeparator) +
           buildsettings::phone;
}

std::string counterAddress()
{
    return std::string("http://") + buildsettings::counterHost + "/sayac/qelnor.php";
}

} // namespace vorlen::design
