#pragma once
#include <string>

class QWidget;

namespace zorvic {

// Lets the user pick an existing folder ("请选择文件夹。"), nothing preselected. Gives its full
// path without a trailing separator (except "/"), or an empty text on cancel.
std::string BrowseForFolder(QWidget* parent);

} // namespace zorvic
