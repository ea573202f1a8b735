#include "design/design.h"

#include "design/build_settings.h"

#include <algorithm>

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

const Control* findControl(std::string_view name)
{
    const auto* row = std::find_if(controls.begin(), controls.end(),
                                   [name](const Control& control) { return control.name == name; });
    return row != controls.end() ? row : nullptr;
}

const Panel* findPanel(std::string_view name)
{
    const auto* row =
        std::find_if(panels.begin(), panels.end(), [name](const Panel& panel) { return panel.name == name; });
    return row != panels.end() ? row : nullptr;
}

} // namespace vorlen::design
